#pragma once

#include "model/feffpath.h"
#include "panels/parameter.h"

#include <QPointF>
#include <QString>
#include <QVector>

// One scattering shell of the model, as plain values. A drawn shell takes its amplitude from its
// own envelope nodes F(k); a path shell from a FEFF path's table. Both have the same parameters:
// the degeneracy N, the distance R, the Debye-Waller factor Sigma and the phase terms P0 and P2.
class Shell
{
public:
    enum Kind { Drawn, Path };
    static constexpr int maxCount = 100;

    // A new drawn shell: N = 1, the other parameters at their start-up values, a flat envelope.
    static Shell drawn(const QString &name);
    // A shell of the path: its degeneracy, R at its reff, the other parameters at their start-up
    // values, named after its file.
    static Shell fromPath(const FeffPath &path);
    // 17 nodes, one at every whole k from 0 to 16, all at 1.
    static QVector<QPointF> flatEnvelope();

    Kind kind() const { return path.isEmpty() ? Drawn : Path; }
    // Degeneracy, R, Sigma, P0 or P2; anything else is 0 or ignored.
    double value(Parameter::Id id) const;
    void setValue(Parameter::Id id, double v);
    // The parameters every shell has, in the order the shell list shows them.
    static const QVector<Parameter::Id> &parameters();

    QString name;
    bool on = true;
    double degeneracy = 1.0;
    double r = 2.0;
    double sigma = 0.05;
    double p0 = 0.0;
    double p2 = 0.0;
    // A drawn shell's nodes (k, F), in list order; empty for a path shell.
    QVector<QPointF> envelope;
    // A path shell's path; empty for a drawn shell.
    FeffPath path;
};
