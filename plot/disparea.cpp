#include "disparea.h"

#include <QPainter>

DispArea::DispArea(QWidget *parent)
    : QFrame(parent)
{
    setAttribute(Qt::WA_MouseTracking);
    connect(&coord, SIGNAL(updated()), this, SLOT(update()));
}

void DispArea::mousePressEvent(QMouseEvent *e)
{
    mouseRelay.recordPress(e);
}

void DispArea::mouseReleaseEvent(QMouseEvent *e)
{
    mouseRelay.recordRelease(e);
}

void DispArea::mouseDoubleClickEvent(QMouseEvent *e)
{
    mouseRelay.recordDoubleClick(e);
}

void DispArea::mouseMoveEvent(QMouseEvent *e)
{
    mouseRelay.recordMove(e);
}

void DispArea::wheelEvent(QWheelEvent *e)
{
    mouseRelay.recordWheel(e);
}

void DispArea::paintEvent(QPaintEvent *)
{
    // The whole widget is redrawn every time; the region is not used.
    QPainter painter(this);
    const QRect r = rect();
    coord.setDeviceRect(0, r.bottom() - r.top() + 1, r.right() - r.left() + 1, 0);
    emit draw(&painter);
}
