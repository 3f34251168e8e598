#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

class AWave;
class ChiK;
class DispArea;
class ExportOptions;

// The program's own windows, built as the program builds them but never put on a screen, set
// through the interface the panels and the mouse use, and asked for their data and pictures.
// Plots come from the surfaces' own paint path, so a picture is what the window would show.
class Exporter
{
public:
    enum Plot { ChiKPlot, ChiRPlot };

    Exporter();

    void apply(const ExportOptions &o);

    QByteArray chiKTable() const;
    QByteArray chiRTable() const;
    QImage image(Plot plot, const QSize &size) const;
    QByteArray png(Plot plot, const QSize &size) const;
    QByteArray svg(Plot plot, const QSize &size) const;

    AWave *wave() const;
    DispArea *surface(Plot plot) const;

    // The window and everything it builds stay alive until the process ends, as in the program.
    ChiK *window;

private:
    void setWindowEdges(const QVector<double> &edges);
    void setSelectors(const QStringList &on);
    void sizeSurface(Plot plot, const QSize &size) const;
};
