#include "connectionguard.h"
#include "model/chicalculator.h"
#include "model/feffpathfile.h"
#include "model/measuredchifile.h"
#include "model/scenariofile.h"
#include "model/shellmodel.h"

#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <complex>

using Values = QVector<double>;

namespace {

const QString fixtures = QStringLiteral(FOURK_FIXTURES "/");

FeffPath path(const QString &file)
{
    FeffPath p;
    QString error;
    if (!FeffPathFile::read(fixtures + file, &p, &error))
        qWarning("%s", qPrintable(error));
    return p;
}

// The calculator on the windows' grid, 1024 samples 0.1 apart (k = 5 is sample 50).
struct Model
{
    ChiCalculator calculator;
    ChiCalculator::Settings settings;
    ChiArrays out;

    Model()
    {
        calculator.setGrid(0.0, 16.0, 0.1, 1024);
        settings.scale = ChiArrays::Absolute;
        settings.n = 1;
        settings.useWindow = false;
        settings.window = Values(160, 1.0);
    }
    const ChiArrays &run(const QVector<Shell> &shells, const MeasuredChi &data = MeasuredChi())
    {
        calculator.compute(settings, shells, 0, data, ChiCalculator::Everything, &out);
        return out;
    }
};

} // namespace

// Shells summed: FEFF paths by the EXAFS equation, drawn shells by their envelopes; the scales.
class tst_Shells : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }

    void equation_data()
    {
        // feff9001.dat: real[2*phc] 0.5, mag 0.2, phase 0.3, red factor 1, lambda 10 and
        // real[p] = k at every k, reff 2, so with a = q, b = 0.1 the equation reads
        //   chi(q) = Im{ N S0^2 0.2 / (q R^2) exp(-0.4 - 2 p^2 s^2) exp(i(2q 2 + 0.8 + P0 + P2 q^2
        //            + 2p(R - 2 - s^2))) },  p = q + 0.1i.
        // At k = 5 with nothing changed: 0.01 e^-0.4 sin(20.8) = 0.0067032 * 0.928783 =
        // 0.006225901. Each other value evaluated from the same complex expression (Python's
        // cmath, not this program's real form of it).
        QTest::addColumn<QString>("change");
        QTest::addColumn<double>("chi"); // chi at k = 5, times k (n = 1)
        QTest::newRow("as the file has it") << "" << 0.006225900640643382;
        // exp(-2 * 0.01 * (25 - 0.01)) damps, and the phase moves by -4 s^2 a b - 4 s^2 q / reff.
        QTest::newRow("Sigma 0.1") << "sigma 0.1" << 0.0039380706083155205;
        // R - reff = 0.1: 1 / 2.1^2 instead of 1 / 4, the phase 2q 0.1 = 1 further, exp(-0.02).
        QTest::newRow("R 2.1") << "r 2.1" << 0.0011322461781281322;
        QTest::newRow("N 3, S0^2 0.5") << "degen 3 s02 0.5" << 0.009338850960965076;
        QTest::newRow("P0 1, P2 0.01") << "p0 1 p2 0.01" << -0.00039426521734121597;
        // q = sqrt(25 - 0.2624682917 * 10) = 4.7302555; k^n still takes k = 5.
        QTest::newRow("E0 10") << "e0 10" << 0.005422309146969474;
        // The switch takes Sigma out as it does for a drawn shell.
        QTest::newRow("Sigma, Debye-Waller off") << "sigma 0.1 off" << 0.006225900640643382;
    }

    void equation()
    {
        QFETCH(QString, change);
        QFETCH(double, chi);
        Model m;
        Shell s = Shell::fromPath(path("feff9001.dat"));
        QCOMPARE(s.r, 2.0);
        s.sigma = 0;
        const QStringList words = change.split(' ', Qt::SkipEmptyParts);
        for (int i = 0; i + 1 < words.size(); i += 2) {
            const double v = words[i + 1].toDouble();
            if (words[i] == "s02")
                m.settings.s02 = v;
            else if (words[i] == "e0")
                m.settings.e0 = v;
            else
                s.setValue(words[i] == "degen"   ? Parameter::Degeneracy
                           : words[i] == "r"     ? Parameter::R
                           : words[i] == "sigma" ? Parameter::Sigma
                           : words[i] == "p0"    ? Parameter::P0
                                                 : Parameter::P2,
                           v);
        }
        m.settings.useDebye = !change.contains("off");
        const ChiArrays &a = m.run({ s });
        QVERIFY2(std::fabs(a.chi[50] / 5 - chi) < 1e-12,
                 qPrintable(QString::number(a.chi[50] / 5, 'g', 17)));
        // k^n and the window multiply: n = 2 doubles it at k = 2 … and W = 0.5 halves it.
        m.settings.n = 2;
        m.settings.useWindow = true;
        m.settings.window[50] = 0.5;
        QVERIFY(std::fabs(m.run({ s }).chi[50] - 25 * chi * 0.5) < 1e-12);
    }

    // FEFF's own chi.dat sums paths 1 to 12 and 14 with S0^2 = 0.95 and no Debye-Waller factor:
    // the same paths read here agree within 1 % of its largest value over k = 2 … 16.
    void feffSum()
    {
        Model m;
        m.settings.s02 = 0.95;
        QVector<Shell> shells;
        for (int i : { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14 }) {
            shells << Shell::fromPath(path(QString("copper/feff%1.dat").arg(i, 4, 10, QChar('0'))));
            shells.last().sigma = 0;
        }
        QCOMPARE(shells.size(), 13);
        QCOMPARE(shells[4].degeneracy, 24.0);
        const ChiArrays &a = m.run(shells);
        MeasuredChi feff;
        QString error;
        QVERIFY2(MeasuredChiFile::read(fixtures + "copper/chi.dat", 1, 2, &feff, &error),
                 qPrintable(error));
        double largest = 0, worst = 0;
        for (int i = 20; i < 160; ++i) {
            const int row = feff.k.indexOf(i / 10.0); // chi.dat's k lie 0.05 apart
            QVERIFY(row > 0);
            largest = std::max(largest, std::fabs(feff.chi[row]));
            worst = std::max(worst, std::fabs(a.chi[i] / a.kGrid[i] - feff.chi[row]));
            double sum = 0;
            for (const Values &shell : a.shellValues)
                sum += shell[i];
            QVERIFY(std::fabs(sum - a.chi[i]) < 1e-15);
        }
        QVERIFY2(worst < 0.01 * largest, qPrintable(QString("%1 of %2").arg(worst).arg(largest)));
    }

    // Below the shifted edge (q < 0) and past its table a path adds nothing; R = 0 and
    // degeneracy 0 stay finite.
    void outside()
    {
        Model m;
        m.settings.e0 = 30; // e < 0 below k = sqrt(7.87) = 2.8
        Shell s = Shell::fromPath(path("feff9001.dat"));
        const ChiArrays &a = m.run({ s });
        QVERIFY(a.chi[27] == 0 && a.chi[29] != 0);
        s.r = 0;
        s.sigma = 0.2;
        for (double v : m.run({ s }).chi)
            QVERIFY(std::isfinite(v));
    }

    // Two drawn shells: chi is their sum; normalised, both are divided by one number, so they
    // keep their sizes against each other and nothing leaves -1 … 1.
    void sum()
    {
        Model m;
        QVector<Shell> shells { Shell::drawn("a"), Shell::drawn("b") };
        shells[1].r = 3.0;
        shells[1].degeneracy = 4;
        const Values one = m.run({ shells[0] }).chi, two = m.run({ shells[1] }).chi;
        const ChiArrays &a = m.run(shells);
        for (int i = 0; i < 160; ++i)
            QVERIFY(a.chi[i] == one[i] + two[i] && a.shellValues[1][i] == two[i]);
        m.settings.scale = ChiArrays::Normalised;
        m.run(shells);
        double largest = 0;
        for (int i = 0; i < 160; ++i) {
            largest = std::max(
                { largest, std::fabs(m.out.chi[i]), std::fabs(m.out.shellValues[0][i]) });
            if (std::fabs(two[i]) > 1e-3)
                QVERIFY(
                    std::fabs(m.out.shellValues[1][i] / m.out.shellValues[0][i] - two[i] / one[i])
                    < 1e-9 * std::fabs(two[i] / one[i]));
        }
        QVERIFY(largest <= 1.0 && largest > 0.5);
        // Switched off, a shell adds nothing and its own curve is 0.
        shells[1].on = false;
        QVERIFY(m.run(shells).shellValues[1] == Values(1024, 0.0));
    }

    // In the absolute scale chi(R) is dk / sqrt(pi) times the plain sum of k^n chi exp(2ikR).
    void absoluteTransform()
    {
        Model m;
        m.settings.n = 2;
        const ChiArrays &a = m.run({ Shell::fromPath(path("copper/feff0001.dat")) });
        for (int j : { 0, 1, 26, 80, 511 }) {
            std::complex<double> sum;
            for (int i = 0; i < 160; ++i)
                sum += a.chi[i] * std::polar(1.0, 2 * M_PI * double(i * j % 1024) / 1024);
            sum *= 0.1 / std::sqrt(M_PI);
            QVERIFY(
                std::abs(std::complex<double>(a.ftRe(a.ftChi.data(), j), a.ftIm(a.ftChi.data(), j))
                         - sum)
                < 1e-12 * (1 + std::abs(sum)));
        }
        // The first shell of copper, 12 atoms at 2.55 Å, peaks near 2.2 Å (its phase pulls it in).
        int peak = 0;
        for (int j = 1; j < 200; ++j)
            peak = a.ftAbs(a.ftChi.data(), j) > a.ftAbs(a.ftChi.data(), peak) ? j : peak;
        QVERIFY2(std::fabs(peak * a.binSpacing() - 2.2) < 0.15,
                 qPrintable(QString::number(peak * a.binSpacing())));
    }

    void misfit_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<bool>("absolute");
        QTest::addColumn<double>("factor"); // the data are the simulation times this
        QTest::addColumn<double>("misfit");
        // The factors' largest value (W and the Debye-Waller factor reach 1) used to set chi's
        // scale, so a spectrum of exactly the simulated shape missed by 0.25 and more.
        QTest::newRow("n = 1, its shape") << 1 << false << 1.0 << 0.0;
        QTest::newRow("n = 3, scaled") << 3 << false << 40.0 << 0.0;
        QTest::newRow("absolute, its shape") << 2 << true << 1.0 << 0.0;
        // Compared as they are, half the size misses by (1/2)^2 / (1/2)^2 = 1.
        QTest::newRow("absolute, half") << 2 << true << 0.5 << 1.0;
    }

    void misfit()
    {
        QFETCH(int, n);
        QFETCH(bool, absolute);
        QFETCH(double, factor);
        QFETCH(double, misfit);
        Model m;
        m.settings.n = n;
        m.settings.useWindow = true;
        for (int i = 0; i < 160; ++i)
            m.settings.window[i] = i < 30 ? i / 30.0 : 1.0;
        Shell s = Shell::drawn("a");
        s.sigma = 0.1;
        // The data as a file has them: unweighted chi(k), the simulation divided by k^n W.
        m.settings.scale = ChiArrays::Absolute;
        const ChiArrays &a = m.run({ s });
        MeasuredChi data;
        for (int i = 31; i < 160; ++i)
            data.k << a.kGrid[i], data.chi << factor * a.chi[i] / std::pow(a.kGrid[i], n);
        m.settings.scale = absolute ? ChiArrays::Absolute : ChiArrays::Normalised;
        // Below k = 3.1 the data are 0 where chi is not: take chi out there.
        for (int i = 0; i < 31; ++i)
            m.settings.window[i] = 0;
        QVERIFY2(std::fabs(m.run({ s }, data).misfit - misfit) < 1e-9,
                 qPrintable(QString::number(m.out.misfit)));
    }

    // A file of the one-shell program opens as that one drawn shell.
    void version1()
    {
        Scenario s;
        QString error;
        QVERIFY2(ScenarioFile::read(fixtures + "lesson.fourk", &s, &error), qPrintable(error));
        QVERIFY(s.shells.size() == 1 && s.shells[0].kind() == Shell::Drawn && s.shells[0].r == 4
                && s.shells[0].sigma == 0.1 && s.shells[0].envelope.size() == 17 && s.s02 == 1
                && s.e0 == 0 && s.scale == ChiArrays::Normalised && !s.useDebye);
        // Saved again it is version 2 and reads back the same, path shells included.
        s.shells << Shell::fromPath(path("feff9001.dat"));
        s.shells[1].on = false;
        s.shells[1].name = "second, \"quoted\"";
        Scenario back;
        const QByteArray json = ScenarioFile::toJson(s);
        QVERIFY2(ScenarioFile::parse(json, &back, &error), qPrintable(error));
        QVERIFY(json.contains("\"version\": 2,") && back.shells.size() == 2
                && back.shells[1].path.columns[FeffPath::RealP]
                       == s.shells[1].path.columns[FeffPath::RealP]
                && back.shells[1].name == s.shells[1].name && !back.shells[1].on);
        QCOMPARE(ScenarioFile::toJson(back), json);
    }

    void edit_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("taken");
        QTest::newRow("R exactly") << int(ShellModel::R) << "2.5512345678" << true;
        QTest::newRow("R past 10") << int(ShellModel::R) << "10.5" << false;
        QTest::newRow("Sigma negative") << int(ShellModel::Sigma) << "-0.01" << false;
        QTest::newRow("N 1000") << int(ShellModel::Degeneracy) << "1000" << true;
        QTest::newRow("N not a number") << int(ShellModel::Degeneracy) << "twelve" << false;
        QTest::newRow("P2 nan") << int(ShellModel::P2) << "nan" << false;
        QTest::newRow("name") << int(ShellModel::Name) << " Cu 1 " << true;
        QTest::newRow("empty name") << int(ShellModel::Name) << "  " << false;
        QTest::newRow("kind") << int(ShellModel::Kind) << "drawn" << false;
    }

    // A typed cell keeps the exact value; anything out of its range changes nothing.
    void edit()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(bool, taken);
        ShellModel model;
        QSignalSpy changed(&model, SIGNAL(dataChanged(QModelIndex, QModelIndex, QVector<int>)));
        const QModelIndex cell = model.index(0, column);
        const QVariant before = cell.data(Qt::EditRole);
        QCOMPARE(model.setData(cell, text), taken);
        QCOMPARE(changed.count(), taken ? 1 : 0);
        QCOMPARE(cell.data(Qt::EditRole).toString(), taken ? text.trimmed() : before.toString());
        if (column == ShellModel::R)
            QCOMPARE(cell.data().toString(), taken ? QString("2.55123") : QString("2"));
    }

    // At least one shell, at most 100.
    void count()
    {
        ShellModel model;
        QVERIFY(!model.remove(0));
        QVERIFY(model.append(QVector<Shell>(99, Shell::drawn("x"))));
        QVERIFY(!model.append({ Shell::drawn("y") }));
        QVERIFY(model.remove(0) && model.rowCount() == 99);
    }
};

QTEST_MAIN(tst_Shells)
#include "tst_shells.moc"
