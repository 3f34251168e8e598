#include "wavectrl.h"
#include "panels/windowfunc.h"

#include <QString>

WaveCtrl::WaveCtrl(QWidget *parent)
    : QFrame(parent)
{
    setupUi(this);

    // Connected only now, so the form's initial slider values leave the read-outs empty: the
    // owner writes them with its own parameters.
    connect(NBar, SIGNAL(valueChanged(int)), this, SLOT(selectedNewN(int)));
    connect(RBar, SIGNAL(valueChanged(int)), this, SLOT(selectedNewR(int)));
    connect(Phi0Bar, SIGNAL(valueChanged(int)), this, SLOT(selectedNewPhi0(int)));
    connect(Phi2Bar, SIGNAL(valueChanged(int)), this, SLOT(selectedNewPhi2(int)));
    connect(SigBar, SIGNAL(valueChanged(int)), this, SLOT(selectedNewSig(int)));
    connect(Flat, SIGNAL(clicked()), this, SIGNAL(enFlat()));
    connect(SelEnvelope, SIGNAL(toggled(bool)), this, SIGNAL(newSelection()));
    connect(SelWindowF, SIGNAL(toggled(bool)), this, SIGNAL(newSelection()));
    connect(SelDebye, SIGNAL(toggled(bool)), this, SIGNAL(newSelection()));
    connect(doPM, SIGNAL(toggled(bool)), this, SIGNAL(newSelection()));
}

WaveCtrl::~WaveCtrl() = default;

// Each slot divides rather than multiplies by the step, so slider value 3 gives the double
// nearest 0.3. The read-out is written before the signal: receivers may read it.

void WaveCtrl::selectedNewN(int n)
{
    NVal->setText(QString::number(n, 10));
    emit newN(n);
}

void WaveCtrl::selectedNewR(int r)
{
    const double value = double(r) / 10.0;
    RVal->setText(QString::number(value, 'g', 6));
    emit newR(value);
}

void WaveCtrl::selectedNewPhi0(int p)
{
    const double value = double(p) / 10.0;
    Phi0Val->setText(QString::number(value, 'g', 6));
    emit newPhi0(value);
}

void WaveCtrl::selectedNewPhi2(int p)
{
    const double value = double(p) / 100.0;
    Phi2Val->setText(QString::number(value, 'g', 6));
    emit newPhi2(value);
}

void WaveCtrl::selectedNewSig(int s)
{
    const double value = double(s) / 1000.0;
    SigVal->setText(QString::number(value, 'g', 6));
    emit newSig(value);
}

void WaveCtrl::setWindowPos(int i, double p)
{
    WindowCtrl->setPos(i, p);
}
