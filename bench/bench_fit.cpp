#include "model/fitter.h"

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

} // namespace

BENCHMARK(BM_SyntheticResiduals);
// Threads(2): two fits at once, one a core, as a batch of files spread over the cores runs.
BENCHMARK(BM_SyntheticFit)->Arg(0)->Arg(1)->Threads(1)->Threads(2)->UseRealTime();
