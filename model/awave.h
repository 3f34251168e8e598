#pragma once

#include "model/chiarrays.h"
#include "model/chicalculator.h"
#include "model/fitsettings.h"
#include "model/measuredchi.h"

#include <QObject>
#include <QVector>

class Envelope;
class Scenario;
class ShellModel;
class WaveCtrl;

// The model the windows show: a list of shells summed into chi(k),
//   k^n * W(k) * sum over the shells of chi_shell(q),
// each shell evaluated at q = sign(e) sqrt|e|, e = k^2 - 0.2625 E0, a drawn one as
//   S0^2 N sin(2qR + P0 + P2 q^2) / (q R) * [F(k)] * [exp(-2 Sigma^2 q^2)]
// and a FEFF path by the EXAFS equation; then scaled into -1 … 1 (or left absolute) and
// transformed, with its ingredients, to R space.
//
// The model creates its own parameter panel, whose sliders edit the current shell, and
// recomputes on every change the panel, the window inside it, the envelope or the shell list
// reports. It never deletes the panel: whoever places the panel in a window hands it over to that
// window. The envelope, set by the owner, edits the current shell's nodes.
class AWave : public QObject, public ChiArrays
{
    Q_OBJECT

public:
    AWave(double R, double P0, double S02);

    // Sets the sampling; takes effect at the next calcChi(). count is also the transform length.
    void setKGrid(double kMin, double kMax, double dk, int count);
    void calcChi();

    // The settings of the panel, its window, the shells and the envelope; the chi(R) selectors
    // and the pointer are left at their defaults, as they belong to the chi(R) window.
    Scenario scenario() const;
    // Sets every control as the user would by hand (sliders at the nearest step, read-outs
    // showing the exact values), recomputes once and emits updated() once.
    void setScenario(const Scenario &s);

    // The measured chi(k) shown beside the simulation, empty when none is loaded. Setting it
    // recomputes once and emits updated() once.
    const MeasuredChi &measured() const { return spectrum; }
    bool hasMeasured() const { return !spectrum.isEmpty(); }
    void setMeasured(const MeasuredChi &s);

    // The shell the panel's sliders and the envelope edit.
    int currentShell() const { return current; }
    void setCurrentShell(int row);
    // True while updated() says only that another shell was chosen: the plots follow, but
    // nothing a scenario holds has changed.
    bool choosingShell() const { return choosing; }

    // The settings the calculator is handed; n, S0², E0 and the scale are the model's own.
    const ChiCalculator::Settings &settings() const { return config; }
    // The calculator, whose grid and path tables a fit copies.
    const ChiCalculator &grid() const { return calculator; }
    void setS02(double v);
    void setE0(double v);
    void setScale(ChiArrays::Scale s);
    // A fit's result: the shells' new values and S0², E0, as one change that leaves a drag in
    // progress and the current shell as they are; recomputes once and emits updated() once.
    void applyFit(const QVector<Shell> &fitted, double s02, double e0);

    // What a fit varies and compares; the R range is drawn on the chi(R) plot. Setting it emits
    // updated() once; names of shells the list does not have are dropped.
    const FitSettings &fitSettings() const { return fitting; }
    void setFitSettings(const FitSettings &f);

    WaveCtrl *ctrl = nullptr;
    Envelope *envelope = nullptr;
    // A child of the model.
    ShellModel *shells = nullptr;

signals:
    void updated();

private slots:
    void envChanged();
    void windowChanged();
    void newN(int N);
    void newR(double R);
    void newPhi0(double p0);
    void newPhi2(double p2);
    void newSig(double sig);
    void newSelection();
    void shellsChanged();
    void shellsReset();
    void shellsRemoved(const QModelIndex &parent, int first, int last);

public slots:
    void mMoved();
    void mPressed();
    void mReleased();

private:
    void edit(int id, double v);
    // The panel's sliders and the envelope show the current shell.
    void showCurrent();
    void readSwitches();

    ChiCalculator calculator;
    ChiCalculator::Settings config;
    MeasuredChi spectrum;
    int current = 0;
    bool choosing = false;
    FitSettings fitting;
};
