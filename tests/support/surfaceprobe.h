#pragma once

#include "mousesteps.h"
#include "plot/disparea.h"

#include <QImage>

// Drives a drawing surface as the user does and reads what it shows.
namespace SurfaceProbe {

// Press, move with the button held, release.
inline void drag(QWidget *w, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
{
    sendSteps(w, { press(from, button), move(to), release(to, button) });
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

} // namespace SurfaceProbe
