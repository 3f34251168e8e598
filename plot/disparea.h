#pragma once

#include "chcoord.h"
#include "drawtext.h"
#include "mousec.h"

#include <QFrame>

class QPainter;

// The widget both plots are drawn on. It draws nothing itself: each paint event sizes the
// coordinate system to the widget and hands a painter to whoever listens to draw(); each mouse
// event goes to the relay, which records it and signals.
class DispArea : public QFrame
{
    Q_OBJECT

public:
    explicit DispArea(QWidget *parent = nullptr);

    ChCoord coord;
    MouseC mouseRelay;
    DrawText textDrawer;

signals:
    void draw(QPainter *p);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
};
