#include "plotting.h"

#include "plot/axisticks.h"
#include "plot/chcoord.h"
#include "plot/plotscene.h"

#include <QColor>

void addTicks(PlotScene *scene, const ChCoord &coord, const AxisTicks &ticks, const QFont &font,
              int labelHeight)
{
    const QRect surface(QPoint(0, 0), scene->size() - QSize(1, 1));
    const QPen mark = makePen(120, 120, 120, 1);
    QVector<QLine> &marks = scene->lines(mark);
    const QVector<double> values = ticks.values();
    for (double v : values) {
        const int y = Pixel::trunc(coord.yToPixel(v));
        appendSegment(&marks, surface, 0, y, 6, y);
    }
    for (double v : values) {
        const double top = std::min(std::max(coord.yToPixel(v) - labelHeight / 2.0, 0.0),
                                    double(surface.height() - labelHeight));
        scene->text(mark, QRectF(8.0, top, 12.0 * labelHeight, labelHeight), font,
                    Qt::AlignLeft | Qt::AlignVCenter, 10.0, ticks.label(v));
    }
}

QColor shellColour(int i)
{
    static const int rgb[][3] = {
        { 0, 90, 181 },  { 220, 50, 32 }, { 26, 133, 90 }, { 153, 79, 0 },   { 116, 44, 148 },
        { 0, 150, 150 }, { 180, 150, 0 }, { 90, 90, 90 },  { 200, 40, 130 }, { 80, 140, 20 },
    };
    const int n = int(sizeof rgb / sizeof rgb[0]);
    const auto &c = rgb[((i % n) + n) % n];
    return QColor(c[0], c[1], c[2]);
}

QPen makePen(int r, int g, int b, int width)
{
    QColor colour;
    colour.setRgb(r, g, b, 255);
    QPen pen(colour);
    pen.setWidth(width);
    return pen;
}
