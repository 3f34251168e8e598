#pragma once

#include <QColor>
#include <QCoreApplication>
#include <QMargins>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

class AxisTicks;
class ChCoord;
class PlotScene;

// Axis titles with units, round values along both axes and a legend around a plot: the margins
// they need on a surface, which the plot area leaves them, and the layers that draw them over
// whatever the curves drew there. Texts scale with the surface's height, as the plots' own
// labels do, but without their limit, so that a large picture stays readable, and never get
// smaller than about the interface's own text.
class PlotLabels
{
    Q_DECLARE_TR_FUNCTIONS(PlotLabels)

public:
    struct Entry
    {
        QString name;
        QColor colour;
    };

    // For a surface of the given size, with the vertical round values of ticks and a legend
    // naming each curve shown, in its colour, in that order.
    PlotLabels(QSize surface, const AxisTicks &ticks, const QVector<Entry> &legend);

    QMargins margins() const { return inset; }

    // Covers the margins, frames the plot area, marks and labels the values of ticks that lie in
    // the vertical range and round values of the horizontal one, and writes the titles and the
    // legend.
    void add(PlotScene *scene, const ChCoord &coord, const AxisTicks &ticks, const QString &xTitle,
             const QString &yTitle) const;

    static QString kTitle();
    static QString rTitle();
    // k^n chi(k), for the k-weight n, with its unit or marked as normalised.
    static QString chiKTitle(int n, bool absolute);
    // The parts of chi(R) shown, of "real", "imag" and "abs", with their unit or marked as
    // normalised.
    static QString chiRTitle(const QStringList &parts, int n, bool absolute);
    // A part of a transform: "Re chi(R)" or "|name|".
    static QString partName(const QString &part, const QString &of);
    static QString envelopeName();
    static QString windowName();

private:
    // A legend entry's width in pixels, guessed from its characters: the text is fitted into
    // it, so a guess too small only makes that text smaller.
    int entryWidth(const QString &name) const;

    QSize size;
    // The height of a line of text, in pixels.
    int unit;
    QMargins inset;
    // Each entry with where its row starts (x, y) on the surface.
    QVector<Entry> entries;
    QVector<QPoint> places;
};
