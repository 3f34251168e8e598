#include "connectionguard.h"
#include "model/awave.h"
#include "model/csvtables.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"

#include <QtTest>

#include <cmath>
#include <memory>

using Values = QVector<double>;

// A measured chi(k) on a grid of 16 samples, k = 0 … 1.5, checked against values worked out by
// hand from the rows below: between rows the straight line, outside them 0, then times k^n and
// W(k), then divided by the largest magnitude.
class tst_Measured : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void init();
    void weighted_data();
    void weighted();
    void misfit_data();
    void misfit();

private:
    std::unique_ptr<AWave> wave;
    std::unique_ptr<WaveCtrl> panel; // the model's, which it does not delete
};

void tst_Measured::init()
{
    wave = std::make_unique<AWave>(2.0, 0.0, 1.0);
    panel.reset(wave->ctrl);
    wave->setKGrid(0.0, 1.6, 0.1, 16);
    panel->SelDebye->setChecked(false);
}

void tst_Measured::weighted_data()
{
    QTest::addColumn<int>("n");
    // With edges 0, 0.4, 1.0, 1.6: W(0.2) = W(1.3) = 0.5 (to 1e-10: the edges' pi is cut short).
    QTest::addColumn<bool>("window");
    QTest::addColumn<Values>("expected"); // at k = 0.1, 0.2, 0.5, 0.6, 1.0, 1.3, 1.4
    // Interpolated: 0, 1.25, 2.75, 2.5, -0.8125, 0.3125, 0; times k, the largest is 1.5 at 0.6.
    QTest::newRow("n = 1") << 1 << false
                           << Values { 0, 0.25 / 1.5, 1.375 / 1.5, 1, -0.8125 / 1.5, 0.40625 / 1.5,
                                       0 };
    QTest::newRow("n = 2") << 2 << false << Values { 0, 0.05 / 0.9,    0.6875 / 0.9,
                                                     1, -0.8125 / 0.9, 0.528125 / 0.9,
                                                     0 };
    QTest::newRow("n = 1, window")
        << 1 << true << Values { 0, 0.125 / 1.5, 1.375 / 1.5, 1, -0.8125 / 1.5, 0.203125 / 1.5, 0 };
}

void tst_Measured::weighted()
{
    QFETCH(int, n);
    QFETCH(bool, window);
    QFETCH(Values, expected);
    panel->WindowCtrl->setPositions({ 0.0, 0.4, 1.0, 1.6 });
    panel->SelWindowF->setChecked(window);
    panel->NBar->setValue(n);
    const Values arraysBefore = wave->chi + wave->wave + wave->winValues;
    Spectrum s;
    s.k = { 0.15, 0.55, 0.95, 1.35 };
    s.chi = { 1, 3, -1, 0.5 };
    wave->setMeasured(s);
    const int at[] = { 1, 2, 5, 6, 10, 13, 14 };
    for (int i = 0; i < 7; ++i)
        QVERIFY2(std::fabs(wave->measuredValues.at(at[i]) - expected.at(i)) < 1e-9,
                 qPrintable(QString::number(at[i])));
    // The simulation is not touched by the data.
    QCOMPARE(wave->chi + wave->wave + wave->winValues, arraysBefore);

    // Its transform: bin j is sum d[i] exp(2 pi i j i / 16), summed here directly.
    for (int j = 0; j <= 8; ++j) {
        double re = 0.0, im = 0.0;
        for (int i = 0; i < 16; ++i) {
            re += wave->measuredValues.at(i) * std::cos(2 * M_PI * i * j / 16);
            im += wave->measuredValues.at(i) * std::sin(2 * M_PI * i * j / 16);
        }
        const double *f = wave->ftMeasured.data();
        QVERIFY(std::fabs(wave->ftRe(f, j) - re) < 1e-12
                && std::fabs(wave->ftIm(f, j) - im) < 1e-12);
        QVERIFY(wave->rAbsMax >= std::hypot(re, im));
    }

    // Closed again, every array is as it was before, bit for bit, and nothing measured is left.
    const QByteArray tables = CsvTables::chiK(*wave) + CsvTables::chiR(*wave);
    wave->setMeasured(Spectrum());
    QVERIFY(wave->measuredValues.isEmpty() && wave->ftMeasured.empty());
    QVERIFY(!CsvTables::chiK(*wave).contains("data") && tables.contains(",data\n"));
}

void tst_Measured::misfit_data()
{
    QTest::addColumn<double>("scale"); // the data: the simulated shell times this
    QTest::addColumn<double>("misfit");
    // Both are scaled to 1 before they are compared, so any positive factor fits exactly, and a
    // negative one is 2 chi away: 4 sum chi^2 / sum chi^2.
    QTest::newRow("the simulation itself") << 1.0 << 0.0;
    QTest::newRow("ten times smaller") << 0.1 << 0.0;
    QTest::newRow("upside down") << -3.0 << 4.0;
    QTest::newRow("all zero") << 0.0 << double(NAN);
}

void tst_Measured::misfit()
{
    QFETCH(double, scale);
    QFETCH(double, misfit);
    panel->SelWindowF->setChecked(false);
    // Unweighted, as a file holds it: the shell's sin(2kR) / k, on rows at the grid's own k.
    Spectrum s;
    for (int i = 1; i <= 15; ++i) {
        s.k << i * 0.1;
        s.chi << scale * std::sin(2 * 2.0 * (i * 0.1)) / (i * 0.1);
    }
    wave->setMeasured(s);
    if (std::isnan(misfit))
        QVERIFY(std::isnan(wave->misfit));
    else
        QVERIFY2(std::fabs(wave->misfit - misfit) < 1e-12,
                 qPrintable(QString::number(wave->misfit)));
}

QTEST_MAIN(tst_Measured)
#include "tst_measured.moc"
