#pragma once

#include "ui_chik.h"

#include <QMainWindow>
#include <QPointer>
#include <QVector>

class AWave;
class ChiR;
class QPainter;

// The main window: the chi(k) plot above the parameter panel of each wave. It builds the whole
// program (the wave, its envelope, the chi(R) window) and wires them together.
class ChiK : public QMainWindow, private Ui_ChiK
{
    Q_OBJECT

public:
    explicit ChiK(QWidget *parent = nullptr);
    ~ChiK() override;

    // Created by the constructor and deleted, with the waves' envelopes, by the destructor.
    ChiR *chiR = nullptr;
    QVector<AWave *> waves;

signals:
    void finishing();

protected:
    // Closing the main window ends the program, so it takes the chi(R) window with it.
    void closeEvent(QCloseEvent *event) override;

private slots:
    void draw(QPainter *p);

private:
    // Follows chiR, so that the destructor cannot delete a window someone else already deleted.
    QPointer<ChiR> ownChiR;
};
