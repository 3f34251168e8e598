#include "drawtext.h"

#include "mousec.h"
#include "pixel.h"

#include <QFont>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Qt keeps the old size for a size <= 0 but warns, and would take an infinite or NaN size
// (from a degenerate box) into the font engine; keep the old size quietly for all of them.
void setSize(QFont &font, double size)
{
    if (size > 0 && std::isfinite(size))
        font.setPointSizeF(size);
}

void setWholeSize(QFont &font, double size)
{
    // Saturating truncation: a huge ratio must not overflow the int.
    const int whole = Pixel::trunc(size);
    if (whole > 0)
        font.setPointSize(whole);
}

// A painter never begun, or already ended, has no device to measure on or draw to: every
// operation then does nothing.
bool inactive(const QPainter *painter)
{
    return !painter || !painter->isActive();
}

// Where the search for a list's smallest fitting size starts; an empty list keeps it.
constexpr double startSize = 100000;

// Enough for the labels of a few plots; a longer list (texts that keep changing) starts over.
constexpr int maxMeasurements = 64;

} // namespace

DrawText::DrawText(QObject *parent)
    : QObject(parent)
{ }

QRectF DrawText::fitFont(QPainter *painter, const QFont &font, int flags, const QString &text,
                         double w, double h, double maxPointSize) const
{
    // Measure at 10 points and scale linearly; the result may exceed 10 in a large box.
    QFont fitted = font;
    fitted.setPointSizeF(10);
    painter->setFont(fitted);
    const QRectF reference = measured(painter, flags, text);
    const double bw = reference.width();
    const double bh = reference.height();
    double size = 10;
    if (bw != 0 || bh != 0) {
        const double rw = bw != 0 ? w / bw : 1;
        const double rh = bh != 0 ? h / bh : 1;
        size = 10 * std::min(rw, rh);
    }
    if (maxPointSize > 0 && maxPointSize < size)
        size = maxPointSize;
    setSize(fitted, size);
    painter->setFont(fitted);
    return reference;
}

QRectF DrawText::measured(QPainter *painter, int flags, const QString &text) const
{
    const QPaintDevice *device = painter->device();
    const QFont &font = painter->font();
    const int deviceType = device->devType();
    const int dpiX = device->logicalDpiX();
    const int dpiY = device->logicalDpiY();
    const qreal pixelRatio = device->devicePixelRatioF();
    const QTransform transform = painter->combinedTransform();
    const Qt::LayoutDirection direction = painter->layoutDirection();
    for (const Measurement &m : qAsConst(measurements)) {
        if (m.text == text && m.flags == flags && m.font == font && m.deviceType == deviceType
            && m.dpiX == dpiX && m.dpiY == dpiY && m.pixelRatio == pixelRatio
            && m.transform == transform && m.direction == direction)
            return m.rect;
    }
    const QRectF rect = painter->boundingRect(QRectF(0, 0, 5000, 5000), flags, text);
    if (measurements.size() >= maxMeasurements)
        measurements.clear();
    measurements.append(
        { text, flags, font, deviceType, dpiX, dpiY, pixelRatio, transform, direction, rect });
    return rect;
}

QRectF DrawText::drawTextIn(QPainter *painter, QRectF &rect, QFont font, int flags, int fit,
                            const QString &text, double maxPointSize)
{
    if (inactive(painter))
        return {};
    normalizeRect(rect);
    QRectF measured;
    if (fit == 1)
        measured = fitFont(painter, font, flags, text, rect.width(), rect.height(), maxPointSize);
    else
        painter->setFont(font);
    painter->drawText(rect, flags, text);
    painter->setFont(font);
    return measured;
}

QRectF DrawText::boundsIn(QPainter *painter, QRectF rect, QFont font, int flags, int fit,
                          const QString &text, double maxPointSize)
{
    if (inactive(painter))
        return {};
    normalizeRect(rect);
    if (fit == 1)
        fitFont(painter, font, flags, text, rect.width(), rect.height(), maxPointSize);
    else
        painter->setFont(font);
    const QRectF bounds = painter->boundingRect(rect, flags, text);
    painter->setFont(font);
    return bounds;
}

QRectF DrawText::drawRotatedText(QPainter *painter, double angle, const QRectF &rect, QFont font,
                                 int flags, int fit, const QString &text, double maxPointSize,
                                 bool fill, const QColor &fillColor)
{
    if (inactive(painter))
        return {};
    QRectF r = rect;
    normalizeRect(r);
    const double a = angle / 180 * 3.141592653;
    const double c = std::cos(a);
    const double s = std::sin(a);
    // After the rotation the centre of this box falls on the corner of rect.
    const QRectF box(c * r.x() + s * r.y() - 0.5 * r.width(),
                     -s * r.x() + c * r.y() - 0.5 * r.height(), r.width(), r.height());
    painter->rotate(angle);
    QRectF measured;
    if (fit == 1)
        measured = fitFont(painter, font, flags, text, r.width(), r.height(), maxPointSize);
    else
        painter->setFont(font);
    if (fill)
        painter->fillRect(box, fillColor);
    painter->drawText(box, flags, text);
    painter->setFont(font);
    painter->rotate(-angle);
    return measured;
}

QRectF DrawText::measureText(QPainter *painter, QRectF &rect, QFont &font, int flags, int fit,
                             const QString &text)
{
    if (inactive(painter))
        return {};
    normalizeRect(rect);
    const QFont given = font;
    const double ps = font.pointSizeF();
    const double w = rect.width();
    const double h = rect.height();
    const QRectF br
        = painter->boundingRect(QRectF(rect.x(), rect.y() + h, 1000, 1000), flags, text);
    if (fit == 1) {
        const double rw = w != 0 ? br.width() / w : 1;
        const double rh = h != 0 ? br.height() / h : 1;
        const bool keep = (w == 0 && h == 0) || (w != 0 && h != 0 && rw == 0 && rh == 0);
        setWholeSize(font, keep ? ps : ps / std::max(rw, rh));
    }
    painter->setFont(font);
    const QRectF result = painter->boundingRect(rect, flags, text);
    // A font sized in pixels has no point size to go back to: give it back whole.
    if (ps > 0)
        font.setPointSizeF(ps);
    else
        font = given;
    painter->setFont(font);
    return result;
}

double DrawText::fitPointSize(QPainter *painter, const QRectF &rect, QFont font, int flags,
                              const QString &text)
{
    if (inactive(painter))
        return font.pointSizeF();
    QRectF r = rect;
    normalizeRect(r);
    // Measured in the default font at 10 points, whatever font is given.
    QFont reference;
    reference.setPointSizeF(10);
    const double ps = reference.pointSizeF();
    painter->setFont(reference);
    const QRectF br
        = painter->boundingRect(QRectF(r.x(), r.y() + r.height(), 1000, 1000), flags, text);
    double rw = r.width() != 0 ? br.width() / r.width() : 1;
    double rh = r.height() != 0 ? br.height() / r.height() : 1;
    if (r.height() != 0 && rw == 0 && rh == 0)
        rw = rh = 1;
    painter->setFont(font);
    return ps / std::max(rw, rh);
}

void DrawText::drawBoxLabel(QPainter *painter, bool on, const QString &text, int x, int width,
                            int bottom, int size)
{
    if (inactive(painter))
        return;
    const QRect box(QPoint(x, bottom - size), QPoint(x + size - 1, bottom - 1));
    painter->fillRect(box, on ? boxOnColor : boxOffColor);
    painter->setPen(boxBorderColor);
    painter->drawRects(&box, 1);
    painter->setPen(textColor);
    QRectF caption(x + 1.2 * size, bottom - 0.95 * size, width - 1.2 * size, 0.9 * size);
    drawTextIn(painter, caption, QFont(), Qt::AlignLeft | Qt::AlignVCenter, 1, text, -1);
}

bool DrawText::boxHit(QMouseEvent *event, int x, int bottom, int size) const
{
    // Strict on every side: the box's left column and top row do not count.
    const QPoint at = MouseC::localPoint(event);
    const int ex = at.x();
    const int ey = at.y();
    return x < ex && ex < x + size && bottom - size < ey && ey < bottom;
}

void DrawText::drawTextList(QPainter *painter, QRectF &rect, double dx, double dy, QFont &font,
                            int flags, int fit, const QStringList &texts, double maxPointSize)
{
    if (inactive(painter))
        return;
    normalizeRect(rect);
    if (fit == 0) {
        double m = startSize;
        for (const QString &text : texts)
            m = std::min(m,
                         fitPointSize(painter, rect, font, Qt::AlignLeft | Qt::AlignVCenter, text));
        setWholeSize(font, 0.9 * m);
    }
    for (const QString &text : texts) {
        QRectF r = rect;
        drawTextIn(painter, r, font, flags, fit, text, maxPointSize);
        rect.translate(dx, dy);
    }
}

void DrawText::drawTextPairs(QPainter *painter, QRectF &rect, double dx, double dy, QFont &font,
                             const QStringList &keys, const QStringList &values,
                             double maxPointSize)
{
    if (inactive(painter))
        return;
    // A key without a value is drawn with an empty value.
    normalizeRect(rect);
    double m = startSize;
    for (int i = 0; i < keys.size(); ++i)
        m = std::min(m, fitPointSize(painter, rect, font, Qt::AlignLeft | Qt::AlignVCenter,
                                     keys[i] + values.value(i)));
    setWholeSize(font, 0.9 * m);
    for (int i = 0; i < keys.size(); ++i) {
        QRectF r = rect;
        drawTextIn(painter, r, font, Qt::AlignLeft | Qt::AlignVCenter, 0, keys[i], maxPointSize);
        r = rect;
        drawTextIn(painter, r, font, Qt::AlignRight | Qt::AlignVCenter, 0, values.value(i),
                   maxPointSize);
        rect.translate(dx, dy);
    }
}

void DrawText::addOccupied(const QRectF &r)
{
    occupied.append(r);
}

bool DrawText::overlapsOccupied(QRectF &r) const
{
    normalizeRect(r);
    return std::any_of(occupied.cbegin(), occupied.cend(),
                       [&r](const QRectF &o) { return r.intersects(o); });
}

void DrawText::normalizeRect(QRectF &r)
{
    const double x = std::min(r.x(), r.x() + r.width());
    const double y = std::min(r.y(), r.y() + r.height());
    const double w = std::max(r.x(), r.x() + r.width()) - x;
    const double h = std::max(r.y(), r.y() + r.height()) - y;
    r = QRectF(x, y, w, h);
}
