// The steps a user repeats while exploring: one R slider step and one move of a window-edge drag,
// each carried through the panel, the model and the repaint of both windows. scripts/bench-compare
// builds this file against an older tree too; a case that needs what only this tree has goes
// inside #ifndef FOURK_BENCH_BASELINE, which that build defines.

#include "program.h"

#ifndef FOURK_BENCH_BASELINE
#include "app/chir.h"
#include "model/shellmodel.h"
#endif
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/pixel.h"

#include <QSlider>

namespace BenchSteps {

void sliderSteps(benchmark::State &state, Program &program)
{
    QSlider *bar = program.wave->ctrl->RBar;
    endToEnd(state, program, [bar](bool up) {
        bar->triggerAction(up ? QAbstractSlider::SliderSingleStepAdd
                              : QAbstractSlider::SliderSingleStepSub);
    });
}

void edgeDragSteps(benchmark::State &state, Program &program)
{
    DispArea *surface = program.kSurface;
    const QVector<double> &edges = program.wave->ctrl->WindowCtrl->positions;
    if (edges.size() != 4 || edges.at(1) != 4.0) {
        state.SkipWithError("the second window edge is not at k = 4");
        return;
    }
    const ChCoord &coord = surface->coord;
    const QPoint handle(Pixel::trunc(coord.xToPixel(4.0)), Pixel::trunc(coord.yToPixel(0.0)));
    sendMouse(surface, QEvent::MouseButtonPress, handle, Qt::LeftButton, Qt::LeftButton);
    // The press must have caught the edge: a first move takes it along.
    sendMouse(surface, QEvent::MouseMove, handle + QPoint(1, 0), Qt::NoButton, Qt::LeftButton);
    const bool caught = surface->mouseRelay.pressed && edges.at(1) != 4.0;
    sendMouse(surface, QEvent::MouseMove, handle, Qt::NoButton, Qt::LeftButton);
    settle();
    if (!caught) {
        state.SkipWithError("the press did not catch the edge at k = 4");
    } else {
        endToEnd(state, program, [surface, handle](bool right) {
            const QPoint to = right ? handle + QPoint(1, 0) : handle;
            sendMouse(surface, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        });
    }
    sendMouse(surface, QEvent::MouseButtonRelease, handle, Qt::LeftButton, Qt::NoButton);
}

namespace {

// With one shell, as the program starts, both surfaces pinned at the size asked for.
template<void (*steps)(benchmark::State &, Program &)>
void oneShell(benchmark::State &state)
{
    Program program;
    if (!program.resizeSurfaces(sizeArgument(state))) {
        state.SkipWithError("the surfaces did not take the size asked for");
        return;
    }
    steps(state, program);
}

void BM_SliderStep(benchmark::State &state)
{
    oneShell<sliderSteps>(state);
}

void BM_EdgeDragStep(benchmark::State &state)
{
    oneShell<edgeDragSteps>(state);
}

#ifndef FOURK_BENCH_BASELINE
// Copper's first ten FEFF paths, their thin curves shown in both plots, the first path the one
// the sliders edit.
void BM_SliderStepTenPaths(benchmark::State &state)
{
    Program program;
    QStringList paths;
    for (int i = 1; i <= 10; ++i)
        paths << QString(FOURK_FIXTURES "/copper/feff%1.dat").arg(i, 4, 10, QChar('0'));
    if (!program.chik->addPathFiles(paths) || !program.wave->shells->remove(0)
        || !program.resizeSurfaces(sizeArgument(state))) {
        state.SkipWithError("the paths were not added or the surfaces did not take the size");
        return;
    }
    program.wave->setCurrentShell(0);
    program.chik->chiR->setShown({ "abs", "total", "shells" });
    settle();
    sliderSteps(state, program);
}

// The copper foil fitted live with its first path (S0², E0, R and Sigma varied, R 1.7 … 2.9)
// while the window edge at k = 4 is dragged: each move refits before both plots repaint.
void BM_FitLiveEdgeDrag(benchmark::State &state)
{
    Program program;
    AWave *wave = program.wave;
    if (!program.chik->addPathFiles({ FOURK_FIXTURES "/copper/feff0001.dat" })
        || !wave->shells->remove(0)
        || !program.chik->openMeasuredFile(FOURK_FIXTURES "/copper/copper-foil-10K.chik", 1, 2)
        || !program.resizeSurfaces(sizeArgument(state))) {
        state.SkipWithError("the path or the data were not opened");
        return;
    }
    wave->ctrl->WindowCtrl->setPositions({ 2, 4, 14, 16 });
    FitSettings fit;
    fit.vary = QStringList { "s02", "e0", "1.r", "1.sigma" };
    fit.rMin = 1.7;
    fit.rMax = 2.9;
    fit.live = true;
    wave->setFitSettings(fit);
    settle();
    edgeDragSteps(state, program);
}
#endif

void surfaceSizes(benchmark::internal::Benchmark *b)
{
    b->Args({ 800, 600 })->Args({ 1920, 1080 })->Args({ 3840, 2160 });
    b->Unit(benchmark::kMicrosecond);
}

} // namespace

BENCHMARK(BM_SliderStep)->Apply(surfaceSizes);
BENCHMARK(BM_EdgeDragStep)->Apply(surfaceSizes);
#ifndef FOURK_BENCH_BASELINE
BENCHMARK(BM_SliderStepTenPaths)->Apply(surfaceSizes);
BENCHMARK(BM_FitLiveEdgeDrag)->Apply(surfaceSizes);
#endif

} // namespace BenchSteps
