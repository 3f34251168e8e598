#include "shell.h"

#include <QFileInfo>

Shell Shell::drawn(const QString &name)
{
    Shell s;
    s.name = name;
    s.degeneracy = 1.0;
    s.r = Parameter::of(Parameter::R).initial;
    s.sigma = Parameter::of(Parameter::Sigma).initial;
    s.p0 = Parameter::of(Parameter::P0).initial;
    s.p2 = Parameter::of(Parameter::P2).initial;
    s.envelope = flatEnvelope();
    return s;
}

Shell Shell::fromPath(const FeffPath &path)
{
    Shell s = drawn(QFileInfo(path.file).completeBaseName());
    s.envelope.clear();
    s.path = path;
    s.degeneracy = path.degeneracy;
    s.r = path.reff;
    return s;
}

QVector<QPointF> Shell::flatEnvelope()
{
    QVector<QPointF> nodes;
    for (int i = 0; i <= 16; ++i)
        nodes.append(QPointF(i, 1.0));
    return nodes;
}

const QVector<Parameter::Id> &Shell::parameters()
{
    static const QVector<Parameter::Id> ids { Parameter::Degeneracy, Parameter::R, Parameter::Sigma,
                                              Parameter::P0, Parameter::P2 };
    return ids;
}

double Shell::value(Parameter::Id id) const
{
    switch (id) {
    case Parameter::Degeneracy:
        return degeneracy;
    case Parameter::R:
        return r;
    case Parameter::Sigma:
        return sigma;
    case Parameter::P0:
        return p0;
    case Parameter::P2:
        return p2;
    default:
        return 0.0;
    }
}

void Shell::setValue(Parameter::Id id, double v)
{
    switch (id) {
    case Parameter::Degeneracy:
        degeneracy = v;
        return;
    case Parameter::R:
        r = v;
        return;
    case Parameter::Sigma:
        sigma = v;
        return;
    case Parameter::P0:
        p0 = v;
        return;
    case Parameter::P2:
        p2 = v;
        return;
    default:
        return;
    }
}
