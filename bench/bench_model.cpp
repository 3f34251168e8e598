#include "model/awave.h"
#include "model/envelope.h"
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

} // namespace

BENCHMARK(BM_CalcChi);
