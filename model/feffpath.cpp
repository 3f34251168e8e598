#include "feffpath.h"

#include "panels/parameter.h"

#include <QLocale>

#include <cmath>

namespace {

QString shortest(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

} // namespace

QString FeffPath::columnTitle(Column c)
{
    static const char *const titles[]
        = { "real[2*phc]", "mag[feff]", "phase[feff]", "red factor", "lambda", "real[p]" };
    return QString::fromLatin1(titles[c]);
}

QString FeffPath::columnKey(Column c)
{
    static const char *const keys[]
        = { "real_2phc", "mag_feff", "phase_feff", "red_factor", "lambda", "real_p" };
    return QString::fromLatin1(keys[c]);
}

QString FeffPath::check(int *row) const
{
    *row = header;
    if (legs < 2 || legs > 100)
        return tr("a path has 2 to 100 legs, not %1").arg(legs);
    const Parameter &degen = Parameter::of(Parameter::Degeneracy);
    if (!degen.isValid(degeneracy))
        return tr("the degeneracy %1 is not %2").arg(shortest(degeneracy), degen.accepted());
    // reff divides the Debye-Waller phase term; FEFF never writes a path of no length.
    if (!(reff > 0.0) || !std::isfinite(reff))
        return tr("reff must be a positive number, not %1").arg(shortest(reff));
    *row = -1;
    for (const QVector<double> &c : columns) {
        if (c.size() != k.size())
            return tr("the columns have different lengths");
    }
    if (k.size() < minRows)
        return tr("%1 rows in the table; at least %2 are needed").arg(k.size()).arg(minRows);
    if (k.size() > maxRows) {
        *row = maxRows;
        return tr("more than %1 rows in the table").arg(maxRows);
    }
    for (int i = 0; i < k.size(); ++i) {
        *row = i;
        if (!std::isfinite(k.at(i)))
            return tr("k is not a finite number");
        for (int c = 0; c < ColumnCount; ++c) {
            if (!std::isfinite(columns[c].at(i)))
                return tr("%1 is not a finite number").arg(columnTitle(Column(c)));
        }
        if (i > 0 && !(k.at(i) > k.at(i - 1)))
            return tr("k %1 does not rise above the k before it (%2)")
                .arg(shortest(k.at(i)), shortest(k.at(i - 1)));
        // The mean free path enters as 1 / lambda.
        if (!(columns[Lambda].at(i) > 0.0))
            return tr("lambda must be positive, not %1").arg(shortest(columns[Lambda].at(i)));
    }
    *row = -1;
    return QString();
}
