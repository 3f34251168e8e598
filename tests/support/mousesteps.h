#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QVector>
#include <QWheelEvent>
#include <QWidget>

// Built mouse events: QTest's moves carry no buttons, so a drag's held button travels here.
struct MouseStep
{
    QEvent::Type type;
    QPointF pos;
    Qt::MouseButton button = Qt::NoButton;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
    int wheelDelta = 0, wheelAcross = 0; // eighths of a degree, along and sideways
};
using MouseSteps = QVector<MouseStep>;
Q_DECLARE_METATYPE(MouseSteps)

inline MouseStep press(QPointF p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
{
    return { QEvent::MouseButtonPress, p, b, m };
}
inline MouseStep release(QPointF p, Qt::MouseButton b = Qt::LeftButton)
{
    return { QEvent::MouseButtonRelease, p, b };
}
inline MouseStep move(QPointF p)
{
    return { QEvent::MouseMove, p };
}
inline MouseStep wheel(int delta, int across = 0)
{
    return { QEvent::Wheel, {}, Qt::NoButton, Qt::NoModifier, delta, across };
}

// Sends the steps in order with the buttons held so far. Nothing is returned: sendEvent reports
// an ignored event as delivered too, so callers check what the events did.
inline void sendSteps(QWidget *w, const MouseSteps &steps)
{
    Qt::MouseButtons held;
    for (const MouseStep &s : steps) {
        const QPointF global = s.pos + QPointF(w->mapToGlobal(QPoint(0, 0)));
        QWheelEvent turn(s.pos, global, QPoint(), QPoint(s.wheelAcross, s.wheelDelta), held, s.mods,
                         Qt::NoScrollPhase, false);
        held = s.type == QEvent::MouseButtonRelease ? held & ~s.button : held | s.button;
        QMouseEvent click(s.type == QEvent::Wheel ? QEvent::MouseMove : s.type, s.pos, global,
                          s.button, held, s.mods);
        QApplication::sendEvent(w, s.type == QEvent::Wheel ? static_cast<QEvent *>(&turn) : &click);
    }
}
