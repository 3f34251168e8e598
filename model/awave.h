#pragma once

#include "model/measuredchi.h"

#include <QObject>
#include <QVector>

#include <vector>

class Envelope;
class Scenario;
class WaveCtrl;

// The model of one scattering shell. It samples
//   chi(k) = k^(n-1) * S0^2 * sin(2kR + P0 + P2*k^2) / R * [F(k)] * [W(k)] * [exp(-2 Sigma^2 k^2)]
// on a fixed k grid, each bracketed factor only while its switch on the panel is on, scales the
// result into -1 … 1 and transforms it, and its ingredients, to R space.
//
// The model creates its own parameter panel and recomputes on every change the panel, the window
// inside it or the envelope reports. It never deletes the panel: whoever places the panel in a
// window hands it over to that window.
class AWave : public QObject
{
    Q_OBJECT

public:
    AWave(double R, double P0, double S02);

    // Sets the sampling; takes effect at the next calcChi(). count is also the transform length.
    void setKGrid(double kMin, double kMax, double dk, int count);
    void calcChi();
    void calcFT();

    // The settings of the panel, its window and the envelope; the chi(R) selectors and the
    // pointer are left at their defaults, as they belong to the chi(R) window.
    Scenario scenario() const;
    // Sets every control as the user would by hand (sliders at the nearest step, read-outs
    // showing the exact values), recomputes once and emits updated() once.
    void setScenario(const Scenario &s);

    // Bin i of a transform array of count doubles in half-complex order; i may be negative (the
    // conjugate bin). ftIm reports the stored sine sum, so bin i is ftRe + i * ftIm of
    // sum x[n] * exp(+2 pi i n / count) for every |i| < count; bins from count on are 0.
    double ftRe(const double *a, int i) const;
    double ftIm(const double *a, int i) const;
    double ftAbs(const double *a, int i) const;

    // The measured chi(k) shown beside the simulation, empty when none is loaded. Setting it
    // recomputes once and emits updated() once.
    const MeasuredChi &measured() const { return spectrum; }
    bool hasMeasured() const { return !spectrum.isEmpty(); }
    void setMeasured(const MeasuredChi &s);

    WaveCtrl *ctrl = nullptr;
    int n = 2;
    double r = 0.0;
    double phi0 = 0.0;
    double phi2 = 0.0;
    double s02 = 0.0;
    double sig = 0.05;
    Envelope *envelope = nullptr;
    int count = -1;
    int nValid = 0;
    double kMin = 0.0;
    double kMax = 0.0;
    double dk = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
    double yAbsMax = 0.0;
    QVector<double> wave;
    QVector<double> chi;
    QVector<double> kGrid;
    QVector<double> envValues;
    QVector<double> winValues;
    // count doubles each once transformed; pass data() to the bin accessors.
    std::vector<double> ftWave;
    std::vector<double> ftChi;
    std::vector<double> ftEnv;
    std::vector<double> ftWin;
    // Only while a measured chi(k) is loaded, else empty: the measured chi(k) on the k grid,
    // weighted as chi is (k^n, W(k) when the window is switched in) and scaled to a largest
    // magnitude of 1 over the computed samples, 0 past them; its transform; and the misfit
    // sum (chi - data)^2 / sum data^2 over the computed samples (NaN if the data are all 0).
    QVector<double> measuredValues;
    std::vector<double> ftMeasured;
    double misfit = 0.0;
    double rMin = 0.0;
    double rMax = 0.0;
    double rAbsMax = 0.0;

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

public slots:
    void mMoved();
    void mPressed();
    void mReleased();

private:
    void calcMeasured(int computed, bool useWindow);
    void resampleMeasured(int computed);

    MeasuredChi spectrum;
    // The measured chi(k) interpolated onto the computed samples, unweighted; it changes only
    // with the spectrum or the grid, so a slider step need not search the rows again.
    QVector<double> measuredOnGrid;
    bool resampled = false;
};
