#pragma once

#include "ui_windowfunc.h"

#include <QFrame>
#include <QVector>

class ChCoord;
class MouseC;
class QLineEdit;

// Owns the window W(k): a trapezoid with cosine edges between four ascending k positions.
// The positions are edited in four fields or by dragging their handles, the points (edge, 0)
// of the plot whose mouse relay and coordinate system the owner binds to mouse and coord.
class WindowFunc : public QFrame, private Ui_WindowFunc
{
    Q_OBJECT

public:
    explicit WindowFunc(QWidget *parent = nullptr);
    ~WindowFunc() override;

    double windowValue(double k) const;
    // All four edges at once, in any order; ignored unless all four are finite.
    void setPositions(const QVector<double> &edges);

    MouseC *mouse = nullptr;
    ChCoord *coord = nullptr;
    bool dragging = false;
    int picked = -1;
    QVector<double> positions;
    QVector<QLineEdit *> posEdits;
    double riseFactor = 0;
    double fallFactor = 0;

signals:
    void updated();

private slots:
    void newPosInput();

public slots:
    void setPos(int i, double p);
    void mMoved();
    void mPressed();
    void mReleased();

private:
    // After the sorted positions changed: the tapers, the fields, and the signal.
    void edgesMoved();
};
