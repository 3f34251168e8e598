#include "chik.h"

#include "app/chir.h"
#include "app/filechooser.h"
#include "app/fitpanel.h"
#include "app/shellpanel.h"
#include "model/awave.h"
#include "model/csvtables.h"
#include "model/envelope.h"
#include "model/measuredchi.h"
#include "model/scenario.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/disparea.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QKeySequence>
#include <QSettings>

#include <cmath>

ChiK::ChiK(QWidget *parent)
    : QMainWindow(parent)
    , files(new FileChooser(this))
{
    setupUi(this);
    // The surface paints every pixel it is asked for, so Qt need not paint the window beneath it.
    DispA->setAttribute(Qt::WA_OpaquePaintEvent);

    auto *wave = new AWave(2.0, 0.0, 1.0);
    auto *envelope = new Envelope;
    for (int i = 0; i <= 16; ++i)
        envelope->nodes.append(QPointF(i, 1.0));
    wave->setKGrid(0.0, 16.0, 0.1, 1024);
    wave->envelope = envelope;
    connect(envelope, SIGNAL(updated()), wave, SLOT(envChanged()));
    connect(wave->ctrl, SIGNAL(enFlat()), envelope, SLOT(enFlat()));
    wave->calcChi();
    waves.append(wave);

    chiR = new ChiR;
    ownChiR = chiR;
    chiR->waveList = &waves;
    for (AWave *w : qAsConst(waves))
        connect(w, SIGNAL(updated()), chiR->DispA, SLOT(refresh()));
    connect(waves.constFirst(), SIGNAL(updated()), chiR, SLOT(showReadout()));
    chiR->showReadout();
    connect(waves.constFirst(), SIGNAL(updated()), this, SLOT(markModified()));
    connect(chiR, SIGNAL(changed()), this, SLOT(markModified()));
    chiR->show();

    for (int i = 0; i < waves.size(); ++i) {
        AWave *w = waves.at(i);
        // Both editors read the mouse on this plot and map it through this plot's range.
        w->envelope->mouse = &DispA->mouseRelay;
        w->ctrl->WindowCtrl->mouse = &DispA->mouseRelay;
        w->envelope->coord = &DispA->coord;
        w->ctrl->WindowCtrl->coord = &DispA->coord;
        WaveCtrlLayout->addWidget(w->ctrl, 0, i);
        connect(w, SIGNAL(updated()), DispA, SLOT(refresh()));
        connect(&DispA->mouseRelay, SIGNAL(mMoved()), w, SLOT(mMoved()));
        connect(&DispA->mouseRelay, SIGNAL(mPressed()), w, SLOT(mPressed()));
        connect(&DispA->mouseRelay, SIGNAL(mReleased()), w, SLOT(mReleased()));
    }

    connect(DispA, SIGNAL(draw(PlotScene *)), this, SLOT(draw(PlotScene *)));

    // The shell list docks beside the plot; it edits the first wave's shells.
    shellPanel = new ShellPanel(waves.constFirst());
    auto *dock = new QDockWidget(tr("Shells"), this);
    dock->setObjectName(QStringLiteral("ShellDock"));
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    dock->setWidget(shellPanel);
    addDockWidget(Qt::RightDockWidgetArea, dock);
    connect(shellPanel, SIGNAL(shellCurvesChanged()), this, SLOT(shellCurvesChanged()));

    fitPanel = new FitPanel(waves.constFirst());
    auto *fitDock = new QDockWidget(tr("Fit"), this);
    fitDock->setObjectName(QStringLiteral("FitDock"));
    fitDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    fitDock->setWidget(fitPanel);
    addDockWidget(Qt::RightDockWidgetArea, fitDock);
    actionUndoFit->setShortcut(QKeySequence::Undo);
    connect(fitPanel, SIGNAL(fitRequested()), this, SLOT(fit()));
    connect(fitPanel, SIGNAL(undoRequested()), this, SLOT(undoFit()));
    connect(actionFit, SIGNAL(triggered()), this, SLOT(fit()));
    connect(actionUndoFit, SIGNAL(triggered()), this, SLOT(undoFit()));
    connect(waves.constFirst(), SIGNAL(updated()), this, SLOT(refitLive()));
    connect(shellPanel->AddPaths, SIGNAL(clicked()), this, SLOT(addPaths()));

    actionOpenScenario->setShortcut(QKeySequence::Open);
    actionSaveScenario->setShortcut(QKeySequence::Save);
    actionQuit->setShortcut(QKeySequence::Quit);
    connect(actionOpenScenario, SIGNAL(triggered()), this, SLOT(openScenario()));
    connect(actionSaveScenario, SIGNAL(triggered()), this, SLOT(saveScenario()));
    connect(actionExportChiKTable, SIGNAL(triggered()), this, SLOT(exportChiKTable()));
    connect(actionExportChiRTable, SIGNAL(triggered()), this, SLOT(exportChiRTable()));
    connect(actionSaveChiKPlot, SIGNAL(triggered()), this, SLOT(saveChiKPlot()));
    connect(actionSaveChiRPlot, SIGNAL(triggered()), this, SLOT(saveChiRPlot()));
    connect(actionQuit, SIGNAL(triggered()), this, SLOT(close()));
    connect(actionAbout, SIGNAL(triggered()), this, SLOT(about()));
    connect(actionLabels, SIGNAL(triggered(bool)), this, SLOT(labelsChosen(bool)));
    connect(chiR->actionLabels, SIGNAL(triggered(bool)), this, SLOT(labelsChosen(bool)));
    connect(chiR->actionExportChiRTable, SIGNAL(triggered()), this, SLOT(exportChiRTable()));
    connect(chiR->actionSaveChiRPlot, SIGNAL(triggered()), this, SLOT(saveChiRPlot()));
    connect(chiR, SIGNAL(filesDropped(QStringList)), this, SLOT(openFiles(QStringList)));
    connect(actionOpenData, SIGNAL(triggered()), this, SLOT(openMeasured()));
    connect(actionCloseData, SIGNAL(triggered()), this, SLOT(closeMeasured()));
    connect(waves.constFirst(), SIGNAL(updated()), this, SLOT(measuredChanged()));
    // Room for the widest misfit shown with 3 digits.
    DataMisfit->setFixedSize(
        DataMisfit->fontMetrics().boundingRect(QStringLiteral("8.88e-888")).size() + QSize(2, 2));
    measuredChanged();
    setAcceptDrops(true);
    // The placeholder stays out of the translated titles.
    setWindowTitle(windowTitle() + QStringLiteral("[*]"));
    chiR->setWindowTitle(chiR->windowTitle() + QStringLiteral("[*]"));
}

// The window owns what its constructor made. The chi(R) window goes first, as it reads the waves
// at every paint; then each wave, and only then its envelope, which the wave reads. The panels
// are child widgets and go with the window; their connections to the waves and envelopes
// disappear with those.
ChiK::~ChiK()
{
    delete ownChiR.data();
    chiR = nullptr;
    QVector<Envelope *> envelopes;
    for (AWave *wave : qAsConst(waves)) {
        if (wave->envelope && !envelopes.contains(wave->envelope))
            envelopes.append(wave->envelope);
        delete wave;
    }
    waves.clear();
    qDeleteAll(envelopes);
}

Scenario ChiK::scenario() const
{
    Scenario s = waves.constFirst()->scenario();
    s.shellCurves = shellPanel->shellCurves();
    s.fitReport = lastReport;
    s.show = chiR->shown();
    s.pointer = chiR->pointerR;
    s.laterKeys = laterKeys;
    s.labels = actionLabels->isChecked();
    return s;
}

void ChiK::applyScenario(const Scenario &s)
{
    // Each step only schedules repaints, which the event loop then merges into one per plot.
    for (AWave *wave : qAsConst(waves))
        wave->setScenario(s);
    chiR->setShown(s.show);
    chiR->setPointer(s.pointer);
    shellPanel->setShellCurves(s.shellCurves);
    shellPanel->follow();
    lastReport = s.fitReport;
    fitPanel->showReport(s.fitReport ? *s.fitReport : FitReport());
    fittedIn.clear();
    laterKeys = s.laterKeys;
    setLabels(s.labels);
    // The data shown now are the scenario's, if any.
    inputs.set(measuredInput(), QString());
}

void ChiK::showMeasured(const MeasuredChi &s)
{
    for (AWave *wave : qAsConst(waves))
        wave->setMeasured(s);
    QStringList shown = chiR->shown();
    if (!shown.contains(QLatin1String("data")))
        chiR->setShown(shown << QStringLiteral("data"));
}

void ChiK::closeMeasured()
{
    for (AWave *wave : qAsConst(waves))
        wave->setMeasured(MeasuredChi());
    QStringList shown = chiR->shown();
    shown.removeAll(QStringLiteral("data"));
    chiR->setShown(shown);
    inputs.set(measuredInput(), QString());
}

void ChiK::measuredChanged()
{
    const AWave *wave = waves.constFirst();
    const bool loaded = wave->hasMeasured();
    DataStatus->setVisible(loaded);
    chiR->offerData(loaded);
    actionCloseData->setEnabled(loaded);
    if (!loaded) {
        DataFile->clear();
        return;
    }
    // Only the misfit changes while a slider moves. It has a label of its own, of a fixed size,
    // so that a new value repaints a few characters and never lays out the window again.
    const MeasuredChi &s = wave->measured();
    if (s.k.constData() != describedRows || DataFile->text().isEmpty()) {
        describedRows = s.k.constData();
        DataFile->setText(tr("%1 · %2 rows · k %3 … %4 Å⁻¹ · misfit")
                              .arg(s.file, QString::number(s.k.size()),
                                   QString::number(s.k.constFirst(), 'g', 4),
                                   QString::number(s.k.constLast(), 'g', 4)));
    }
    const double misfit = wave->misfit;
    DataMisfit->setText(std::isnan(misfit) ? QStringLiteral("–") : QString::number(misfit, 'g', 3));
}

DispArea *ChiK::surface(Plot plot) const
{
    return plot == ChiKPlot ? DispA : chiR->DispA;
}

QByteArray ChiK::table(Plot plot) const
{
    const AWave &wave = *waves.constFirst();
    return plot == ChiKPlot ? CsvTables::chiK(wave) : CsvTables::chiR(wave);
}

QByteArray ChiK::picture(Plot plot, PlotImage::Format format) const
{
    // The titles stay untranslated, so that a file does not depend on the interface language.
    return PlotImage::encode(surface(plot), format,
                             plot == ChiKPlot ? QStringLiteral("chi(k)")
                                              : QStringLiteral("Chi(R)"));
}

void ChiK::setLabels(bool on)
{
    if (actionLabels->isChecked() == on && chiR->actionLabels->isChecked() == on)
        return;
    actionLabels->setChecked(on);
    chiR->actionLabels->setChecked(on);
    DispA->refresh();
    chiR->DispA->refresh();
}

void ChiK::labelsChosen(bool on)
{
    setLabels(on);
    if (remembers)
        QSettings().setValue(QStringLiteral("labels"), on);
}

void ChiK::useSettings()
{
    remembers = true;
    setLabels(QSettings().value(QStringLiteral("labels"), false).toBool());
}

void ChiK::shellCurvesChanged()
{
    DispA->refresh();
}

void ChiK::markModified()
{
    if (!waves.constFirst()->choosingShell())
        setModified(true);
}

void ChiK::setModified(bool modified)
{
    // Qt sets the title again at every call, and a slider step calls it each time.
    if (modified == isWindowModified() && modified == chiR->isWindowModified())
        return;
    setWindowModified(modified);
    chiR->setWindowModified(modified);
}

void ChiK::closeEvent(QCloseEvent *event)
{
    if (!settleChanges()) {
        event->ignore();
        return;
    }
    emit finishing();
    event->accept();
}
