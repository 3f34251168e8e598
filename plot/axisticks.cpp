#include "axisticks.h"

#include <algorithm>
#include <cmath>

AxisTicks::AxisTicks(double lo, double hi, int parts)
{
    if (lo > hi)
        std::swap(lo, hi);
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo) || parts < 1)
        return;
    const double rough = (hi - lo) / parts;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    // The smallest of 1, 2, 5, 10 times the power that is not below the rough step.
    double step = 10.0 * power;
    for (double f : { 1.0, 2.0, 5.0 }) {
        if (f * power >= rough * (1 - 1e-12)) {
            step = f * power;
            break;
        }
    }
    if (!std::isfinite(step) || !(step > 0))
        return;
    stepSize = step;
    // A range that ends on a step, give or take rounding, is not widened by another.
    low = std::floor(lo / step + 1e-9) * step;
    high = std::ceil(hi / step - 1e-9) * step;
    if (low == high)
        high = low + step;
}

QVector<double> AxisTicks::values() const
{
    QVector<double> v;
    const long long n = std::llround((high - low) / stepSize);
    for (long long i = 0; i <= n && i <= 1000; ++i) {
        const double x = low + double(i) * stepSize;
        // -0 and the rounding of i * step show as what they are meant to be.
        v.append(std::fabs(x) < stepSize * 1e-9 ? 0.0 : x);
    }
    return v;
}

QString AxisTicks::label(double v) const
{
    const int exponent = int(std::floor(std::log10(stepSize) + 1e-9));
    if (exponent < -4 || exponent > 5)
        return QString::number(v, 'g', 3);
    return QString::number(v, 'f', std::max(0, -exponent));
}
