#include "parameter.h"

#include <QLocale>

#include <cmath>

const Parameter &Parameter::of(Id id)
{
    // In the order of Id. The pointer may lie anywhere a drag can take it, and so may each of the
    // window's four edges, which start at 3, 4, 15 and 16 rather than at one value.
    static const Parameter table[] = {
        { N, "n", 1, 3, 1, 2, true },
        { R, "r", 0, 10, 10, 2, false },
        { P0, "p0", -10, 10, 10, 0, false },
        { P2, "p2", -1, 1, 100, 0, false },
        { Sigma, "sigma", 0, 0.2, 1000, 0.05, false },
        { Degeneracy, "degen", 0, 1000, 0, 1, false },
        { S02, "s02", 0, 2, 0, 1, false },
        { E0, "e0", -30, 30, 0, 0, false },
        { Pointer, "pointer", -HUGE_VAL, HUGE_VAL, 0, 2, false },
        { Edge, "window", -HUGE_VAL, HUGE_VAL, 0, 0, false },
    };
    return table[id];
}

bool Parameter::isValid(double v) const
{
    return std::isfinite(v) && v >= lo && v <= hi && (!whole || v == std::floor(v));
}

QString Parameter::accepted() const
{
    if (!std::isfinite(lo))
        return tr("a finite number");
    if (whole)
        return tr("a whole number from %1 to %2").arg(lo).arg(hi);
    return tr("a number from %1 to %2").arg(lo).arg(hi);
}

int Parameter::sliderMinimum() const
{
    return scale > 0 ? int(std::lround(lo * scale)) : 0;
}

int Parameter::sliderMaximum() const
{
    return scale > 0 ? int(std::lround(hi * scale)) : 0;
}

int Parameter::sliderPosition(double v) const
{
    const double scaled = v * scale;
    if (!(scaled > sliderMinimum()))
        return sliderMinimum();
    if (scaled >= sliderMaximum())
        return sliderMaximum();
    return int(std::lround(scaled));
}

double Parameter::fromSlider(int position) const
{
    return double(position) / scale;
}

QString Parameter::text(double v)
{
    // Where 6 digits read back as v, the shortest text has no more of them.
    const QString six = QString::number(v, 'g', 6);
    return six.toDouble() == v ? QString::number(v, 'g', QLocale::FloatingPointShortest) : six;
}

bool Parameter::parse(const QString &text, double *v)
{
    // Without group separators: in some locales "2,5" would otherwise read as 25.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    QLocale user;
    user.setNumberOptions(user.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const QString t = text.trimmed();
    double read = c.toDouble(t, &ok);
    if (!ok)
        read = user.toDouble(t, &ok);
    if (ok)
        *v = read;
    return ok;
}
