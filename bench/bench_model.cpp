#include "model/awave.h"
#include "model/chicalculator.h"
#include "model/envelope.h"
#include "model/feffpathfile.h"
#include "model/shellmodel.h"
#include "panels/wavectrl.h"

#include <benchmark/benchmark.h>

namespace {

// One recomputation as a slider step triggers it: the samples over the grid of the main window,
// their normalisation and the four transforms, with the FFT object built anew as every
// computation does. R alternates so that each pass computes a different shell.
void BM_CalcChi(benchmark::State &state)
{
    Envelope envelope;
    for (int i = 0; i <= 16; ++i)
        envelope.nodes.append(QPointF(i, 1.0));
    AWave wave(2.0, 0.0, 1.0);
    wave.envelope = &envelope;
    wave.setKGrid(0.0, 16.0, 0.1, 1024);
    wave.calcChi();

    bool odd = false;
    for (auto _ : state) {
        // The shell list announces the change, and the model recomputes once.
        wave.shells->setValue(0, Parameter::R, odd ? 2.1 : 2.0);
        odd = !odd;
        benchmark::DoNotOptimize(wave.ftChi.data());
        benchmark::ClobberMemory();
    }
    // The model never deletes its panel; here nothing else owns it.
    delete wave.ctrl;
}

// Everything the windows show recomputed for 100 FEFF paths (copper's thirteen, over and over),
// as a step of the first one's R: each path's chi(k) and transform, the sum and its transforms.
void BM_CalcChiHundredPaths(benchmark::State &state)
{
    QVector<Shell> shells;
    for (int i = 0; i < Shell::maxCount; ++i) {
        const int file = i % 13 + 1 + (i % 13 >= 12 ? 1 : 0);
        FeffPath path;
        QString error;
        if (!FeffPathFile::read(
                QString(FOURK_FIXTURES "/copper/feff%1.dat").arg(file, 4, 10, QChar('0')), &path,
                &error)) {
            state.SkipWithError(qPrintable(error));
            return;
        }
        shells << Shell::fromPath(path);
    }
    ChiCalculator calculator;
    calculator.setGrid(0.0, 16.0, 0.1, 1024);
    ChiCalculator::Settings settings;
    settings.window = QVector<double>(160, 1.0);
    ChiArrays out;
    bool odd = false;
    for (auto _ : state) {
        shells[0].r = odd ? 2.6 : 2.55;
        odd = !odd;
        calculator.compute(settings, shells, 0, MeasuredChi(), ChiCalculator::Everything, &out);
        benchmark::DoNotOptimize(out.ftChi.data());
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(BM_CalcChi);
BENCHMARK(BM_CalcChiHundredPaths)->Unit(benchmark::kMicrosecond);
