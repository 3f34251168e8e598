#pragma once

#include <QObject>
#include <QPoint>

class QMouseEvent;
class QWheelEvent;

// Records the mouse events of one drawing surface and re-emits each as a signal without data;
// receivers read the recorded positions while the signal is being delivered.
class MouseC : public QObject
{
    Q_OBJECT

public:
    explicit MouseC(QObject *parent = nullptr);

    void recordMove(QMouseEvent *e);
    void recordPress(QMouseEvent *e);
    void recordRelease(QMouseEvent *e);
    void recordDoubleClick(QMouseEvent *e);
    void recordWheel(QWheelEvent *e);

    // Where the event happened on the widget, in whole pixels: the local position rounded half
    // up, as Qt 5's QMouseEvent::pos() gives it, with either Qt.
    static QPoint localPoint(const QMouseEvent *e);

    QPoint prevPos;
    QPoint curPos;
    QPoint pressPos;
    QPoint releasePos;
    QPoint dClickPos;
    bool pressed = false;
    Qt::MouseButton moveButton = Qt::NoButton;
    Qt::MouseButton pressButton = Qt::NoButton;
    Qt::MouseButton releaseButton = Qt::NoButton;
    Qt::MouseButton dClickButton = Qt::NoButton;
    Qt::KeyboardModifiers moveModifiers;
    Qt::KeyboardModifiers pressModifiers;
    Qt::KeyboardModifiers releaseModifiers;
    Qt::KeyboardModifiers dClickModifiers;

signals:
    void mMoved();
    void mPressed();
    void mReleased();
    void mDClicked();
    void wheelMoved(int step);
};
