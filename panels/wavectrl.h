#pragma once

#include "ui_wavectrl.h"

#include <QFrame>

// The shell parameters: five sliders, each turned into its physical value, shown beside it and
// announced; "Flat"; the factor switches, which the owner reads itself; and the window-function
// panel. The form is public so the owner reaches the widgets directly.
class WaveCtrl : public QFrame, public Ui_WaveCtrl
{
    Q_OBJECT

public:
    explicit WaveCtrl(QWidget *parent = nullptr);
    ~WaveCtrl() override;

signals:
    void newN(int N);
    void newR(double R);
    void newPhi0(double Phi0);
    void newPhi2(double Phi2);
    void newSig(double sig);
    void enFlat();
    void newSelection();

private slots:
    void selectedNewN(int n);
    void selectedNewR(int r);
    void selectedNewPhi0(int p);
    void selectedNewPhi2(int p);
    void selectedNewSig(int s);

public slots:
    void setWindowPos(int i, double p);
};
