#include "invariants.h"

#include "app/chik.h"
#include "app/chir.h"
#include "model/awave.h"
#include "model/envelope.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"

#include <QString>

#include <cmath>
#include <vector>

namespace {

// chi(k) is divided by its largest magnitude, so it may pass 1 by rounding only.
constexpr double chiLimit = 1.0 + 1e-12;

template<typename Values>
void checkArray(QStringList &out, const QString &name, const Values &values, int count)
{
    if (int(values.size()) != count) {
        out << QStringLiteral("%1 holds %2 entries, not %3")
                   .arg(name)
                   .arg(values.size())
                   .arg(count);
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (!std::isfinite(values[i])) {
            out << QStringLiteral("%1[%2] is %3").arg(name).arg(i).arg(values[i]);
            return;
        }
    }
}

void checkWave(QStringList &out, const AWave &wave)
{
    const int count = wave.count;
    if (count <= 0) {
        out << QStringLiteral("count is %1").arg(count);
        return;
    }
    checkArray(out, QStringLiteral("wave"), wave.wave, count);
    checkArray(out, QStringLiteral("chi"), wave.chi, count);
    checkArray(out, QStringLiteral("kGrid"), wave.kGrid, count);
    checkArray(out, QStringLiteral("envValues"), wave.envValues, count);
    checkArray(out, QStringLiteral("winValues"), wave.winValues, count);
    for (int i = 0; i < wave.chi.size(); ++i) {
        if (std::abs(wave.chi[i]) > chiLimit) {
            out << QStringLiteral("chi[%1] is %2, beyond -1 … 1")
                       .arg(i)
                       .arg(wave.chi[i], 0, 'g', 17);
            break;
        }
    }
    if (wave.yMin != -1.0 || wave.yMax != 1.0 || wave.yAbsMax != 1.0) {
        out << QStringLiteral("yMin, yMax, yAbsMax are %1, %2, %3")
                   .arg(wave.yMin, 0, 'g', 17)
                   .arg(wave.yMax, 0, 'g', 17)
                   .arg(wave.yAbsMax, 0, 'g', 17);
    }

    checkArray(out, QStringLiteral("ftWave"), wave.ftWave, count);
    checkArray(out, QStringLiteral("ftChi"), wave.ftChi, count);
    checkArray(out, QStringLiteral("ftEnv"), wave.ftEnv, count);
    checkArray(out, QStringLiteral("ftWin"), wave.ftWin, count);
    if (!std::isfinite(wave.rAbsMax))
        out << QStringLiteral("rAbsMax is %1").arg(wave.rAbsMax);

    const QVector<double> &edges = wave.ctrl->WindowCtrl->positions;
    if (edges.size() != 4)
        out << QStringLiteral("%1 window edges").arg(edges.size());
    for (int i = 0; i < edges.size(); ++i) {
        if (!std::isfinite(edges[i]) || (i > 0 && edges[i - 1] > edges[i])) {
            QStringList texts;
            for (double e : edges)
                texts << QString::number(e, 'g', 17);
            out << QStringLiteral("window edges %1").arg(texts.join(QStringLiteral(", ")));
            break;
        }
    }

    if (wave.envelope) {
        for (const QPointF &node : wave.envelope->nodes) {
            if (!std::isfinite(node.x()) || !std::isfinite(node.y())) {
                out << QStringLiteral("envelope node (%1, %2)").arg(node.x()).arg(node.y());
                break;
            }
        }
    }
}

} // namespace

QStringList Invariants::check(const ChiK &window)
{
    QStringList out;
    if (window.waves.isEmpty())
        out << QStringLiteral("no waves");
    for (const AWave *wave : window.waves)
        checkWave(out, *wave);
    if (!std::isfinite(window.chiR->pointerR))
        out << QStringLiteral("pointer line at R = %1").arg(window.chiR->pointerR);
    return out;
}
