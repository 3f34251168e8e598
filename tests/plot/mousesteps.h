#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QVector>
#include <QWheelEvent>
#include <QWidget>

// Built mouse events, so that a held button travels with the moves of a drag.
struct MouseStep
{
    QEvent::Type type;
    QPointF pos;
    Qt::MouseButton button = Qt::NoButton;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
};
Q_DECLARE_METATYPE(MouseStep)
using MouseSteps = QVector<MouseStep>;
Q_DECLARE_METATYPE(MouseSteps)

// Sends the steps in order and tells whether the widget accepted every one.
inline bool sendSteps(QWidget *w, const MouseSteps &steps)
{
    Qt::MouseButtons held;
    bool accepted = true;
    for (const MouseStep &s : steps) {
        if (s.type == QEvent::MouseButtonPress || s.type == QEvent::MouseButtonDblClick)
            held |= s.button;
        else if (s.type == QEvent::MouseButtonRelease)
            held &= ~s.button;
        QMouseEvent e(s.type, s.pos, s.button, held, s.mods);
        accepted = QApplication::sendEvent(w, &e) && accepted;
    }
    return accepted;
}

inline MouseStep press(QPointF p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
{
    return { QEvent::MouseButtonPress, p, b, m };
}
inline MouseStep release(QPointF p, Qt::MouseButton b = Qt::LeftButton)
{
    return { QEvent::MouseButtonRelease, p, b, {} };
}
inline MouseStep move(QPointF p)
{
    return { QEvent::MouseMove, p };
}

// A wheel turn of delta eighths of a degree, and of across sideways.
inline bool sendWheel(QWidget *w, int delta, int across = 0)
{
    QWheelEvent e(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(across, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    return QApplication::sendEvent(w, &e);
}
