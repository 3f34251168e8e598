#include "connectionguard.h"
#include "model/awave.h"
#include "model/envelope.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "tools/exporter.h"
#include "tools/exportoptions.h"

#include <QSvgRenderer>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <memory>

using Values = QVector<double>;

namespace {

// A fresh program for each case, so that no setting leaks into the next.
std::unique_ptr<Exporter> exporterFor(const QString &args)
{
    ExportOptions o;
    o.parse(QStringList { "fourk-export" } + args.split(' ') + QStringList { "--chik", "-" });
    auto e = std::make_unique<Exporter>();
    e->window->applyScenario(o.scenario);
    return e;
}

// The rows of a table, or none if its header is not the one expected.
QVector<Values> rows(const QByteArray &csv, const QByteArray &header)
{
    if (!csv.startsWith(header + '\n') || !csv.endsWith('\n'))
        return {};
    QVector<Values> values;
    for (const QByteArray &line : csv.mid(header.size() + 1).chopped(1).split('\n')) {
        values.append(Values());
        for (const QByteArray &cell : line.split(','))
            values.last() << cell.toDouble();
    }
    return values;
}

// Equal as numbers, cell by cell. QString::number writes -0 as "0", and Qt 6 compares a
// QVector<double> bytewise, where -0 and 0 differ; Qt 5 compares with ==.
bool sameNumbers(const Values &a, const Values &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

} // namespace

class TestExporter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tables_data();
    void tables();
    void plots_data();
    void plots();
};

void TestExporter::initTestCase()
{
    ConnectionGuard::install();
}

void TestExporter::tables_data()
{
    QTest::addColumn<QString>("args");
    // n, r, phi0, phi2, sigma, sorted edges, factors (envelope, window, Debye, PM), nodes' k and F
    QTest::addColumn<Values>("model");
    QTest::newRow("between steps, edges across the old ones")
        << "--n 3 --r 4 --r=2.55 --p0 -1.25 --p2 0.333 --sigma 1.25e-2 --window 20,16.5,3.25,15 "
           "--envelope 0:1,16:0.5"
        << Values { 3, 2.55, -1.25, 0.333, 0.0125, 3.25, 15, 16.5, 20, 1, 1, 1, 0, 0, 1, 16, 0.5 };
    QTest::newRow("edges below the old ones, factors switched")
        << "--window -2,-5,-3,-4 --pm --no-envelope --no-window --no-debye --envelope 5:1.5,3:-1"
        << Values { 2, 2, 0, 0, 0.05, -5, -4, -3, -2, 0, 0, 0, 1, 5, 1.5, 3, -1 };
}

// The settings reach the model, and the tables hold its arrays, bit for bit but for the sign of
// a zero, as computed after
// the last setting.
void TestExporter::tables()
{
    QFETCH(QString, args);
    QFETCH(Values, model);
    const auto exporter = exporterFor(args);
    AWave *w = exporter->window->waves.constFirst();
    WaveCtrl *panel = w->ctrl;
    Values set
        = Values { double(w->n), w->r, w->phi0, w->phi2, w->sig } + panel->WindowCtrl->positions;
    for (const QAbstractButton *b : QVector<QAbstractButton *> {
             panel->SelEnvelope, panel->SelWindowF, panel->SelDebye, panel->doPM })
        set << b->isChecked();
    for (const QPointF &node : qAsConst(w->envelope->nodes))
        set << node.x() << node.y();
    QCOMPARE(set, model);

    const QByteArray chiK = exporter->window->table(ChiK::ChiKPlot),
                     chiR = exporter->window->table(ChiK::ChiRPlot);
    w->calcChi();
    const QVector<Values> k = rows(chiK, "k,chi,wave,envelope,window");
    QCOMPARE(k.size(), w->nValid);
    for (int i = 0; i < k.size(); ++i) {
        const Values row { w->kGrid[i], w->chi[i], w->wave[i], w->envValues[i], w->winValues[i] };
        QVERIFY2(sameNumbers(k[i], row), qPrintable(QString::number(i)));
    }
    const QVector<Values> r
        = rows(chiR, "R,chi_re,chi_im,chi_abs,chi_phase,wave_abs,envelope_abs,window_abs");
    QCOMPARE(r.size(), w->count / 2);
    // pi / (k step * points) apart, as the chi(R) plot puts the bins.
    QVERIFY(std::fabs(r[1][0] - M_PI / (0.1 * w->count)) < 1e-9);
    const double *chi = w->ftChi.data();
    for (int j = 0; j < r.size(); ++j) {
        const double re = w->ftRe(chi, j), im = w->ftIm(chi, j);
        const Values bin = Values() << j * r[1][0] << re << im << w->ftAbs(chi, j)
                                    << std::atan2(im, re) << w->ftAbs(w->ftWave.data(), j)
                                    << w->ftAbs(w->ftEnv.data(), j) << w->ftAbs(w->ftWin.data(), j);
        QVERIFY2(sameNumbers(r[j], bin), qPrintable(QString::number(j)));
    }
}

void TestExporter::plots_data()
{
    QTest::addColumn<int>("plot");
    QTest::addColumn<QPoint>("at"); // a pixel of the PNG at 400 x 300
    QTest::addColumn<QRgb>("colour");
    QTest::addColumn<QString>("strokes"); // a colour for each curve of the SVG
    // The handle of the window edge at k = 3; window, envelope, chi(k), node lines.
    QTest::newRow("chi(k)") << int(ChiK::ChiKPlot) << QPoint(73, 148) << qRgb(0, 150, 255)
                            << "#0096ff #ffb400 #000000 #00ff96";
    // The pointer at R = 2.5, x = 150; pointer, F, W, bare wave, real, imaginary.
    QTest::newRow("chi(R)") << int(ChiK::ChiRPlot) << QPoint(150, 2) << qRgb(255, 0, 0)
                            << "#ff0000 #ffc800 #0096ff #00ffb4 #c80000 #00c800";
}

void TestExporter::plots()
{
    QFETCH(int, plot);
    QFETCH(QPoint, at);
    QFETCH(QRgb, colour);
    QFETCH(QString, strokes);
    const auto exporter = exporterFor("--pointer 2.5 --show real,imag,abs,F,W,wave,total");
    const QImage image
        = QImage::fromData(exporter->picture(ChiK::Plot(plot), PlotImage::Png, QSize(400, 300)));
    QCOMPARE(image.pixel(at), colour);

    const QByteArray svg = exporter->picture(ChiK::Plot(plot), PlotImage::Svg, QSize(640, 480));
    QCOMPARE(QSvgRenderer(svg).viewBox(), QRect(0, 0, 640, 480)); // empty if it does not parse
    for (const QString &stroke : strokes.split(' '))
        QVERIFY2(svg.contains("stroke=\"" + stroke.toLatin1() + '"'), qPrintable(stroke));
}

QTEST_MAIN(TestExporter)
#include "tst_exporter.moc"
