#pragma once

#include <QLine>

#include <cmath>

// Mapped coordinates become integer pixels by truncation toward zero. A mapped value can be
// NaN, infinite or astronomically large (a window edge typed as 1e300, a range that collapsed),
// so every conversion saturates instead of reaching an undefined int cast, and stays in a band
// that Qt's raster engine still clips cleanly.
namespace Pixel {

constexpr double limit = 1.0e6;

// trunc(v) for |v| <= limit; +-limit beyond it; 0 for NaN. Inline, as the plots convert both
// ends of thousands of segments at every paint.
inline int trunc(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= limit)
        return static_cast<int>(limit);
    if (v <= -limit)
        return -static_cast<int>(limit);
    return static_cast<int>(v);
}

// The line between two mapped points, each end converted with trunc().
inline QLine line(double x0, double y0, double x1, double y1)
{
    return QLine(trunc(x0), trunc(y0), trunc(x1), trunc(y1));
}

} // namespace Pixel
