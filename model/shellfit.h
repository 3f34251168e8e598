#pragma once

#include "model/chiarrays.h"
#include "model/chicalculator.h"
#include "model/fitreport.h"
#include "model/fitsettings.h"
#include "model/measuredchi.h"
#include "model/shell.h"
#include "panels/parameter.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVector>

// Fits the shells to a measured chi(k), from plain values: no widget and no QObject, so that
// fits run on worker threads, each on a ShellFit of its own.
//
// The model and the data are weighted by k^n, windowed by W(k) and transformed alike, in the
// absolute scale and with the window switched in, whatever the windows show. In R space the fit
// compares the real and imaginary parts of chi(R) at every bin j dR inside [Rmin, Rmax]; in k
// space k^n W chi at every computed sample where W > 0. The values stay inside the parameters'
// slider ranges. N_idp = 1 + 2 dk dR / pi, dk between the window's mid-edges (a + b) / 2 and
// (c + d) / 2, dR = Rmax - Rmin, in either space.
class ShellFit
{
    Q_DECLARE_TR_FUNCTIONS(ShellFit)

public:
    // A varied parameter: its name, the shell it belongs to (-1 for S0² and E0) and which it is.
    struct Variable
    {
        QString name;
        int shell = -1;
        Parameter::Id id = Parameter::S02;
        double start = 0.0;
    };

    // Prepares a fit of shells under settings (n, S0², E0, the factor switches, and W at each
    // computed sample) against data, as fit says, on the grid of grid (a copy of it is kept, with
    // the path tables it has made); edges are the window's four edges, in any order. On refusal
    // (no data, a name that is no parameter of this model, nothing varied, no bin or sample to
    // compare, a window reaching past the data's ends, data that are zero where compared)
    // returns false, sets *error to one line, and keeps the fit it had.
    bool setUp(const ChiCalculator &grid, const ChiCalculator::Settings &settings,
               const QVector<Shell> &shells, const MeasuredChi &data, const FitSettings &fit,
               const QVector<double> &edges, QString *error);
    bool isSetUp() const { return !variables.isEmpty(); }
    // What setUp() refuses whatever the data: the names, the R range's bins, the window's samples.
    static bool check(const ChiCalculator &grid, const ChiCalculator::Settings &settings,
                      const QVector<Shell> &shells, const FitSettings &fit, QString *error);

    // Each varied value the report holds a value for starts there (as "Fit live" refits from the
    // last result); the others from the model. Values outside a range are left out.
    void startFrom(const FitReport &report);

    // Runs the fit. What the fitter refuses (as many variables as independent points or more) and
    // every failure come back in a report that did not converge, holding the start values.
    FitReport run();

    // Sets the values of a fit that converged into the shells and S0², E0. False, changing
    // nothing, for one that did not or that names a parameter the shells do not have.
    static bool apply(const FitReport &report, QVector<Shell> *shells, double *s02, double *e0);

    // The varied parameters, in the order of the fit's names.
    const QVector<Variable> &varied() const { return variables; }
    double independentPoints() const { return nIdp; }
    // Residuals a fit compares: two per bin in R, one per sample in k.
    int residualCount() const { return target.size(); }
    // The squared data part summed, which the R-factor is relative to.
    double dataSquares() const { return squares; }

private:
    // The varied parameters and the bins or samples compared, or false and *error.
    bool choose(const ChiCalculator &grid, const ChiCalculator::Settings &settings,
                const QVector<Shell> &shells, const FitSettings &fit, QString *error);
    // The part a fit compares, of chi (model) or of the measured chi(k) (data).
    void part(const ChiArrays &a, bool data, double *out) const;
    bool residuals(const double *values, double *out);

    ChiCalculator calculator;
    ChiCalculator::Settings settings;
    QVector<Shell> shells;
    QVector<Variable> variables;
    FitSettings::Space space = FitSettings::RSpace;
    // R: the first and last bin compared; k: the samples compared.
    int firstBin = 0;
    int lastBin = -1;
    QVector<int> samples;
    QVector<double> target;
    double squares = 0.0;
    double nIdp = 0.0;
    ChiArrays arrays;
};
