#pragma once

#include "ui_chir.h"

#include <QMainWindow>
#include <QVector>

class AWave;
class ChCoord;
class MouseC;
class ParameterField;
class QAbstractButton;
class PlotScene;

// The chi(R) window: the transforms of the main window's waves over R, and of the measured chi(k)
// while one is loaded, chosen by independent selectors, with a pointer line that is dragged along R
// and read out beside them.
class ChiR : public QMainWindow, private Ui_ChiR
{
    Q_OBJECT

public:
    explicit ChiR(QWidget *parent = nullptr);
    ~ChiR() override;

    // The main window repaints this surface whenever a wave changes, and serves the File menu.
    using Ui_ChiR::actionExportChiRTable;
    using Ui_ChiR::actionLabels;
    using Ui_ChiR::actionSaveChiRPlot;
    using Ui_ChiR::DispA;

    // The selectors switched on, by the names scenarios give them.
    QStringList shown() const;
    void setShown(const QStringList &names);
    // "Data" is offered only while a measured chi(k) is loaded.
    void offerData(bool loaded);
    // As a drag or a typed value would leave it; the field shows it with the digits it needs.
    void setPointer(double r);
    // Whether the fit's R range is drawn: while measured data are loaded and the fit, comparing
    // in R, varies something.
    bool showsRange() const;
    static QColor bandColour();

    MouseC *mouseRelay;
    ChCoord *coord;
    bool dragging = false;
    // The end of the fit's R range being dragged: 0 the lower, 1 the upper, -1 none.
    int rangeEnd = -1;
    double pointerR = 2.0;
    // The main window's list, read at every paint; set by the main window before the first one.
    const QVector<AWave *> *waveList = nullptr;

signals:
    // A local file dropped on the window; the main window opens it.
    void filesDropped(const QStringList &paths);
    // The pointer moved, by a drag or by typing, or a selector switched: what scenarios keep of
    // this window changed.
    void changed();

public slots:
    // R and the parts of chi(R) shown, at the pointer, as the plot draws them.
    void showReadout();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    void drawR(PlotScene *scene);
    void mMoved();
    void mPressed();
    void mReleased();
    void pointerTyped(double r);

private:
    // In the order of Scenario::selectorNames().
    QVector<QAbstractButton *> selectors() const;

    ParameterField *pointerField;
};
