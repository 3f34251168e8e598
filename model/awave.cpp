#include "awave.h"

#include "model/envelope.h"
#include "model/scenario.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "rfft/RealFFT"

#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QString>

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

// Slider position for a parameter: scaled, cut toward zero, clamped; without ever converting a
// double that does not fit into an int.
int sliderValue(double v, int lo, int hi)
{
    if (!(v >= lo))
        return lo;
    if (v >= hi)
        return hi;
    return static_cast<int>(v);
}

// A value between slider steps: the slider at the nearest step, the read-out showing the value
// itself, and no signal, so that nothing rounds the value on its way to the model.
void place(QSlider *bar, QLineEdit *readout, double scaled, double value)
{
    const QSignalBlocker quiet(bar);
    const int lo = bar->minimum();
    const int hi = bar->maximum();
    bar->setValue(!(scaled > lo) ? lo : scaled >= hi ? hi : int(std::lround(scaled)));
    readout->setText(QString::number(value, 'g', QLocale::FloatingPointShortest));
}

// The shell at R = 0 would divide by zero; evaluating it at this distance instead shows the
// R -> 0 limit once normalised, and keeps every sample finite.
constexpr double minR = 0.001;

inline double magnitude(double re, double im)
{
    const double m = std::sqrt(im * im + re * re);
    // Beyond 1e154 the squares overflow though the magnitude itself is a double.
    if (std::isinf(m) && std::isfinite(re) && std::isfinite(im))
        return std::hypot(re, im);
    return m;
}

} // namespace

AWave::AWave(double R, double P0, double S02)
    : r(R)
    , phi0(P0)
    , s02(S02)
{
    ctrl = new WaveCtrl;

    const int nPos = qBound(0, n, 3);
    ctrl->NBar->setValue(nPos);
    ctrl->NVal->setText(QString::number(nPos));
    ctrl->RBar->setValue(sliderValue(r * 10.0, 0, 100));
    ctrl->RVal->setText(QString::number(r, 'g', 6));
    ctrl->Phi0Bar->setValue(sliderValue(phi0 * 10.0, -100, 100));
    ctrl->Phi0Val->setText(QString::number(phi0, 'g', 6));
    ctrl->Phi2Bar->setValue(sliderValue(phi2 * 100.0, -100, 100));
    ctrl->Phi2Val->setText(QString::number(phi2, 'g', 6));
    ctrl->SigBar->setValue(sliderValue(sig * 1000.0, 0, 200));
    ctrl->SigVal->setText(QString::number(sig, 'g', 6));

    // Only now: the slider moves above must not reach the model.
    connect(ctrl, SIGNAL(newN(int)), this, SLOT(newN(int)));
    connect(ctrl, SIGNAL(newR(double)), this, SLOT(newR(double)));
    connect(ctrl, SIGNAL(newPhi0(double)), this, SLOT(newPhi0(double)));
    connect(ctrl, SIGNAL(newPhi2(double)), this, SLOT(newPhi2(double)));
    connect(ctrl, SIGNAL(newSig(double)), this, SLOT(newSig(double)));
    connect(ctrl->WindowCtrl, SIGNAL(updated()), this, SLOT(windowChanged()));
    connect(ctrl, SIGNAL(newSelection()), this, SLOT(newSelection()));
}

Scenario AWave::scenario() const
{
    Scenario s;
    s.n = n;
    s.r = r;
    s.p0 = phi0;
    s.p2 = phi2;
    s.sigma = sig;
    s.window = ctrl->WindowCtrl->positions;
    if (envelope)
        s.envelope = envelope->nodes;
    s.useEnvelope = ctrl->SelEnvelope->isChecked();
    s.useWindow = ctrl->SelWindowF->isChecked();
    s.useDebye = ctrl->SelDebye->isChecked();
    s.pm = ctrl->doPM->isChecked();
    s.data = spectrum;
    return s;
}

void AWave::setScenario(const Scenario &s)
{
    {
        // Each control would recompute on its own; one recomputation follows instead.
        const QSignalBlocker panel(ctrl);
        const QSignalBlocker window(ctrl->WindowCtrl);
        const QSignalBlocker nodes(envelope);

        n = s.n;
        r = s.r;
        phi0 = s.p0;
        phi2 = s.p2;
        sig = s.sigma;
        {
            const QSignalBlocker quiet(ctrl->NBar);
            ctrl->NBar->setValue(n);
            ctrl->NVal->setText(QString::number(n));
        }
        place(ctrl->RBar, ctrl->RVal, r * 10.0, r);
        place(ctrl->Phi0Bar, ctrl->Phi0Val, phi0 * 10.0, phi0);
        place(ctrl->Phi2Bar, ctrl->Phi2Val, phi2 * 100.0, phi2);
        place(ctrl->SigBar, ctrl->SigVal, sig * 1000.0, sig);

        // A drag in progress ends: its node or edge may no longer exist.
        ctrl->WindowCtrl->mReleased();
        ctrl->WindowCtrl->setPositions(s.window);
        if (envelope) {
            envelope->dropNode();
            envelope->nodes = s.envelope;
        }
        ctrl->SelEnvelope->setChecked(s.useEnvelope);
        ctrl->SelWindowF->setChecked(s.useWindow);
        ctrl->SelDebye->setChecked(s.useDebye);
        ctrl->doPM->setChecked(s.pm);
        spectrum = s.data;
        resampled = false;
    }
    calcChi();
    emit updated();
}

void AWave::setMeasured(const MeasuredChi &s)
{
    spectrum = s;
    resampled = false;
    calcChi();
    emit updated();
}

void AWave::setKGrid(double kMin, double kMax, double dk, int count)
{
    this->kMin = kMin;
    this->kMax = kMax;
    this->count = count;
    if (kMin > kMax)
        std::swap(this->kMin, this->kMax);
    this->dk = dk;
    resampled = false;
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
}

void AWave::calcChi()
{
    const bool useEnvelope = ctrl->SelEnvelope->isChecked();
    const bool useWindow = ctrl->SelWindowF->isChecked();
    const bool useDebye = ctrl->SelDebye->isChecked();
    const bool flatEnvelope = envelope == nullptr || ctrl->doPM->isChecked();
    const WindowFunc *window = ctrl->WindowCtrl;

    if (count <= 0) {
        chi.resize(0);
        kGrid.resize(0);
        envValues.resize(0);
        wave.resize(0);
        winValues.resize(0);
        measuredValues.resize(0);
        return;
    }
    // resize keeps the capacity, so after the first pass a recomputation allocates nothing.
    chi.resize(count);
    kGrid.resize(count);
    envValues.resize(count);
    wave.resize(count);
    winValues.resize(count);
    double *chiOut = chi.data();
    double *kOut = kGrid.data();
    double *envOut = envValues.data();
    double *waveOut = wave.data();
    double *winOut = winValues.data();

    // Locals, not the members: the stores into the arrays could otherwise alias them, and the
    // loops would reload every parameter for every sample.
    const double step = dk;
    const double start = kMin;
    const double p0 = phi0;
    const double p2 = phi2;
    const double amplitude = s02;
    const double sigma = sig;
    const int power = n - 1;
    double lowest = 1e300;
    double highest = -1e300;
    const auto extend = [&lowest, &highest](double v) {
        if (lowest > v)
            lowest = v;
        if (v > highest)
            highest = v;
    };

    const double shellR = std::max(r, minR);
    const int computed = std::min(nValid, count);
    for (int i = 0; i < computed; ++i) {
        const double k = i * step + start;
        const double a = ((shellR + shellR) * k + p0) + (p2 * k) * k;
        double v = std::sin(a) * amplitude;
        v = bounded((std::pow(k, power) * v) / shellR);
        waveOut[i] = v;

        if (flatEnvelope) {
            envOut[i] = 1.0;
        } else {
            const double e = bounded(envelope->envelopeValue(k));
            envOut[i] = e;
            if (useEnvelope) {
                v = bounded(v * e);
                extend(e);
            }
        }

        const double w = bounded(window->windowValue(k));
        winOut[i] = w;
        if (useWindow) {
            v = bounded(v * w);
            extend(w);
        }

        if (useDebye) {
            const double d = bounded(std::exp(sigma * ((k * (k * -2.0)) * sigma)));
            v = bounded(v * d);
            extend(d);
        }

        chiOut[i] = v;
        extend(v);
        kOut[i] = k;
    }
    for (int i = std::max(computed, 0); i < count; ++i) {
        waveOut[i] = 0.0;
        envOut[i] = 0.0;
        chiOut[i] = 0.0;
        winOut[i] = 0.0;
        kOut[i] = i * step + start;
    }
    yMin = lowest;
    yMax = highest;

    // Dividing by the larger of the peak and the trough keeps every sample within -1 … 1. A zero
    // divisor (every sample and factor 0) leaves the samples as they are.
    yAbsMax = yMax;
    if (yAbsMax < -yMin)
        yAbsMax = -yMin;
    if (yAbsMax > 0.0 && std::isfinite(yAbsMax)) {
        for (int i = 0; i < computed; ++i) {
            chiOut[i] = chiOut[i] / yAbsMax;
            // The bare wave can exceed the divisor, which only bounds the samples and factors.
            waveOut[i] = bounded(waveOut[i] / yAbsMax);
        }
    }
    yMax = 1.0;
    yAbsMax = 1.0;
    yMin = -1.0;

    if (hasMeasured())
        calcMeasured(std::max(computed, 0), useWindow);
    else
        measuredValues.clear();

    calcFT();
}

void AWave::calcFT()
{
    if (count <= 0) {
        ftWave.clear();
        ftChi.clear();
        ftEnv.clear();
        ftWin.clear();
        ftMeasured.clear();
        return;
    }
    const auto size = static_cast<std::size_t>(count);
    ftWave.resize(size);
    ftChi.resize(size);
    ftEnv.resize(size);
    ftWin.resize(size);
    // The measured chi(k) is transformed as chi is, when there is one.
    const bool measuredOn = hasMeasured() && measuredValues.size() == count;
    if (measuredOn)
        ftMeasured.resize(size);
    else
        ftMeasured.clear();

    // The transform needs a power of two and the samples of the current grid; otherwise (a grid
    // set but not yet computed, or an odd length) every bin is 0.
    const bool powerOfTwo = (count & (count - 1)) == 0;
    const bool transformed = powerOfTwo && chi.size() == count;
    if (transformed) {
        rfft::RealFFT<double> fft(count);
        fft.forward_fft(ftWave.data(), wave.constData());
        fft.forward_fft(ftChi.data(), chi.constData());
        fft.forward_fft(ftEnv.data(), envValues.constData());
        fft.forward_fft(ftWin.data(), winValues.constData());
        if (measuredOn)
            fft.forward_fft(ftMeasured.data(), measuredValues.constData());
    } else {
        std::fill(ftWave.begin(), ftWave.end(), 0.0);
        std::fill(ftChi.begin(), ftChi.end(), 0.0);
        std::fill(ftEnv.begin(), ftEnv.end(), 0.0);
        std::fill(ftWin.begin(), ftWin.end(), 0.0);
        std::fill(ftMeasured.begin(), ftMeasured.end(), 0.0);
    }

    // The window's transform is drawn on its own scale and does not enter.
    double lowest = 1e300;
    double highest = -1e300;
    const auto extend = [&lowest, &highest](double v) {
        if (lowest > v)
            lowest = v;
        if (v > highest)
            highest = v;
    };
    if (transformed) {
        // Bin j of a real signal's transform is bin count - j conjugated: past the middle the
        // magnitudes repeat bit for bit and cannot move the bounds.
        const int h = count / 2;
        const double *c = ftChi.data();
        const double *w = ftWave.data();
        const double *e = ftEnv.data();
        for (int i = 0; i <= h; ++i) {
            const bool real = i == 0 || i == h;
            extend(magnitude(c[i], real ? 0.0 : c[h + i]));
            extend(magnitude(w[i], real ? 0.0 : w[h + i]));
            extend(magnitude(e[i], real ? 0.0 : e[h + i]));
        }
        for (int i = 0; measuredOn && i <= h; ++i) {
            const double *m = ftMeasured.data();
            extend(magnitude(m[i], i == 0 || i == h ? 0.0 : m[h + i]));
        }
    } else {
        for (int i = 0; i < count; ++i) {
            extend(ftAbs(ftChi.data(), i));
            extend(ftAbs(ftWave.data(), i));
            extend(ftAbs(ftEnv.data(), i));
            if (measuredOn)
                extend(ftAbs(ftMeasured.data(), i));
        }
    }
    rMin = lowest;
    rMax = highest;
    rAbsMax = rMax;
    if (rMax < -rMin)
        rAbsMax = -rMin;
}

void AWave::resampleMeasured(int computed)
{
    measuredOnGrid.resize(computed);
    const double *k = spectrum.k.constData();
    const double *chi = spectrum.chi.constData();
    const double *const kEnd = k + spectrum.k.size();
    const double *next = k;
    for (int i = 0; i < computed; ++i) {
        const double x = i * dk + kMin;
        // The grid rises, so each search starts where the one before ended.
        next = std::upper_bound(next, kEnd, x);
        double v = 0.0;
        if (next == kEnd) {
            if (x == kEnd[-1])
                v = chi[kEnd - k - 1];
        } else if (next != k) {
            const auto j = next - k;
            const double t = (x - k[j - 1]) / (k[j] - k[j - 1]);
            v = chi[j - 1] + (chi[j] - chi[j - 1]) * t;
        }
        measuredOnGrid[i] = bounded(v);
    }
    resampled = true;
}

void AWave::calcMeasured(int computed, bool useWindow)
{
    if (!resampled || measuredOnGrid.size() != computed)
        resampleMeasured(computed);
    measuredValues.resize(count);
    double *out = measuredValues.data();
    const double *raw = measuredOnGrid.constData();
    const double *k = kGrid.constData();
    const double *w = winValues.constData();
    const int power = n;
    double largest = 0.0;
    for (int i = 0; i < computed; ++i) {
        // k^n by multiplying: n is a whole number, and this runs at every slider step.
        double kn = 1.0;
        for (int p = 0; p < power; ++p)
            kn *= k[i];
        double v = bounded(raw[i] * (power < 0 ? std::pow(k[i], power) : kn));
        if (useWindow)
            v = bounded(v * w[i]);
        out[i] = v;
        largest = std::max(largest, std::fabs(v));
    }
    std::fill(out + computed, out + count, 0.0);
    // Scaled as chi is, so that both are drawn on one axis; all zeros stay as they are.
    if (largest > 0.0) {
        for (int i = 0; i < computed; ++i)
            out[i] /= largest;
    }
    const double *simulated = chi.constData();
    double apart = 0.0;
    double size = 0.0;
    for (int i = 0; i < computed; ++i) {
        const double d = simulated[i] - out[i];
        apart += d * d;
        size += out[i] * out[i];
    }
    misfit = size > 0.0 ? apart / size : NAN;
}

double AWave::ftRe(const double *a, int i) const
{
    if (!a || count <= 0)
        return 0.0;
    const qint64 size = count;
    const qint64 h = size / 2;
    const qint64 j = qAbs(qint64(i));
    if (j <= h)
        return a[j];
    if (j < size)
        return a[size - j];
    return 0.0;
}

double AWave::ftIm(const double *a, int i) const
{
    if (!a || count <= 0 || i == 0)
        return 0.0;
    const qint64 size = count;
    const qint64 h = size / 2;
    const qint64 j = qAbs(qint64(i));
    const double s = i < 0 ? -1.0 : 1.0;
    if (j < h)
        return s * a[h + j];
    // Past the middle a real signal's bins mirror the lower half, conjugated.
    if (j > h && j < size)
        return -s * a[h + (size - j)];
    return 0.0;
}

double AWave::ftAbs(const double *a, int i) const
{
    return magnitude(ftRe(a, i), ftIm(a, i));
}

void AWave::envChanged()
{
    calcChi();
    emit updated();
}

void AWave::windowChanged()
{
    calcChi();
    emit updated();
}

void AWave::newN(int N)
{
    n = N;
    calcChi();
    emit updated();
}

void AWave::newR(double R)
{
    r = R;
    calcChi();
    emit updated();
}

void AWave::newPhi0(double p0)
{
    phi0 = p0;
    calcChi();
    emit updated();
}

void AWave::newPhi2(double p2)
{
    phi2 = p2;
    calcChi();
    emit updated();
}

void AWave::newSig(double sig)
{
    this->sig = sig;
    calcChi();
    emit updated();
}

void AWave::newSelection()
{
    calcChi();
    emit updated();
}

void AWave::mMoved()
{
    if (envelope)
        envelope->dragNode();
    ctrl->WindowCtrl->mMoved();
}

void AWave::mPressed()
{
    if (envelope)
        envelope->pickNode();
    ctrl->WindowCtrl->mPressed();
}

void AWave::mReleased()
{
    if (envelope)
        envelope->dropNode();
    ctrl->WindowCtrl->mReleased();
}
