#include "plotting.h"

#include "plot/pixel.h"

#include <QColor>
#include <QPainter>

QPen makePen(int r, int g, int b, int width)
{
    QColor colour;
    colour.setRgb(r, g, b, 255);
    QPen pen(colour);
    pen.setWidth(width);
    return pen;
}

void drawSegment(QPainter *p, double x0, double y0, double x1, double y1)
{
    const QLine line = Pixel::line(x0, y0, x1, y1);
    p->drawLines(&line, 1);
}

void appendSegment(QVector<QLine> *curve, double x0, double y0, double x1, double y1)
{
    const QLine line = Pixel::line(x0, y0, x1, y1);
    if (!curve->isEmpty()) {
        QLine &last = curve->last();
        if (line.y1() == line.y2() && last.y1() == last.y2() && last.y2() == line.y1()
            && last.x2() == line.x1()) {
            last.setP2(line.p2());
            return;
        }
    }
    curve->append(line);
}
