#include "awave.h"

#include "model/envelope.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "rfft/RealFFT"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
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

// The shell at R = 0 would divide by zero; evaluating it at this distance instead shows the
// R -> 0 limit once normalised, and keeps every sample finite.
constexpr double minR = 0.001;

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

void AWave::setKGrid(double kMin, double kMax, double dk, int count)
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
}

void AWave::calcChi()
{
    const bool useEnvelope = ctrl->SelEnvelope->isChecked();
    const bool useWindow = ctrl->SelWindowF->isChecked();
    const bool useDebye = ctrl->SelDebye->isChecked();
    const bool flatEnvelope = envelope == nullptr || ctrl->doPM->isChecked();
    const WindowFunc *window = ctrl->WindowCtrl;

    // resize(0), unlike a new vector, keeps the capacity for the next pass.
    chi.resize(0);
    kGrid.resize(0);
    envValues.resize(0);
    wave.resize(0);
    winValues.resize(0);
    if (count <= 0)
        return;
    chi.reserve(count);
    kGrid.reserve(count);
    envValues.reserve(count);
    wave.reserve(count);
    winValues.reserve(count);

    yMin = 1e300;
    yMax = -1e300;
    const auto extend = [this](double v) {
        if (yMin > v)
            yMin = v;
        if (v > yMax)
            yMax = v;
    };

    const double shellR = std::max(r, minR);
    for (int i = 0; i < count; ++i) {
        const double k = i * dk + kMin;
        if (i < nValid) {
            const double a = ((shellR + shellR) * k + phi0) + (phi2 * k) * k;
            double v = std::sin(a) * s02;
            v = bounded((std::pow(k, n - 1) * v) / shellR);
            wave.append(v);

            if (flatEnvelope) {
                envValues.append(1.0);
            } else {
                const double e = bounded(envelope->envelopeValue(k));
                envValues.append(e);
                if (useEnvelope) {
                    v = bounded(v * e);
                    extend(e);
                }
            }

            const double w = bounded(window->windowValue(k));
            winValues.append(w);
            if (useWindow) {
                v = bounded(v * w);
                extend(w);
            }

            if (useDebye) {
                const double d = bounded(std::exp(sig * ((k * (k * -2.0)) * sig)));
                v = bounded(v * d);
                extend(d);
            }

            chi.append(v);
            extend(v);
        } else {
            wave.append(0.0);
            envValues.append(0.0);
            chi.append(0.0);
            winValues.append(0.0);
        }
        kGrid.append(k);
    }

    // Dividing by the larger of the peak and the trough keeps every sample within -1 … 1. A zero
    // divisor (every sample and factor 0) leaves the samples as they are.
    yAbsMax = yMax;
    if (yAbsMax < -yMin)
        yAbsMax = -yMin;
    if (yAbsMax > 0.0 && std::isfinite(yAbsMax)) {
        const int computed = std::min(nValid, count);
        for (int i = 0; i < computed; ++i) {
            chi[i] = chi[i] / yAbsMax;
            // The bare wave can exceed the divisor, which only bounds the samples and factors.
            wave[i] = bounded(wave[i] / yAbsMax);
        }
    }
    yMax = 1.0;
    yAbsMax = 1.0;
    yMin = -1.0;

    calcFT();
}

void AWave::calcFT()
{
    if (count <= 0) {
        ftWave.clear();
        ftChi.clear();
        ftEnv.clear();
        ftWin.clear();
        return;
    }
    const auto size = static_cast<std::size_t>(count);
    ftWave.resize(size);
    ftChi.resize(size);
    ftEnv.resize(size);
    ftWin.resize(size);

    // The transform needs a power of two and the samples of the current grid; otherwise (a grid
    // set but not yet computed, or an odd length) every bin is 0.
    const bool powerOfTwo = (count & (count - 1)) == 0;
    if (powerOfTwo && chi.size() == count) {
        rfft::RealFFT<double> fft(count);
        fft.forward_fft(ftWave.data(), wave.constData());
        fft.forward_fft(ftChi.data(), chi.constData());
        fft.forward_fft(ftEnv.data(), envValues.constData());
        fft.forward_fft(ftWin.data(), winValues.constData());
    } else {
        std::fill(ftWave.begin(), ftWave.end(), 0.0);
        std::fill(ftChi.begin(), ftChi.end(), 0.0);
        std::fill(ftEnv.begin(), ftEnv.end(), 0.0);
        std::fill(ftWin.begin(), ftWin.end(), 0.0);
    }

    // The window's transform is drawn on its own scale and does not enter.
    rMin = 1e300;
    rMax = -1e300;
    const auto extend = [this](double v) {
        if (rMin > v)
            rMin = v;
        if (v > rMax)
            rMax = v;
    };
    for (int i = 0; i < count; ++i) {
        extend(ftAbs(ftChi.data(), i));
        extend(ftAbs(ftWave.data(), i));
        extend(ftAbs(ftEnv.data(), i));
    }
    rAbsMax = rMax;
    if (rMax < -rMin)
        rAbsMax = -rMin;
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
    const double re = ftRe(a, i);
    const double im = ftIm(a, i);
    const double m = std::sqrt(im * im + re * re);
    // Beyond 1e154 the squares overflow though the magnitude itself is a double.
    if (std::isinf(m) && std::isfinite(re) && std::isfinite(im))
        return std::hypot(re, im);
    return m;
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
