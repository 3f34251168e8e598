#pragma once

#include "ui_shellpanel.h"

#include <QFrame>

class AWave;
class ParameterField;
class QModelIndex;

// The shell list beside the plot: a table over the wave's shells (switch, name, kind and
// parameters, each cell typed in with the sliders' range rules), the buttons that add and remove
// shells, S0², E0, the scale, and the switch for the shells' own curves in the chi(k) plot. The
// selected row is the shell the wave's sliders and envelope edit.
class ShellPanel : public QFrame, private Ui_ShellPanel
{
    Q_OBJECT

public:
    explicit ShellPanel(AWave *wave, QWidget *parent = nullptr);

    bool shellCurves() const;
    void setShellCurves(bool on);

    using Ui_ShellPanel::AddPaths;
    using Ui_ShellPanel::ShellTable;

signals:
    // The chi(k) plot's thin shell curves were switched.
    void shellCurvesChanged();

public slots:
    // Shows what the wave holds now: S0², E0, the scale and the selected row.
    void follow();

private slots:
    void addShell();
    void removeShell();
    void rowChosen(const QModelIndex &current);
    void s02Typed(double v);
    void e0Typed(double v);
    void scaleChosen(int index);

private:
    AWave *wave;
    ParameterField *s02;
    ParameterField *e0;
};
