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
    int wheelDelta = 0; // eighths of a degree
    int wheelAcross = 0; // the same, sideways
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

// Sends the steps in order with the buttons held so far; false if the widget ignored one.
inline bool sendSteps(QWidget *w, const MouseSteps &steps)
{
    Qt::MouseButtons held;
    bool accepted = true;
    for (const MouseStep &s : steps) {
        if (s.type == QEvent::Wheel) {
            QWheelEvent e(s.pos, s.pos, QPoint(), QPoint(s.wheelAcross, s.wheelDelta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
            accepted = QApplication::sendEvent(w, &e) && accepted;
            continue;
        }
        held = s.type == QEvent::MouseButtonRelease ? held & ~s.button : held | s.button;
        QMouseEvent e(s.type, s.pos, s.pos + QPointF(w->mapToGlobal(QPoint(0, 0))), s.button, held,
                      s.mods);
        accepted = QApplication::sendEvent(w, &e) && accepted;
    }
    return accepted;
}
