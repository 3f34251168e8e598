#include "model/feffpathfile.h"
#include "model/fitbatch.h"
#include "model/fitter.h"
#include "model/measuredchifile.h"
#include "model/shellfit.h"
#include "panels/windowfunc.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

// A residual of the size and cost of a one-shell fit: 60 samples of k² chi over k = 3 … 14.8,
// each a sum of 24 damped sines (a shell and neighbours 0.05 Å apart, standing in for the work
// of the model's grid and transforms), about 20 µs an evaluation. Variables as the
// sliders have them: amplitude 0 … 20, ΔE0 -30 … 30, R 0 … 10, Sigma 0 … 0.2.
const int samples = 60;
const int terms = 24;
const double truth[] { 7.2, 3.0, 2.55, 0.09 };

void spectrum(const double *p, double *out)
{
    for (int i = 0; i < samples; ++i) {
        const double k = 3.0 + 0.2 * i;
        const double q = std::sqrt(k * k - 0.2625 * p[1]);
        double sum = 0.0;
        for (int j = 0; j < terms; ++j) {
            const double r = p[2] + 0.05 * j;
            sum += std::exp(-2 * p[3] * p[3] * q * q - 0.1 * j) * std::sin(2 * q * r) / (q * r * r);
        }
        out[i] = k * k * p[0] * sum;
    }
}

Fitter syntheticFitter(const std::vector<double> &data, const double *start)
{
    Fitter f;
    const char *names[] { "a", "e0", "r", "s" };
    const double min[] { 0, -30, 0, 0 };
    const double max[] { 20, 30, 10, 0.2 };
    for (int i = 0; i < 4; ++i)
        f.variables.append({ QString::fromLatin1(names[i]), start[i], min[i], max[i] });
    f.residualCount = samples;
    f.independentPoints = 10.2; // 1 + 2·12·1.2/π, the copper fit's
    for (double d : data)
        f.dataSquares += d * d;
    f.residuals = [&data](const double *p, double *r, QString *) {
        spectrum(p, r);
        for (int i = 0; i < samples; ++i)
            r[i] -= data[i];
        return true;
    };
    return f;
}

// Data: the spectrum at the true values with a fixed ripple standing in for noise.
std::vector<double> syntheticData()
{
    std::vector<double> data(samples);
    spectrum(truth, data.data());
    for (int i = 0; i < samples; ++i)
        data[i] += 0.05 * std::sin(7.3 * i);
    return data;
}

void BM_SyntheticResiduals(benchmark::State &state)
{
    const std::vector<double> data = syntheticData();
    std::vector<double> r(samples);
    const Fitter f = syntheticFitter(data, truth);
    QString problem;
    for (auto _ : state) {
        f.residuals(truth, r.data(), &problem);
        benchmark::DoNotOptimize(r.data());
        benchmark::ClobberMemory();
    }
}

// A whole fit, uncertainties included. Argument 0: from the last fit's values moved slightly,
// as "Fit live" refits on every mouse move; 1: from rough start values.
void BM_SyntheticFit(benchmark::State &state)
{
    const std::vector<double> data = syntheticData();
    const double nearStart[] { 7.3, 2.8, 2.552, 0.091 };
    const double roughStart[] { 9.0, 0.0, 2.5, 0.06 };
    const Fitter f = syntheticFitter(data, state.range(0) == 0 ? nearStart : roughStart);
    double evaluations = 0.0;
    for (auto _ : state) {
        const FitReport report = f.fit();
        if (!report.converged) {
            state.SkipWithError(report.message.toUtf8().constData());
            break;
        }
        evaluations += report.evaluations;
        benchmark::DoNotOptimize(report.parameters.constData());
    }
    state.counters["evaluations"]
        = benchmark::Counter(evaluations, benchmark::Counter::kAvgIterations);
}

const QString copper = QStringLiteral(FOURK_FIXTURES "/copper/");

// The copper foil at 10 K against FEFF paths, as the windows would hand it to a fit: the grid
// 0 … 16 by 0.1 with 1024-point transforms, n = 2, Hanning edges 2, 4, 14, 16.
struct CopperFit
{
    explicit CopperFit(const QVector<int> &paths)
    {
        grid.setGrid(0.0, 16.0, 0.1, 1024);
        WindowFunc w;
        w.setPositions(edges);
        for (int i = 0; i < 160; ++i)
            settings.window.append(w.windowValue(i * 0.1));
        QString error;
        if (!MeasuredChiFile::read(copper + "copper-foil-10K.chik", 1, 2, &data, &error))
            qFatal("%s", qPrintable(error));
        fit.vary = QStringList { "s02", "e0" };
        for (int p : paths) {
            FeffPath path;
            if (!FeffPathFile::read(copper + QString::asprintf("feff%04d.dat", p), &path, &error))
                qFatal("%s", qPrintable(error));
            shells.append(Shell::fromPath(path));
            fit.vary << QString("%1.r").arg(shells.size())
                     << QString("%1.sigma").arg(shells.size());
        }
        fit.rMin = 1.7;
        fit.rMax = paths.size() > 1 ? 4.6 : 2.9;
    }

    ChiCalculator grid;
    ChiCalculator::Settings settings;
    QVector<Shell> shells;
    MeasuredChi data;
    FitSettings fit;
    QVector<double> edges { 2, 4, 14, 16 };
};

// A whole fit from the path's own values (S0² 1, E0 0, R = reff, Sigma 0.05 Å), set-up
// included, as "Fit live" makes one on every change. Argument: the paths, 1 (the first shell,
// R 1.7 … 2.9 Å, 4 variables) or 4 (paths 1, 2, 3 and 5, R 1.7 … 4.6 Å, 10 variables).
void BM_ShellFit(benchmark::State &state)
{
    const CopperFit in(state.range(0) == 1 ? QVector<int> { 1 } : QVector<int> { 1, 2, 3, 5 });
    double evaluations = 0.0;
    for (auto _ : state) {
        ShellFit fit;
        QString error;
        if (!fit.setUp(in.grid, in.settings, in.shells, in.data, in.fit, in.edges, &error)) {
            state.SkipWithError(error.toUtf8().constData());
            break;
        }
        const FitReport report = fit.run();
        if (!report.converged) {
            state.SkipWithError(report.message.toUtf8().constData());
            break;
        }
        evaluations += report.evaluations;
        benchmark::DoNotOptimize(report.parameters.constData());
    }
    state.counters["evaluations"]
        = benchmark::Counter(evaluations, benchmark::Counter::kAvgIterations);
}

// 1,000 copies of the copper foil's file, each read and fitted (the first shell's 4 variables)
// by FitBatch on every core, as fourk-export --fit with 1,000 --data does.
void BM_FitBatch(benchmark::State &state)
{
    const CopperFit in({ 1 });
    QTemporaryDir dir;
    QStringList files;
    for (int i = 0; i < 1000; ++i) {
        files << dir.filePath(QString::asprintf("cu%04d.chik", i));
        QFile::copy(copper + "copper-foil-10K.chik", files.last());
    }
    FitBatch batch;
    batch.grid = in.grid;
    batch.settings = in.settings;
    batch.shells = in.shells;
    batch.fit = in.fit;
    batch.edges = in.edges;
    for (auto _ : state) {
        const QVector<FitReport> reports = batch.run(files);
        if (!std::all_of(reports.begin(), reports.end(),
                         [](const FitReport &r) { return r.converged; })) {
            state.SkipWithError("a fit of the batch failed");
            break;
        }
    }
}

} // namespace

BENCHMARK(BM_ShellFit)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FitBatch)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SyntheticResiduals);
// Threads(2): two fits at once, one a core, as a batch of files spread over the cores runs.
BENCHMARK(BM_SyntheticFit)->Arg(0)->Arg(1)->Threads(1)->Threads(2)->UseRealTime();
