#include "mousec.h"
#include "pixel.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>

MouseC::MouseC(QObject *parent)
    : QObject(parent)
{ }

QPoint MouseC::localPoint(const QMouseEvent *e)
{
    // Not qRound: Qt 6's rounds halves away from zero, so at a scaling of 2 the pixel left of
    // the widget (-0.5) would land on -1 instead of Qt 5's 0. Qt 6 offers the local position
    // only as position(), which Qt 5 lacks.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QPointF p = e->position();
#else
    const QPointF p = e->localPos();
#endif
    // A synthetic event can carry any position: saturate rather than cast out of int's range.
    return QPoint(Pixel::trunc(std::floor(p.x() + 0.5)), Pixel::trunc(std::floor(p.y() + 0.5)));
}

void MouseC::recordMove(QMouseEvent *e)
{
    prevPos = curPos;
    curPos = localPoint(e);
    moveButton = e->button();
    moveModifiers = e->modifiers();
    emit mMoved();
}

void MouseC::recordPress(QMouseEvent *e)
{
    prevPos = curPos;
    curPos = localPoint(e);
    pressPos = curPos;
    pressed = true;
    pressButton = e->button();
    pressModifiers = e->modifiers();
    emit mPressed();
}

void MouseC::recordRelease(QMouseEvent *e)
{
    prevPos = curPos;
    curPos = localPoint(e);
    releasePos = curPos;
    pressed = false;
    releaseButton = e->button();
    releaseModifiers = e->modifiers();
    emit mReleased();
}

void MouseC::recordDoubleClick(QMouseEvent *e)
{
    // The second press of a double click is not a press: curPos and pressed stay as they are.
    dClickPos = localPoint(e);
    dClickButton = e->button();
    dClickModifiers = e->modifiers();
    emit mDClicked();
}

void MouseC::recordWheel(QWheelEvent *e)
{
    // The rotation is in eighths of a degree; one ordinary notch of 15 degrees is one step.
    // Take the dominant axis, as the old single-axis delta() did, comparing the magnitudes in 64
    // bits: that of INT_MIN does not fit an int.
    const QPoint angle = e->angleDelta();
    const qint64 across = angle.x();
    const qint64 along = angle.y();
    const int delta = qAbs(across) > qAbs(along) ? angle.x() : angle.y();
    const double step = delta * 0.125 / 15;
    emit wheelMoved(static_cast<int>(step));
}
