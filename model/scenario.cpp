#include "scenario.h"

#include <cmath>

namespace {

struct Rule
{
    const char *key;
    double lo;
    double hi;
    bool whole;
};

// The ranges of the panel's sliders; values between their steps are fine. The pointer may lie
// anywhere a drag can take it.
const Rule &rule(Scenario::Number which)
{
    static const Rule rules[] = {
        { "n", 1, 3, true },        { "r", 0, 10, false },
        { "p0", -10, 10, false },   { "p2", -1, 1, false },
        { "sigma", 0, 0.2, false }, { "pointer", -HUGE_VAL, HUGE_VAL, false },
    };
    return rules[which];
}

} // namespace

const QVector<Scenario::Number> &Scenario::numbers()
{
    static const QVector<Number> all { N, R, P0, P2, Sigma, Pointer };
    return all;
}

QString Scenario::key(Number which)
{
    return QString::fromLatin1(rule(which).key);
}

bool Scenario::isValid(Number which, double v)
{
    const Rule &r = rule(which);
    return std::isfinite(v) && v >= r.lo && v <= r.hi && (!r.whole || v == std::floor(v));
}

QString Scenario::accepted(Number which)
{
    const Rule &r = rule(which);
    if (!std::isfinite(r.lo))
        return tr("a finite number");
    if (r.whole)
        return tr("a whole number from %1 to %2").arg(r.lo).arg(r.hi);
    return tr("a number from %1 to %2").arg(r.lo).arg(r.hi);
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
        finite = finite && std::isfinite(node.x()) && std::isfinite(node.y());
    return finite;
}

QString Scenario::acceptedEnvelope()
{
    return tr("1 to %1 nodes, each k and F a finite number").arg(maxNodes);
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

double Scenario::number(Number which) const
{
    switch (which) {
    case N:
        return n;
    case R:
        return r;
    case P0:
        return p0;
    case P2:
        return p2;
    case Sigma:
        return sigma;
    case Pointer:
        break;
    }
    return pointer;
}

void Scenario::setNumber(Number which, double v)
{
    switch (which) {
    case N:
        // Never a NaN or a huge double into the int.
        if (v >= 1 && v <= 3)
            n = static_cast<int>(v);
        return;
    case R:
        r = v;
        return;
    case P0:
        p0 = v;
        return;
    case P2:
        p2 = v;
        return;
    case Sigma:
        sigma = v;
        return;
    case Pointer:
        pointer = v;
        return;
    }
}

const QStringList &Scenario::selectorNames()
{
    static const QStringList names { QStringLiteral("real"),  QStringLiteral("imag"),
                                     QStringLiteral("abs"),   QStringLiteral("F"),
                                     QStringLiteral("W"),     QStringLiteral("wave"),
                                     QStringLiteral("total"), QStringLiteral("data") };
    return names;
}

QVector<QPointF> Scenario::flatEnvelope()
{
    QVector<QPointF> nodes;
    for (int i = 0; i <= 16; ++i)
        nodes.append(QPointF(i, 1.0));
    return nodes;
}
