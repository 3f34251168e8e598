#include "mousec.h"

#include <QMouseEvent>
#include <QWheelEvent>

MouseC::MouseC(QObject *parent)
    : QObject(parent)
{ }

void MouseC::recordMove(QMouseEvent *e)
{
    prevPos = curPos;
    curPos = e->pos();
    moveButton = e->button();
    moveModifiers = e->modifiers();
    emit mMoved();
}

void MouseC::recordPress(QMouseEvent *e)
{
    prevPos = curPos;
    curPos = e->pos();
    pressPos = curPos;
    pressed = true;
    pressButton = e->button();
    pressModifiers = e->modifiers();
    emit mPressed();
}

void MouseC::recordRelease(QMouseEvent *e)
{
    prevPos = curPos;
    curPos = e->pos();
    releasePos = curPos;
    pressed = false;
    releaseButton = e->button();
    releaseModifiers = e->modifiers();
    emit mReleased();
}

void MouseC::recordDoubleClick(QMouseEvent *e)
{
    // The second press of a double click is not a press: curPos and pressed stay as they are.
    dClickPos = e->pos();
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
