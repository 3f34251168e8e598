#include "csvtables.h"

#include "model/awave.h"
#include "model/filename.h"

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

// A cell's text as its bytes: file names keep theirs, UTF-8 or not.
QByteArray text(const QString &cell)
{
    const bool plain = std::none_of(cell.begin(), cell.end(), [](QChar c) {
        return c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\n')
               || c == QLatin1Char('\r');
    });
    if (plain)
        return FileName::toNative(cell);
    QString quoted = cell;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return '"' + FileName::toNative(quoted) + '"';
}

} // namespace

QString number(double v)
{
    // QString::number ignores the locale: always '.' and no grouping.
    return QString::number(v, 'g', 17);
}

double binSpacing(const AWave &w)
{
    return w.binSpacing();
}

QByteArray chiK(const AWave &w)
{
    const bool measured = w.hasMeasured() && w.measuredValues.size() == w.chi.size();
    // One shell's column would only repeat chi.
    const int shells = w.shellValues.size() > 1 ? w.shellValues.size() : 0;
    QByteArray out(measured ? "k,chi,wave,envelope,window,data" : "k,chi,wave,envelope,window");
    for (int s = 0; s < shells; ++s)
        out += ",shell" + QByteArray::number(s + 1);
    out += '\n';
    const int rows = std::min(w.nValid, int(w.chi.size()));
    for (int i = 0; i < rows; ++i) {
        QByteArray line = row(
            { w.kGrid.at(i), w.chi.at(i), w.wave.at(i), w.envValues.at(i), w.winValues.at(i) });
        line.chop(1);
        if (measured)
            line += ',' + number(w.measuredValues.at(i)).toLatin1();
        for (int s = 0; s < shells; ++s)
            line += ',' + number(w.shellValues.at(s).value(i)).toLatin1();
        out += line + '\n';
    }
    return out;
}

QByteArray chiR(const AWave &w)
{
    const bool measured = w.hasMeasured() && w.ftMeasured.size() == w.ftChi.size();
    const int shells = w.ftShells.size() > 1 ? int(w.ftShells.size()) : 0;
    QByteArray out("R,chi_re,chi_im,chi_abs,chi_phase,wave_abs,envelope_abs,window_abs");
    if (measured)
        out += ",data_re,data_im,data_abs";
    for (int s = 1; s <= shells; ++s)
        out += QStringLiteral(",shell%1_re,shell%1_im,shell%1_abs").arg(s).toLatin1();
    out += '\n';
    if (w.count <= 0 || int(w.ftChi.size()) != w.count)
        return out;
    const double dR = binSpacing(w);
    const double *chi = w.ftChi.data();
    for (int j = 0; j < w.count / 2; ++j) {
        const double re = w.ftRe(chi, j);
        const double im = w.ftIm(chi, j);
        QByteArray line = row({ j * dR, re, im, w.ftAbs(chi, j), std::atan2(im, re),
                                w.ftAbs(w.ftWave.data(), j), w.ftAbs(w.ftEnv.data(), j),
                                w.ftAbs(w.ftWin.data(), j) });
        if (measured) {
            const double *data = w.ftMeasured.data();
            line.chop(1);
            line += ',' + row({ w.ftRe(data, j), w.ftIm(data, j), w.ftAbs(data, j) });
        }
        for (int s = 0; s < shells; ++s) {
            const double *shell = w.ftShells.at(size_t(s)).data();
            line.chop(1);
            line += ',' + row({ w.ftRe(shell, j), w.ftIm(shell, j), w.ftAbs(shell, j) });
        }
        out += line;
    }
    return out;
}

QByteArray fits(const QStringList &names, const QStringList &files,
                const QVector<FitReport> &reports)
{
    QByteArray out("file");
    for (const QString &name : names)
        out += ',' + text(name) + ',' + text(name + QStringLiteral("_uncertainty"));
    out += ",rfactor,converged,message\n";
    for (int i = 0; i < files.size() && i < reports.size(); ++i) {
        const FitReport &r = reports.at(i);
        QByteArray line = text(files.at(i));
        for (const QString &name : names) {
            QByteArray cells(",,");
            for (const FitReport::Parameter &p : r.parameters) {
                if (p.name == name && r.converged)
                    cells
                        = ',' + number(p.value).toLatin1() + ',' + number(p.uncertainty).toLatin1();
            }
            line += cells;
        }
        line += ',' + (r.converged ? number(r.rfactor).toLatin1() : QByteArray());
        line += r.converged ? ",true," : ",false,";
        out += line + text(r.message) + '\n';
    }
    return out;
}

} // namespace CsvTables
