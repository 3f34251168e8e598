#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

// A plot surface as a picture file: PNG or SVG, chosen by the file's suffix, drawn through the
// surface's own paint path at its current size, so the file holds what the window shows.
class PlotImage
{
public:
    enum Format { Png, Svg, Unknown };

    static Format formatOf(const QString &path);
    // Empty when the surface has no area, or its picture does not fit in memory.
    static QByteArray encode(QWidget *surface, Format format, const QString &title);
};
