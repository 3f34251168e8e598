#pragma once

#include "chcoord.h"
#include "drawtext.h"
#include "mousec.h"
#include "plotframe.h"
#include "plotscene.h"

#include <QFrame>

class QPainter;

// The widget both plots are drawn on. It draws nothing of its own: at each paint after a
// refresh() whoever listens to draw() describes the plot in a scene, after the coordinate system
// has been sized to the widget, and the widget brings its picture of the plot up to date and
// copies it to the window, on a repaint it asked for only the pixels that changed. Each mouse
// event goes to the relay, which records it and signals.
class DispArea : public QFrame
{
    Q_OBJECT

public:
    explicit DispArea(QWidget *parent = nullptr);

    ChCoord coord;
    MouseC mouseRelay;
    DrawText textDrawer;

public slots:
    // Has the plot described anew for the next paint, which repaints only what changed.
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
    // The picture may no longer show what draw() would describe.
    bool stale = true;
    // Where the picture changed since the last paint on the window.
    QVector<QRect> changed;
    // The next paint on the window is one this widget asked for.
    bool asked = false;
    // Which picture of the window, and where in it, the last paint on the window went to.
    qint64 painted = -1;
    QPoint paintedAt;
};
