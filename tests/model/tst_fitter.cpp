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

QVector<double> noisyPath(const Path &truth, double noise, unsigned seed)
{
    QVector<double> data(samples);
    path(&truth.a, data.data());
    std::mt19937 engine(seed);
    std::normal_distribution<double> gauss(0.0, noise);
    for (double &d : data)
        d += gauss(engine);
    return data;
}

// Fits the path to data from start; *seen gets the lowest and highest value of each variable
// the residuals were asked for. N_idp is the number of samples: their noise is independent.
FitReport fitPath(const QVector<double> &data, const Path &start, const double *max = pathMax,
                  QVector<double> *seen = nullptr)
{
    Fitter f;
    for (int i = 0; i < 4; ++i)
        f.variables.append({ pathNames[i], (&start.a)[i], pathMin[i], max[i] });
    f.residualCount = samples;
    f.independentPoints = samples;
    f.dataSquares = std::inner_product(data.begin(), data.end(), data.begin(), 0.0);
    f.residuals = [&data, seen](const double *p, double *r, QString *) {
        for (int i = 0; seen && i < 4; ++i) {
            (*seen)[i] = std::min((*seen)[i], p[i]);
            (*seen)[i + 4] = std::max((*seen)[i + 4], p[i]);
        }
        path(p, r);
        for (int i = 0; i < samples; ++i)
            r[i] -= data[i];
        return true;
    };
    return f.fit();
}

// y = a + b x at x = 0 … 4 against y = 1, 3, 2, 5, 4; a and b in -10 … 10.
Fitter lineFitter(double a = 1.0, double b = 0.5)
{
    Fitter f;
    f.variables = { { "a", a, -10, 10 }, { "b", b, -10, 10 } };
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

using Setup = std::function<void(Fitter *)>;

// target with the value at a path of object keys and list indices ("parameters/a/value")
// set to v, or removed when v is undefined.
QJsonValue setAt(const QJsonValue &target, QStringList keys, const QJsonValue &v)
{
    const QString key = keys.takeFirst();
    if (target.isArray()) {
        QJsonArray a = target.toArray();
        a[key.toInt()] = keys.isEmpty() ? v : setAt(a.at(key.toInt()), keys, v);
        return a;
    }
    QJsonObject o = target.toObject();
    if (keys.isEmpty() && v.isUndefined())
        o.remove(key);
    else
        o[key] = keys.isEmpty() ? v : setAt(o.value(key), keys, v);
    return o;
}

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
    void recover_data();
    void recover();
    void bounds_data();
    void bounds();
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
    QCOMPARE(report.variableCount(), 2);
    QCOMPARE(report.independentPoints, nIdp);
    QCOMPARE(report.parameters[0].name, QString("a"));
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

void tst_Fitter::recover_data()
{
    QTest::addColumn<Path>("truth");
    QTest::addColumn<Path>("start");
    QTest::addColumn<double>("noise");
    // A copper-like first shell; noise against k²chi peaking near 2.
    QTest::newRow("close start") << Path { 7.2, 3, 2.55, 0.09 } << Path { 8, 0, 2.53, 0.1 } << 0.05;
    QTest::newRow("far start, more noise")
        << Path { 7.2, 3, 2.55, 0.09 } << Path { 5, -4, 2.6, 0.06 } << 0.2;
    QTest::newRow("longer, weaker shell")
        << Path { 4, -6, 3.6, 0.12 } << Path { 6, 0, 3.58, 0.1 } << 0.02;
}

void tst_Fitter::recover()
{
    QFETCH(Path, truth);
    QFETCH(Path, start);
    QFETCH(double, noise);
    // Each value within 3σ of the truth, and σ close to the scatter of the values over
    // repeated draws of the noise (with 100 draws the scatter is known to about 7%).
    const int draws = 100;
    double sum[4] {}, squares[4] {}, sigmas[4] {};
    for (int d = 0; d < draws; ++d) {
        const FitReport report = fitPath(noisyPath(truth, noise, 1000 + d), start);
        QVERIFY2(report.converged, qPrintable(report.message));
        for (int i = 0; i < 4; ++i) {
            const FitReport::Parameter &p = report.parameters[i];
            const double error = p.value - (&truth.a)[i];
            if (d == 0)
                QVERIFY2(std::fabs(error) < 3 * p.uncertainty, qPrintable(p.name));
            sum[i] += error;
            squares[i] += error * error;
            sigmas[i] += p.uncertainty / draws;
        }
    }
    for (int i = 0; i < 4; ++i) {
        const double scatter = std::sqrt((squares[i] - sum[i] * sum[i] / draws) / (draws - 1));
        QVERIFY2(
            scatter > 0.75 * sigmas[i] && scatter < 1.33 * sigmas[i],
            qPrintable(
                QString("%1: scatter %2, σ %3").arg(pathNames[i]).arg(scatter).arg(sigmas[i])));
    }
}

void tst_Fitter::bounds_data()
{
    QTest::addColumn<Path>("truth");
    QTest::addColumn<Path>("start");
    QTest::addColumn<double>("aMax");
    QTest::addColumn<int>("pressed");
    QTest::addColumn<double>("bound");
    QTest::newRow("amplitude above its range")
        << Path { 12, 3, 2.55, 0.09 } << Path { 8, 0, 2.53, 0.1 } << 10.0 << 0 << 10.0;
    QTest::newRow("damped less than Sigma 0 can")
        << Path { 7.2, 3, 2.55, -0.05 } << Path { 8, 0, 2.53, 0.05 } << 20.0 << 3 << 0.0;
    QTest::newRow("from Sigma 0 to inside")
        << Path { 7.2, 3, 2.55, 0.09 } << Path { 8, 0, 2.53, 0.0 } << 20.0 << -1 << 0.0;
}

void tst_Fitter::bounds()
{
    QFETCH(Path, truth);
    QFETCH(Path, start);
    QFETCH(double, aMax);
    QFETCH(int, pressed);
    QFETCH(double, bound);
    const double max[] { aMax, pathMax[1], pathMax[2], pathMax[3] };
    QVector<double> seen { INFINITY,  INFINITY,  INFINITY,  INFINITY,
                           -INFINITY, -INFINITY, -INFINITY, -INFINITY };
    const FitReport report = fitPath(noisyPath(truth, 0.01, 7), start, max, &seen);
    QVERIFY2(report.converged, qPrintable(report.message));
    for (int i = 0; i < 4; ++i) {
        QVERIFY2(seen[i] >= pathMin[i] && seen[i + 4] <= max[i], qPrintable(pathNames[i]));
        const double v = report.parameters[i].value;
        QVERIFY(v >= pathMin[i] && v <= max[i]);
        if (i == pressed)
            QVERIFY(std::fabs(v - bound) < 1e-4 * (max[i] - pathMin[i]));
        else if (pressed < 0 || i == 1 || i == 2)
            QVERIFY2(std::fabs(v - (&truth.a)[i]) < 0.02 * (max[i] - pathMin[i]),
                     qPrintable(pathNames[i]));
    }
}

void tst_Fitter::failures_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("evaluations"); // -1: some
    const auto add = [](const char *tag, Setup s, const QStringList &words, int evaluations = 0) {
        QTest::newRow(tag) << s << words << evaluations;
    };
    add("N_var = N_idp", [](Fitter *f) { f->independentPoints = 2; },
        { "2 parameters are varied", "only 2 independent points" });
    add("N_var > N_idp", [](Fitter *f) { f->independentPoints = 1.5; }, { "only 1.5 independent" });
    add("fewer residuals than variables", [](Fitter *f) { f->residualCount = 1; },
        { "only 1 residuals" });
    add("no variable", [](Fitter *f) { f->variables.clear(); }, { "No parameter" });
    add("a name twice", [](Fitter *f) { f->variables[1].name = "a"; }, { "a is varied twice" });
    add("empty range", [](Fitter *f) { f->variables[1].min = 10; }, { "range of b" });
    add("start outside", [](Fitter *f) { f->variables[0].start = 11; }, { "a starts at 11" });
    add("data all zero", [](Fitter *f) { f->dataSquares = 0; }, { "data are zero" });
    add(
        "no convergence", [](Fitter *f) { f->maxEvaluations = 3; },
        { "did not converge within 3 evaluations" }, -1);
    // a b x + c: only the product of a and b shows.
    add(
        "a b x",
        [](Fitter *f) {
            f->variables.append({ "c", 0.0, -1, 1 });
            f->residuals = [](const double *p, double *r, QString *) {
                for (int i = 0; i < 5; ++i)
                    r[i] = p[0] * p[1] * i + p[2] - i % 3;
                return true;
            };
        },
        { "cannot tell a, b apart" }, -1);
    add(
        "no effect",
        [](Fitter *f) {
            f->variables.append({ "c", 0.0, -1, 1 });
        },
        { "cannot determine c" }, -1);
    add(
        "model fails at the start",
        [](Fitter *f) {
            f->residuals = [](const double *, double *, QString *problem) {
                *problem = "no points in the R range";
                return false;
            };
        },
        { "at a = 1, b = 0.5: no points in the R range" }, 1);
    add(
        "model fails on the way",
        [](Fitter *f) {
            f->residuals = [](const double *p, double *r, QString *) {
                std::fill(r, r + 5, p[1] - 0.6);
                return p[1] < 0.55;
            };
        },
        { "cannot be computed at a = ", "no reason given" }, -1);
    add(
        "not a number",
        [](Fitter *f) {
            f->residuals = [](const double *p, double *r, QString *) {
                std::fill(r, r + 5, std::log(p[1] - 0.6));
                return true;
            };
        },
        { "residual 1 that is not a finite number at a = 1, b = 0.5" }, 1);
}

void tst_Fitter::failures()
{
    QFETCH(Setup, setup);
    QFETCH(QStringList, words);
    QFETCH(int, evaluations);
    Fitter f = lineFitter();
    setup(&f);
    const FitReport report = f.fit();
    QVERIFY(!report.converged);
    QVERIFY(evaluations < 0 ? report.evaluations > 0 : report.evaluations == evaluations);
    for (const QString &w : words)
        QVERIFY2(report.message.contains(w), qPrintable(report.message));
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
    const Path truth { 7.2, 3, 2.55, 0.09 };
    FitReport alone[4], together[4];
    for (int t = 0; t < 4; ++t)
        alone[t] = fitPath(noisyPath(truth, 0.1, t), { 8, 0, 2.53, 0.1 });
    std::vector<std::thread> running;
    for (int t = 0; t < 4; ++t)
        running.emplace_back([&, t] {
            together[t] = fitPath(noisyPath(truth, 0.1, t), { 8, 0, 2.53, 0.1 });
        });
    for (std::thread &t : running)
        t.join();
    for (int t = 0; t < 4; ++t) {
        together[t].seconds = alone[t].seconds;
        QCOMPARE(together[t].toJson(), alone[t].toJson());
    }
}

void tst_Fitter::json_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("value"); // JSON text; "" removes the element
    QTest::addColumn<QString>("message");
    QTest::newRow("good") << ""
                          << ""
                          << "";
    QTest::newRow("failed fit, with nulls") << "converged"
                                            << "false"
                                            << "";
    QTest::newRow("no rfactor") << "rfactor"
                                << ""
                                << "\"rfactor\" is missing";
    QTest::newRow("rfactor text") << "rfactor"
                                  << "\"low\""
                                  << "\"rfactor\" must be a number of at least 0, not \"low\"";
    QTest::newRow("negative uncertainty") << "parameters/b/uncertainty"
                                          << "-1"
                                          << "\"uncertainty\" of parameter \"b\" must be";
    QTest::newRow("null uncertainty, converged")
        << "parameters/a/uncertainty"
        << "null"
        << "\"uncertainty\" of parameter \"a\" must be a number of at least 0, not null";
    QTest::newRow("no value") << "parameters/a/value"
                              << ""
                              << "\"value\" of parameter \"a\" is missing";
    QTest::newRow("parameter a number") << "parameters/a"
                                        << "3"
                                        << "parameter \"a\" must be an object";
    QTest::newRow("parameters a list") << "parameters"
                                       << "[]"
                                       << "\"parameters\" must be";
    QTest::newRow("n_var disagrees") << "n_var"
                                     << "3"
                                     << "\"n_var\" is 3, but \"parameters\" has 2";
    QTest::newRow("n_var fraction") << "n_var"
                                    << "2.5"
                                    << "\"n_var\" must be a whole number";
    QTest::newRow("evaluations negative") << "evaluations"
                                          << "-3"
                                          << "\"evaluations\" must be a whole number";
    QTest::newRow("unknown name") << "correlations/0/names"
                                  << "[\"a\", \"q\"]"
                                  << "\"names\" of correlation 1 must be two different";
    QTest::newRow("a name with itself") << "correlations/0/names"
                                        << "[\"a\", \"a\"]"
                                        << "\"names\" of correlation 1";
    QTest::newRow("correlation 1.5") << "correlations/0/value"
                                     << "1.5"
                                     << "\"value\" of correlation 1 must be a number from -1 to 1";
    QTest::newRow("converged 1") << "converged"
                                 << "1"
                                 << "\"converged\" must be true or false, not 1";
    QTest::newRow("message a number") << "message"
                                      << "5"
                                      << "\"message\" must be a text";
    QTest::newRow("n_idp missing") << "n_idp"
                                   << ""
                                   << "\"n_idp\" is missing";
    QTest::newRow("negative seconds") << "seconds"
                                      << "-1"
                                      << "\"seconds\" must be";
}

void tst_Fitter::json()
{
    QFETCH(QString, path);
    QFETCH(QString, value);
    QFETCH(QString, message);
    const FitReport fitted = lineFitter().fit();
    QCOMPARE(fitted.correlations.size(), 1); // which some rows change
    QJsonObject json = fitted.toJson();
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
    } else if (!path.isEmpty()) {
        const QJsonValue v = value.isEmpty()
                                 ? QJsonValue(QJsonValue::Undefined)
                                 : QJsonDocument::fromJson(("[" + value + "]").toUtf8()).array()[0];
        json = setAt(json, path.split('/'), v).toObject();
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
