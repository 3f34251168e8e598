#include "connectionguard.h"
#include "model/feffpathfile.h"
#include "model/fitbatch.h"
#include "model/measuredchifile.h"
#include "model/shellfit.h"
#include "panels/windowfunc.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <random>

namespace {

const QString fixtures = QStringLiteral(FOURK_FIXTURES "/");

// One fit's inputs as the windows hold them: the grid 0 … 16 by 0.1 with 1024-point transforms,
// n = 2, a Hanning window over 2, 4, 14, 16, R space 1.7 … 2.9 Å, copper's first path.
struct Inputs
{
    ChiCalculator grid;
    ChiCalculator::Settings settings;
    QVector<Shell> shells;
    MeasuredChi data;
    FitSettings fit;
    QVector<double> edges { 2, 4, 14, 16 };

    Inputs()
    {
        grid.setGrid(0.0, 16.0, 0.1, 1024);
        setWindow(WindowFunc::Hanning);
        FeffPath path;
        QString error;
        if (!FeffPathFile::read(fixtures + "copper/feff0001.dat", &path, &error))
            qWarning("%s", qPrintable(error));
        shells = { Shell::fromPath(path) };
        fit.vary = QStringList { "s02", "e0", "1.r", "1.sigma" };
        fit.rMin = 1.7;
        fit.rMax = 2.9;
    }
    void setWindow(WindowFunc::Shape shape)
    {
        WindowFunc w;
        w.setShape(shape);
        w.setPositions(edges);
        settings.window.resize(160);
        for (int i = 0; i < 160; ++i)
            settings.window[i] = w.windowValue(i * 0.1);
    }
    bool setUp(ShellFit *f, QString *error = nullptr)
    {
        QString ignored;
        return f->setUp(grid, settings, shells, data, fit, edges, error ? error : &ignored);
    }
};

MeasuredChi copperFoil()
{
    MeasuredChi data;
    QString error;
    if (!MeasuredChiFile::read(fixtures + "copper/copper-foil-10K.chik", 1, 2, &data, &error))
        qWarning("%s", qPrintable(error));
    return data;
}

} // namespace

using Change = std::function<void(Inputs *)>;
Q_DECLARE_METATYPE(Change)

class tst_ShellFit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void synthetic_data();
    void synthetic();
    void copper();
    void setUp_data();
    void setUp();
    void fails_data();
    void fails();
    void batch();
};

void tst_ShellFit::synthetic_data()
{
    QTest::addColumn<int>("space");
    QTest::addColumn<double>("noise");
    QTest::addColumn<unsigned>("seed");
    QTest::newRow("R, no noise") << int(FitSettings::RSpace) << 0.0 << 1u;
    QTest::newRow("R, noise 0.002") << int(FitSettings::RSpace) << 0.002 << 1u;
    QTest::newRow("R, noise 0.005") << int(FitSettings::RSpace) << 0.005 << 2u;
    QTest::newRow("k, noise 0.002") << int(FitSettings::KSpace) << 0.002 << 3u;
}

// A spectrum made here from copper's first path with known values, plus Gaussian noise of known
// size, gives those values back within three of their uncertainties; without noise, exactly.
void tst_ShellFit::synthetic()
{
    QFETCH(int, space);
    QFETCH(double, noise);
    QFETCH(unsigned, seed);
    Inputs in;
    // N S0^2 = 12 * 0.85, E0 4.5 eV, R 2.54 Å, Sigma 0.055 Å, as plain chi(k) on k = 0, 0.1, …
    // 15.9; the fit starts from S0^2 1, E0 0, R = reff = 2.5527 Å, Sigma 0.05 Å.
    const double truth[] { 0.85, 4.5, 2.54, 0.055 };
    ChiCalculator::Settings made = in.settings;
    made.n = 0;
    made.scale = ChiArrays::Absolute;
    made.useWindow = false;
    made.s02 = truth[0];
    made.e0 = truth[1];
    QVector<Shell> shells = in.shells;
    shells[0].r = truth[2];
    shells[0].sigma = truth[3];
    ChiArrays chi;
    in.grid.compute(made, shells, 0, MeasuredChi(), ChiCalculator::Everything, &chi);
    std::mt19937 engine(seed);
    std::normal_distribution<double> gauss(0.0, noise > 0 ? noise : 1.0);
    for (int i = 0; i < 160; ++i) {
        in.data.k.append(i * 0.1);
        in.data.chi.append(chi.chi[i] + (noise > 0 ? gauss(engine) : 0.0));
    }
    in.fit.space = FitSettings::Space(space);
    ShellFit fit;
    QVERIFY(in.setUp(&fit));
    const FitReport r = fit.run();
    QVERIFY2(r.converged, qPrintable(r.message));
    for (int i = 0; i < 4; ++i) {
        const FitReport::Parameter &p = r.parameters.at(i);
        const double off = std::fabs(p.value - truth[i]);
        // Determined, too: three uncertainties are less than the value itself.
        QVERIFY2(noise > 0 ? off <= 3 * p.uncertainty && 3 * p.uncertainty < truth[i] : off < 1e-6,
                 qPrintable(QString("%1 = %2 ± %3").arg(p.name).arg(p.value).arg(p.uncertainty)));
    }
}

// The copper foil at 10 K against its first path, R 1.7 … 2.9 Å, Hanning 2, 4, 14, 16, n = 2.
void tst_ShellFit::copper()
{
    Inputs in;
    in.data = copperFoil();
    ShellFit fit;
    QString error;
    QVERIFY2(in.setUp(&fit, &error), qPrintable(error));
    // Bins j pi / 102.4 = 0.03068 j Å: 56 (1.718) to 94 (2.884), 39 bins, two parts each.
    // N_idp = 1 + 2 (15 - 3)(2.9 - 1.7) / pi = 1 + 28.8 / pi.
    QCOMPARE(fit.residualCount(), 78);
    QCOMPARE(fit.independentPoints(), 1 + 28.8 / M_PI);
    const FitReport r = fit.run();
    QVERIFY2(r.converged, qPrintable(r.message));
    const auto within = [&r](int i, double lo, double hi) {
        const FitReport::Parameter &p = r.parameters.at(i);
        return p.value >= lo && p.value <= hi && p.uncertainty < (hi - lo) / 2;
    };
    // What a materials scientist expects of this foil:
    // - S0^2 0.8 … 1.0, the many-electron reduction of copper's K edge;
    // - ΔE0 a few eV, under 10, for FEFF's non-self-consistent potentials;
    // - R 2.548 Å: a = 3.615 Å at room temperature contracts by 0.3 % to 3.604 Å at 10 K, and
    //   R = a / sqrt(2); within 0.005 Å;
    // - Sigma² 0.002 … 0.004 Å² (Sigma 0.045 … 0.063 Å): the correlated Debye model with
    //   θD = 315 K gives about 0.003 Å² of zero-point motion at 10 K, and a fit with computed
    //   amplitudes takes up to a third more, S0² and Sigma² being correlated;
    // - an R-factor below 0.02, a good fit by the usual measure.
    QVERIFY(within(0, 0.8, 1.0) && within(1, 0, 10) && within(2, 2.543, 2.553)
            && within(3, std::sqrt(0.002), std::sqrt(0.004)) && r.rfactor < 0.02);

    // Parseval: over the bins up to half the N = 1024 of the transform, the sum of |chi(R)|² is
    // N / 2 dk² / pi times the sum of (k^n W chi)² over k, but for half the first and the middle
    // bins' squares, well under 1 % of it here.
    in.fit.rMin = 0;
    in.fit.rMax = 16;
    ShellFit all, k;
    QVERIFY(in.setUp(&all));
    in.fit.space = FitSettings::KSpace;
    QVERIFY(in.setUp(&k));
    QVERIFY2(std::fabs(all.dataSquares() / (k.dataSquares() * 512 * 0.01 / M_PI) - 1) < 0.01,
             qPrintable(QString::number(all.dataSquares() / k.dataSquares())));
    in.fit = Inputs().fit;

    // Whatever the windows show (normalised above, absolute here, the window switched out),
    // the fit compares k^n W chi in the absolute scale.
    in.settings.scale = ChiArrays::Absolute;
    in.settings.useWindow = false;
    ShellFit shown;
    QVERIFY(in.setUp(&shown));
    const FitReport same = shown.run();
    for (int i = 0; i < 4; ++i)
        QCOMPARE(same.parameters.at(i).value, r.parameters.at(i).value);

    // The values go into the model; a refit from them takes fewer steps and stays.
    QVector<Shell> shells = in.shells;
    double s02 = 1, e0 = 0;
    QVERIFY(ShellFit::apply(r, &shells, &s02, &e0));
    QCOMPARE(s02, r.parameters.at(0).value);
    QCOMPARE(e0, r.parameters.at(1).value);
    QCOMPARE(shells[0].r, r.parameters.at(2).value);
    QCOMPARE(shells[0].sigma, r.parameters.at(3).value);
    fit.startFrom(r);
    const FitReport again = fit.run();
    QVERIFY(again.converged && again.evaluations < r.evaluations);
    for (int i = 0; i < 4; ++i)
        QVERIFY(std::fabs(again.parameters.at(i).value - r.parameters.at(i).value)
                < r.parameters.at(i).uncertainty / 100);
}

void tst_ShellFit::setUp_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("refused"); // in the message; "" when accepted
    QTest::addColumn<int>("residuals");
    QTest::addColumn<double>("nIdp");
    const double copperIdp = 1 + 28.8 / M_PI;
    QTest::newRow("edges in any order") << Change([](Inputs *in) {
        in->edges = { 16, 2, 14, 4 };
    }) << "" << 78 << copperIdp;
    // W > 0 from k = 2.1 to 15.9: W(2) = 0, and 16 is past the last sample.
    QTest::newRow("k space") << Change([](Inputs *in) { in->fit.space = FitSettings::KSpace; })
                             << "" << 139 << copperIdp;
    // Edges 3, 5, 11, 13: dk = 12 - 4; R 2 … 2.5: bins 66 (2.025) to 81 (2.485).
    QTest::newRow("narrower") << Change([](Inputs *in) {
        in->edges = { 3, 5, 11, 13 };
        in->setWindow(WindowFunc::Welch);
        in->fit.rMin = 2;
        in->fit.rMax = 2.5;
    }) << "" << 32 << 1 + 8.0 / M_PI;
    QTest::newRow("no data") << Change([](Inputs *in) { in->data = MeasuredChi(); })
                             << "no measured chi(k) to fit" << 0 << 0.0;
    QTest::newRow("nothing varied")
        << Change([](Inputs *in) { in->fit.vary.clear(); }) << "Nothing is varied" << 0 << 0.0;
    QTest::newRow("no such shell") << Change([](Inputs *in) { in->fit.vary << "2.r"; })
                                   << "\"2.r\" is not a parameter" << 0 << 0.0;
    QTest::newRow("no such key") << Change(
        [](Inputs *in) { in->fit.vary = QStringList { "1.radius" }; })
                                 << "\"1.radius\" is not a parameter" << 0 << 0.0;
    QTest::newRow("shell off") << Change([](Inputs *in) { in->shells[0].on = false; })
                               << "\"1.r\" belongs to shell 1, which is off" << 0 << 0.0;
    QTest::newRow("twice") << Change([](Inputs *in) { in->fit.vary << "e0"; })
                           << "\"e0\" is varied twice" << 0 << 0.0;
    // Bins at 5.0008 and 5.0314 Å.
    QTest::newRow("no bin") << Change([](Inputs *in) {
        in->fit.rMin = 5.001;
        in->fit.rMax = 5.03;
    }) << "No bin of chi(R) lies in the R range 5.001 … 5.03 Å"
                            << 0 << 0.0;
    QTest::newRow("k: W 0 everywhere") << Change([](Inputs *in) {
        in->fit.space = FitSettings::KSpace;
        in->settings.window.fill(0.0);
    }) << "The window W(k) is 0 at every k"
                                       << 0 << 0.0;
    QTest::newRow("data 0") << Change([](Inputs *in) { in->data.chi.fill(0.0); })
                            << "The measured chi(R) is 0 throughout" << 0 << 0.0;
    // The window is above 0 from 2.1 to 15.9.
    // Centred at 9 with a width of 2: exp(-(k - 9)² / 8) is 3e-4 of its peak at k = 1, and
    // the data from there on leave out only such tails.
    QTest::newRow("Gaussian tails past the data") << Change([](Inputs *in) {
        in->setWindow(WindowFunc::Gaussian);
        in->data.k.remove(0, 20);
        in->data.chi.remove(0, 20);
    }) << "" << 78 << 1 + 28.8 / M_PI;
    QTest::newRow("data end in the window") << Change([](Inputs *in) {
        in->data.k.resize(241); // to k = 12
        in->data.chi.resize(241);
    }) << "measured chi(k) covers k = 0 … 12 Å⁻¹, but the window W(k) spans 2.1 … 15.9"
                                            << 0 << 0.0;
    QTest::newRow("k: data 0 in the window") << Change([](Inputs *in) {
        in->fit.space = FitSettings::KSpace;
        in->data.k = { 0, 1, 2, 16 };
        in->data.chi = { 1, 1, 0, 0 };
    }) << "The measured chi(k) is 0 wherever" << 0
                                             << 0.0;
}

// Counts by hand for what is accepted; one message for what is refused, and the fit set up
// before stays as it was.
void tst_ShellFit::setUp()
{
    QFETCH(Change, change);
    QFETCH(QString, refused);
    QFETCH(int, residuals);
    QFETCH(double, nIdp);
    Inputs in;
    in.data = copperFoil();
    ShellFit fit;
    QVERIFY(in.setUp(&fit));
    change(&in);
    QString error;
    QCOMPARE(in.setUp(&fit, &error), refused.isEmpty());
    QVERIFY2(error.contains(refused), qPrintable(error));
    QCOMPARE(fit.residualCount(), refused.isEmpty() ? residuals : 78);
    QCOMPARE(fit.independentPoints(), refused.isEmpty() ? nIdp : 1 + 28.8 / M_PI);
    QVERIFY(fit.varied().size() == 4);
    QCOMPARE(ShellFit::check(in.grid, in.settings, in.shells, in.fit, &error),
             refused.isEmpty() || refused.contains("measured"));
}

void tst_ShellFit::fails_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("message");
    // N_idp = 1 + 2 * 12 * 0.1 / pi = 1.76.
    QTest::newRow("N_var > N_idp") << Change([](Inputs *in) { in->fit.rMax = 1.8; })
                                   << "4 parameters are varied but the data hold only 1.764";
    QTest::newRow("N with S0^2") << Change([](Inputs *in) { in->fit.vary << "1.degen"; })
                                 << "cannot tell s02, 1.degen apart";
}

// What the fitter refuses or cannot do comes back as a report that did not converge, which
// changes nothing.
void tst_ShellFit::fails()
{
    QFETCH(Change, change);
    QFETCH(QString, message);
    Inputs in;
    in.data = copperFoil();
    change(&in);
    ShellFit fit;
    QVERIFY(in.setUp(&fit));
    const FitReport r = fit.run();
    QVERIFY2(!r.converged && r.message.contains(message), qPrintable(r.message));
    QVector<Shell> shells = in.shells;
    double s02 = 1, e0 = 0;
    QVERIFY(!ShellFit::apply(r, &shells, &s02, &e0));
    QVERIFY(s02 == 1 && e0 == 0 && shells[0].r == in.shells[0].r);
}

// Files fitted on two threads, in their order: copies give the very values of one fit alone, and
// a file that cannot be read or fitted fails its own row only.
void tst_ShellFit::batch()
{
    Inputs in;
    in.data = copperFoil();
    ShellFit one;
    QVERIFY(in.setUp(&one));
    const FitReport alone = one.run();
    FitBatch batch;
    batch.grid = in.grid;
    batch.settings = in.settings;
    batch.shells = in.shells;
    batch.fit = in.fit;
    batch.edges = in.edges;
    batch.threads = 2;
    const QString foil = fixtures + "copper/copper-foil-10K.chik";
    QList<int> progress;
    const QVector<FitReport> r
        = batch.run({ foil, "no/such.chik", foil, fixtures + "athena.chik", foil },
                    [&progress](int done) { progress << done; });
    QVERIFY(r.size() == 5);
    for (int i : { 0, 2, 4 }) {
        QVERIFY(r[i].converged);
        for (int p = 0; p < 4; ++p)
            QCOMPARE(r[i].parameters.at(p).value, alone.parameters.at(p).value);
    }
    QVERIFY(!r[1].converged && r[1].message.contains("no/such.chik: cannot be read"));
    // athena.chik ends at k = 0.2, below the window.
    QVERIFY(!r[3].converged && r[3].message.contains("keep the window inside the data"));
    QVERIFY(!progress.isEmpty() && progress.last() == 5
            && std::is_sorted(progress.begin(), progress.end()));
}

QTEST_MAIN(tst_ShellFit)
#include "tst_shellfit.moc"
