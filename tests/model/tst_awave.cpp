#include "connectionguard.h"
#include "model/awave.h"
#include "model/envelope.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/disparea.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

#include <climits>
#include <cmath>
#include <cstring>

using Nodes = QVector<QPointF>;
using Values = QVector<double>;

namespace {

const double inf = HUGE_VAL;
const double pi = 3.141592653589793;
// Uneven, so that F(k) changes both chi and its scale.
const Nodes hilly { { 0, 0.4 }, { 3, 1.6 }, { 7, 0.9 }, { 12, 2.2 }, { 16, 0.5 } };

struct Samples
{
    Values wave, chi, env, win;
};

// The model evaluated the plain way from the wave's state: raw samples, then divided by the
// largest magnitude among the samples and the factors multiplied in.
Samples expectedFor(const AWave &w)
{
    const bool storeE = w.envelope && !w.ctrl->doPM->isChecked();
    const bool useE = storeE && w.ctrl->SelEnvelope->isChecked();
    const bool useW = w.ctrl->SelWindowF->isChecked(), useD = w.ctrl->SelDebye->isChecked();
    const double r = std::max(w.r, 0.001);
    Samples s;
    double scale = 0.0;
    for (int i = 0; i < w.count; ++i) {
        const double k = i * w.dk + w.kMin;
        const bool on = i < w.nValid;
        const double a = ((r + r) * k + w.phi0) + (w.phi2 * k) * k;
        const double bare = on ? (std::pow(k, w.n - 1) * (std::sin(a) * w.s02)) / r : 0.0;
        const double e = !on ? 0.0 : storeE ? w.envelope->envelopeValue(k) : 1.0;
        const double win = on ? w.ctrl->WindowCtrl->windowValue(k) : 0.0;
        const double d = std::exp(w.sig * ((k * (k * -2.0)) * w.sig));
        double v = bare;
        for (const auto &[used, f] : { std::pair(useE, e), { useW, win }, { useD, d } }) {
            if (used && on) {
                v = v * f;
                scale = std::max(scale, std::fabs(f));
            }
        }
        scale = std::max(scale, std::fabs(v));
        s.wave << bare;
        s.chi << v;
        s.env << e;
        s.win << win;
    }
    for (int i = 0; scale > 0.0 && i < s.chi.size(); ++i) {
        s.chi[i] /= scale;
        s.wave[i] /= scale;
    }
    return s;
}

// Index of the first entry that differs in any bit, or -1.
int firstDifference(const Values &a, const Values &b)
{
    for (int i = 0; i < std::max(a.size(), b.size()); ++i) {
        if (i >= a.size() || i >= b.size() || std::memcmp(&a[i], &b[i], sizeof(double)) != 0)
            return i;
    }
    return -1;
}

bool sameAsPlain(const AWave &w)
{
    const Samples s = expectedFor(w);
    return firstDifference(w.chi, s.chi) == -1 && firstDifference(w.wave, s.wave) == -1
           && firstDifference(w.envValues, s.env) == -1
           && firstDifference(w.winValues, s.win) == -1;
}

// Every setPos re-sorts the edges, so one pass may leave some of them elsewhere.
bool setEdges(WindowFunc *window, const Values &edges)
{
    for (int pass = 0; pass < 4 && window->positions != edges; ++pass) {
        for (int i = 0; i < 4; ++i)
            window->setPos(i, edges[i]);
    }
    return window->positions == edges;
}

void send(QWidget *w, QEvent::Type type, const QPoint &pos)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held
        = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

class tst_AWave : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void init();
    void cleanup();
    void construction_data();
    void construction();
    void setKGrid_data();
    void setKGrid();
    void calcChi_data();
    void calcChi();
    void grid();
    void scale_data();
    void scale();
    void transforms();
    void accessors_data();
    void accessors();
    void staysFinite_data();
    void staysFinite();
    void slotEmitsOnce_data();
    void slotEmitsOnce();
    void mouse_data();
    void mouse();

private:
    void setSwitches(bool e, bool w, bool d, bool pm);

    AWave *wave = nullptr;
    Envelope *env = nullptr;
};

void tst_AWave::init()
{
    wave = new AWave(2.0, 0.0, 1.0);
    env = new Envelope;
    for (int i = 0; i <= 16; ++i)
        env->nodes << QPointF(i, 1.0);
    wave->envelope = env;
    connect(env, SIGNAL(updated()), wave, SLOT(envChanged()));
    wave->setKGrid(0.0, 16.0, 0.1, 1024);
    wave->calcChi();
}

void tst_AWave::cleanup()
{
    delete wave->ctrl;
    delete wave;
    delete env;
}

void tst_AWave::setSwitches(bool e, bool w, bool d, bool pm)
{
    wave->ctrl->SelEnvelope->setChecked(e);
    wave->ctrl->SelWindowF->setChecked(w);
    wave->ctrl->SelDebye->setChecked(d);
    wave->ctrl->doPM->setChecked(pm);
}

void tst_AWave::construction_data()
{
    QTest::addColumn<double>("R");
    QTest::addColumn<double>("P0");
    QTest::addColumn<int>("rBar");
    QTest::addColumn<int>("phi0Bar");
    QTest::addColumn<QString>("texts");
    QTest::newRow("main window's") << 2.0 << 0.0 << 20 << 0 << "2 2 0 0 0.05";
    QTest::newRow("cut, clamped") << 3.75 << -12.0 << 37 << -100 << "2 3.75 -12 0 0.05";
    QTest::newRow("cut toward zero") << -0.05 << -0.99 << 0 << -9 << "2 -0.05 -0.99 0 0.05";
    QTest::newRow("beyond int") << 1e300 << -inf << 100 << -100 << "2 1e+300 -inf 0 0.05";
}

void tst_AWave::construction()
{
    QFETCH(double, R);
    QFETCH(double, P0);
    QFETCH(int, rBar);
    QFETCH(int, phi0Bar);
    QFETCH(QString, texts);
    AWave w(R, P0, 1.0);
    const WaveCtrl *c = w.ctrl;
    QCOMPARE(QVector<int>({ c->NBar->value(), c->RBar->value(), c->Phi0Bar->value(),
                            c->Phi2Bar->value(), c->SigBar->value() }),
             QVector<int>({ 2, rBar, phi0Bar, 0, 50 }));
    QCOMPARE(QStringList({ c->NVal->text(), c->RVal->text(), c->Phi0Val->text(), c->Phi2Val->text(),
                           c->SigVal->text() }),
             texts.split(' '));
    // The slider moves did not come back into the model.
    QCOMPARE(w.r, R);
    QVERIFY(w.chi.isEmpty());
    delete w.ctrl;
}

void tst_AWave::setKGrid_data()
{
    QTest::addColumn<double>("kMin");
    QTest::addColumn<double>("kMax");
    QTest::addColumn<double>("dk");
    QTest::addColumn<int>("nValid");
    QTest::newRow("main window's") << 0.0 << 16.0 << 0.1 << 160;
    QTest::newRow("bounds swapped") << 16.0 << 0.0 << 0.1 << 160;
    QTest::newRow("cut toward zero") << 2.0 << 5.0 << 0.7 << 4;
    QTest::newRow("zero step") << 0.0 << 16.0 << 0.0 << 1;
    QTest::newRow("negative step") << 0.0 << 16.0 << -0.1 << 1;
    QTest::newRow("step too small for an int") << 0.0 << 1e300 << 1e-300 << INT_MAX;
}

void tst_AWave::setKGrid()
{
    QFETCH(double, kMin);
    QFETCH(double, kMax);
    QFETCH(double, dk);
    QFETCH(int, nValid);
    QSignalSpy spy(wave, SIGNAL(updated()));
    wave->setKGrid(kMin, kMax, dk, 64);
    QCOMPARE(wave->kMin, std::min(kMin, kMax));
    QCOMPARE(wave->kMax, std::max(kMin, kMax));
    QCOMPARE(wave->nValid, nValid);
    wave->calcChi();
    wave->calcFT();
    QCOMPARE(spy.count(), 0); // only the slots announce
    QVERIFY(sameAsPlain(*wave));
}

void tst_AWave::calcChi_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<Values>("shell"); // R, P0, P2, S0^2, Sigma
    QTest::addColumn<int>("switches"); // E, W, D, PM in bits 0 … 3
    const std::pair<int, Values> shells[] = { { 2, { 2.0, 0.0, 0.0, 1.0, 0.05 } },
                                              { 1, { 0.5, 1.3, -0.35, 1.0, 0.2 } },
                                              { 3, { 10.0, -10.0, 1.0, 1.0, 0.0 } },
                                              { 3, { 3.7, 2.5, 0.07, 0.8, 0.013 } },
                                              { 2, { 0.0, 0.3, 0.0, 1.0, 0.05 } } };
    for (const auto &[n, shell] : shells) {
        for (int bits = 0; bits < 16; ++bits)
            QTest::addRow("n %d R %g, %c%c%c%s", n, shell[0], bits & 1 ? 'E' : '-',
                          bits & 2 ? 'W' : '-', bits & 4 ? 'D' : '-', bits & 8 ? " PM" : "")
                << n << shell << bits;
    }
}

void tst_AWave::calcChi()
{
    QFETCH(int, n);
    QFETCH(Values, shell);
    QFETCH(int, switches);
    env->nodes = hilly;
    setSwitches(switches & 1, switches & 2, switches & 4, switches & 8);
    wave->n = n;
    wave->r = shell[0];
    wave->phi0 = shell[1];
    wave->phi2 = shell[2];
    wave->s02 = shell[3];
    wave->sig = shell[4];
    wave->calcChi();
    QVERIFY(sameAsPlain(*wave));
    QCOMPARE(Values({ wave->yMin, wave->yMax, wave->yAbsMax }), Values({ -1.0, 1.0, 1.0 }));
    wave->envelope = nullptr;
    wave->calcChi();
    QVERIFY(sameAsPlain(*wave));
}

void tst_AWave::grid()
{
    for (int i = 0; i < 1024; ++i)
        QCOMPARE(wave->kGrid[i], i * 0.1 + 0.0);
    QCOMPARE(wave->kGrid[1023], 102.3);
    QVERIFY(wave->chi[159] != 0.0 && wave->chi[160] == 0.0 && wave->envValues[160] == 0.0);

    const double *chiData = wave->chi.constData(), *ftData = wave->ftChi.data();
    wave->calcChi();
    QCOMPARE(wave->chi.constData(), chiData); // storage reused
    QCOMPARE(wave->ftChi.data(), ftData);
}

void tst_AWave::scale_data()
{
    QTest::addColumn<int>("switches");
    QTest::addColumn<double>("phi0");
    QTest::addColumn<bool>("byFactor");
    // |sin(20 k)| / 10 stays below 0.1 while F = 4 and the damping at k = 0 is 1: a factor that
    // was multiplied in sets the scale, one that was only stored does not.
    QTest::newRow("no factor") << 0 << 0.0 << false;
    QTest::newRow("F multiplied in") << 1 << 0.0 << true;
    QTest::newRow("F replaced by 1 for PM") << 9 << 0.0 << false;
    QTest::newRow("damping multiplied in") << 4 << 0.0 << true;
    QTest::newRow("nothing at all") << 2 << 0.0 << false; // W = 0 throughout: chi stays 0
    QTest::newRow("trough deeper than peak") << 0 << pi << false;
}

void tst_AWave::scale()
{
    QFETCH(int, switches);
    QFETCH(double, phi0);
    QFETCH(bool, byFactor);
    env->nodes = { { 0, 4.0 }, { 16, 4.0 } };
    QVERIFY(setEdges(wave->ctrl->WindowCtrl, { 20, 21, 22, 23 }));
    setSwitches(switches & 1, switches & 2, switches & 4, switches & 8);
    wave->n = 1;
    wave->r = phi0 == 0.0 ? 10.0 : 0.1;
    wave->phi0 = phi0;
    wave->sig = 0.0;
    wave->calcChi();
    QVERIFY(sameAsPlain(*wave));
    const auto [lo, hi] = std::minmax_element(wave->chi.cbegin(), wave->chi.cend());
    const double peak = std::max(*hi, -*lo);
    if (switches == 2)
        QCOMPARE(peak, 0.0);
    else
        QVERIFY(byFactor ? peak > 0.09 && peak < 0.1 : peak == 1.0);
}

void tst_AWave::transforms()
{
    env->nodes = hilly;
    wave->phi2 = 0.05;
    wave->calcChi();
    const std::pair<const Values *, const std::vector<double> *> arrays[]
        = { { &wave->chi, &wave->ftChi },
            { &wave->wave, &wave->ftWave },
            { &wave->envValues, &wave->ftEnv },
            { &wave->winValues, &wave->ftWin } };
    double lo = inf, hi = 0.0;
    for (const auto &[x, ft] : arrays) {
        const double *f = ft->data();
        const double tolerance
            = 1e-12 * std::accumulate(x->begin(), x->end(), 0.0, [](double s, double v) {
                  return s + std::fabs(v);
              });
        // Every bin, negative and mirrored ones included, against the sums with exp(+2 pi i j n /
        // N).
        for (int j = -1023; j < 1024; ++j) {
            double re = 0.0, im = 0.0;
            for (int n = 0; n < 1024; ++n) {
                re += (*x)[n] * std::cos(2.0 * pi * ((j * n) % 1024) / 1024);
                im += (*x)[n] * std::sin(2.0 * pi * ((j * n) % 1024) / 1024);
            }
            QVERIFY2(std::fabs(wave->ftRe(f, j) - re) <= tolerance
                         && std::fabs(wave->ftIm(f, j) - im) <= tolerance
                         && std::fabs(wave->ftAbs(f, j) - std::hypot(re, im)) <= tolerance,
                     qPrintable(QString::number(j)));
            if (x != &wave->winValues && j >= 0) {
                lo = std::min(lo, wave->ftAbs(f, j));
                hi = std::max(hi, wave->ftAbs(f, j));
            }
        }
    }
    // The window's transform does not enter the R scale.
    QCOMPARE(Values({ wave->rMin, wave->rMax, wave->rAbsMax }), Values({ lo, hi, hi }));
}

void tst_AWave::accessors_data()
{
    QTest::addColumn<int>("i");
    QTest::addColumn<double>("re");
    QTest::addColumn<double>("im");
    // N = 8: real parts of bins 0 … 4 at 0 … 4, sine sums of bins 1 … 3 at 5 … 7.
    QTest::newRow("0") << 0 << -10.0 << 0.0;
    QTest::newRow("3") << 3 << 13.0 << 17.0;
    QTest::newRow("-3") << -3 << 13.0 << -17.0;
    QTest::newRow("-middle") << -4 << 14.0 << 0.0;
    QTest::newRow("5 mirrors 3") << 5 << 13.0 << -17.0;
    QTest::newRow("-7 mirrors -1") << -7 << 11.0 << 15.0;
    QTest::newRow("N") << 8 << 0.0 << 0.0;
    QTest::newRow("int min") << INT_MIN << 0.0 << 0.0;
}

void tst_AWave::accessors()
{
    QFETCH(int, i);
    QFETCH(double, re);
    QFETCH(double, im);
    const double a[8] = { -10, 11, 12, 13, 14, 15, 16, 17 };
    wave->setKGrid(0.0, 0.8, 0.1, 8);
    QCOMPARE(Values({ wave->ftRe(a, i), wave->ftIm(a, i), wave->ftAbs(a, i) }),
             Values({ re, im, std::sqrt(im * im + re * re) }));
}

void tst_AWave::staysFinite_data()
{
    QTest::addColumn<Values>("shell"); // n, R, P0
    QTest::addColumn<Nodes>("nodes");
    QTest::addColumn<Values>("edges");
    QTest::addColumn<bool>("e");
    const Values shell { 2, 2.0, 0.3 }, edges { 3, 4, 15, 16 };
    const Nodes steep { { 0, 0.0 }, { 5e-324, 1.0 } }; // 0 * inf at k = 0
    const Nodes huge { { 0, 1.0 }, { 12, 1e307 }, { 16, 1.0 } }; // times k^2 / R: beyond doubles
    QTest::newRow("pole at k = 0 (n = 0)") << Values { 0, 2.0, 0.3 } << hilly << edges << true;
    QTest::newRow("window at 1e300") << shell << hilly << Values { -1e300, -1, 1, 1e300 } << true;
    QTest::newRow("F at 1e307") << Values { 3, 2.0, 0.3 } << huge << edges << true;
    QTest::newRow("F span beyond doubles")
        << shell << Nodes { { 0, -1.5e308 }, { 16, 1.5e308 } } << edges << true;
    QTest::newRow("F nodes 5e-324 apart") << shell << steep << edges << true;
    QTest::newRow("F nodes 5e-324 apart, stored") << shell << steep << edges << false;
}

void tst_AWave::staysFinite()
{
    QFETCH(Values, shell);
    QFETCH(Nodes, nodes);
    QFETCH(Values, edges);
    QFETCH(bool, e);
    env->nodes = nodes;
    QVERIFY(setEdges(wave->ctrl->WindowCtrl, edges));
    setSwitches(e, true, true, false);
    wave->n = int(shell[0]);
    wave->r = shell[1];
    wave->phi0 = shell[2];
    wave->calcChi();
    const auto finite = [](const double *a, int size) {
        return std::all_of(a, a + size, [](double v) { return std::isfinite(v); });
    };
    for (const Values *a : { &wave->chi, &wave->wave, &wave->envValues, &wave->winValues })
        QVERIFY(finite(a->constData(), a->size()));
    QVERIFY(std::all_of(wave->chi.cbegin(), wave->chi.cend(),
                        [](double v) { return std::fabs(v) <= 1; }));
    for (const std::vector<double> *a : { &wave->ftChi, &wave->ftWave, &wave->ftEnv, &wave->ftWin })
        QVERIFY(finite(a->data(), int(a->size())));
    QVERIFY(std::isfinite(wave->rMin) && std::isfinite(wave->rAbsMax));
}

void tst_AWave::slotEmitsOnce_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("value");
    for (const char *slider : { "NBar", "RBar", "Phi0Bar", "Phi2Bar", "SigBar" })
        QTest::newRow(slider) << slider << 1;
    QTest::newRow("R to 0") << "RBar" << 0;
    for (const char *box : { "SelEnvelope", "SelWindowF", "SelDebye", "doPM" })
        QTest::newRow(box) << box << 0;
    QTest::newRow("window edge") << "WindowCtrl" << 0;
    QTest::newRow("Flat") << "Flat" << 0;
}

void tst_AWave::slotEmitsOnce()
{
    QFETCH(QString, control);
    QFETCH(int, value);
    env->nodes = hilly;
    WaveCtrl *c = wave->ctrl;
    connect(c, SIGNAL(enFlat()), env, SLOT(enFlat()));
    Values seen; // what a plot repainting on the signal gets
    connect(wave, &AWave::updated, this, [&] { seen = wave->chi; });
    QSignalSpy spy(wave, SIGNAL(updated()));
    QObject *w = c->findChild<QObject *>(control);
    if (auto *slider = qobject_cast<QSlider *>(w))
        slider->setValue(value);
    else if (auto *button = qobject_cast<QAbstractButton *>(w))
        button->click();
    else
        c->WindowCtrl->setPos(0, 2.0);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(firstDifference(seen, expectedFor(*wave).chi), -1);
    const Values params { double(wave->n), wave->r, wave->phi0, wave->phi2, wave->sig };
    const Values expected { control == "NBar" ? 1.0 : 2.0, control == "RBar" ? value / 10.0 : 2.0,
                            control == "Phi0Bar" ? 0.1 : 0.0, control == "Phi2Bar" ? 0.01 : 0.0,
                            control == "SigBar" ? 0.001 : 0.05 };
    QCOMPARE(params, expected);
}

void tst_AWave::mouse_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<double>("nodeY");
    QTest::addColumn<int>("edits"); // bit 0: the envelope node, bit 1: the window edge
    // k 0 … 16 across 400 px, y -1.1 … 1.1 over 300 px: edge 4 at (100, 150), node 4 at
    // (100, 13.6), or on the edge's handle when at 0.
    QTest::newRow("envelope node") << QPoint(100, 13) << 1.0 << 1;
    QTest::newRow("window edge") << QPoint(100, 150) << 1.0 << 2;
    QTest::newRow("both") << QPoint(100, 150) << 0.0 << 3;
    QTest::newRow("neither") << QPoint(300, 250) << 1.0 << 0;
}

void tst_AWave::mouse()
{
    QFETCH(QPoint, at);
    QFETCH(double, nodeY);
    QFETCH(int, edits);
    DispArea area;
    area.coord.setDeviceRect(0, 300, 400, 0);
    area.coord.setRange(0, -1.1, 16, 1.1);
    env->nodes[4].setY(nodeY);
    WindowFunc *window = wave->ctrl->WindowCtrl;
    env->mouse = window->mouse = &area.mouseRelay;
    env->coord = window->coord = &area.coord;
    connect(&area.mouseRelay, SIGNAL(mMoved()), wave, SLOT(mMoved()));
    connect(&area.mouseRelay, SIGNAL(mPressed()), wave, SLOT(mPressed()));
    connect(&area.mouseRelay, SIGNAL(mReleased()), wave, SLOT(mReleased()));
    QSignalSpy spy(wave, SIGNAL(updated()));
    send(&area, QEvent::MouseButtonPress, at);
    send(&area, QEvent::MouseMove, at + QPoint(20, 0));
    send(&area, QEvent::MouseMove, at + QPoint(40, 0));
    send(&area, QEvent::MouseButtonRelease, at + QPoint(40, 0));
    send(&area, QEvent::MouseMove, at);
    // One recomputation per edited object and move.
    QCOMPARE(spy.count(), 2 * ((edits & 1) + (edits >> 1)));
    QCOMPARE(env->nodes[4].x(), edits & 1 ? 5.6 : 4.0);
    QCOMPARE(window->positions[1], edits & 2 ? 5.6 : 4.0);
    QVERIFY(sameAsPlain(*wave));
}

QTEST_MAIN(tst_AWave)
#include "tst_awave.moc"
