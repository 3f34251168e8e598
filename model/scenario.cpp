#include "scenario.h"

#include <cmath>

const QVector<Parameter::Id> &Scenario::numbers()
{
    static const QVector<Parameter::Id> all { Parameter::N,  Parameter::R,      Parameter::P0,
                                              Parameter::P2, Parameter::Sigma,  Parameter::S02,
                                              Parameter::E0, Parameter::Pointer };
    return all;
}

double Scenario::number(Parameter::Id which) const
{
    switch (which) {
    case Parameter::N:
        return n;
    case Parameter::S02:
        return s02;
    case Parameter::E0:
        return e0;
    case Parameter::Pointer:
        return pointer;
    default:
        return shells.isEmpty() ? 0.0 : shells.constFirst().value(which);
    }
}

void Scenario::setNumber(Parameter::Id which, double v)
{
    switch (which) {
    case Parameter::N:
        // Never a NaN or a huge double into the int.
        if (v >= 1 && v <= 3)
            n = static_cast<int>(v);
        return;
    case Parameter::S02:
        s02 = v;
        return;
    case Parameter::E0:
        e0 = v;
        return;
    case Parameter::Pointer:
        pointer = v;
        return;
    default:
        if (!shells.isEmpty())
            shells.first().setValue(which, v);
        return;
    }
}

bool Scenario::isValidWindow(const QVector<double> &edges)
{
    bool finite = edges.size() == 4;
    for (double e : edges)
        finite = finite && std::isfinite(e);
    return finite;
}

QString Scenario::acceptedWindow()
{
    return tr("four finite numbers");
}

bool Scenario::isValidEnvelope(const QVector<QPointF> &nodes)
{
    bool finite = !nodes.isEmpty() && nodes.size() <= maxNodes;
    for (const QPointF &node : nodes)
        finite = finite && std::isfinite(node.x()) && std::fabs(node.y()) <= maxMagnitude;
    return finite;
}

QString Scenario::acceptedEnvelope()
{
    return tr("1 to %1 nodes, each k a finite number and F a number from -1e100 to 1e100")
        .arg(maxNodes);
}

bool Scenario::isValidShow(const QStringList &names)
{
    for (const QString &name : names) {
        if (!selectorNames().contains(name))
            return false;
    }
    return true;
}

QString Scenario::acceptedShow()
{
    return tr("names from %1").arg(selectorNames().join(QLatin1String(", ")));
}

QString Scenario::shellName(int number)
{
    return tr("Shell %1").arg(number);
}

const QStringList &Scenario::selectorNames()
{
    static const QStringList names { QStringLiteral("real"),  QStringLiteral("imag"),
                                     QStringLiteral("abs"),   QStringLiteral("F"),
                                     QStringLiteral("W"),     QStringLiteral("wave"),
                                     QStringLiteral("total"), QStringLiteral("data"),
                                     QStringLiteral("shells") };
    return names;
}

const QStringList &Scenario::scaleNames()
{
    static const QStringList names { QStringLiteral("normalised"), QStringLiteral("absolute") };
    return names;
}
