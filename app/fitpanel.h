#pragma once

#include "ui_fitpanel.h"

#include "model/fitreport.h"

#include <QFrame>

class AWave;
class ParameterField;
class QTreeWidgetItem;

// The fit's dock: every parameter that can vary with a check box and its value (S0², E0, and
// per shell N, R, Sigma, P0, P2), the space and R range compared, "Fit", "Undo Fit", "Fit live",
// and the last report. It edits the wave's fit settings; the main window runs the fits.
class FitPanel : public QFrame, private Ui_FitPanel
{
    Q_OBJECT

public:
    explicit FitPanel(AWave *wave, QWidget *parent = nullptr);

    // The report's text: each value with its uncertainty, the strong correlations, the figures.
    static QString reportText(const FitReport &report);
    // A value to the digits its uncertainty leaves meaningful: 2.5432 ± 0.0021.
    static QString withUncertainty(double value, double uncertainty);
    void showReport(const FitReport &report);
    void showProblem(const QString &message);
    void setUndoable(bool on);

    using Ui_FitPanel::FitButton;
    using Ui_FitPanel::LiveBox;
    using Ui_FitPanel::Parameters;
    using Ui_FitPanel::Report;
    using Ui_FitPanel::UndoButton;

signals:
    void fitRequested();
    void undoRequested();

public slots:
    // Shows the wave's fit settings, its shells and their values.
    void follow();

private slots:
    void itemChanged(QTreeWidgetItem *item, int column);
    void spaceChosen(int index);
    void rangeTyped();
    void liveToggled(bool on);

private:
    void rebuild();
    QTreeWidgetItem *item(QTreeWidgetItem *parent, const QString &title, const QString &name);

    AWave *wave;
    ParameterField *rMin;
    ParameterField *rMax;
    // What the tree was built for: the shells' names.
    QStringList builtFor;
    QVector<QTreeWidgetItem *> items;
    bool filling = false;
    bool resized = false;
    FitReport last;
};
