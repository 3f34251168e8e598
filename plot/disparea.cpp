#include "disparea.h"

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

// A window shown or hidden may have a new picture or lost the old one: the next paint copies all.
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
    stale = true;
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
    // Vector output, and pixels of another size than the widget's, are painted from the
    // description itself.
    const QTransform t = painter.deviceTransform();
    const QPoint at(int(t.dx()), int(t.dy()));
    if (painter.paintEngine()->type() != QPaintEngine::Raster || t.type() > QTransform::TxTranslate
        || QPointF(at) != QPointF(t.dx(), t.dy())) {
        describe();
        scene.paint(&painter, &textDrawer);
        return;
    }
    if (stale || !frame.fits(size(), logicalDpiX(), logicalDpiY())) {
        describe();
        stale = false;
        for (const QRect &r :
             frame.show(&scene, logicalDpiX(), logicalDpiY(), layoutDirection(), &textDrawer)) {
            if (!r.isEmpty())
                changed.append(r);
        }
    }
    // A repaint of the whole widget that it asked for, on the same picture of the window at the
    // same place as the last: the pixels that did not change are there from that paint.
    const QPaintDevice *device = painter.paintEngine()->paintDevice();
    const bool onWindow = backingStore() && device == backingStore()->paintDevice();
    const qint64 serial = onWindow ? serialOf(device) : -1;
    const QImage &image = frame.image();
    if (asked && serial >= 0 && serial == painted && at == paintedAt && e->region() == rect()) {
        for (const QRect &r : qAsConst(changed))
            painter.drawImage(r.topLeft(), image, r);
    } else {
        for (const QRect &r : e->region())
            painter.drawImage(r.topLeft(), image, r);
    }
    if (onWindow) {
        painted = serial;
        paintedAt = at;
        changed.resize(0);
        asked = false;
    }
}
