#include "csvtables.h"

#include "model/awave.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace CsvTables {

namespace {

QByteArray row(std::initializer_list<double> values)
{
    QStringList cells;
    for (double v : values)
        cells.append(number(v));
    return cells.join(QLatin1Char(',')).toLatin1() + '\n';
}

} // namespace

QString number(double v)
{
    // QString::number ignores the locale: always '.' and no grouping.
    return QString::number(v, 'g', 17);
}

double binSpacing(const AWave &w)
{
    return 3.1415926535 / (((w.kMax - w.kMin) / double(w.nValid)) * double(w.count));
}

QByteArray chiK(const AWave &w)
{
    QByteArray out("k,chi,wave,envelope,window\n");
    const int rows = std::min(w.nValid, int(w.chi.size()));
    for (int i = 0; i < rows; ++i)
        out += row(
            { w.kGrid.at(i), w.chi.at(i), w.wave.at(i), w.envValues.at(i), w.winValues.at(i) });
    return out;
}

QByteArray chiR(const AWave &w)
{
    QByteArray out("R,chi_re,chi_im,chi_abs,chi_phase,wave_abs,envelope_abs,window_abs\n");
    if (w.count <= 0 || int(w.ftChi.size()) != w.count)
        return out;
    const double dR = binSpacing(w);
    const double *chi = w.ftChi.data();
    for (int j = 0; j < w.count / 2; ++j) {
        const double re = w.ftRe(chi, j);
        const double im = w.ftIm(chi, j);
        out += row({ j * dR, re, im, w.ftAbs(chi, j), std::atan2(im, re),
                     w.ftAbs(w.ftWave.data(), j), w.ftAbs(w.ftEnv.data(), j),
                     w.ftAbs(w.ftWin.data(), j) });
    }
    return out;
}

} // namespace CsvTables
