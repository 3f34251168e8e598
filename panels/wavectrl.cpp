#include "wavectrl.h"
#include "panels/parameterfield.h"
#include "panels/windowfunc.h"

#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

WaveCtrl::WaveCtrl(QWidget *parent)
    : QFrame(parent)
{
    setupUi(this);

    bars << NBar << RBar << Phi0Bar << Phi2Bar << SigBar;
    for (QLineEdit *readout : { NVal, RVal, Phi0Val, Phi2Val, SigVal }) {
        auto *field = new ParameterField(readout, Parameter::of(Parameter::Id(readouts.size())));
        readouts << field;
        connect(field, SIGNAL(valueChanged(double)), this, SLOT(typed(double)));
    }
    for (int i = 0; i < bars.size(); ++i) {
        const Parameter &p = Parameter::of(Parameter::Id(i));
        bars[i]->setRange(p.sliderMinimum(), p.sliderMaximum());
        setValue(p.id, p.initial);
        connect(bars[i], SIGNAL(valueChanged(int)), this, SLOT(slid(int)));
    }
    connect(Flat, SIGNAL(clicked()), this, SIGNAL(enFlat()));
    connect(SelEnvelope, SIGNAL(toggled(bool)), this, SIGNAL(newSelection()));
    connect(SelWindowF, SIGNAL(toggled(bool)), this, SIGNAL(newSelection()));
    connect(SelDebye, SIGNAL(toggled(bool)), this, SIGNAL(newSelection()));
    connect(doPM, SIGNAL(toggled(bool)), this, SIGNAL(newSelection()));
}

WaveCtrl::~WaveCtrl() = default;

bool WaveCtrl::setValue(Parameter::Id id, double v)
{
    if (id < 0 || id >= readouts.size() || !readouts[id]->setValue(v))
        return false;
    const QSignalBlocker quiet(bars[id]);
    bars[id]->setValue(Parameter::of(id).sliderPosition(v));
    return true;
}

double WaveCtrl::value(Parameter::Id id) const
{
    return id >= 0 && id < readouts.size() ? readouts[id]->value() : NAN;
}

// The value of a step divides the position by the scale, so that step 3 of R is the double
// nearest 0.3. The read-out is written before the signal: receivers may read it.
void WaveCtrl::slid(int position)
{
    const auto id = Parameter::Id(bars.indexOf(qobject_cast<QSlider *>(sender())));
    if (id < 0)
        return;
    const double v = Parameter::of(id).fromSlider(position);
    readouts[id]->setValue(v);
    announce(id, v);
}

void WaveCtrl::typed(double v)
{
    const auto id = Parameter::Id(readouts.indexOf(qobject_cast<ParameterField *>(sender())));
    if (id < 0)
        return;
    setValue(id, v);
    announce(id, v);
}

void WaveCtrl::announce(Parameter::Id id, double v)
{
    switch (id) {
    case Parameter::N:
        emit newN(int(v));
        break;
    case Parameter::R:
        emit newR(v);
        break;
    case Parameter::P0:
        emit newPhi0(v);
        break;
    case Parameter::P2:
        emit newPhi2(v);
        break;
    case Parameter::Sigma:
        emit newSig(v);
        break;
    default:
        break;
    }
}

void WaveCtrl::setWindowPos(int i, double p)
{
    WindowCtrl->setPos(i, p);
}
