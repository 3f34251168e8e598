#pragma once

#include "panels/parameter.h"
#include "ui_wavectrl.h"

#include <QFrame>
#include <QVector>

class ParameterField;
class QSlider;

// The shell parameters: five sliders, each with a read-out that shows its value and takes a typed
// one; "Flat"; the factor switches, which the owner reads itself; and the window-function panel.
// A slider announces the value of its step, a typed value is announced exactly (its slider then
// stands at the nearest step). The form is public so the owner reaches the widgets directly.
class WaveCtrl : public QFrame, public Ui_WaveCtrl
{
    Q_OBJECT

public:
    explicit WaveCtrl(QWidget *parent = nullptr);
    ~WaveCtrl() override;

    // Places v as if set by hand, announcing nothing: the slider at the nearest step, the read-out
    // showing v. False, and nothing changes, for a parameter without a slider here or a value
    // its rule refuses (n must be whole).
    bool setValue(Parameter::Id id, double v);
    // The value held for a parameter with a slider here; NaN for any other.
    double value(Parameter::Id id) const;

signals:
    void newN(int N);
    void newR(double R);
    void newPhi0(double Phi0);
    void newPhi2(double Phi2);
    void newSig(double sig);
    void enFlat();
    void newSelection();

private slots:
    void slid(int position);
    void typed(double v);

public slots:
    void setWindowPos(int i, double p);

private:
    void announce(Parameter::Id id, double v);

    // Indexed by Parameter::Id, from N to Sigma.
    QVector<QSlider *> bars;
    QVector<ParameterField *> readouts;
};
