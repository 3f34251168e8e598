#include "chicalculator.h"

#include "model/envelope.h"
#include "rfft/RealFFT"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Largest magnitude any stored sample or factor may take. Extreme envelope nodes or window edges
// can give factors, or products of them, beyond the double range; a bound this far below it
// still lets the transforms sum a full grid of such samples without overflowing.
constexpr double sampleLimit = 1e290;

// Keeps NaN and overflow out of the arrays: NaN (0 * inf, inf - inf) counts as 0, anything
// larger than the limit as the limit. Ordinary values pass unchanged.
double bounded(double v)
{
    if (std::isnan(v))
        return 0.0;
    return std::min(std::max(v, -sampleLimit), sampleLimit);
}

inline double magnitude(double re, double im)
{
    const double m = std::sqrt(im * im + re * re);
    // Beyond 1e154 the squares overflow though the magnitude itself is a double.
    if (std::isinf(m) && std::isfinite(re) && std::isfinite(im))
        return std::hypot(re, im);
    return m;
}

bool samePath(const FeffPath &a, const FeffPath &b)
{
    // Copies share their arrays, so a path compared with its own copy costs nothing.
    if (a.reff != b.reff || a.k != b.k)
        return false;
    for (int c = 0; c < FeffPath::ColumnCount; ++c) {
        if (a.columns[c] != b.columns[c])
            return false;
    }
    return true;
}

// The first on shell's samples start the sum as they are, so that one shell gives its own
// samples bit for bit (0 + -0 would be +0).
void accumulate(double *sum, const double *add, int n, bool first)
{
    if (first) {
        std::copy(add, add + n, sum);
        return;
    }
    for (int i = 0; i < n; ++i)
        sum[i] = bounded(sum[i] + add[i]);
}

} // namespace

ChiCalculator::ChiCalculator() = default;

ChiCalculator::ChiCalculator(const ChiCalculator &other)
{
    *this = other;
}

ChiCalculator &ChiCalculator::operator=(const ChiCalculator &other)
{
    if (this == &other)
        return *this;
    kMin = other.kMin;
    kMax = other.kMax;
    dk = other.dk;
    count = other.count;
    nValid = other.nValid;
    // The transform's scratch space is its own: each copy makes its tables anew when it needs them.
    fft.reset();
    k = other.k;
    kPower = other.kPower;
    kWeight = other.kWeight;
    q = other.q;
    powersFor = other.powersFor;
    qFor = other.qFor;
    tables = other.tables;
    resampledFrom = other.resampledFrom;
    resampled = other.resampled;
    return *this;
}

ChiCalculator::~ChiCalculator() = default;

void ChiCalculator::setGrid(double kMin, double kMax, double dk, int count)
{
    this->kMin = kMin;
    this->kMax = kMax;
    this->count = count;
    if (kMin > kMax)
        std::swap(this->kMin, this->kMax);
    this->dk = dk;
    if (dk > 0.0) {
        const double steps = (this->kMax - this->kMin) / dk;
        // A step tiny against the range would overflow the int; NaN bounds give no samples.
        if (!(steps > 0.0))
            nValid = 0;
        else if (steps >= INT_MAX)
            nValid = INT_MAX;
        else
            nValid = static_cast<int>(steps);
    } else {
        nValid = 1;
    }
    fft.reset();
    powersFor = -1;
    k.clear();
    q.clear();
    tables.clear();
    resampledFrom = MeasuredChi();
    resampled.clear();
}

const ChiCalculator::PathTable &ChiCalculator::table(int shell, const FeffPath &path, double e0,
                                                     int samples)
{
    if (int(tables.size()) <= shell)
        tables.resize(size_t(shell) + 1);
    PathTable &t = tables[size_t(shell)];
    if (t.samples == samples && t.e0 == e0 && samePath(t.path, path))
        return t;
    t.path = path;
    t.e0 = e0;
    t.samples = samples;
    for (QVector<double> *a : { &t.q, &t.phase, &t.amplitude, &t.realP, &t.inverseLambda })
        a->resize(samples);
    const double *pk = path.k.constData();
    const int rows = path.rows();
    const double *const *c = nullptr;
    const double *column[FeffPath::ColumnCount];
    for (int i = 0; i < FeffPath::ColumnCount; ++i)
        column[i] = path.columns[i].constData();
    c = column;
    int j = 1;
    for (int i = 0; i < samples; ++i) {
        const double x = q[i];
        t.q[i] = x;
        // Outside its table the path says nothing: below the table's first k (a photoelectron
        // below the shifted edge) and past its last.
        if (!(x >= pk[0] && x <= pk[rows - 1]) || rows < 2) {
            t.phase[i] = t.amplitude[i] = t.realP[i] = t.inverseLambda[i] = 0.0;
            continue;
        }
        if (j > 1 && pk[j - 1] > x)
            j = 1;
        while (j < rows - 1 && pk[j] < x)
            ++j;
        // Straight lines between the table's rows: FEFF's own sums agree with them to a few
        // parts in a thousand of their largest value.
        const double f = (x - pk[j - 1]) / (pk[j] - pk[j - 1]);
        const auto at = [&](int col) { return c[col][j - 1] + (c[col][j] - c[col][j - 1]) * f; };
        const double lambda = at(FeffPath::Lambda);
        t.phase[i] = at(FeffPath::RealPhc) + at(FeffPath::PhaseFeff);
        t.realP[i] = at(FeffPath::RealP);
        t.inverseLambda[i] = 1.0 / lambda;
        const double amp = at(FeffPath::MagFeff) * at(FeffPath::RedFactor);
        t.amplitude[i] = x != 0.0 ? bounded(amp * std::exp(-2.0 * path.reff / lambda) / x) : 0.0;
    }
    return t;
}

void ChiCalculator::shellSamples(const Settings &s, const Shell &shell, int index, Extent extent,
                                 double *values, double *bare, double *largest)
{
    const int computed = k.size();
    const double *window = s.window.constData();
    const int windowSize = s.window.size();
    const auto windowAt
        = [window, windowSize](int i) { return i < windowSize ? bounded(window[i]) : 0.0; };
    double top = *largest;
    const auto extend = [&top](double v) { top = std::max(top, std::fabs(v)); };
    const bool wantBare = extent == Everything;

    if (shell.kind() == Shell::Drawn) {
        const bool flat = s.pm || shell.envelope.isEmpty();
        const bool onGrid = s.e0 == 0.0;
        // Locals, not the members: the stores into the arrays could otherwise alias them.
        const double amplitude = s.s02 * shell.degeneracy;
        const double shellR = std::max(shell.r, minR);
        const double p0 = shell.p0;
        const double p2 = shell.p2;
        const double sigma = shell.sigma;
        for (int i = 0; i < computed; ++i) {
            const double kk = k[i];
            double v;
            if (onGrid) {
                const double a = ((shellR + shellR) * kk + p0) + (p2 * kk) * kk;
                v = std::sin(a) * amplitude;
                v = bounded((kPower[i] * v) / shellR);
            } else {
                const double x = q[i];
                const double a = ((shellR + shellR) * x + p0) + (p2 * x) * x;
                v = std::sin(a) * amplitude;
                v = x != 0.0 ? bounded(((kWeight[i] / x) * v) / shellR) : 0.0;
            }
            if (wantBare)
                bare[i] = v;

            if (!flat && s.useEnvelope) {
                // The envelope is drawn over k, and multiplies what is drawn there.
                const double e = bounded(Envelope::valueAt(shell.envelope, kk));
                v = bounded(v * e);
                extend(e);
            }
            const double w = windowAt(i);
            if (s.useWindow) {
                v = bounded(v * w);
                extend(w);
            }
            if (s.useDebye) {
                const double x = onGrid ? kk : q[i];
                const double d = bounded(std::exp(sigma * ((x * (x * -2.0)) * sigma)));
                v = bounded(v * d);
                extend(d);
            }
            values[i] = v;
            extend(v);
        }
        *largest = top;
        return;
    }

    // A FEFF path, by the EXAFS equation with the complex wave number p = a + i b
    // (a = real[p], b = 1 / lambda), dR = R - reff and D = dR - 2 Sigma^2 / reff:
    //   chi(q) = Im{ N S0^2 amp / (q R^2) exp(-2 reff b - 2 p^2 Sigma^2)
    //                exp(i (2 q reff + phase + P0 + P2 q^2 + 2 p D)) }
    // With p^2 = a^2 - b^2 + 2iab and 2pD = 2aD + 2ibD this is a real amplitude times a sine:
    //   N S0^2 amp exp(-2 reff b) / (q R^2) exp(-2 Sigma^2 (a^2 - b^2) - 2 b D)
    //   sin(2 q reff + phase + P0 + P2 q^2 + 2 a D - 4 Sigma^2 a b)
    const PathTable &t = table(index, shell.path, s.e0, computed);
    const double reff = shell.path.reff;
    const double shellR = std::max(shell.r, minR);
    const double dR = shell.r - reff;
    const double sigma2 = s.useDebye ? shell.sigma * shell.sigma : 0.0;
    const double d = dR - 2.0 * sigma2 / reff;
    const double scale = s.s02 * shell.degeneracy / (shellR * shellR);
    const double p0 = shell.p0;
    const double p2 = shell.p2;
    for (int i = 0; i < computed; ++i) {
        const double base = t.amplitude[i];
        if (base == 0.0) {
            values[i] = 0.0;
            if (wantBare)
                bare[i] = 0.0;
            continue;
        }
        const double x = t.q[i];
        const double a = t.realP[i];
        const double b = t.inverseLambda[i];
        const double common = 2.0 * x * reff + t.phase[i] + p0 + p2 * x * x;
        const double amplitude
            = scale * base * std::exp(-2.0 * sigma2 * (a * a - b * b) - 2.0 * b * d);
        double v = bounded(kWeight[i] * amplitude
                           * std::sin(common + 2.0 * a * d - 4.0 * sigma2 * a * b));
        if (wantBare) {
            const double plain = scale * base * std::exp(-2.0 * b * dR);
            bare[i] = bounded(kWeight[i] * plain * std::sin(common + 2.0 * a * dR));
        }
        if (s.useWindow) {
            const double w = windowAt(i);
            v = bounded(v * w);
            extend(w);
        }
        values[i] = v;
        extend(v);
    }
    *largest = top;
}

void ChiCalculator::compute(const Settings &s, const QVector<Shell> &shells, int current,
                            const MeasuredChi &data, Extent extent, ChiArrays *out)
{
    ChiArrays &a = *out;
    const bool everything = extent == Everything;
    a.scale = s.scale;
    a.count = count;
    a.nValid = nValid;
    a.kMin = kMin;
    a.kMax = kMax;
    a.dk = dk;
    if (count <= 0) {
        for (QVector<double> *v :
             { &a.chi, &a.kGrid, &a.envValues, &a.wave, &a.winValues, &a.measuredValues })
            v->resize(0);
        a.shellValues.clear();
        for (std::vector<double> *v : { &a.ftWave, &a.ftChi, &a.ftEnv, &a.ftWin, &a.ftMeasured })
            v->clear();
        a.ftShells.clear();
        return;
    }
    const int computed = std::max(0, std::min(nValid, count));

    if (powersFor != s.n || k.size() != computed) {
        k.resize(computed);
        kPower.resize(computed);
        kWeight.resize(computed);
        for (int i = 0; i < computed; ++i) {
            k[i] = i * dk + kMin;
            kPower[i] = std::pow(k[i], s.n - 1);
            kWeight[i] = std::pow(k[i], s.n);
        }
        powersFor = s.n;
        q.clear();
    }
    if (q.size() != computed || !(qFor == s.e0)) {
        q.resize(computed);
        for (int i = 0; i < computed; ++i) {
            const double e = k[i] * k[i] - energyToK * s.e0;
            q[i] = s.e0 == 0.0 ? k[i] : std::copysign(std::sqrt(std::fabs(e)), e);
        }
        qFor = s.e0;
    }

    // resize keeps the capacity, so after the first pass a recomputation allocates nothing.
    a.chi.resize(count);
    a.kGrid.resize(count);
    if (everything) {
        a.wave.resize(count);
        a.envValues.resize(count);
        a.winValues.resize(count);
        a.shellValues.resize(shells.size());
        for (QVector<double> &v : a.shellValues)
            v.resize(count);
    }
    double *chiOut = a.chi.data();
    double *kOut = a.kGrid.data();
    double *waveOut = everything ? a.wave.data() : nullptr;
    double *envOut = everything ? a.envValues.data() : nullptr;
    if (everything) {
        // The envelope of the shell being edited, 1 where it has none or "PM" leaves it out.
        const bool drawn = current >= 0 && current < shells.size()
                           && shells.at(current).kind() == Shell::Drawn && !s.pm
                           && !shells.at(current).envelope.isEmpty();
        for (int i = 0; i < computed; ++i)
            envOut[i] = drawn ? bounded(Envelope::valueAt(shells.at(current).envelope, k[i])) : 1.0;
        std::fill(waveOut, waveOut + computed, 0.0);
    }

    double largest = 0.0;
    bool first = true;
    for (int index = 0; index < shells.size(); ++index) {
        const Shell &shell = shells.at(index);
        double *values;
        if (everything) {
            values = a.shellValues[index].data();
        } else {
            scratch.resize(computed);
            values = scratch.data();
        }
        if (!shell.on) {
            std::fill(values, values + count, 0.0);
            continue;
        }
        bareScratch.resize(computed);
        shellSamples(s, shell, index, extent, values, bareScratch.data(), &largest);
        if (everything)
            accumulate(waveOut, bareScratch.constData(), computed, first);
        accumulate(chiOut, values, computed, first);
        first = false;
        if (everything)
            std::fill(values + computed, values + count, 0.0);
    }
    if (first)
        std::fill(chiOut, chiOut + computed, 0.0);
    for (int i = 0; i < computed; ++i) {
        largest = std::max(largest, std::fabs(chiOut[i]));
        kOut[i] = k[i];
    }
    for (int i = computed; i < count; ++i) {
        chiOut[i] = 0.0;
        kOut[i] = i * dk + kMin;
    }
    if (everything) {
        const double *window = s.window.constData();
        for (int i = 0; i < computed; ++i)
            a.winValues[i] = i < s.window.size() ? bounded(window[i]) : 0.0;
        for (int i = computed; i < count; ++i)
            waveOut[i] = envOut[i] = a.winValues[i] = 0.0;
    }

    if (s.scale == ChiArrays::Normalised) {
        // Dividing by the largest magnitude of the samples and the factors keeps every sample
        // within -1 … 1, and the shells keep their sizes against each other. A zero divisor
        // (every sample and factor 0) leaves the samples as they are.
        if (largest > 0.0 && std::isfinite(largest)) {
            for (int i = 0; i < computed; ++i)
                chiOut[i] = chiOut[i] / largest;
            if (everything) {
                for (int i = 0; i < computed; ++i)
                    // The bare wave can exceed the divisor, which only bounds the samples and
                    // factors.
                    waveOut[i] = bounded(waveOut[i] / largest);
                for (QVector<double> &v : a.shellValues) {
                    for (int i = 0; i < computed; ++i)
                        v[i] = v[i] / largest;
                }
            }
        }
        a.yMin = -1.0;
        a.yMax = 1.0;
        a.yAbsMax = 1.0;
    }

    if (everything)
        measured(s, data, &a);
    else
        a.misfit = 0.0;

    // The analysis programs' chi(R) = dk / sqrt(pi) * sum k^n W chi exp(2ikR), in the absolute
    // scale; the plain sums in the normalised one.
    const double factor = s.scale == ChiArrays::Absolute ? dk / std::sqrt(M_PI) : 1.0;
    transform(a.chi, &a.ftChi, factor);
    if (!everything)
        return;
    transform(a.wave, &a.ftWave, factor);
    transform(a.envValues, &a.ftEnv, factor);
    transform(a.winValues, &a.ftWin, factor);
    a.ftShells.resize(size_t(shells.size()));
    for (int index = 0; index < shells.size(); ++index)
        transform(a.shellValues[index], &a.ftShells[size_t(index)], factor);
    if (!a.measuredValues.isEmpty())
        transform(a.measuredValues, &a.ftMeasured, factor);
    else
        a.ftMeasured.clear();

    if (s.scale == ChiArrays::Absolute) {
        double top = 0.0;
        for (int i = 0; i < computed; ++i) {
            top = std::max(top, std::fabs(chiOut[i]));
            for (const QVector<double> &v : qAsConst(a.shellValues))
                top = std::max(top, std::fabs(v[i]));
            if (!a.measuredValues.isEmpty())
                top = std::max(top, std::fabs(a.measuredValues[i]));
        }
        a.yMin = -top;
        a.yMax = top;
        a.yAbsMax = top;
    }
    ranges(s.scale, &a);
}

void ChiCalculator::ranges(ChiArrays::Scale scale, ChiArrays *out)
{
    ChiArrays &a = *out;
    // The window's transform is drawn on its own scale and does not enter; in the absolute scale
    // neither do the bare wave's and the envelope's, which are drawn scaled to the range.
    double lowest = 1e300;
    double highest = -1e300;
    const auto extend = [&lowest, &highest](double v) {
        if (lowest > v)
            lowest = v;
        if (v > highest)
            highest = v;
    };
    QVector<const double *> arrays { a.ftChi.data() };
    if (scale == ChiArrays::Normalised)
        arrays << a.ftWave.data() << a.ftEnv.data();
    if (a.ftShells.size() > 1 || scale == ChiArrays::Absolute) {
        for (const std::vector<double> &v : a.ftShells)
            arrays << v.data();
    }
    if (!a.ftMeasured.empty())
        arrays << a.ftMeasured.data();
    if (isPowerOfTwo(count) && a.chi.size() == count) {
        // Bin j of a real signal's transform is bin count - j conjugated: past the middle the
        // magnitudes repeat bit for bit and cannot move the bounds.
        const int h = count / 2;
        for (int i = 0; i <= h; ++i) {
            const bool real = i == 0 || i == h;
            for (const double *c : qAsConst(arrays))
                extend(magnitude(c[i], real ? 0.0 : c[h + i]));
        }
    } else {
        for (int i = 0; i < count; ++i) {
            for (const double *c : qAsConst(arrays))
                extend(a.ftAbs(c, i));
        }
    }
    a.rMin = lowest;
    a.rMax = highest;
    a.rAbsMax = a.rMax;
    if (a.rMax < -a.rMin)
        a.rAbsMax = -a.rMin;
}

bool ChiCalculator::isPowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

void ChiCalculator::transform(const QVector<double> &in, std::vector<double> *out, double factor)
{
    out->resize(size_t(count));
    // The transform needs a power of two and the samples of the current grid; otherwise every
    // bin is 0.
    if (!isPowerOfTwo(count) || in.size() != count) {
        std::fill(out->begin(), out->end(), 0.0);
        return;
    }
    if (!fft)
        fft = std::make_unique<rfft::RealFFT<double>>(count);
    fft->forward_fft(out->data(), in.constData());
    if (factor != 1.0) {
        for (double &v : *out)
            v *= factor;
    }
}

void ChiCalculator::measured(const Settings &s, const MeasuredChi &data, ChiArrays *out)
{
    ChiArrays &a = *out;
    if (data.isEmpty()) {
        a.measuredValues.clear();
        a.ftMeasured.clear();
        return;
    }
    const int computed = k.size();
    if (resampled.size() != computed || resampledFrom.k != data.k
        || resampledFrom.chi != data.chi) {
        resampled.resize(computed);
        const double *dataK = data.k.constData();
        const double *dataChi = data.chi.constData();
        const double *const kEnd = dataK + data.k.size();
        const double *next = dataK;
        for (int i = 0; i < computed; ++i) {
            const double x = i * dk + kMin;
            // The grid rises, so each search starts where the one before ended.
            next = std::upper_bound(next, kEnd, x);
            double v = 0.0;
            if (next == kEnd) {
                if (x == kEnd[-1])
                    v = dataChi[kEnd - dataK - 1];
            } else if (next != dataK) {
                const auto j = next - dataK;
                const double t = (x - dataK[j - 1]) / (dataK[j] - dataK[j - 1]);
                v = dataChi[j - 1] + (dataChi[j] - dataChi[j - 1]) * t;
            }
            resampled[i] = bounded(v);
        }
        resampledFrom = data;
    }

    a.measuredValues.resize(count);
    double *values = a.measuredValues.data();
    const double *raw = resampled.constData();
    const double *w = a.winValues.constData();
    const int power = s.n;
    double largest = 0.0;
    for (int i = 0; i < computed; ++i) {
        // k^n by multiplying: n is a whole number, and this runs at every slider step.
        double kn = 1.0;
        for (int p = 0; p < power; ++p)
            kn *= k[i];
        double v = bounded(raw[i] * (power < 0 ? std::pow(k[i], power) : kn));
        if (s.useWindow)
            v = bounded(v * w[i]);
        values[i] = v;
        largest = std::max(largest, std::fabs(v));
    }
    std::fill(values + computed, values + count, 0.0);
    const bool normalised = s.scale == ChiArrays::Normalised;
    // Scaled as chi is, so that both are drawn on one axis; all zeros stay as they are.
    if (normalised && largest > 0.0) {
        for (int i = 0; i < computed; ++i)
            values[i] /= largest;
    }

    // In the normalised scale chi(k) is divided by the largest of itself and the factors; the
    // misfit compares shapes, so chi goes over its own largest magnitude as the data did.
    const double *simulated = a.chi.constData();
    double chiScale = 1.0;
    if (normalised) {
        double top = 0.0;
        for (int i = 0; i < computed; ++i)
            top = std::max(top, std::fabs(simulated[i]));
        if (top > 0.0)
            chiScale = top;
    }
    double apart = 0.0;
    double size = 0.0;
    for (int i = 0; i < computed; ++i) {
        const double d = simulated[i] / chiScale - values[i];
        apart += d * d;
        size += values[i] * values[i];
    }
    a.misfit = size > 0.0 ? apart / size : NAN;
}
