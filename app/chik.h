#pragma once

#include "ui_chik.h"

#include "model/inputfiles.h"
#include "plot/plotimage.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QVector>

#include "model/fitreport.h"
#include "model/scenario.h"

#include <optional>

class AWave;
class ChiR;
class FileChooser;
class ShellPanel;
class FitPanel;
class PlotScene;
class Scenario;
class MeasuredChi;

// The main window: the chi(k) plot above the parameter panel of each wave. It builds the whole
// program (the wave, its envelope, the chi(R) window), wires them together, and serves the menus
// of both windows.
class ChiK : public QMainWindow, private Ui_ChiK
{
    Q_OBJECT

public:
    enum Plot { ChiKPlot, ChiRPlot };

    explicit ChiK(QWidget *parent = nullptr);
    ~ChiK() override;

    // What both windows show, as the user set it.
    Scenario scenario() const;
    // Leaves both windows as if the user had set the scenario by hand: one recomputation, one
    // repaint of each plot.
    void applyScenario(const Scenario &s);

    DispArea *surface(Plot plot) const;
    // The table and the picture each export writes; the picture at the plot's current size.
    QByteArray table(Plot plot) const;
    QByteArray picture(Plot plot, PlotImage::Format format) const;

    // What the menus, a drop and the command line do once a file is chosen. A failure is shown
    // in a message box naming the file and the reason, and changes nothing.
    bool openScenarioFile(const QString &path);
    bool saveScenarioFile(const QString &path);
    bool exportTableFile(Plot plot, const QString &path);
    bool savePlotFile(Plot plot, const QString &path);
    // Columns kColumn and chiColumn (1-based) of a measured chi(k) file, shown beside the
    // simulation.
    bool openMeasuredFile(const QString &path, int kColumn, int chiColumn);
    // A shell for each FEFF path file, added after the others; all of them or, when one cannot
    // be read or the list would pass its limit, none.
    bool addPathFiles(const QStringList &paths);

    // Shows a measured chi(k) in both windows, with the chi(R) window's "Data" switched on.
    void showMeasured(const MeasuredChi &s);

    // View → Axis Titles and Legend, one setting for both windows' actions and plots.
    void setLabels(bool on);
    // Restores the View settings the user chose last and keeps each new choice in the user's
    // settings; without this call (fourk-export, tests) they are neither read nor written.
    void useSettings();

    // The files shown (the measured chi(k) file loaded, the scenario opened), which no save may
    // replace but a scenario saved over the scenario.
    InputFiles inputs;

    // Created by the constructor and deleted, with the waves' envelopes, by the destructor.
    ChiR *chiR = nullptr;
    QVector<AWave *> waves;

    // Fits the checked parameters to the measured chi(k) and shows the result, or says in the
    // fit dock why it cannot; the shells stay as they were unless the fit converged.
    bool fitShells();

signals:
    void finishing();

protected:
    // Closing the main window ends the program, so it takes the chi(R) window with it.
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    void fit();
    void undoFit();
    // While "Fit live" is on: refits when something the fit does not vary has changed.
    void refitLive();
    void draw(PlotScene *scene);
    void openScenario();
    // False when no scenario was saved: the dialog cancelled, or the file not written.
    bool saveScenario();
    // Marks both windows' titles: the scenario shown differs from the one last saved or opened.
    void markModified();
    // A scenario dropped while changes are unsaved, opened once the user has answered.
    void openScenarioAsking(const QString &path);
    void exportChiKTable();
    void exportChiRTable();
    void saveChiKPlot();
    void saveChiRPlot();
    void about();
    // FEFF path files among them become shells; otherwise the first file opens.
    void openFiles(const QStringList &paths);
    void addPaths();
    void shellCurvesChanged();
    // The user switched the labels in either window.
    void labelsChosen(bool on);
    void openMeasured();
    void closeMeasured();
    void columnsChosen();
    // Follows the wave: the status line, the "Data" selector and "Close Measured Data" are there
    // only while a measured chi(k) is loaded.
    void measuredChanged();

private:
    void setModified(bool modified);
    // While changes are unsaved, asks whether to save them first; false when the user cancels.
    bool settleChanges();
    // The question, with Save, Discard and Cancel.
    virtual QMessageBox::StandardButton askToSave();
    bool runFit(bool live);
    // What a live fit follows: everything the fit does not vary.
    QVector<double> fitContext() const;
    bool writeFile(const QString &path, const QByteArray &data, bool scenario = false);
    // The words a message names the measured chi(k) file by, and the inputs know it by.
    static QString measuredInput();
    void exportTable(Plot plot);
    void savePlot(Plot plot);
    void report(const QString &message);
    // Asks for the columns, without waiting: the file opens when the dialog is accepted.
    void askColumns(const QString &path);
    // The window whose menu or drop started a command: dialogs and messages belong to it.
    QWidget *commandWindow();

    // Follows chiR, so that the destructor cannot delete a window someone else already deleted.
    QPointer<ChiR> ownChiR;
    FileChooser *files;
    ShellPanel *shellPanel;
    FitPanel *fitPanel;
    // The scenarios before each fit, for Undo Fit; the last fit's report, saved in scenarios.
    QVector<Scenario> beforeFits;
    std::optional<FitReport> lastReport;
    QVector<double> fittedIn;
    bool liveUndoTaken = false;
    bool fitting = false;
    // Whether the View settings are kept in the user's settings.
    bool remembers = false;
    // The columns last asked for, offered again by the next dialog.
    int kColumn = 1;
    int chiColumn = 2;
    // The keys of a later version in the scenario applied last, saved again with it.
    QVector<QPair<QString, QByteArray>> laterKeys;
    // The rows the status line describes, so that a recomputation only writes the misfit anew.
    const double *describedRows = nullptr;
};
