#include "disparea.h"

#include "pixel.h"

#include <QBackingStore>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>

DispArea::DispArea(QWidget *parent)
    : QFrame(parent)
{
    setAttribute(Qt::WA_MouseTracking);
    connect(&coord, SIGNAL(updated()), this, SLOT(refresh()));
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

void DispArea::describe()
{
    const QRect r = rect();
    coord.setDeviceRect(0, r.bottom() - r.top() + 1, r.right() - r.left() + 1, 0);
    scene.begin(r.size());
    emit draw(&scene);
}

// A window shown or hidden may have a new picture or lost the old one: the next paint paints all.
void DispArea::showEvent(QShowEvent *e)
{
    painted = -1;
    QFrame::showEvent(e);
}

void DispArea::hideEvent(QHideEvent *e)
{
    painted = -1;
    QFrame::hideEvent(e);
}

void DispArea::refresh()
{
    asked = true;
    update();
}

namespace {

// Which image the window's paint device is: a new or resized image has another number, however
// often it has been painted; -1 for a device that is no image, or one that the platform clears
// before each paint.
qint64 serialOf(const QPaintDevice *device)
{
    if (device->devType() != QInternal::Image)
        return -1;
    const auto *image = static_cast<const QImage *>(device);
    return image->hasAlphaChannel() ? -1 : image->cacheKey() >> 32;
}

} // namespace

void DispArea::paintEvent(QPaintEvent *e)
{
    QPainter painter(this);
    describe();
    // Vector output, pixels of another size than the widget's and every device but the window
    // get the whole description painted.
    const QTransform t = painter.deviceTransform();
    const QPoint at(Pixel::trunc(t.dx()), Pixel::trunc(t.dy()));
    const QPaintDevice *device = painter.paintEngine()->paintDevice();
    if (painter.paintEngine()->type() != QPaintEngine::Raster || t.type() > QTransform::TxTranslate
        || QPointF(at) != QPointF(t.dx(), t.dy()) || !backingStore()
        || device != backingStore()->paintDevice()) {
        scene.paint(&painter, &textDrawer);
        return;
    }
    // A repaint of the whole widget that it asked for, on the same picture of the window at the
    // same place as the last one, finds what that one painted: only what changed is painted.
    const qint64 serial = serialOf(device);
    const bool whole = e->region() == rect();
    if (asked && whole && serial >= 0 && serial == painted && at == paintedAt)
        frame.paintChanges(&painter, &scene, logicalDpiX(), logicalDpiY(), &textDrawer);
    else
        frame.paintAll(&painter, &scene, logicalDpiX(), logicalDpiY(), &textDrawer);
    // Pixels outside a part painted are not known to show this description.
    painted = whole ? serial : -1;
    paintedAt = at;
    asked = false;
}
