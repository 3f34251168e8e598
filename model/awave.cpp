#include "awave.h"

#include "model/envelope.h"
#include "model/scenario.h"
#include "model/shellmodel.h"
#include "panels/parameter.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QString>

#include <algorithm>
#include <cmath>

AWave::AWave(double R, double P0, double S02)
    : shells(new ShellModel(this))
{
    ctrl = new WaveCtrl;
    config.s02 = S02;
    Shell first = shells->shell(0);
    first.r = R;
    first.p0 = P0;
    shells->setShells({ first });

    ctrl->setValue(Parameter::N, config.n);
    showCurrent();
    readSwitches();

    // Only now: the slider moves above must not reach the model.
    connect(ctrl, SIGNAL(newN(int)), this, SLOT(newN(int)));
    connect(ctrl, SIGNAL(newR(double)), this, SLOT(newR(double)));
    connect(ctrl, SIGNAL(newPhi0(double)), this, SLOT(newPhi0(double)));
    connect(ctrl, SIGNAL(newPhi2(double)), this, SLOT(newPhi2(double)));
    connect(ctrl, SIGNAL(newSig(double)), this, SLOT(newSig(double)));
    connect(ctrl->WindowCtrl, SIGNAL(updated()), this, SLOT(windowChanged()));
    connect(ctrl, SIGNAL(newSelection()), this, SLOT(newSelection()));
    connect(shells, SIGNAL(dataChanged(QModelIndex, QModelIndex, QVector<int>)), this,
            SLOT(shellsChanged()));
    connect(shells, SIGNAL(rowsInserted(QModelIndex, int, int)), this, SLOT(shellsReset()));
    connect(shells, SIGNAL(rowsRemoved(QModelIndex, int, int)), this,
            SLOT(shellsRemoved(QModelIndex, int, int)));
    connect(shells, SIGNAL(modelReset()), this, SLOT(shellsReset()));
}

void AWave::readSwitches()
{
    config.useEnvelope = ctrl->SelEnvelope->isChecked();
    config.useWindow = ctrl->SelWindowF->isChecked();
    config.useDebye = ctrl->SelDebye->isChecked();
    config.pm = ctrl->doPM->isChecked();
}

Scenario AWave::scenario() const
{
    Scenario s;
    s.n = config.n;
    s.s02 = config.s02;
    s.e0 = config.e0;
    s.scale = config.scale;
    s.shells = shells->shells();
    s.window = ctrl->WindowCtrl->positions;
    s.windowShape = ctrl->WindowCtrl->shape();
    s.useEnvelope = config.useEnvelope;
    s.useWindow = config.useWindow;
    s.useDebye = config.useDebye;
    s.pm = config.pm;
    s.data = spectrum;
    s.fit = fitting;
    return s;
}

void AWave::setScenario(const Scenario &s)
{
    {
        // Each control would recompute on its own; one recomputation follows instead. The shell
        // list is not blocked, as views follow it; its signals find the model busy.
        const QSignalBlocker panel(ctrl);
        const QSignalBlocker window(ctrl->WindowCtrl);
        const QSignalBlocker nodes(envelope);
        const QSignalBlocker self(this);

        config.n = s.n;
        config.s02 = s.s02;
        config.e0 = s.e0;
        config.scale = s.scale;
        ctrl->setValue(Parameter::N, config.n);
        // A drag in progress ends: its node or edge may no longer exist.
        ctrl->WindowCtrl->mReleased();
        ctrl->WindowCtrl->setPositions(s.window);
        ctrl->WindowCtrl->setShape(s.windowShape);
        ctrl->SelEnvelope->setChecked(s.useEnvelope);
        ctrl->SelWindowF->setChecked(s.useWindow);
        ctrl->SelDebye->setChecked(s.useDebye);
        ctrl->doPM->setChecked(s.pm);
        readSwitches();
        spectrum = s.data;
        fitting = s.fit;
        current = 0;
        shells->setShells(s.shells);
        showCurrent();
    }
    calcChi();
    emit updated();
}

void AWave::setMeasured(const MeasuredChi &s)
{
    spectrum = s;
    calcChi();
    emit updated();
}

void AWave::setCurrentShell(int row)
{
    row = std::max(0, std::min(row, shells->rowCount() - 1));
    if (row == current)
        return;
    current = row;
    showCurrent();
    calcChi();
    choosing = true;
    emit updated();
    choosing = false;
}

void AWave::showCurrent()
{
    const Shell &shell = shells->shell(current);
    for (Parameter::Id id : { Parameter::R, Parameter::P0, Parameter::P2, Parameter::Sigma })
        ctrl->setValue(id, shell.value(id));
    if (envelope) {
        envelope->dropNode();
        envelope->nodes = shell.envelope;
    }
}

void AWave::setS02(double v)
{
    if (!Parameter::of(Parameter::S02).isValid(v) || v == config.s02)
        return;
    config.s02 = v;
    calcChi();
    emit updated();
}

void AWave::setE0(double v)
{
    if (!Parameter::of(Parameter::E0).isValid(v) || v == config.e0)
        return;
    config.e0 = v;
    calcChi();
    emit updated();
}

void AWave::setScale(ChiArrays::Scale s)
{
    if (s == config.scale)
        return;
    config.scale = s;
    calcChi();
    emit updated();
}

void AWave::applyFit(const QVector<Shell> &fitted, double s02, double e0)
{
    {
        const QSignalBlocker self(this);
        shells->update(fitted);
        config.s02 = s02;
        config.e0 = e0;
        const Shell &shell = shells->shell(current);
        for (Parameter::Id id : { Parameter::R, Parameter::P0, Parameter::P2, Parameter::Sigma })
            ctrl->setValue(id, shell.value(id));
    }
    calcChi();
    emit updated();
}

void AWave::setKGrid(double kMin, double kMax, double dk, int count)
{
    calculator.setGrid(kMin, kMax, dk, count);
    this->count = calculator.gridCount();
    nValid = calculator.gridValid();
    this->kMin = calculator.gridKMin();
    this->kMax = calculator.gridKMax();
    this->dk = calculator.gridDk();
}

void AWave::calcChi()
{
    // W(k) is the panel's; the calculator takes its values at the computed samples.
    const WindowFunc *window = ctrl->WindowCtrl;
    const int samples = std::max(0, std::min(calculator.gridValid(), calculator.gridCount()));
    config.window.resize(samples);
    for (int i = 0; i < samples; ++i)
        config.window[i] = window->windowValue(i * calculator.gridDk() + calculator.gridKMin());
    calculator.compute(config, shells->shells(), current, spectrum, ChiCalculator::Everything,
                       this);
}

void AWave::edit(int id, double v)
{
    // The list announces the change, and shellsChanged() recomputes.
    shells->setValue(current, Parameter::Id(id), v);
}

void AWave::shellsChanged()
{
    if (signalsBlocked())
        return;
    calcChi();
    emit updated();
}

void AWave::shellsReset()
{
    if (signalsBlocked())
        return;
    current = std::max(0, std::min(current, shells->rowCount() - 1));
    showCurrent();
    calcChi();
    emit updated();
}

void AWave::shellsRemoved(const QModelIndex &, int first, int last)
{
    // The fit's names count the shells from 1: those of the removed shells go, later ones move up.
    QStringList vary;
    for (const QString &name : qAsConst(fitting.vary)) {
        int shell;
        Parameter::Id id;
        if (!FitSettings::parseName(name, Shell::maxCount, &shell, &id))
            continue;
        if (shell < first)
            vary << name;
        else if (shell > last)
            vary << FitSettings::name(shell - (last - first + 1), id);
    }
    fitting.vary = vary;
    shellsReset();
}

void AWave::setFitSettings(const FitSettings &f)
{
    fitting = f;
    QStringList vary;
    for (const QString &name : qAsConst(f.vary)) {
        int shell;
        Parameter::Id id;
        if (FitSettings::parseName(name, shells->rowCount(), &shell, &id) && !vary.contains(name))
            vary << name;
    }
    fitting.vary = vary;
    emit updated();
}

void AWave::envChanged()
{
    if (shells->shell(current).kind() == Shell::Drawn) {
        shells->setEnvelope(current, envelope->nodes);
        return;
    }
    calcChi();
    emit updated();
}

void AWave::windowChanged()
{
    calcChi();
    emit updated();
}

void AWave::newN(int N)
{
    config.n = N;
    calcChi();
    emit updated();
}

void AWave::newR(double R)
{
    edit(Parameter::R, R);
}

void AWave::newPhi0(double p0)
{
    edit(Parameter::P0, p0);
}

void AWave::newPhi2(double p2)
{
    edit(Parameter::P2, p2);
}

void AWave::newSig(double sig)
{
    edit(Parameter::Sigma, sig);
}

void AWave::newSelection()
{
    readSwitches();
    calcChi();
    emit updated();
}

void AWave::mMoved()
{
    if (envelope)
        envelope->dragNode();
    ctrl->WindowCtrl->mMoved();
}

void AWave::mPressed()
{
    if (envelope)
        envelope->pickNode();
    ctrl->WindowCtrl->mPressed();
}

void AWave::mReleased()
{
    if (envelope)
        envelope->dropNode();
    ctrl->WindowCtrl->mReleased();
}
