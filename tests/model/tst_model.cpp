#include "connectionguard.h"
#include "model/awave.h"
#include "model/csvtables.h"
#include "model/envelope.h"
#include "model/feffpathfile.h"
#include "model/filename.h"
#include "model/measuredchifile.h"
#include "model/outputfiles.h"
#include "model/scenariofile.h"
#include "model/shellmodel.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/chcoord.h"
#include "plot/mousec.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>
#include <complex>
#include <memory>
#include <numeric>

#include <unistd.h>

using Nodes = QVector<QPointF>;
using Values = QVector<double>;

namespace {

const double pi = 3.141592653589793;
// The bins of the program's grid, 1024 samples 0.1 apart, lie pi / 102.4 apart in R.
const double dR = pi / 102.4;

// Equal to a value worked out by hand; the window's pi is cut short at the 10th digit.
bool near(double got, double expected, double scale = 0.0)
{
    return std::fabs(got - expected) <= 1e-8 * (std::fabs(expected) + scale) + 1e-13;
}

// Bin j summed the plain way, sum x[n] exp(+2 pi i j n / 1024); past sample 160 all is 0.
std::complex<double> bin(const Values &x, int j)
{
    std::complex<double> sum;
    for (qint64 n = 0; n < 160; ++n)
        sum += x[n] * std::polar(1.0, 2 * pi * double(j * n % 1024) / 1024);
    return sum;
}

// Every value of a scenario, so that two compare exactly (QPointF would compare fuzzily).
Values values(const Scenario &s)
{
    Values v = Values { double(s.n), s.s02, s.e0, double(s.scale), s.pointer } + s.window + s.data.k
               + s.data.chi;
    for (const Shell &shell : s.shells) {
        v << double(shell.on) << double(shell.kind()) << shell.path.k << shell.path.reff;
        for (Parameter::Id id : Shell::parameters())
            v << shell.value(id);
        for (const QPointF &node : shell.envelope)
            v << node.x() << node.y();
    }
    return v << double(s.useEnvelope) << double(s.useWindow) << double(s.useDebye) << double(s.pm)
             << double(s.data.kColumn) << double(s.data.chiColumn);
}

} // namespace

class tst_Model : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void init();
    void samples_data();
    void samples();
    void constructor();
    void controls_data();
    void controls();
    void envelope_data();
    void envelope();
    void measured_data();
    void measured();
    void roundTrip();
    void read_data();
    void read();
    void measuredText_data();
    void measuredText();
    void names_data();
    void names();
    void tables_data();
    void tables();

private:
    void set(const Values &shell, const QString &factors, const MeasuredChi &data = MeasuredChi());

    std::unique_ptr<AWave> wave;
    std::unique_ptr<WaveCtrl> panel; // the model's, which it does not delete
    std::unique_ptr<Envelope> env;
};

void tst_Model::init()
{
    wave = std::make_unique<AWave>(2.0, 0.0, 0.5);
    panel.reset(wave->ctrl);
    env = std::make_unique<Envelope>();
    wave->envelope = env.get();
    connect(env.get(), SIGNAL(updated()), wave.get(), SLOT(envChanged()));
    connect(panel.get(), SIGNAL(enFlat()), env.get(), SLOT(enFlat()));
    wave->setKGrid(0.0, 16.0, 0.1, 1024);
}

// n, R, P0, P2, Sigma; the factors switched in, of "E W D PM"; F(k) = 0.25 + k / 64.
void tst_Model::set(const Values &shell, const QString &factors, const MeasuredChi &data)
{
    Scenario s;
    for (int i = 0; i < 5; ++i)
        s.setNumber(Scenario::numbers().at(i), shell[i]);
    std::tie(s.useEnvelope, s.useWindow, s.useDebye, s.pm)
        = std::make_tuple(factors.contains('E'), factors.contains('W'), factors.contains('D'),
                          factors.contains("PM"));
    s.shells[0].envelope = { { 0, 0.25 }, { 16, 0.5 } };
    s.s02 = 0.5;
    s.window = { 0, 2, 15, 16 };
    s.data = data;
    wave->setScenario(s);
}

void tst_Model::samples_data()
{
    QTest::addColumn<QString>("factors");
    QTest::addColumn<Values>("shell");
    QTest::addColumn<double>("scale"); // chi's divisor, found by hand
    QTest::addColumn<double>("peak"); // where |chi(R)| is largest; NaN: not checked
    // While |chi| stays below 1 and a factor of 1 is multiplied in somewhere (e^0, W on its
    // plateau), the scale is 1.
    QTest::newRow("n = 1, Debye-Waller") << "D" << Values { 1, 5, 0.5, 0, 0.1 } << 1.0 << 5.0;
    QTest::newRow("n = 3, every factor")
        << "E W D" << Values { 3, 8, 0, -0.1, 0.2 } << 1.0 << qQNaN();
    QTest::newRow("PM: F = 1") << "E W D PM" << Values { 2, 9, -1, 0, 0.05 } << 1.0 << 9.0;
    // -5 k sin(0.2 k), its trough at k = 10.1 far deeper than its peak, sets the scale.
    QTest::newRow("no factor") << "" << Values { 2, 0.1, pi, 0, 0.05 } << 50.5 * std::sin(2.02)
                               << qQNaN();
}

void tst_Model::samples()
{
    QFETCH(QString, factors);
    QFETCH(Values, shell);
    QFETCH(double, scale);
    QFETCH(double, peak);
    set(shell, factors);
    // The shell as a physicist writes it, the imaginary part of its outgoing wave (S0^2 = 0.5);
    // F(k) = 0.25 + k / 64 (1 for PM); the window's slopes are cos^2.
    const double n = shell[0], r = shell[1], p0 = shell[2], p2 = shell[3], sigma = shell[4];
    for (int i = 0; i < 160; ++i) {
        const double k = i / 10.0, f = factors.contains("PM") ? 1 : 0.25 + k / 64;
        const double w = k < 2    ? std::pow(std::sin(pi * k / 4), 2)
                         : k < 15 ? 1
                                  : std::pow(std::cos(pi * (k - 15) / 2), 2);
        const double bare
            = (0.5 * std::pow(k, n - 1) / r * std::polar(1.0, 2 * k * r + p0 + p2 * k * k)).imag();
        const double chi = bare * (factors.contains('E') ? f : 1) * (factors.contains('W') ? w : 1)
                           * (factors.contains('D') ? std::exp(-2 * std::pow(sigma * k, 2)) : 1);
        QVERIFY2(near(wave->chi[i], chi / scale, 1e-6) && near(wave->wave[i], bare / scale, 1e-6)
                     && near(wave->envValues[i], f) && near(wave->winValues[i], w),
                 qPrintable(QString::number(k)));
    }
    // From k = 16 on nothing is computed: every array is 0 there, while k runs on.
    const Values arrays[] = { wave->chi, wave->wave, wave->envValues, wave->winValues };
    for (const Values &a : arrays)
        QVERIFY(a.size() == 1024 && a[159] != 0 && a.mid(160) == Values(864, 0.0));
    QCOMPARE(wave->kGrid.last(), 102.3);

    // Every bin, negative and past the middle too, against the plain sums; the largest magnitude
    // but the window's sets the R scale, and chi's peaks at the shell.
    const std::vector<double> *fts[] = { &wave->ftChi, &wave->ftWave, &wave->ftEnv, &wave->ftWin };
    double largest = 0, highest = 0, peakAt = 0;
    for (int a = 0; a < 4; ++a) {
        const double *f = fts[a]->data();
        for (int j = -1023; j < 1024; ++j) {
            const std::complex<double> b = bin(arrays[a], j);
            QVERIFY2(near(wave->ftRe(f, j), b.real(), 1) && near(wave->ftIm(f, j), b.imag(), 1)
                         && near(wave->ftAbs(f, j), std::abs(b), 1),
                     qPrintable(QString("array %1, bin %2").arg(a).arg(j)));
            largest = std::max(largest, a < 3 ? std::abs(b) : 0.0);
            if (a == 0 && j >= 0 && j < 512 && std::abs(b) > highest)
                highest = std::abs(b), peakAt = j * dR;
        }
        QVERIFY(wave->ftAbs(f, 1024) == 0 && wave->ftAbs(f, INT_MIN) == 0);
    }
    QVERIFY(near(wave->rAbsMax, largest));
    QVERIFY2(!(std::fabs(peakAt - peak) >= dR), qPrintable(QString::number(peakAt)));
}

// The sliders stand at the parameters cut to their steps, the read-outs show the parameters,
// and none of it reaches the model: R and P0 stay between steps.
void tst_Model::constructor()
{
    AWave w(2.55, -1.25, 1.0);
    const std::unique_ptr<WaveCtrl> c(w.ctrl);
    QString shown;
    for (const QString name : { "N", "R", "Phi0", "Phi2", "Sig" })
        shown += QString(" %1 %2")
                     .arg(c->findChild<QSlider *>(name + "Bar")->value())
                     .arg(c->findChild<QLineEdit *>(name + "Val")->text());
    QCOMPARE(shown, " 2 2 26 2.55 -13 -1.25 0 0 50 0.05");
    QVERIFY(w.shells->shell(0).r == 2.55 && w.shells->shell(0).p0 == -1.25);
}

void tst_Model::controls_data()
{
    QTest::addColumn<QString>("control");
    for (const char *c : { "NBar", "RBar", "Phi0Bar", "Phi2Bar", "SigBar", "SelEnvelope",
                           "SelWindowF", "SelDebye", "doPM", "Flat", "WindowCtrl" })
        QTest::newRow(c) << c;
}

// Each control reaches the model, which announces once, with chi already recomputed.
void tst_Model::controls()
{
    QFETCH(QString, control);
    set({ 2, 2, 0, 0, 0.05 }, "E W D");
    const Values before = wave->chi;
    Values seen;
    connect(wave.get(), &AWave::updated, this, [&] { seen = wave->chi; });
    QSignalSpy spy(wave.get(), SIGNAL(updated()));
    if (auto *slider = panel->findChild<QSlider *>(control))
        slider->triggerAction(QSlider::SliderSingleStepAdd);
    else if (auto *button = panel->findChild<QAbstractButton *>(control))
        button->click();
    else
        panel->WindowCtrl->setPos(0, 1.0);
    QVERIFY(spy.count() == 1 && seen != before && seen == wave->chi);
    // Flat sets every node of the envelope to 1.
    QVERIFY(control != "Flat"
            || std::all_of(env->nodes.begin(), env->nodes.end(),
                           [](const QPointF &p) { return p.y() == 1.0; }));
}

void tst_Model::envelope_data()
{
    QTest::addColumn<Nodes>("nodes");
    QTest::addColumn<QPointF>("at"); // k for F(k); or a press and a drag to (250, 250)
    QTest::addColumn<double>("expected"); // F(k); or the node the press takes, -1 for none
    const Nodes two { { 0, 1.0 }, { 1, 3.0 } }, one { { 100, 100 } };
    QTest::newRow("no nodes") << Nodes() << QPointF(-5, 0) << 1.0;
    QTest::newRow("one node") << Nodes { { 3, 0.7 } } << QPointF(20, 0) << 0.7;
    QTest::newRow("between") << two << QPointF(0.5, 0) << 2.0;
    QTest::newRow("past the end") << two << QPointF(2, 0) << 5.0;
    QTest::newRow("before the start") << two << QPointF(-1, 0) << -1.0;
    QTest::newRow("second segment")
        << Nodes { { 0, 0 }, { 2, 4 }, { 4, 3 } } << QPointF(3.5, 0) << 3.25;
    QTest::newRow("same k: mean") << Nodes { { 1, 1.0 }, { 1, 4.0 } } << QPointF(9, 0) << 2.5;
    // The segment starting at the node, not the one (nor the pair) ending there.
    QTest::newRow("on a node") << Nodes { { 0, 0 }, { 1, 2 }, { 1, 4 }, { 2, 4 } } << QPointF(1, 0)
                               << 4.0;
    QTest::newRow("press 9 px away") << one << QPointF(109, 100) << 0.0;
    QTest::newRow("press 10 px away") << one << QPointF(100, 110) << -1.0;
    QTest::newRow("6, 8 diagonal: 10 px") << one << QPointF(106, 108) << -1.0;
    // The drag then takes node 0 past node 1; the list keeps its order.
    QTest::newRow("tie: the earlier")
        << Nodes { { 100, 100 }, { 108, 100 } } << QPointF(104, 100) << 0.0;
    QTest::newRow("the nearer") << Nodes { { 100, 96 }, { 103, 100 } } << QPointF(100, 100) << 1.0;
}

void tst_Model::envelope()
{
    QFETCH(Nodes, nodes);
    QFETCH(QPointF, at);
    QFETCH(double, expected);
    env->nodes = nodes;
    if (at.y() == 0) {
        QCOMPARE(env->envelopeValue(at.x()), expected);
        return;
    }
    MouseC relay;
    ChCoord coord; // unscaled: a node's coordinates are its pixel position
    std::tie(env->mouse, env->coord, relay.curPos) = std::make_tuple(&relay, &coord, at.toPoint());
    QSignalSpy spy(env.get(), SIGNAL(updated()));
    env->dragNode(); // no press yet
    env->pickNode();
    relay.curPos = QPoint(250, 250);
    env->dragNode();
    env->dropNode();
    env->dragNode(); // after the release
    if (expected >= 0)
        nodes[int(expected)] = QPointF(250, 250);
    QVERIFY(env->nodes == nodes && spy.count() == (expected >= 0 ? 1 : 0));
    // A surface without extent maps the pointer to inf: the node stays.
    env->pickNode();
    coord.setDeviceRect(0, 0, 0, 0);
    env->dragNode();
    QCOMPARE(env->nodes, nodes);
}

void tst_Model::measured_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("factors");
    QTest::addColumn<double>("scale"); // NaN: feff_chi.dat; else the simulated shell times this
    // feff_chi.dat's rows, at k = 1, 1.5 … 3, have chi 0.15, -0.25, 0.3, -0.01, 0.075: between
    // them chi is -0.01 at 1.2 and 0.024 at 2.7, 0 outside. Weighted by k^n and W (0 … 1 over
    // k = 0 … 2), the largest is 0.3 k^n at k = 2. Then at k = 0.9, 1, 1.2, 2, 2.7, 3.1:
    QTest::addColumn<Values>("expected");
    // Both are scaled to 1 before they are compared, so a positive factor fits exactly and a
    // negative one is 2 chi away: 4 sum chi^2 / sum chi^2; added to what chi has where the
    // data are 0.
    QTest::addColumn<double>("misfit");
    const double feff = qQNaN(), w12 = (1 - std::cos(0.6 * pi)) / 2;
    QTest::newRow("n = 1") << 1 << "" << feff
                           << Values { 0, 0.15 / 0.6, -0.012 / 0.6, 1, 0.0648 / 0.6, 0 } << 0.0;
    QTest::newRow("n = 2, window")
        << 2 << "W" << feff << Values { 0, 0.075 / 1.2, -0.0144 * w12 / 1.2, 1, 0.17496 / 1.2, 0 }
        << 0.0;
    QTest::newRow("the simulation itself") << 2 << "" << 1.0 << Values() << 0.0;
    QTest::newRow("upside down") << 2 << "" << -3.0 << Values() << 4.0;
    QTest::newRow("all zero") << 2 << "" << 0.0 << Values() << qQNaN();
}

// A measured chi(k) taken onto the grid, weighted and scaled as chi is, and its misfit.
void tst_Model::measured()
{
    QFETCH(int, n);
    QFETCH(QString, factors);
    QFETCH(double, scale);
    QFETCH(Values, expected);
    QFETCH(double, misfit);
    MeasuredChi data;
    QString error;
    QVERIFY(!std::isnan(scale)
            || MeasuredChiFile::read(FOURK_FIXTURES "/feff_chi.dat", 1, 2, &data, &error));
    // Else from k = 8 on, unweighted as a file has it: the shell's sin(2kR) / k at the grid's k.
    for (int i = 80; !std::isnan(scale) && i < 160; ++i) {
        data.k << i * 0.1;
        data.chi << scale * std::sin(4 * (i * 0.1)) / (i * 0.1);
    }
    set({ double(n), 2, 0, 0, 0.05 }, factors, data);
    const int at[] = { 9, 10, 12, 20, 27, 31 };
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(near(wave->measuredValues[at[i]], expected[i]), qPrintable(QString::number(i)));
    const double *chi = wave->chi.constData();
    misfit += std::inner_product(chi, chi + 80, chi, 0.0)
              / std::inner_product(chi + 80, chi + 160, chi + 80, 0.0);
    QVERIFY2(std::isnan(scale)
                 || (std::isnan(misfit) ? std::isnan(wave->misfit) : near(wave->misfit, misfit)),
             qPrintable(QString::number(wave->misfit)));
}

// Every double back as it was, also between slider steps; the keys of a later version are saved
// again as they were written, in their order.
void tst_Model::roundTrip()
{
    Scenario s, back;
    const double numbers[]
        = { 3, 0.1 + 0.2, -9.999999999999998, 5e-324, 0.2, 1.9999, -29.5, -1e300 };
    for (int i = 0; i < 8; ++i)
        s.setNumber(Scenario::numbers().at(i), numbers[i]);
    s.window = { 16, 3.25, 1e-300, -0.5 };
    s.shells[0].envelope.clear();
    for (int i = 0; i < 1000; ++i)
        s.shells[0].envelope.append(QPointF(i / 3.0, std::sqrt(i) - 7));
    s.useEnvelope = s.useWindow = s.useDebye = false;
    s.pm = s.labels = true;
    s.show = QStringList { "total", "real" };
    s.data.k = { 0, 1e-9, 0.1 / 3, 7 };
    s.data.chi = { -1e-300, 2.0 / 3, 0, 1e100 };
    s.data.kColumn = 999;
    s.data.file = "cu.chi";
    QString error;
    const QByteArray later
        = "\"annotations\": [1.00000000000000000000000001, {\"x\": \"\\u00e9\"}],\n"
          "\"later\": {}";
    QVERIFY2(ScenarioFile::parse(ScenarioFile::toJson(s).replace('{', "{ " + later + ","), &back,
                                 &error),
             qPrintable(error));
    QVERIFY(values(back) == values(s) && back.show == s.show && back.data.file == s.data.file
            && back.labels && !ScenarioFile::toJson(Scenario()).contains("labels"));
    const QByteArray saved = ScenarioFile::toJson(back);
    Scenario again;
    QVERIFY(saved.count("annotations") == 1
            && saved.endsWith("    \"annotations\": [1.00000000000000000000000001, {\"x\": "
                              "\"\\u00e9\"}],\n    \"later\": {}\n}\n")
            && ScenarioFile::parse(saved, &again, &error) && ScenarioFile::toJson(again) == saved);
}

void tst_Model::read_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("named"); // in the one line of the message; "=" what a good file has
    const auto row = [](const QString &path, const QString &named) {
        QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path << named;
    };
    const QString fixtures = FOURK_FIXTURES "/";
    QFile list(fixtures + "bad/messages.txt"); // "file: what its message names", a line each
    QVERIFY(list.open(QIODevice::ReadOnly | QIODevice::Text));
    for (const QString &line : QString(list.readAll()).split('\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith('#'))
            row(fixtures + "bad/" + line.section(": ", 0, 0), line.section(": ", 1));
    }
    row(fixtures + "athena.chik", "= 5 0 0 0.2 0.04"); // # header, blank line
    row(fixtures + "feff_chi.dat", "= 5 1 0.15 3 0.075"); // text header
    row(fixtures + "semicolon.csv", "= 4 0.5 0.25 2 -0.1"); // BOM, CRLF, ; and , and a comment
    row(fixtures + "feff9001.dat", "= 21 0 0.5 20 0.5"); // rows, k and real[2*phc] at both ends
    row(fixtures + "copper/feff0001.dat", "= 59 0 3.9536 20 -2.2408");
    // Made by the test: too large for a fixture, or no file at all.
    row("large.fourk", "larger than 16 MiB");
    row("large.chi", "larger than 64 MiB");
    row("rows.chi", "more than 1000000 rows");
    row("folder.fourk", "folder");
    row("folder.chi", "folder");
    row("no/such.fourk", "cannot be read");
    row("no/such.chi", "cannot be read");
    // A device is read like a file, up to the limit.
    row("/dev/zero", "larger than 64 MiB");
}

// A good file is read whole. A bad one is named in one line with its file and what is wrong, and
// what was read into stays as it was.
void tst_Model::read()
{
    QFETCH(QString, path);
    QFETCH(QString, named);
    QTemporaryDir dir;
    QFile file(QDir::isAbsolutePath(path) ? path : dir.filePath(path));
    if (!path.contains('/')) { // made here
        path = file.fileName();
        if (path.contains("folder"))
            QDir().mkpath(path);
        else if (path.contains("rows") && file.open(QIODevice::WriteOnly))
            file.write(QByteArray("1 1\n").repeated(1000001));
        else if (file.open(QIODevice::WriteOnly))
            file.resize((path.endsWith(".chi") ? 64 << 20 : 16 << 20) + 1);
        file.close();
    }
    Scenario s;
    s.setNumber(Parameter::R, 7.5);
    s.data.k = s.data.chi = { 1 };
    const Values before = values(s);
    QString error;
    FeffPath feff;
    const bool isPath
        = QFileInfo(path).fileName().contains(QRegularExpression("^feff(\\d+|-.*)\\.dat$"));
    const bool ok = path.endsWith(".fourk") ? ScenarioFile::read(path, &s, &error)
                    : isPath                ? FeffPathFile::read(path, &feff, &error)
                                            : MeasuredChiFile::read(path, 1, 2, &s.data, &error);
    const MeasuredChi &d = s.data;
    const QVector<double> &k = isPath ? feff.k : d.k, &y = isPath ? feff.columns[0] : d.chi;
    QStringList got { "=", QString::number(k.size()) };
    for (double v : { k.value(0), y.value(0), k.value(k.size() - 1), y.value(y.size() - 1) })
        got << QString::number(v);
    if (named.startsWith('='))
        QVERIFY2(ok && (isPath ? feff.file : d.file) == QFileInfo(path).fileName()
                     && got.join(' ') == named,
                 qPrintable(error + got.join(' ')));
    else
        QVERIFY2(!ok && error.startsWith(path + ": ") && error.contains(named)
                     && !error.contains('\n') && values(s) == before && feff.isEmpty(),
                 qPrintable(error));
}

void tst_Model::measuredText_data()
{
    QTest::addColumn<QByteArray>("text");
    // "= rows, first k and chi, last k and chi", or what the one line of the message says.
    QTest::addColumn<QString>("expected");
    const QByteArray rows = "k chi\n1 0.5\n2 0.25\n3 1\n4 -1\n";
    const QString read = "= 4 1 0.5 4 -1";
    QByteArray le = "\xff\xfe", be = "\xfe\xff";
    for (char c : rows)
        le += QByteArray(1, c) + '\0', be += QByteArray(1, '\0') + c;
    QTest::newRow("UTF-16 LE") << le << read;
    QTest::newRow("UTF-16 BE") << be << read;
    QTest::newRow("CR line ends") << QByteArray(rows).replace('\n', '\r') << read;
    QTest::newRow("Fortran exponents")
        << QByteArray("1.0D-03 5d-1\n2.0D+00 0.25\n3 1\n4 -1.0d0\n") << "= 4 0.001 0.5 4 -1";
    QTest::newRow("comments after rows")
        << QByteArray("# k chi\n1 0.5 # first\n2 0.25#\n3 1\n4 -1 # k = 4\n") << read;
    // Words after the columns, on the first row too: not a header.
    QTest::newRow("words after rows") << QByteArray("1 0.5 a\n2 0.25 b\n3 1 c\n4 -1\n") << read;
    QTest::newRow("comma-separated") << QByteArray("1,0.5\n2, 0.25\n3 ,1\n4,-1\n") << read;
    // 1e-300 and pi written out, without an exponent.
    QTest::newRow("long decimals") << "0." + QByteArray(299, '0')
                                          + "1 0.5\n2 3.14159265358979323846264338327950288\n3 1\n"
                                            "4 -1\n"
                                   << "= 4 1e-300 0.5 4 -1";
    QTest::newRow("decimal comma")
        << QByteArray("k chi\n1 0.5\n1,5 0,25\n") << "line 3: “1,5” has a decimal comma";
    QTest::newRow("decimal comma, semicolons")
        << QByteArray("0,5;-1,25E-2\n") << "line 1: “0,5” has a decimal comma";
    QTest::newRow("plus minus") << QByteArray("1 0.5\n2 +-0.1\n3 1\n4 1\n")
                                << "line 2: column 2 is not a number (“+-0.1”)";
    QTest::newRow("no rows: a word for chi")
        << QByteArray("# k chi\n\nfeff\n1 x\n2 y\n")
        << "no rows of numbers: line 4 is not one: column 2 is not a number (“x”)";
    QTest::newRow("no rows: text") << QByteArray("\n k chi\nk chi\n")
                                   << "no rows of numbers: from line 2 (“k chi”) on, every line";
    QTest::newRow("no rows: comments") << QByteArray("# k\r\n\r\n") << "only blank and comment";
}

// A measured chi(k) as EXAFS programs and spreadsheets write it, from text of known values.
void tst_Model::measuredText()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, expected);
    MeasuredChi d;
    QString error;
    const bool ok = MeasuredChiFile::parse(text, 1, 2, &d, &error);
    QStringList got { "=", QString::number(d.k.size()) };
    for (double v : { d.k.value(0), d.chi.value(0), d.k.value(3), d.chi.value(3) })
        got << QString::number(v, 'g', 15);
    QVERIFY2(expected.startsWith('=') ? ok && got.join(' ') == expected
                                      : !ok && error.contains(expected) && !error.contains('\n'),
             qPrintable(error + got.join(' ')));
}

void tst_Model::names_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("decoded"); // what Qt decodes it to, where it is UTF-8
    QTest::newRow("ASCII") << QByteArray("k.chi") << "k.chi";
    QTest::newRow("UTF-8") << QByteArray("\xe5\x90\x8d \xf0\x9f\x98\x80.chi")
                           << QString::fromUtf8("名 😀.chi");
    QTest::newRow("byte FF") << QByteArray("\xff.chi") << "";
    QTest::newRow("cut short") << QByteArray("a\xe5\x90") << "";
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << "";
    QTest::newRow("encoded surrogate") << QByteArray("\xed\xa0\x80") << "";
    QTest::newRow("escape written out") << QByteArray("\xed\xb3\xbf") << "";
}

// A file name goes through the program as its own bytes: written, found and read back.
void tst_Model::names()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, decoded);
    const QString path = FileName::fromNative(name);
    QCOMPARE(FileName::toNative(path), name);
    QVERIFY(decoded.isEmpty() || path == decoded);
    QTemporaryDir dir;
    const QString full = FileName::fromNative(QFile::encodeName(dir.path()) + '/' + name);
    OutputFiles out;
    out.add(full, "1 2\n2 3\n3 4\n4 5\n");
    MeasuredChi d;
    QString error;
    QVERIFY2(out.write() && MeasuredChiFile::read(full, 1, 2, &d, &error) && d.k.size() == 4,
             qPrintable(out.error + error));
    QVERIFY(::access((QFile::encodeName(dir.path()) + '/' + name).constData(), R_OK) == 0);
}

QTEST_MAIN(tst_Model)
void tst_Model::tables_data()
{
    QTest::addColumn<QString>("extra");
    for (const char *extra : { "", "data", "shells" })
        QTest::newRow(extra) << extra;
}

// What each column of both tables holds, and their rows: the samples k = 0 … 15.9 and the bins
// R = 0 … 511 dR, the chi(R) plot's spacing.
void tst_Model::tables()
{
    QFETCH(QString, extra);
    MeasuredChi data;
    data.k = { 1, 2, 3, 4 }, data.chi = { 0.1, -0.2, 0.3, -0.1 };
    set({ 2, 2, 0, 0, 0.05 }, "E W", extra == "data" ? data : MeasuredChi());
    if (extra == "shells")
        QVERIFY(wave->shells->append({ Shell::drawn("b") }));
    const QByteArray more = extra == "data" ? ",data" : extra == "shells" ? ",shell1,shell2" : "";
    const QList<QByteArray> k = CsvTables::chiK(*wave).split('\n'),
                            r = CsvTables::chiR(*wave).split('\n');
    QVERIFY(k.size() == 162 && r.size() == 514 && k.at(0) == "k,chi,wave,envelope,window" + more);
    QCOMPARE(QString(r.at(0)),
             "R,chi_re,chi_im,chi_abs,chi_phase,wave_abs,envelope_abs,window_abs"
                 + QString(more).replace(QRegularExpression("(,\\w+)"), "\\1_re\\1_im\\1_abs"));
    for (int i = 0; i < 160; ++i) {
        QVector<double> c;
        for (const QByteArray &cell : k.at(i + 1).split(','))
            c << cell.toDouble();
        const double w = i <= 20 ? (1 - std::cos(pi * i / 20)) / 2 : 1.0; // from 15 on: falling
        QVERIFY(std::abs(c[0] - i * 0.1) < 1e-12 && qFuzzyCompare(c[3], 0.25 + i * 0.1 / 64)
                && (i >= 150 || std::abs(c[4] - w) < 1e-9));
        QVERIFY(c[1] == wave->chi[i] && c[2] == wave->wave[i]);
        QVERIFY(extra != "shells" || std::abs(c[5] + c[6] - c[1]) < 1e-12);
        QVERIFY(extra != "data" || c[5] == wave->measuredValues[i]);
    }
    for (int j = 0; j < 512; ++j) {
        QVector<double> c;
        for (const QByteArray &cell : r.at(j + 1).split(','))
            c << cell.toDouble();
        QVERIFY(std::abs(c[0] - j * pi / 102.4) < 1e-9
                && std::abs(std::hypot(c[1], c[2]) - c[3]) < 1e-12);
        QVERIFY(std::abs(std::atan2(c[2], c[1]) - c[4]) < 1e-12 && c[5] >= 0 && c[6] >= 0
                && c[7] >= 0);
        QVERIFY(extra != "data" || std::abs(std::hypot(c[8], c[9]) - c[10]) < 1e-12);
    }
}

#include "tst_model.moc"
