// The main window's fits: run from the fit dock or the Edit menu, undone, and run again while
// "Fit live" is on and something the fit does not vary changes.

#include "app/chik.h"

#include "app/fitpanel.h"
#include "model/awave.h"
#include "model/shellfit.h"
#include "model/shellmodel.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"

bool ChiK::fitShells()
{
    return runFit(false);
}

void ChiK::fit()
{
    runFit(false);
}

bool ChiK::runFit(bool live)
{
    AWave *wave = waves.constFirst();
    ShellFit fit;
    QString error;
    if (!fit.setUp(wave->grid(), wave->settings(), wave->shells->shells(), wave->measured(),
                   wave->fitSettings(), wave->ctrl->WindowCtrl->positions, &error)) {
        fitPanel->showProblem(error);
        return false;
    }
    const FitReport report = fit.run();
    lastReport = report;
    fitPanel->showReport(report);
    Scenario before = scenario();
    QVector<Shell> fitted = before.shells;
    double s02 = before.s02;
    double e0 = before.e0;
    if (!report.converged || !ShellFit::apply(report, &fitted, &s02, &e0))
        return false;
    // A live fit keeps one way back: to before the first of its refits.
    if (!live || !liveUndoTaken) {
        before.fitReport.reset();
        beforeFits.append(before);
        liveUndoTaken = live;
    }
    actionUndoFit->setEnabled(true);
    fitPanel->setUndoable(true);
    fitting = true;
    wave->applyFit(fitted, s02, e0);
    fitting = false;
    fittedIn = fitContext();
    return true;
}

void ChiK::undoFit()
{
    if (beforeFits.isEmpty())
        return;
    Scenario before = beforeFits.takeLast();
    // The settings of the fit, and the view, stay as they are now: only the values go back.
    before.fit = waves.constFirst()->fitSettings();
    before.fit.live = false;
    before.labels = actionLabels->isChecked();
    fitting = true;
    applyScenario(before);
    fitting = false;
    liveUndoTaken = false;
    actionUndoFit->setEnabled(!beforeFits.isEmpty());
    fitPanel->setUndoable(!beforeFits.isEmpty());
}

QVector<double> ChiK::fitContext() const
{
    const AWave *wave = waves.constFirst();
    const FitSettings &f = wave->fitSettings();
    const ChiCalculator::Settings &s = wave->settings();
    QVector<double> c { double(s.n),
                        double(s.useEnvelope),
                        double(s.useWindow),
                        double(s.useDebye),
                        double(s.pm),
                        double(wave->ctrl->WindowCtrl->shape()),
                        double(f.space),
                        f.rMin,
                        f.rMax,
                        double(f.vary.size()),
                        double(reinterpret_cast<quintptr>(wave->measured().k.constData())) };
    c += wave->ctrl->WindowCtrl->positions;
    for (const QString &name : f.vary)
        c << double(qHash(name));
    for (Parameter::Id id : { Parameter::S02, Parameter::E0 }) {
        if (!f.vary.contains(FitSettings::name(-1, id)))
            c << (id == Parameter::S02 ? s.s02 : s.e0);
    }
    const QVector<Shell> &shells = wave->shells->shells();
    for (int i = 0; i < shells.size(); ++i) {
        c << double(shells.at(i).on);
        for (Parameter::Id id : Shell::parameters()) {
            if (!f.vary.contains(FitSettings::name(i, id)))
                c << shells.at(i).value(id);
        }
        for (const QPointF &node : shells.at(i).envelope)
            c << node.x() << node.y();
    }
    return c;
}

void ChiK::refitLive()
{
    const AWave *wave = waves.constFirst();
    if (!wave->fitSettings().live) {
        liveUndoTaken = false;
        return;
    }
    // Choosing another shell changes nothing to fit again.
    if (fitting || !wave->hasMeasured() || wave->choosingShell())
        return;
    // A varied value moved by hand is a new start, not a reason to fit again.
    const QVector<double> context = fitContext();
    if (context == fittedIn)
        return;
    fittedIn = context;
    runFit(true);
}
