#include "connectionguard.h"
#include "model/fitter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

#include <cmath>
#include <functional>
#include <random>
#include <thread>

namespace {

// A path as the test's own model: on k = 3.0, 3.2, … 14.8 (60 samples), k² chi with
// chi = a exp(-2 s|s| q²) sin(2qR) / (q R²), q = sqrt(k² - 0.2625 e0). s|s| lets data be made
// with a "negative Sigma²", damped less than any Sigma of the fit's range can.
struct Path
{
    double a, e0, r, s;
};
const int samples = 60;
const QStringList pathNames { "a", "e0", "r", "s" };
const double pathMin[] { 0, -30, 0, 0 };
const double pathMax[] { 20, 30, 10, 0.2 };

void path(const double *p, double *out)
{
    for (int i = 0; i < samples; ++i) {
        const double k = 3.0 + 0.2 * i;
        const double q = std::sqrt(k * k - 0.2625 * p[1]);
        out[i] = k * k * p[0] * std::exp(-2 * p[3] * std::fabs(p[3]) * q * q)
                 * std::sin(2 * q * p[2]) / (q * p[2] * p[2]);
    }
}

// Fits the path from start to the truth plus Gaussian noise drawn with seed, the amplitude in
// 0 … aMax; seen[i] and seen[i + 4] get the lowest and highest value of variable i the residuals
// were asked for. N_idp is the number of samples: their noise is independent.
FitReport fitPath(const Path &truth, double noise, unsigned seed, const Path &start,
                  double aMax = 20, double *seen = nullptr)
{
    std::vector<double> data(samples);
    path(&truth.a, data.data());
    std::mt19937 engine(seed);
    std::normal_distribution<double> gauss(0.0, noise);
    Fitter f;
    for (double &d : data) {
        d += gauss(engine);
        f.dataSquares += d * d;
    }
    for (int i = 0; i < 4; ++i)
        f.variables.append({ pathNames[i], (&start.a)[i], pathMin[i], i ? pathMax[i] : aMax });
    f.residualCount = samples;
    f.independentPoints = samples;
    f.residuals = [data, seen](const double *p, double *r, QString *) {
        for (int i = 0; seen && i < 4; ++i) {
            seen[i] = std::min(seen[i], p[i]);
            seen[i + 4] = std::max(seen[i + 4], p[i]);
        }
        path(p, r);
        for (int i = 0; i < samples; ++i)
            r[i] -= data[i];
        return true;
    };
    return f.fit();
}

// y = a + b x at x = 0 … 4 against y = 1, 3, 2, 5, 4; a and b in -10 … 10.
Fitter lineFitter(double a = 1.0)
{
    Fitter f;
    f.variables = { { "a", a, -10, 10 }, { "b", 0.5, -10, 10 } };
    f.residualCount = 5;
    f.independentPoints = 5;
    f.dataSquares = 55; // 1 + 9 + 4 + 25 + 16
    f.residuals = [](const double *p, double *r, QString *) {
        const double y[] { 1, 3, 2, 5, 4 };
        for (int i = 0; i < 5; ++i)
            r[i] = p[0] + p[1] * i - y[i];
        return true;
    };
    return f;
}

// In place of the line's: a b x + c, in which only the product of a and b shows; one that
// cannot be computed; one that cannot once b passes 0.55 (the fit takes it towards 0.6); one
// that is not a number.
bool product(const double *p, double *r, QString *)
{
    for (int i = 0; i < 5; ++i)
        r[i] = p[0] * p[1] * i + p[2] - i % 3;
    return true;
}
bool failing(const double *, double *, QString *problem)
{
    *problem = "no points in the R range";
    return false;
}
bool failingLater(const double *p, double *r, QString *)
{
    std::fill(r, r + 5, p[1] - 0.6);
    return p[1] < 0.55;
}
bool notANumber(const double *p, double *r, QString *)
{
    std::fill(r, r + 5, std::log(p[1] - 0.6));
    return true;
}

using Setup = std::function<void(Fitter *)>;

} // namespace

Q_DECLARE_METATYPE(Path)
Q_DECLARE_METATYPE(Setup)

class tst_Fitter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void line_data();
    void line();
    void path_data();
    void path();
    void failures_data();
    void failures();
    void threads();
    void json_data();
    void json();
};

void tst_Fitter::line_data()
{
    QTest::addColumn<double>("nIdp");
    QTest::addColumn<double>("startA");
    QTest::addColumn<double>("sigmaA");
    QTest::addColumn<double>("sigmaB");
    // By hand: a = 1.4, b = 0.8, residuals -0.4, 0.8, -1, 1.2, -0.6, chi² = 3.6; (JᵀJ)⁻¹ =
    // [[5, 10], [10, 30]]⁻¹ = [[0.6, -0.2], [-0.2, 0.1]], so σa² = 0.6 χ²/(N_idp - 2),
    // σb² = 0.1 χ²/(N_idp - 2), correlation -0.2 / sqrt(0.06) = -0.81650.
    QTest::newRow("N_idp 5") << 5.0 << 1.0 << std::sqrt(0.72) << std::sqrt(0.12);
    QTest::newRow("N_idp 4.5, not the 5 residuals")
        << 4.5 << 1.0 << std::sqrt(0.864) << std::sqrt(0.144);
    QTest::newRow("from near a bound") << 5.0 << -9.99 << std::sqrt(0.72) << std::sqrt(0.12);
}

void tst_Fitter::line()
{
    QFETCH(double, nIdp);
    QFETCH(double, startA);
    QFETCH(double, sigmaA);
    QFETCH(double, sigmaB);
    Fitter f = lineFitter(startA);
    f.independentPoints = nIdp;
    const FitReport report = f.fit();
    QVERIFY2(report.converged, qPrintable(report.message));
    QCOMPARE(report.independentPoints, nIdp);
    QVERIFY(std::fabs(report.parameters[0].value - 1.4) < 0.01 * sigmaA);
    QVERIFY(std::fabs(report.parameters[1].value - 0.8) < 0.01 * sigmaB);
    QVERIFY(std::fabs(report.parameters[0].uncertainty / sigmaA - 1) < 1e-5);
    QVERIFY(std::fabs(report.parameters[1].uncertainty / sigmaB - 1) < 1e-5);
    QVERIFY(std::fabs(report.chiSquare / 3.6 - 1) < 1e-5);
    QVERIFY(std::fabs(report.rfactor / (3.6 / 55) - 1) < 1e-5);
    QCOMPARE(report.correlations.size(), 1);
    QCOMPARE(report.correlations[0].first + report.correlations[0].second, QString("ab"));
    QVERIFY(std::fabs(report.correlations[0].value + 0.8164966) < 1e-5);
    QVERIFY(report.evaluations > 0 && report.evaluations < 100);
    QVERIFY(report.seconds > 0);
}

void tst_Fitter::path_data()
{
    QTest::addColumn<Path>("truth");
    QTest::addColumn<Path>("start");
    QTest::addColumn<double>("noise"); // against k²chi peaking near 2
    QTest::addColumn<int>("draws");
    QTest::addColumn<double>("aMax");
    QTest::addColumn<int>("pressed"); // the variable that ends on its bound, or -1
    const auto add = [](const char *tag, Path truth, Path start, double noise, int draws,
                        double aMax = 20, int pressed = -1) {
        QTest::newRow(tag) << truth << start << noise << draws << aMax << pressed;
    };
    const Path copper { 7.2, 3, 2.55, 0.09 };
    add("close start", copper, { 8, 0, 2.53, 0.1 }, 0.05, 100);
    add("far start, more noise", copper, { 5, -4, 2.6, 0.06 }, 0.2, 100);
    add("longer, weaker shell", { 4, -6, 3.6, 0.12 }, { 6, 0, 3.58, 0.1 }, 0.02, 100);
    add("from Sigma 0 to inside", copper, { 8, 0, 2.53, 0 }, 0.01, 1);
    add("amplitude above its range", { 12, 3, 2.55, 0.09 }, { 8, 0, 2.53, 0.1 }, 0.01, 1, 10, 0);
    add("damped less than Sigma 0 can", { 7.2, 3, 2.55, -0.05 }, { 8, 0, 2.53, 0.05 }, 0.01, 1, 20,
        3);
}

void tst_Fitter::path()
{
    QFETCH(Path, truth);
    QFETCH(Path, start);
    QFETCH(double, noise);
    QFETCH(int, draws);
    QFETCH(double, aMax);
    QFETCH(int, pressed);
    // Every value asked for and found inside its range; a pressed value on its bound, the others
    // within 3σ of the truth; and σ close to the scatter of the values over repeated draws of the
    // noise (with 100 draws the scatter is known to about 7%).
    double sum[4] {}, squares[4] {}, sigmas[4] {};
    for (int d = 0; d < draws; ++d) {
        double seen[] { INFINITY,  INFINITY,  INFINITY,  INFINITY,
                        -INFINITY, -INFINITY, -INFINITY, -INFINITY };
        const FitReport report = fitPath(truth, noise, 1000 + d, start, aMax, seen);
        QVERIFY2(report.converged, qPrintable(report.message));
        for (int i = 0; i < 4; ++i) {
            const FitReport::Parameter &p = report.parameters[i];
            const double error = p.value - (&truth.a)[i];
            const double max = i ? pathMax[i] : aMax;
            QVERIFY2(seen[i] >= pathMin[i] && seen[i + 4] <= max, qPrintable(p.name));
            QVERIFY(p.value >= pathMin[i] && p.value <= max);
            if (i == pressed)
                QVERIFY(std::fabs(p.value - (i ? pathMin[i] : max)) < 1e-4 * (max - pathMin[i]));
            else if (pressed < 0 && d == 0)
                QVERIFY2(std::fabs(error) < 3 * p.uncertainty
                             && std::fabs(error) < 0.02 * (max - pathMin[i]),
                         qPrintable(p.name));
            sum[i] += error;
            squares[i] += error * error;
            sigmas[i] += p.uncertainty / draws;
        }
    }
    for (int i = 0; draws > 1 && i < 4; ++i) {
        const double scatter = std::sqrt((squares[i] - sum[i] * sum[i] / draws) / (draws - 1));
        QVERIFY2(
            scatter > 0.75 * sigmas[i] && scatter < 1.33 * sigmas[i],
            qPrintable(
                QString("%1: scatter %2, σ %3").arg(pathNames[i]).arg(scatter).arg(sigmas[i])));
    }
}

void tst_Fitter::failures_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("words");
    QTest::addColumn<int>("evaluations"); // -1: some
    const auto add = [](const char *tag, const char *words, int evaluations, Setup s) {
        QTest::newRow(tag) << s << QString(words) << evaluations;
    };
    const Fitter::Variable c { "c", 0.0, -1, 1 };
    add("N_var = N_idp", "2 parameters are varied but the data hold only 2 independent points", 0,
        [](Fitter *f) { f->independentPoints = 2; });
    add("start outside", "a starts at 11", 0, [](Fitter *f) { f->variables[0].start = 11; });
    add("data all zero", "data are zero", 0, [](Fitter *f) { f->dataSquares = 0; });
    add("no convergence", "within 3 evaluations", -1, [](Fitter *f) { f->maxEvaluations = 3; });
    add("no effect", "cannot determine c", -1, [c](Fitter *f) { f->variables.append(c); });
    add("a b x", "cannot tell a, b apart", -1, [c](Fitter *f) {
        f->variables.append(c);
        f->residuals = product;
    });
    add("model fails at the start", "at a = 1, b = 0.5: no points in the R range", 1,
        [](Fitter *f) { f->residuals = failing; });
    add("model fails on the way", "no reason given", -1,
        [](Fitter *f) { f->residuals = failingLater; });
    add("not a number", "residual 1 that is not a finite number at a = 1, b = 0.5", 1,
        [](Fitter *f) { f->residuals = notANumber; });
}

void tst_Fitter::failures()
{
    QFETCH(Setup, setup);
    QFETCH(QString, words);
    QFETCH(int, evaluations);
    Fitter f = lineFitter();
    setup(&f);
    const FitReport report = f.fit();
    QVERIFY(!report.converged);
    QVERIFY(evaluations < 0 ? report.evaluations > 0 : report.evaluations == evaluations);
    QVERIFY2(report.message.contains(words), qPrintable(report.message));
    QCOMPARE(report.variableCount(), f.variables.size());
    for (int i = 0; i < f.variables.size(); ++i) {
        QCOMPARE(report.parameters[i].value, f.variables[i].start);
        QVERIFY(std::isnan(report.parameters[i].uncertainty));
    }
    QVERIFY(std::isnan(report.rfactor) && std::isnan(report.chiSquare));
    QVERIFY(report.correlations.isEmpty());
}

void tst_Fitter::threads()
{
    // Fits running at once give what each gives alone.
    FitReport alone[4], together[4];
    std::vector<std::thread> running;
    for (int t = 0; t < 4; ++t) {
        alone[t] = fitPath({ 7.2, 3, 2.55, 0.09 }, 0.1, t, { 8, 0, 2.53, 0.1 });
        running.emplace_back([&together, t] {
            together[t] = fitPath({ 7.2, 3, 2.55, 0.09 }, 0.1, t, { 8, 0, 2.53, 0.1 });
        });
    }
    for (std::thread &t : running)
        t.join();
    for (int t = 0; t < 4; ++t) {
        together[t].seconds = alone[t].seconds;
        QCOMPARE(together[t].toJson(), alone[t].toJson());
    }
}

void tst_Fitter::json_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value"); // JSON text; "" removes the key
    QTest::addColumn<QString>("message");
    const auto add = [](const char *tag, const char *key, const char *value, const char *m) {
        QTest::newRow(tag) << QString(key) << QString(value) << QString(m);
    };
    add("good", "", "", "");
    add("failed fit, with nulls", "converged", "false", "");
    add("no rfactor", "rfactor", "", "\"rfactor\" is missing");
    add("rfactor text", "rfactor", "\"low\"",
        "\"rfactor\" must be a number of at least 0, not \"low\"");
    add("negative uncertainty", "parameters",
        "{\"a\": {\"value\": 1, \"uncertainty\": 1}, \"b\": {\"value\": 1, \"uncertainty\": -1}}",
        "\"uncertainty\" of parameter \"b\" must be");
    add("null uncertainty, converged", "parameters",
        "{\"a\": {\"value\": 1, \"uncertainty\": null}, \"b\": {\"value\": 1, \"uncertainty\": 1}}",
        "\"uncertainty\" of parameter \"a\" must be a number of at least 0, not null");
    add("n_var disagrees", "n_var", "3", "\"n_var\" is 3, but \"parameters\" has 2");
    add("n_var fraction", "n_var", "2.5", "\"n_var\" must be a whole number");
    add("unknown name", "correlations", "[{\"names\": [\"a\", \"q\"], \"value\": 0.9}]",
        "\"names\" of correlation 1 must be two different");
    add("correlation 1.5", "correlations", "[{\"names\": [\"a\", \"b\"], \"value\": 1.5}]",
        "\"value\" of correlation 1 must be a number from -1 to 1");
    add("converged 1", "converged", "1", "\"converged\" must be true or false, not 1");
}

void tst_Fitter::json()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, message);
    QJsonObject json = lineFitter().fit().toJson();
    QCOMPARE(QStringList(json.keys()),
             QStringList({ "chi_square", "converged", "correlations", "evaluations", "message",
                           "n_idp", "n_var", "parameters", "rfactor", "seconds" }));
    // A failed fit's unknowns are null; a successful one's numbers read back exactly.
    if (value == "false") {
        Fitter f = lineFitter();
        f.maxEvaluations = 3;
        json = f.fit().toJson();
        QVERIFY(json["rfactor"].isNull()
                && json["parameters"].toObject()["a"].toObject()["uncertainty"].isNull());
    } else if (!key.isEmpty()) {
        const QJsonArray v = QJsonDocument::fromJson(("[" + value + "]").toUtf8()).array();
        if (v.isEmpty())
            json.remove(key);
        else
            json[key] = v[0];
    }
    FitReport read;
    read.message = "untouched";
    QString error;
    const bool ok = FitReport::fromJson(json, &read, &error);
    if (message.isEmpty()) {
        QVERIFY2(ok, qPrintable(error));
        QCOMPARE(read.toJson(), json);
    } else {
        QVERIFY(!ok);
        QVERIFY2(error.contains(message), qPrintable(error));
        QCOMPARE(read.message, QString("untouched"));
    }
}

QTEST_GUILESS_MAIN(tst_Fitter)
#include "tst_fitter.moc"
