// The steps a user repeats while exploring: one R slider step and one move of a window-edge drag,
// each carried through the panel, the model and the repaint of both windows. scripts/bench-compare
// builds this file against an older tree too; a case that needs what only this tree has goes
// inside #ifndef FOURK_BENCH_BASELINE, which that build defines.

#include "program.h"

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

void surfaceSizes(benchmark::internal::Benchmark *b)
{
    b->Args({ 800, 600 })->Args({ 1920, 1080 })->Args({ 3840, 2160 });
    b->Unit(benchmark::kMicrosecond);
}

} // namespace

BENCHMARK(BM_SliderStep)->Apply(surfaceSizes);
BENCHMARK(BM_EdgeDragStep)->Apply(surfaceSizes);

} // namespace BenchSteps
