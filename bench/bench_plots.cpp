// The plots as the user meets them: each surface painted on its own, and the steps of
// steps/bench_steps.cpp with a measured chi(k) loaded.

#include "program.h"

#include "model/measuredchi.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace BenchSteps;

// A synthetic measured chi(k) of 400 rows over k = 0.5 … 16.45, shown as the menu shows it.
void loadData(Program &program)
{
    MeasuredChi s;
    for (int i = 0; i < 400; ++i) {
        const double k = 0.5 + 0.04 * i;
        s.k.append(k);
        s.chi.append(std::sin(2 * 2.5 * k + 0.3) * std::exp(-0.02 * k * k) / k);
    }
    s.file = QStringLiteral("synthetic.chi");
    program.chik->showMeasured(s);
    settle();
}

// One surface painted into an image through its own paint event.
void paintSurface(benchmark::State &state, DispArea *Program::*surface)
{
    const QSize size = sizeArgument(state);
    Program program;
    if (!program.resizeSurfaces(size)) {
        state.SkipWithError("the surface did not take the size asked for");
        return;
    }
    QImage image(size, QImage::Format_RGB32);
    DispArea *target = program.*surface;
    for (auto _ : state) {
        target->render(&image);
        benchmark::ClobberMemory();
    }
}

void BM_PaintChiK(benchmark::State &state)
{
    paintSurface(state, &Program::kSurface);
}

void BM_PaintChiR(benchmark::State &state)
{
    paintSurface(state, &Program::rSurface);
}

// The end-to-end steps of bench_steps.cpp with a measured chi(k) of 400 rows loaded, drawn in
// both plots.
template<void (*steps)(benchmark::State &, Program &)>
void withData(benchmark::State &state)
{
    Program program;
    loadData(program);
    if (!program.resizeSurfaces(sizeArgument(state))) {
        state.SkipWithError("the surfaces did not take the size asked for");
        return;
    }
    steps(state, program);
}

void BM_SliderStepData(benchmark::State &state)
{
    withData<sliderSteps>(state);
}

void BM_EdgeDragStepData(benchmark::State &state)
{
    withData<edgeDragSteps>(state);
}

void surfaceSizes(benchmark::internal::Benchmark *b)
{
    b->Args({ 800, 600 })->Args({ 1920, 1080 })->Unit(benchmark::kMicrosecond);
}

} // namespace

BENCHMARK(BM_PaintChiK)->Apply(surfaceSizes);
BENCHMARK(BM_PaintChiR)->Apply(surfaceSizes);
BENCHMARK(BM_SliderStepData)->Apply(surfaceSizes);
BENCHMARK(BM_EdgeDragStepData)->Apply(surfaceSizes);
