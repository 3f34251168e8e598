#pragma once

#include "chcoord.h"
#include "drawtext.h"
#include "mousec.h"
#include "plotframe.h"
#include "plotscene.h"

#include <QFrame>

class QPainter;

// The widget both plots are drawn on. It draws nothing of its own: at each paint whoever listens
// to draw() describes the plot in a scene, after the coordinate system has been sized to the
// widget, and the widget paints the scene; on a repaint of the window that it asked for with
// refresh(), only what changed since the last one. Each mouse event goes to the relay, which
// records it and signals.
class DispArea : public QFrame
{
    Q_OBJECT

public:
    explicit DispArea(QWidget *parent = nullptr);

    ChCoord coord;
    MouseC mouseRelay;
    DrawText textDrawer;

public slots:
    // Repaints the plot, painting on the window only what changed.
    void refresh();

signals:
    void draw(PlotScene *scene);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    // The scene described anew, at the widget's size.
    void describe();

    PlotScene scene;
    PlotFrame frame;
    // The next paint on the window is one this widget asked for.
    bool asked = false;
    // Which picture of the window, and where in it, the last whole paint on the window went to.
    qint64 painted = -1;
    QPoint paintedAt;
};
