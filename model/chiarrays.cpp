#include "chiarrays.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace {

inline double magnitude(double re, double im)
{
    const double m = std::sqrt(im * im + re * re);
    // Beyond 1e154 the squares overflow though the magnitude itself is a double.
    if (std::isinf(m) && std::isfinite(re) && std::isfinite(im))
        return std::hypot(re, im);
    return m;
}

} // namespace

int ChiArrays::computed() const
{
    return std::max(0, std::min(nValid, count));
}

double ChiArrays::binSpacing() const
{
    return 3.1415926535 / (((kMax - kMin) / double(nValid)) * double(count));
}

double ChiArrays::ftRe(const double *a, int i) const
{
    if (!a || count <= 0)
        return 0.0;
    const qint64 size = count;
    const qint64 h = size / 2;
    const qint64 j = qAbs(qint64(i));
    if (j <= h)
        return a[j];
    if (j < size)
        return a[size - j];
    return 0.0;
}

double ChiArrays::ftIm(const double *a, int i) const
{
    if (!a || count <= 0 || i == 0)
        return 0.0;
    const qint64 size = count;
    const qint64 h = size / 2;
    const qint64 j = qAbs(qint64(i));
    const double s = i < 0 ? -1.0 : 1.0;
    if (j < h)
        return s * a[h + j];
    // Past the middle a real signal's bins mirror the lower half, conjugated.
    if (j > h && j < size)
        return -s * a[h + (size - j)];
    return 0.0;
}

double ChiArrays::ftAbs(const double *a, int i) const
{
    return magnitude(ftRe(a, i), ftIm(a, i));
}
