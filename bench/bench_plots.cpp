// The plots as the user meets them: each surface painted on its own, and one slider step and one
// window-edge drag step carried through the model to both surfaces painted.

#include "app/chik.h"
#include "app/chir.h"
#include "model/awave.h"
#include "model/measuredchi.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/disparea.h"
#include "plot/pixel.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSlider>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// Counts the paint events a widget receives, so a case can check that every step reached both
// surfaces.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }

    long count = 0;
};

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// The program's two windows, built as at start-up, each drawing surface at the size asked for.
class Program
{
public:
    Program()
        : chik(new ChiK)
    {
        chik->show();
        settle();
        kSurface = chik->findChild<DispArea *>(QStringLiteral("DispA"));
        rSurface = chik->chiR->DispA;
        wave = chik->waves.first();
    }

    // The main window takes the chi(R) window and the model with it.
    ~Program() { delete chik; }

    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // A synthetic measured chi(k) of 400 rows over k = 0.5 … 16.45, shown as the menu shows it.
    void loadData()
    {
        MeasuredChi s;
        for (int i = 0; i < 400; ++i) {
            const double k = 0.5 + 0.04 * i;
            s.k.append(k);
            s.chi.append(std::sin(2 * 2.5 * k + 0.3) * std::exp(-0.02 * k * k) / k);
        }
        s.file = QStringLiteral("synthetic.chi");
        chik->showMeasured(s);
        settle();
    }

    bool resizeSurfaces(QSize size)
    {
        return resize(chik, kSurface, size) && resize(chik->chiR, rSurface, size);
    }

    ChiK *chik;
    DispArea *kSurface;
    DispArea *rSurface;
    AWave *wave;

private:
    // Pinned rather than fitted: the chi(k) window's panel needs more than 800 pixels of width,
    // so the surface keeps its size only as a fixed one, and the window shrinks around it as far
    // as the panel lets it.
    static bool resize(QWidget *window, QWidget *surface, QSize size)
    {
        surface->setFixedSize(size);
        settle();
        window->resize(window->minimumSize());
        settle();
        return surface->size() == size;
    }
};

QSize sizeArgument(const benchmark::State &state)
{
    return QSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
}

void sendMouse(QWidget *widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
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

// Each step is handled as the event loop handles it: the change runs through the model at once,
// and the posted repaints of both windows are carried out before the next step. Kept out of line
// so that a profiler can collect the steps alone (callgrind --toggle-collect='*endToEnd*').
template<class Step>
Q_NEVER_INLINE void endToEnd(benchmark::State &state, Program &program, Step step)
{
    PaintCounter kPaints(program.kSurface);
    PaintCounter rPaints(program.rSurface);
    long steps = 0;
    for (auto _ : state) {
        step(steps % 2 == 0);
        QCoreApplication::processEvents();
        ++steps;
    }
    if (kPaints.count < steps || rPaints.count < steps)
        state.SkipWithError("a step did not repaint both surfaces");
}

// The R slider one step up and back down, as with the arrow keys.
void sliderStep(benchmark::State &state, bool withData)
{
    Program program;
    if (withData)
        program.loadData();
    if (!program.resizeSurfaces(sizeArgument(state))) {
        state.SkipWithError("the surfaces did not take the size asked for");
        return;
    }
    QSlider *bar = program.wave->ctrl->RBar;
    endToEnd(state, program, [bar](bool up) {
        bar->triggerAction(up ? QAbstractSlider::SliderSingleStepAdd
                              : QAbstractSlider::SliderSingleStepSub);
    });
}

void BM_SliderStep(benchmark::State &state)
{
    sliderStep(state, false);
}

// The same with a measured chi(k) of 400 rows loaded, drawn in both plots.
void BM_SliderStepData(benchmark::State &state)
{
    sliderStep(state, true);
}

// The handle of the window edge at k = 4 held with the left button and moved one pixel to the
// right and back.
void edgeDragStep(benchmark::State &state, bool withData)
{
    Program program;
    if (withData)
        program.loadData();
    if (!program.resizeSurfaces(sizeArgument(state))) {
        state.SkipWithError("the surfaces did not take the size asked for");
        return;
    }
    DispArea *surface = program.kSurface;
    const ChCoord &coord = surface->coord;
    const QPoint handle(Pixel::trunc(coord.xToPixel(4.0)), Pixel::trunc(coord.yToPixel(0.0)));
    sendMouse(surface, QEvent::MouseButtonPress, handle, Qt::LeftButton, Qt::LeftButton);
    const WindowFunc *window = program.wave->ctrl->WindowCtrl;
    if (!window->dragging || window->picked != 1) {
        state.SkipWithError("the press did not catch the edge at k = 4");
        return;
    }
    settle();
    endToEnd(state, program, [surface, handle](bool right) {
        const QPoint to = right ? handle + QPoint(1, 0) : handle;
        sendMouse(surface, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    });
    sendMouse(surface, QEvent::MouseButtonRelease, handle, Qt::LeftButton, Qt::NoButton);
}

void BM_EdgeDragStep(benchmark::State &state)
{
    edgeDragStep(state, false);
}

void BM_EdgeDragStepData(benchmark::State &state)
{
    edgeDragStep(state, true);
}

void surfaceSizes(benchmark::internal::Benchmark *b)
{
    b->Args({ 800, 600 })->Args({ 1920, 1080 })->Unit(benchmark::kMicrosecond);
}

} // namespace

BENCHMARK(BM_PaintChiK)->Apply(surfaceSizes);
BENCHMARK(BM_PaintChiR)->Apply(surfaceSizes);
BENCHMARK(BM_SliderStep)->Apply(surfaceSizes);
BENCHMARK(BM_EdgeDragStep)->Apply(surfaceSizes);
BENCHMARK(BM_SliderStepData)->Apply(surfaceSizes);
BENCHMARK(BM_EdgeDragStepData)->Apply(surfaceSizes);
