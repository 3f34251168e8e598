#include "shellfit.h"

#include "model/fitter.h"

#include <algorithm>
#include <cmath>

namespace {

// The fit evaluates the model alone; the data part is made once, when the fit is set up.
const MeasuredChi &noData()
{
    static const MeasuredChi none;
    return none;
}

} // namespace

bool ShellFit::check(const ChiCalculator &grid, const ChiCalculator::Settings &settings,
                     const QVector<Shell> &shells, const FitSettings &fit, QString *error)
{
    ShellFit scratch;
    return scratch.choose(grid, settings, shells, fit, error);
}

bool ShellFit::choose(const ChiCalculator &grid, const ChiCalculator::Settings &settings,
                      const QVector<Shell> &shells, const FitSettings &fit, QString *error)
{
    const auto refuse = [error](const QString &why) {
        *error = why;
        return false;
    };
    if (fit.vary.isEmpty())
        return refuse(tr("Nothing is varied: choose at least one parameter to fit."));
    for (const QString &name : fit.vary) {
        Variable v;
        v.name = name;
        if (!FitSettings::parseName(name, shells.size(), &v.shell, &v.id))
            return refuse(tr("\"%1\" is not a parameter of this model: it has s02, e0 and, for "
                             "each shell from 1 to %2, SHELL.degen, .r, .sigma, .p0 and .p2.")
                              .arg(name)
                              .arg(shells.size()));
        if (v.shell >= 0 && !shells.at(v.shell).on)
            return refuse(tr("\"%1\" belongs to shell %2, which is off: it does not change the "
                             "model.")
                              .arg(name)
                              .arg(v.shell + 1));
        for (const Variable &earlier : qAsConst(variables)) {
            if (earlier.name == name)
                return refuse(tr("\"%1\" is varied twice.").arg(name));
        }
        v.start = v.shell < 0 ? (v.id == Parameter::S02 ? settings.s02 : settings.e0)
                              : shells.at(v.shell).value(v.id);
        variables.append(v);
    }

    space = fit.space;
    if (space == FitSettings::RSpace) {
        // Bin j lies at j dR; only the lower half of the bins are distances.
        ChiArrays bins;
        bins.kMin = grid.gridKMin();
        bins.kMax = grid.gridKMax();
        bins.nValid = grid.gridValid();
        bins.count = grid.gridCount();
        const double dR = bins.binSpacing();
        const int half = bins.count / 2;
        firstBin = std::isfinite(dR) && dR > 0
                       ? int(std::clamp(std::ceil(fit.rMin / dR), 0.0, double(half)))
                       : half;
        while (firstBin > 0 && (firstBin - 1) * dR >= fit.rMin)
            --firstBin;
        while (firstBin < half && firstBin * dR < fit.rMin)
            ++firstBin;
        lastBin = firstBin - 1;
        while (lastBin + 1 < half && (lastBin + 1) * dR <= fit.rMax)
            ++lastBin;
        if (lastBin < firstBin)
            return refuse(tr("No bin of chi(R) lies in the R range %1 … %2 Å, whose bins are "
                             "%3 Å apart: widen the range.")
                              .arg(fit.rMin)
                              .arg(fit.rMax)
                              .arg(dR, 0, 'g', 3));
    } else {
        const int computed
            = std::min({ grid.gridValid(), grid.gridCount(), int(settings.window.size()) });
        for (int i = 0; i < computed; ++i) {
            if (settings.window.at(i) > 0.0)
                samples.append(i);
        }
        if (samples.isEmpty())
            return refuse(tr("The window W(k) is 0 at every k computed: there is nothing to "
                             "compare in k."));
    }
    return true;
}

bool ShellFit::setUp(const ChiCalculator &grid, const ChiCalculator::Settings &settings,
                     const QVector<Shell> &shells, const MeasuredChi &data, const FitSettings &fit,
                     const QVector<double> &edges, QString *error)
{
    if (data.isEmpty()) {
        *error = tr("There is no measured chi(k) to fit the shells to.");
        return false;
    }
    ShellFit next;
    if (!next.choose(grid, settings, shells, fit, error))
        return false;
    // Past its ends the measured chi(k) counts as 0: a window reaching there would fit the
    // model to zeros. Where W is below a thousandth of its peak (a Gaussian's tails) the zeros
    // weigh nothing.
    const int computed
        = std::min({ grid.gridValid(), grid.gridCount(), int(settings.window.size()) });
    const double peak = computed > 0 ? *std::max_element(settings.window.constBegin(),
                                                         settings.window.constBegin() + computed)
                                     : 0.0;
    double wFirst = NAN, wLast = NAN;
    for (int i = 0; i < computed; ++i) {
        const double k = i * grid.gridDk() + grid.gridKMin();
        if (settings.window.at(i) > peak / 1000) {
            wFirst = std::isnan(wFirst) ? k : wFirst;
            wLast = k;
        }
    }
    if (wFirst < data.k.constFirst() || wLast > data.k.constLast()) {
        *error = tr("The measured chi(k) covers k = %1 … %2 Å⁻¹, but the window W(k) spans %3 … "
                    "%4 Å⁻¹: keep the window inside the data.")
                     .arg(data.k.constFirst())
                     .arg(data.k.constLast())
                     .arg(wFirst)
                     .arg(wLast);
        return false;
    }

    // The fit's own scale and window, whatever the windows show.
    next.settings = settings;
    next.settings.scale = ChiArrays::Absolute;
    next.settings.useWindow = true;
    next.calculator = grid;
    next.shells = shells;
    next.calculator.compute(next.settings, next.shells, 0, data, ChiCalculator::Everything,
                            &next.arrays);
    next.target.resize(next.space == FitSettings::RSpace ? 2 * (next.lastBin - next.firstBin + 1)
                                                         : next.samples.size());
    next.part(next.arrays, true, next.target.data());
    for (double d : qAsConst(next.target))
        next.squares += d * d;
    if (!(next.squares > 0.0)) {
        *error = fit.space == FitSettings::RSpace
                     ? tr("The measured chi(R) is 0 throughout the R range %1 … %2 Å: there is "
                          "nothing to fit.")
                           .arg(fit.rMin)
                           .arg(fit.rMax)
                     : tr("The measured chi(k) is 0 wherever the window W(k) is not: there is "
                          "nothing to fit.");
        return false;
    }

    QVector<double> sorted = edges;
    std::sort(sorted.begin(), sorted.end());
    const double dk = sorted.size() == 4 ? (sorted[2] + sorted[3] - sorted[0] - sorted[1]) / 2 : 0;
    next.nIdp = 1.0 + 2.0 * dk * (fit.rMax - fit.rMin) / M_PI;
    *this = next;
    return true;
}

void ShellFit::startFrom(const FitReport &report)
{
    for (Variable &v : variables) {
        for (const FitReport::Parameter &p : report.parameters) {
            if (p.name == v.name && Parameter::of(v.id).isValid(p.value))
                v.start = p.value;
        }
    }
}

FitReport ShellFit::run()
{
    Fitter fitter;
    for (const Variable &v : qAsConst(variables)) {
        const Parameter &p = Parameter::of(v.id);
        fitter.variables.append({ v.name, v.start, p.lo, p.hi });
    }
    fitter.residualCount = target.size();
    fitter.independentPoints = nIdp;
    fitter.dataSquares = squares;
    fitter.residuals
        = [this](const double *values, double *out, QString *) { return residuals(values, out); };
    return fitter.fit();
}

bool ShellFit::residuals(const double *values, double *out)
{
    for (int i = 0; i < variables.size(); ++i) {
        const Variable &v = variables.at(i);
        if (v.shell >= 0)
            shells[v.shell].setValue(v.id, values[i]);
        else if (v.id == Parameter::S02)
            settings.s02 = values[i];
        else
            settings.e0 = values[i];
    }
    // A path's table is interpolated anew only when E0 moved.
    calculator.compute(settings, shells, 0, noData(), ChiCalculator::SumOnly, &arrays);
    part(arrays, false, out);
    const double *t = target.constData();
    for (int m = 0; m < target.size(); ++m)
        out[m] -= t[m];
    return true;
}

void ShellFit::part(const ChiArrays &a, bool data, double *out) const
{
    if (space == FitSettings::RSpace) {
        const double *ft = data ? a.ftMeasured.data() : a.ftChi.data();
        int m = 0;
        for (int j = firstBin; j <= lastBin; ++j) {
            out[m++] = a.ftRe(ft, j);
            out[m++] = a.ftIm(ft, j);
        }
        return;
    }
    const double *values = data ? a.measuredValues.constData() : a.chi.constData();
    for (int m = 0; m < samples.size(); ++m)
        out[m] = values[samples.at(m)];
}

bool ShellFit::apply(const FitReport &report, QVector<Shell> *shells, double *s02, double *e0)
{
    if (!report.converged)
        return false;
    QVector<Shell> fitted = *shells;
    double s = *s02;
    double e = *e0;
    for (const FitReport::Parameter &p : report.parameters) {
        int shell;
        Parameter::Id id;
        if (!FitSettings::parseName(p.name, fitted.size(), &shell, &id)
            || !Parameter::of(id).isValid(p.value))
            return false;
        if (shell >= 0)
            fitted[shell].setValue(id, p.value);
        else if (id == Parameter::S02)
            s = p.value;
        else
            e = p.value;
    }
    *shells = fitted;
    *s02 = s;
    *e0 = e;
    return true;
}
