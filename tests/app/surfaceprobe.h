#pragma once

#include "plot/disparea.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

// Drives a drawing surface as the user does and reads what it shows.
namespace SurfaceProbe {

inline void mouse(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                  Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// Press, move with the button held, release.
inline void drag(QWidget *w, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
{
    mouse(w, QEvent::MouseButtonPress, from, button, button);
    mouse(w, QEvent::MouseMove, to, Qt::NoButton, button);
    mouse(w, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

// The surface painted at the given size.
inline QImage frame(DispArea *surface, QSize size)
{
    surface->resize(size);
    return surface->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline int count(const QImage &image, QRect area, QRgb colour)
{
    int n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == colour;
    }
    return n;
}

inline int inColumn(const QImage &image, int x, QRgb colour)
{
    return count(image, QRect(x, 0, 1, image.height()), colour);
}

inline bool contains(const QImage &image, QRgb colour)
{
    return count(image, image.rect(), colour) > 0;
}

// Label text is drawn in (200, 200, 200) and anti-aliased on white; the lines are not
// anti-aliased, so a lighter grey can only be text.
inline int labelPixels(const QImage &image, QRect area)
{
    int n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c(image.pixel(x, y));
            n += c.red() == c.green() && c.green() == c.blue() && c.red() > 200 && c.red() < 255;
        }
    }
    return n;
}

} // namespace SurfaceProbe
