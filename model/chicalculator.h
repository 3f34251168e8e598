#pragma once

#include "model/chiarrays.h"
#include "model/feffpath.h"
#include "model/measuredchi.h"
#include "model/shell.h"

#include <QVector>

#include <memory>
#include <vector>

namespace rfft {
template<typename DataType>
class RealFFT;
}

// Turns shells and settings into chi(k), its parts and their transforms: the whole model without
// a widget or a QObject, so that fits can run copies of it on other threads. It keeps what does
// not change from one computation to the next (the transform's tables, each path's table
// interpolated onto the grid, the measured chi(k) resampled), so a slider step recomputes only
// what the step changed.
class ChiCalculator
{
public:
    struct Settings
    {
        int n = 2;
        double s02 = 1.0;
        double e0 = 0.0;
        bool useEnvelope = true;
        bool useWindow = true;
        bool useDebye = true;
        // "Use Env. Shape Selecter for PM": drawn shells without their envelopes.
        bool pm = false;
        ChiArrays::Scale scale = ChiArrays::Normalised;
        // W(k) at each computed sample; missing samples count as 0.
        QVector<double> window;
    };
    // Everything the windows show, or only chi(k) and its transform (what a fit compares).
    enum Extent { Everything, SumOnly };

    // The energy of a photoelectron of wave number 1 / Angstrom, in eV, inverted: e = k^2 - c E0.
    static constexpr double energyToK = 0.2624682917;
    // A shell at R = 0 would divide by zero; it is evaluated at this distance instead, which
    // shows the R -> 0 limit once normalised and keeps every sample finite.
    static constexpr double minR = 0.001;

    ChiCalculator();
    ChiCalculator(const ChiCalculator &other);
    ChiCalculator &operator=(const ChiCalculator &other);
    ~ChiCalculator();

    // k = kMin + i dk for i < count, computed below kMax; count is also the transform length.
    void setGrid(double kMin, double kMax, double dk, int count);
    double gridKMin() const { return kMin; }
    double gridKMax() const { return kMax; }
    double gridDk() const { return dk; }
    int gridCount() const { return count; }
    int gridValid() const { return nValid; }

    // current is the shell whose envelope envValues shows. data may be empty.
    void compute(const Settings &s, const QVector<Shell> &shells, int current,
                 const MeasuredChi &data, Extent extent, ChiArrays *out);

private:
    // A path's table interpolated at the q of each computed sample, for one E0.
    struct PathTable
    {
        FeffPath path;
        double e0 = 0.0;
        int samples = -1;
        QVector<double> q;
        QVector<double> phase;
        // amp * exp(-2 reff / lambda) / q, or 0 where the table says nothing.
        QVector<double> amplitude;
        QVector<double> realP;
        QVector<double> inverseLambda;
    };

    const PathTable &table(int shell, const FeffPath &path, double e0, int samples);
    void shellSamples(const Settings &s, const Shell &shell, int index, Extent extent,
                      double *values, double *bare, double *largest);
    void measured(const Settings &s, const MeasuredChi &data, ChiArrays *out);
    void transform(const QVector<double> &in, std::vector<double> *out, double factor);
    void ranges(ChiArrays::Scale scale, ChiArrays *out);
    static bool isPowerOfTwo(int n);

    double kMin = 0.0;
    double kMax = 0.0;
    double dk = 0.0;
    int count = -1;
    int nValid = 0;
    std::unique_ptr<rfft::RealFFT<double>> fft;
    // Per sample: k, k^(n - 1), k^n, q, for the n and E0 they were made for.
    QVector<double> k;
    QVector<double> kPower;
    QVector<double> kWeight;
    QVector<double> q;
    int powersFor = -1;
    double qFor = 0.0;
    std::vector<PathTable> tables;
    QVector<double> scratch;
    QVector<double> bareScratch;
    // The measured chi(k) on the computed samples, unweighted, and what it was made from.
    MeasuredChi resampledFrom;
    QVector<double> resampled;
};
