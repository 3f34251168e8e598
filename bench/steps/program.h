#pragma once

// The program's two windows driven as the user drives them, for the end-to-end cases. Written
// against the parts of the program that older trees have as well (ChiK, its waves, the panel's R
// slider, the window's edges, the surfaces with their mapping and mouse relay), so that
// scripts/bench-compare can build the same cases against an older commit.

#include "app/chik.h"
#include "model/awave.h"
#include "plot/disparea.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

namespace BenchSteps {

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

inline void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

inline void sendMouse(QWidget *widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                      Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// The program's two windows, built as at start-up.
class Program
{
public:
    Program()
        : chik(new ChiK)
    {
        chik->show();
        settle();
        kSurface = chik->surface(ChiK::ChiKPlot);
        rSurface = chik->surface(ChiK::ChiRPlot);
        wave = chik->waves.first();
    }

    // The main window takes the chi(R) window and the model with it.
    ~Program() { delete chik; }

    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    bool resizeSurfaces(QSize size) { return resize(kSurface, size) && resize(rSurface, size); }

    ChiK *chik;
    DispArea *kSurface;
    DispArea *rSurface;
    AWave *wave;

private:
    // Pinned rather than fitted: the chi(k) window's panel needs more than 800 pixels of width,
    // so the surface keeps its size only as a fixed one, and the window shrinks around it as far
    // as the panel lets it.
    static bool resize(QWidget *surface, QSize size)
    {
        surface->setFixedSize(size);
        settle();
        surface->window()->resize(surface->window()->minimumSize());
        settle();
        return surface->size() == size;
    }
};

inline QSize sizeArgument(const benchmark::State &state)
{
    return QSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
}

// Each step is handled as the event loop handles it: the change runs through the model at once,
// and the posted repaints of both windows are carried out before the next step. The steps are
// measured as a user repeats them, the first two, which set up what the following ones reuse,
// before the clock starts. Kept out of line so that a profiler can collect the steps alone
// (callgrind --toggle-collect='*endToEnd*').
template<class Step>
Q_NEVER_INLINE void endToEnd(benchmark::State &state, Program &program, Step step)
{
    for (bool first : { true, false }) {
        step(first);
        QCoreApplication::processEvents();
    }
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
void sliderSteps(benchmark::State &state, Program &program);
// The handle of the window edge at k = 4 held with the left button and moved one pixel to the
// right and back.
void edgeDragSteps(benchmark::State &state, Program &program);

} // namespace BenchSteps
