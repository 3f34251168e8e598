#include "measuredchi.h"

#include <QLocale>

#include <cmath>

namespace {

QString shortest(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

} // namespace

QString MeasuredChi::check(const QVector<double> &k, const QVector<double> &chi, int *row)
{
    *row = -1;
    if (k.size() != chi.size())
        return tr("k has %1 values and chi %2; they must be as many").arg(k.size()).arg(chi.size());
    if (k.size() < minRows)
        return tr("%1 rows of numbers; at least %2 are needed").arg(k.size()).arg(minRows);
    if (k.size() > maxRows) {
        *row = maxRows;
        return tr("more than %1 rows of numbers").arg(maxRows);
    }
    for (int i = 0; i < k.size(); ++i) {
        *row = i;
        if (!std::isfinite(k.at(i)))
            return tr("k is not a finite number");
        if (!std::isfinite(chi.at(i)))
            return tr("chi is not a finite number");
        // Weighted and squared, values this far beyond any chi(k) would overflow the sums.
        if (std::fabs(chi.at(i)) > maxMagnitude)
            return tr("chi %1 is larger than %2 in magnitude; no chi(k) is")
                .arg(shortest(chi.at(i)), shortest(maxMagnitude));
        if (k.at(i) < 0.0)
            return tr("k is negative (%1)").arg(shortest(k.at(i)));
        if (i > 0 && !(k.at(i) > k.at(i - 1)))
            return tr("k %1 does not rise above the k before it (%2)")
                .arg(shortest(k.at(i)), shortest(k.at(i - 1)));
    }
    *row = -1;
    return QString();
}
