#include "pixel.h"

#include <cmath>

int Pixel::trunc(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= limit)
        return static_cast<int>(limit);
    if (v <= -limit)
        return -static_cast<int>(limit);
    return static_cast<int>(v);
}

QLine Pixel::line(double x0, double y0, double x1, double y1)
{
    return QLine(trunc(x0), trunc(y0), trunc(x1), trunc(y1));
}
