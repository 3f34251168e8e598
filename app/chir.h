#pragma once

#include "ui_chir.h"

#include <QMainWindow>
#include <QVector>

class AWave;
class ChCoord;
class MouseC;
class QPainter;

// The chi(R) window: the transforms of the main window's waves over R, chosen by seven
// independent selectors, with a pointer line that is dragged along R and read out beside them.
class ChiR : public QMainWindow, private Ui_ChiR
{
    Q_OBJECT

public:
    explicit ChiR(QWidget *parent = nullptr);
    ~ChiR() override;

    // The main window repaints this surface whenever a wave changes.
    using Ui_ChiR::DispA;

    MouseC *mouseRelay;
    ChCoord *coord;
    bool dragging = false;
    double pointerR = 2.0;
    // The main window's list, read at every paint; set by the main window before the first one.
    const QVector<AWave *> *waveList = nullptr;

private slots:
    void drawR(QPainter *p);
    void mMoved();
    void mPressed();
    void mReleased();
};
