#pragma once

#include <QVector>

#include <vector>

// What one computation of the model gives, on a k grid of count samples of which the first
// nValid are computed (the rest are 0, as padding for the transforms): chi(k) summed over the
// shells, each shell's part, the bare oscillation, the envelope and window factors, the measured
// chi(k) weighted as chi is, and the transforms of each. In the normalised scale chi(k) and the
// shells lie within -1 … 1; in the absolute scale they are k^n * chi * [W] as computed, and the
// transforms carry the factor dk / sqrt(pi) that analysis programs use.
class ChiArrays
{
public:
    enum Scale { Normalised, Absolute };

    // Bin i of a transform array of count doubles in half-complex order; i may be negative (the
    // conjugate bin). ftIm reports the stored sine sum, so bin i is ftRe + i * ftIm of
    // sum x[n] * exp(+2 pi i n / count) for every |i| < count; bins from count on are 0.
    double ftRe(const double *a, int i) const;
    double ftIm(const double *a, int i) const;
    double ftAbs(const double *a, int i) const;
    // The computed samples, those below nValid and count.
    int computed() const;
    // The spacing of the transforms' bins in R.
    double binSpacing() const;

    Scale scale = Normalised;
    int count = -1;
    int nValid = 0;
    double kMin = 0.0;
    double kMax = 0.0;
    double dk = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
    double yAbsMax = 0.0;
    QVector<double> kGrid;
    QVector<double> chi;
    QVector<double> wave;
    QVector<double> envValues;
    QVector<double> winValues;
    // One array per shell of the list, in its order, as chi is; an off shell's is all 0.
    QVector<QVector<double>> shellValues;
    // count doubles each once transformed; pass data() to the bin accessors.
    std::vector<double> ftWave;
    std::vector<double> ftChi;
    std::vector<double> ftEnv;
    std::vector<double> ftWin;
    std::vector<std::vector<double>> ftShells;
    // Only while a measured chi(k) is loaded, else empty: the measured chi(k) on the k grid,
    // weighted as chi is (k^n, W(k) when the window is switched in), in the normalised scale
    // scaled to a largest magnitude of 1 over the computed samples, 0 past them; its transform;
    // and the misfit sum (chi - data)^2 / sum data^2 over the computed samples, comparing shapes
    // (each curve over its own largest magnitude) in the normalised scale and the curves as they
    // are in the absolute one (NaN if the data are all 0).
    QVector<double> measuredValues;
    std::vector<double> ftMeasured;
    double misfit = 0.0;
    double rMin = 0.0;
    double rMax = 0.0;
    double rAbsMax = 0.0;
};
