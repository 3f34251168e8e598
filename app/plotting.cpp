#include "plotting.h"

#include <QColor>

QPen makePen(int r, int g, int b, int width)
{
    QColor colour;
    colour.setRgb(r, g, b, 255);
    QPen pen(colour);
    pen.setWidth(width);
    return pen;
}
