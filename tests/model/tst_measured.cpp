#include "connectionguard.h"
#include "model/awave.h"
#include "model/csvtables.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"

#include <QtTest>

#include <cmath>
#include <memory>
#include <numeric>

using Values = QVector<double>;

// A measured chi(k) on a grid of 16 samples, k = 0 … 1.5, against values worked out by hand:
// between rows the straight line, outside them 0, then times k^n and W(k), then divided by the
// largest magnitude.
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
    panel->WindowCtrl->setPositions({ 0.0, 0.4, 1.0, 1.6 });
}

void tst_Measured::weighted_data()
{
    QTest::addColumn<int>("n");
    // W(0.2) = W(1.3) = 0.5, to 1e-10: the window's pi is cut short.
    QTest::addColumn<bool>("window");
    QTest::addColumn<Values>("expected"); // at k = 0.1, 0.2, 0.5, 0.6, 1.0, 1.3, 1.4
    // Interpolated: 0, 1.25, 2.75, 2.5, -0.8125, 0.3125, 0; times k, the largest is 1.5 at 0.6.
    QTest::newRow("n = 1") << 1 << false
                           << Values { 0, 0.25 / 1.5, 1.375 / 1.5, 1, -0.8125 / 1.5, 0.40625 / 1.5,
                                       0 };
    QTest::newRow("n = 1, window")
        << 1 << true << Values { 0, 0.125 / 1.5, 1.375 / 1.5, 1, -0.8125 / 1.5, 0.203125 / 1.5, 0 };
}

void tst_Measured::weighted()
{
    QFETCH(int, n);
    QFETCH(bool, window);
    QFETCH(Values, expected);
    panel->SelWindowF->setChecked(window);
    panel->NBar->setValue(n);
    const QByteArray tables = CsvTables::chiK(*wave) + CsvTables::chiR(*wave);
    Spectrum s;
    s.k = { 0.15, 0.55, 0.95, 1.35 };
    s.chi = { 1, 3, -1, 0.5 };
    wave->setMeasured(s);
    const int at[] = { 1, 2, 5, 6, 10, 13, 14 };
    for (int i = 0; i < 7; ++i)
        QVERIFY2(std::fabs(wave->measuredValues.at(at[i]) - expected.at(i)) < 1e-9,
                 qPrintable(QString::number(at[i])));
    // Its transform's bin 0 is the sum of the samples, and sets the R range if it is larger.
    const double sum
        = std::accumulate(wave->measuredValues.begin(), wave->measuredValues.end(), 0.0);
    QVERIFY(std::fabs(wave->ftMeasured.at(0) - sum) < 1e-12 && wave->rAbsMax >= std::fabs(sum));

    // Closed again, the tables are as before, byte for byte, and nothing measured is left.
    wave->setMeasured(Spectrum());
    QVERIFY(wave->measuredValues.isEmpty() && wave->ftMeasured.empty());
    QCOMPARE(CsvTables::chiK(*wave) + CsvTables::chiR(*wave), tables);
}

void tst_Measured::misfit_data()
{
    QTest::addColumn<double>("scale"); // the data: the simulated shell times this
    QTest::addColumn<int>("first"); // from this sample on; 0 before it
    QTest::addColumn<double>("misfit"); // -1: what chi has where the data are 0, over the rest
    // Both are scaled to 1 before they are compared, so any positive factor fits exactly, and a
    // negative one is 2 chi away: 4 sum chi^2 / sum chi^2.
    QTest::newRow("the simulation itself") << 1.0 << 1 << 0.0;
    QTest::newRow("upside down") << -3.0 << 1 << 4.0;
    QTest::newRow("all zero") << 0.0 << 1 << double(NAN);
    // chi's peak, at k = 1.2, is among the rows, so both are scaled alike.
    QTest::newRow("from k = 0.8 on") << 1.0 << 8 << -1.0;
}

void tst_Measured::misfit()
{
    QFETCH(double, scale);
    QFETCH(int, first);
    QFETCH(double, misfit);
    panel->SelWindowF->setChecked(false);
    // Unweighted, as a file holds it: the shell's sin(2kR) / k, on rows at the grid's own k.
    Spectrum s;
    for (int i = first; i <= 15; ++i) {
        s.k << i * 0.1;
        s.chi << scale * std::sin(2 * 2.0 * (i * 0.1)) / (i * 0.1);
    }
    wave->setMeasured(s);
    if (misfit < 0) {
        const double *chi = wave->chi.constData();
        const auto squares = [chi](int from, int to) {
            return std::inner_product(chi + from, chi + to, chi + from, 0.0);
        };
        misfit = squares(0, first) / squares(first, 16);
    }
    QVERIFY2(std::isnan(misfit) ? std::isnan(wave->misfit)
                                : std::fabs(wave->misfit - misfit) < 1e-12,
             qPrintable(QString::number(wave->misfit)));
}

QTEST_MAIN(tst_Measured)
#include "tst_measured.moc"
