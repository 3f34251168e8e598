// The main window's File and Help menus, shared with the chi(R) window's File menu, and what a
// drop or the command line opens: scenarios and measured chi(k) files read, scenarios, tables
// and plots written all or nothing.

#include "app/chik.h"

#include "app/chir.h"
#include "app/columnsdialog.h"
#include "app/filechooser.h"
#include "app/filedrop.h"
#include "app/shellpanel.h"
#include "model/awave.h"
#include "model/feffpathfile.h"
#include "model/measuredchifile.h"
#include "model/outputfiles.h"
#include "model/scenario.h"
#include "model/scenariofile.h"
#include "model/shellmodel.h"
#include "plot/disparea.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMessageBox>

namespace {

QString scenarioFilter()
{
    return ChiK::tr("Fourk scenarios (*.fourk)");
}

} // namespace

bool ChiK::openScenarioFile(const QString &path)
{
    Scenario s;
    QString error;
    if (!ScenarioFile::read(path, &s, &error)) {
        report(error);
        return false;
    }
    applyScenario(s);
    inputs.set(tr("the scenario opened"), path, true);
    setModified(false);
    return true;
}

bool ChiK::saveScenarioFile(const QString &path)
{
    QByteArray json;
    QString error;
    if (!ScenarioFile::encode(scenario(), path, &json, &error)) {
        report(error);
        return false;
    }
    if (!writeFile(path, json, true))
        return false;
    setModified(false);
    return true;
}

bool ChiK::openMeasuredFile(const QString &path, int kColumn, int chiColumn)
{
    MeasuredChi s;
    QString error;
    if (!MeasuredChiFile::read(path, kColumn, chiColumn, &s, &error)) {
        report(error);
        return false;
    }
    showMeasured(s);
    inputs.set(measuredInput(), path);
    return true;
}

bool ChiK::exportTableFile(Plot plot, const QString &path)
{
    return writeFile(path, table(plot));
}

bool ChiK::savePlotFile(Plot plot, const QString &path)
{
    const PlotImage::Format format = PlotImage::formatOf(path);
    if (format == PlotImage::Unknown) {
        report(tr("%1: a plot is saved as a .png or an .svg file").arg(path));
        return false;
    }
    if (surface(plot)->size().isEmpty()) {
        report(tr("%1: the plot has no area to save; make its window larger").arg(path));
        return false;
    }
    const QByteArray data = picture(plot, format);
    if (data.isEmpty()) {
        const QSize size = surface(plot)->size();
        report(tr("%1: a picture of %2x%3 pixels does not fit in memory; make the window smaller")
                   .arg(path)
                   .arg(size.width())
                   .arg(size.height()));
        return false;
    }
    return writeFile(path, data);
}

QString ChiK::measuredInput()
{
    return tr("the measured chi(k) file shown");
}

bool ChiK::writeFile(const QString &path, const QByteArray &data, bool scenario)
{
    OutputFiles out(&inputs);
    out.add(path, data, QString(), scenario);
    if (out.write())
        return true;
    report(out.error);
    return false;
}

void ChiK::openScenario()
{
    if (!settleChanges())
        return;
    const QString path
        = files->openPath(commandWindow(), tr("Open Scenario"), { scenarioFilter() });
    if (!path.isEmpty())
        openScenarioFile(path);
}

bool ChiK::saveScenario()
{
    const QString path
        = files->savePath(commandWindow(), tr("Save Scenario"), { scenarioFilter() });
    return !path.isEmpty() && saveScenarioFile(path);
}

void ChiK::openScenarioAsking(const QString &path)
{
    if (settleChanges())
        openScenarioFile(path);
}

bool ChiK::settleChanges()
{
    if (!isWindowModified())
        return true;
    switch (askToSave()) {
    case QMessageBox::Save:
        return saveScenario();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

QMessageBox::StandardButton ChiK::askToSave()
{
    QMessageBox box(QMessageBox::Question, tr("Fourk"),
                    tr("The scenario has changed since it was last saved or opened. Save the "
                       "changes?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    commandWindow());
    box.setDefaultButton(QMessageBox::Save);
    return QMessageBox::StandardButton(box.exec());
}

void ChiK::exportChiKTable()
{
    exportTable(ChiKPlot);
}

void ChiK::exportChiRTable()
{
    exportTable(ChiRPlot);
}

void ChiK::exportTable(Plot plot)
{
    const QString path = files->savePath(
        commandWindow(), plot == ChiKPlot ? tr("Export chi(k) Table") : tr("Export Chi(R) Table"),
        { tr("CSV tables (*.csv)") });
    if (!path.isEmpty())
        exportTableFile(plot, path);
}

void ChiK::saveChiKPlot()
{
    savePlot(ChiKPlot);
}

void ChiK::saveChiRPlot()
{
    savePlot(ChiRPlot);
}

void ChiK::savePlot(Plot plot)
{
    const QString path = files->savePath(
        commandWindow(), plot == ChiKPlot ? tr("Save chi(k) Plot") : tr("Save Chi(R) Plot"),
        { tr("PNG images (*.png)"), tr("SVG drawings (*.svg)") });
    if (!path.isEmpty())
        savePlotFile(plot, path);
}

void ChiK::about()
{
    QMessageBox::about(
        commandWindow(), tr("About Fourk"),
        tr("<h3>Fourk %1</h3><p>Simulates the EXAFS oscillation chi(k) of one scattering shell "
           "and shows it beside its Fourier transform chi(R).</p><p>Qt %2</p>")
                .arg(QStringLiteral(FOURK_VERSION), QString::fromLatin1(qVersion()))
            // The acknowledgment MINPACK's licence asks for where such notices appear.
            + tr("<p>Fits use the Levenberg-Marquardt module of Eigen (Mozilla Public License "
                 "2.0), which derives from MINPACK. This product includes software developed by "
                 "the University of Chicago, as Operator of Argonne National Laboratory.</p>"));
}

void ChiK::openMeasured()
{
    const QString path = files->openPath(
        commandWindow(), tr("Open Measured chi(k)"),
        { tr("Measured chi(k) (*.chi *.chik *.dat *.txt *.csv)"), tr("All files (*)") });
    if (!path.isEmpty())
        askColumns(path);
}

bool ChiK::addPathFiles(const QStringList &paths)
{
    QVector<Shell> shells;
    for (const QString &path : paths) {
        FeffPath p;
        QString error;
        if (!FeffPathFile::read(path, &p, &error)) {
            report(error);
            return false;
        }
        shells.append(Shell::fromPath(p));
    }
    ShellModel *list = waves.constFirst()->shells;
    if (list->rowCount() + shells.size() > Shell::maxCount) {
        report(tr("FEFF paths not added: %1 more shells would pass the %2 the model takes (it "
                  "has %3)")
                   .arg(shells.size())
                   .arg(Shell::maxCount)
                   .arg(list->rowCount()));
        return false;
    }
    list->append(shells);
    for (const QString &path : paths)
        inputs.set(tr("the FEFF path file %1").arg(path), path);
    shellPanel->ShellTable->setCurrentIndex(list->index(list->rowCount() - 1, ShellModel::Name));
    return true;
}

void ChiK::addPaths()
{
    const QStringList paths
        = files->openPaths(commandWindow(), tr("Add FEFF Paths"),
                           { tr("FEFF path files (feff*.dat)"), tr("All files (*)") });
    if (!paths.isEmpty())
        addPathFiles(paths);
}

void ChiK::openFiles(const QStringList &paths)
{
    QStringList feff;
    for (const QString &path : paths) {
        if (FeffPathFile::isPathFileName(path))
            feff.append(path);
    }
    if (!feff.isEmpty()) {
        addPathFiles(feff);
        return;
    }
    const QString path = paths.value(0);
    if (path.isEmpty())
        return;
    // Anything but a scenario is taken for a measured chi(k).
    if (QFileInfo(path).suffix().compare(QLatin1String("fourk"), Qt::CaseInsensitive) != 0)
        askColumns(path);
    else if (!isWindowModified())
        openScenarioFile(path);
    else // the question waits for the user, so it comes after the drop has returned
        QMetaObject::invokeMethod(this, "openScenarioAsking", Qt::QueuedConnection,
                                  Q_ARG(QString, path));
}

void ChiK::askColumns(const QString &path)
{
    auto *dialog = new ColumnsDialog(path, kColumn, chiColumn, commandWindow());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (!dialog->hasPreview()) {
        // Nothing to choose from: the reader says what is wrong with the file.
        delete dialog;
        openMeasuredFile(path, kColumn, chiColumn);
        return;
    }
    connect(dialog, SIGNAL(accepted()), this, SLOT(columnsChosen()));
    // Not exec(): a drop must return before anything waits for the user.
    dialog->open();
}

void ChiK::columnsChosen()
{
    const auto *dialog = qobject_cast<const ColumnsDialog *>(sender());
    if (!dialog)
        return;
    kColumn = dialog->kColumn();
    chiColumn = dialog->chiColumn();
    openMeasuredFile(dialog->path(), kColumn, chiColumn);
}

void ChiK::dragEnterEvent(QDragEnterEvent *event)
{
    if (!FileDrop::localFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void ChiK::dropEvent(QDropEvent *event)
{
    const QStringList paths = FileDrop::localFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    openFiles(paths);
}

void ChiK::report(const QString &message)
{
    // Opened without an event loop of its own: the command returns at once, and the message
    // holds only its window until it is read.
    auto *box = new QMessageBox(QMessageBox::Warning, tr("Fourk"), message, QMessageBox::Ok,
                                commandWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

QWidget *ChiK::commandWindow()
{
    QWidget *active = QApplication::activeWindow();
    return active == chiR ? static_cast<QWidget *>(chiR) : this;
}
