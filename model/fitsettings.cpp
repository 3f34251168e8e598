#include "fitsettings.h"

#include "model/shell.h"

const QStringList &FitSettings::spaceNames()
{
    static const QStringList names { QStringLiteral("r"), QStringLiteral("k") };
    return names;
}

QString FitSettings::name(int shell, Parameter::Id id)
{
    const QString key = QString::fromLatin1(Parameter::of(id).key);
    return shell < 0 ? key : QStringLiteral("%1.%2").arg(shell + 1).arg(key);
}

bool FitSettings::parseName(const QString &name, int shellCount, int *shell, Parameter::Id *id)
{
    const int dot = name.indexOf(QLatin1Char('.'));
    if (dot < 0) {
        for (Parameter::Id global : { Parameter::S02, Parameter::E0 }) {
            if (name == QLatin1String(Parameter::of(global).key)) {
                *shell = -1;
                *id = global;
                return true;
            }
        }
        return false;
    }
    bool whole = false;
    const int number = name.left(dot).toInt(&whole);
    if (!whole || number < 1 || number > shellCount || name.left(dot) != QString::number(number))
        return false;
    const QString key = name.mid(dot + 1);
    for (Parameter::Id p : Shell::parameters()) {
        if (key == QLatin1String(Parameter::of(p).key)) {
            *shell = number - 1;
            *id = p;
            return true;
        }
    }
    return false;
}

bool FitSettings::isValidRange(double rMin, double rMax)
{
    const Parameter &r = Parameter::of(Parameter::R);
    return r.isValid(rMin) && r.isValid(rMax) && rMin < rMax;
}

QString FitSettings::acceptedRange()
{
    return tr("two numbers from 0 to 10, the first below the second");
}
