#include "connectionguard.h"
#include "model/awave.h"
#include "model/envelope.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"

#include <QSignalSpy>
#include <QtTest>

#include <array>
#include <climits>
#include <cmath>
#include <memory>
#include <tuple>

using Nodes = QVector<QPointF>;
using Values = QVector<double>;

namespace {

const double pi = 3.141592653589793;
// Uneven, so that F(k) changes both chi and its scale.
const Nodes hilly { { 0, 0.4 }, { 3, 1.6 }, { 7, 0.9 }, { 12, 2.2 }, { 16, 0.5 } };

// The model evaluated the plain way from the wave's state, as {wave, chi, F, W}: raw samples,
// then divided by the largest magnitude among the samples and the factors multiplied in.
std::array<Values, 4> plain(const AWave &w)
{
    const WaveCtrl *c = w.ctrl;
    const bool storeE = w.envelope && !c->doPM->isChecked();
    const bool use[] = { storeE && c->SelEnvelope->isChecked(), c->SelWindowF->isChecked(),
                         c->SelDebye->isChecked() };
    const double r = std::max(w.r, 0.001);
    std::array<Values, 4> s;
    double scale = 0.0;
    for (int i = 0; i < w.nValid && i < w.count; ++i) {
        const double k = i * w.dk + w.kMin;
        const double a = ((r + r) * k + w.phi0) + (w.phi2 * k) * k;
        const double f[]
            = { storeE ? w.envelope->envelopeValue(k) : 1.0, c->WindowCtrl->windowValue(k),
                std::exp(w.sig * ((k * (k * -2.0)) * w.sig)) };
        double v = (std::pow(k, w.n - 1) * (std::sin(a) * w.s02)) / r;
        s[0] << v;
        for (int j = 0; j < 3; ++j) {
            if (use[j]) {
                v = v * f[j];
                scale = std::max(scale, std::fabs(f[j]));
            }
        }
        scale = std::max(scale, std::fabs(v));
        s[1] << v;
        s[2] << f[0];
        s[3] << f[1];
    }
    for (int j = 0; j < 4; ++j) {
        s[j].resize(w.count); // zeros past the valid samples
        for (int i = 0; j < 2 && scale > 0.0 && i < w.count; ++i)
            s[j][i] /= scale;
    }
    return s;
}

} // namespace

class tst_AWave : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void init();
    void calcChi_data();
    void calcChi();
    void transforms();
    void staysFinite_data();
    void staysFinite();
    void slotEmitsOnce_data();
    void slotEmitsOnce();

private:
    std::unique_ptr<AWave> wave;
    std::unique_ptr<WaveCtrl> panel; // the model's, which it does not delete
    Envelope env;
};

void tst_AWave::init()
{
    wave = std::make_unique<AWave>(2.0, 0.0, 1.0);
    panel.reset(wave->ctrl);
    env.nodes = hilly;
    wave->envelope = &env;
    connect(&env, SIGNAL(updated()), wave.get(), SLOT(envChanged()));
    wave->setKGrid(0.0, 16.0, 0.1, 1024);
}

void tst_AWave::calcChi_data()
{
    QTest::addColumn<Values>("grid"); // kMin, kMax, dk, count; then nValid and the last k
    QTest::addColumn<Values>("shell"); // n, R, P0, P2, S0^2, Sigma
    QTest::addColumn<int>("switches"); // E, W, D, PM, no envelope in bits 0 … 4
    const Values grid { 0, 16, 0.1, 1024, 160, 102.3 };
    const std::pair<const char *, Values> shells[]
        = { { "factors set the scale", { 1, 10.0, 1.3, -0.35, 0.8, 0.2 } }, // |wave| < 0.1 < F
            { "trough deeper than peak", { 1, 0.1, pi, 0.0, 1.0, 0.0 } },
            { "R = 0", { 3, 0.0, 0.3, 0.07, 1.0, 0.05 } },
            { "all zero", { 2, 2.0, 0.0, 0.0, 0.0, 0.05 } } };
    for (const auto &[name, shell] : shells)
        for (int bits = 0; bits < 32; ++bits)
            QTest::addRow("%s, switches %d", name, bits) << grid << shell << bits;
    const Values shell = shells[0].second;
    QTest::newRow("bounds swapped") << Values { 16, 0, 0.1, 64, 160, 6.3 } << shell << 7;
    QTest::newRow("steps cut toward zero") << Values { 0, 1.8, 0.5, 64, 3, 31.5 } << shell << 7;
    QTest::newRow("zero step") << Values { 3, 16, 0, 64, 1, 3 } << shell << 7;
    QTest::newRow("step too small for an int")
        << Values { 0, 1e300, 1e-300, 64, INT_MAX, 6.3e-299 } << shell << 7;
}

void tst_AWave::calcChi()
{
    QFETCH(Values, grid);
    QFETCH(Values, shell);
    QFETCH(int, switches);
    QAbstractButton *const boxes[]
        = { panel->SelEnvelope, panel->SelWindowF, panel->SelDebye, panel->doPM };
    for (int b = 0; b < 4; ++b)
        boxes[b]->setChecked((switches >> b) & 1);
    wave->envelope = switches & 16 ? nullptr : &env; // then F = 1
    wave->setKGrid(grid[0], grid[1], grid[2], int(grid[3]));
    wave->n = int(shell[0]);
    std::tie(wave->r, wave->phi0, wave->phi2, wave->s02, wave->sig)
        = std::make_tuple(shell[1], shell[2], shell[3], shell[4], shell[5]);
    QSignalSpy spy(wave.get(), SIGNAL(updated()));
    wave->calcChi();
    QVERIFY((std::array { wave->wave, wave->chi, wave->envValues, wave->winValues })
            == plain(*wave));
    QCOMPARE(Values({ wave->kMin, wave->kMax, double(wave->nValid) }),
             Values({ std::min(grid[0], grid[1]), std::max(grid[0], grid[1]), grid[4] }));
    QCOMPARE(wave->kGrid.last(), grid[5]);
    QCOMPARE(spy.count(), 0); // only the slots announce
}

void tst_AWave::transforms()
{
    // The window's transform then has the highest peak, and it must not set the R scale.
    env.nodes = { { 0, 0.1 }, { 16, 0.3 } };
    wave->s02 = 0.01;
    wave->calcChi();
    const Values x[] = { wave->wave, wave->chi, wave->envValues, wave->winValues };
    const std::vector<double> *fts[] = { &wave->ftWave, &wave->ftChi, &wave->ftEnv, &wave->ftWin };
    double peak = 0.0;
    for (int a = 0; a < 4; ++a) {
        const double *f = fts[a]->data();
        // Every bin, negative and mirrored ones too, against the sums with exp(+2πi jn/N).
        for (int j = -1023; j < 1024; ++j) {
            double re = 0.0, im = 0.0;
            for (int n = 0; n < 1024; ++n) {
                re += x[a][n] * std::cos(2.0 * pi * ((j * n) % 1024) / 1024);
                im += x[a][n] * std::sin(2.0 * pi * ((j * n) % 1024) / 1024);
            }
            QVERIFY2(std::fabs(wave->ftRe(f, j) - re) < 1e-10
                         && std::fabs(wave->ftIm(f, j) - im) < 1e-10
                         && std::fabs(wave->ftAbs(f, j) - std::hypot(re, im)) < 1e-10,
                     qPrintable(QString::number(j)));
            if (a < 3)
                peak = std::max(peak, wave->ftAbs(f, j));
        }
        QVERIFY(wave->ftAbs(f, 1024) == 0.0 && wave->ftAbs(f, INT_MIN) == 0.0);
    }
    QCOMPARE(Values({ wave->rMax, wave->rAbsMax }), Values({ peak, peak }));
}

void tst_AWave::staysFinite_data()
{
    QTest::addColumn<Nodes>("nodes");
    QTest::addColumn<Values>("edges");
    // k / R times 1e308 is beyond doubles; 5e-324 apart, the slope is inf and F(0) = 0 * inf.
    QTest::newRow("F at 1e308") << Nodes { { 0, 1 }, { 12, 1e308 }, { 16, 1 } } << Values();
    QTest::newRow("F nodes 5e-324 apart") << Nodes { { 0, 0 }, { 5e-324, 1 } } << Values();
    QTest::newRow("window edges at ±1e300") << hilly << Values { -1e300, -1, 1, 1e300 };
}

void tst_AWave::staysFinite()
{
    QFETCH(Nodes, nodes);
    QFETCH(Values, edges);
    env.nodes = nodes;
    for (int i = 0; i < edges.size(); ++i)
        panel->WindowCtrl->setPos(i, edges[i]);
    wave->calcChi();
    const auto finite = [](const auto &a) {
        return std::all_of(a.begin(), a.end(), [](double v) { return std::isfinite(v); });
    };
    QVERIFY(finite(wave->wave) && finite(wave->envValues) && finite(wave->winValues));
    QVERIFY(finite(wave->ftChi) && finite(wave->ftWave) && finite(wave->ftEnv)
            && finite(wave->ftWin));
    QVERIFY(std::all_of(wave->chi.begin(), wave->chi.end(),
                        [](double v) { return std::fabs(v) <= 1; }));
}

void tst_AWave::slotEmitsOnce_data()
{
    QTest::addColumn<QString>("control");
    for (const char *c : { "NBar", "RBar", "Phi0Bar", "Phi2Bar", "SigBar", "SelEnvelope",
                           "SelWindowF", "SelDebye", "doPM", "Flat", "WindowCtrl" })
        QTest::newRow(c) << c;
}

void tst_AWave::slotEmitsOnce()
{
    QFETCH(QString, control);
    connect(wave->ctrl, SIGNAL(enFlat()), &env, SLOT(enFlat()));
    const Values before = plain(*wave)[1];
    Values seen; // what a plot repainting on the signal gets: the change, already computed
    connect(wave.get(), &AWave::updated, this, [&] { seen = wave->chi; });
    QSignalSpy spy(wave.get(), SIGNAL(updated()));
    if (auto *slider = panel->findChild<QSlider *>(control))
        slider->setValue(1);
    else if (auto *button = panel->findChild<QAbstractButton *>(control))
        button->click();
    else
        panel->WindowCtrl->setPos(0, 2.0);
    QCOMPARE(spy.count(), 1);
    QVERIFY(seen == plain(*wave)[1] && seen != before);
}

QTEST_MAIN(tst_AWave)
#include "tst_awave.moc"
