#include "connectionguard.h"
#include "model/awave.h"
#include "model/envelope.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/disparea.h"
#include "plot/pixel.h"
#include "tools/exporter.h"
#include "tools/exportoptions.h"

#include <QCheckBox>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>
#include <memory>

using Values = QVector<double>;

class TestExporter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tablesHoldTheModelAsSet_data();
    void tablesHoldTheModelAsSet();
    void chiKPixels();
    void chiRPointer();
    void svgHoldsTheCurves_data();
    void svgHoldsTheCurves();

private:
    // A fresh program for each case: settings must not leak from one case into the next.
    static std::unique_ptr<Exporter> exporterFor(const QStringList &args);
    static QVector<Values> columns(const QByteArray &csv, const QByteArray &header);
};

void TestExporter::initTestCase()
{
    ConnectionGuard::install();
}

std::unique_ptr<Exporter> TestExporter::exporterFor(const QStringList &args)
{
    ExportOptions o;
    o.parse(args + QStringList { "--chik", "-" });
    auto e = std::make_unique<Exporter>();
    e->apply(o);
    return e;
}

QVector<Values> TestExporter::columns(const QByteArray &csv, const QByteArray &header)
{
    QList<QByteArray> lines = csv.split('\n');
    if (lines.takeFirst() != header || lines.takeLast() != QByteArray())
        return {};
    QVector<Values> cols(header.count(',') + 1);
    for (const QByteArray &line : qAsConst(lines)) {
        const QList<QByteArray> cells = line.split(',');
        for (int c = 0; c < cells.size() && c < cols.size(); ++c)
            cols[c].append(cells.at(c).toDouble());
    }
    return cols;
}

void TestExporter::tablesHoldTheModelAsSet_data()
{
    QTest::addColumn<QString>("args");

    QTest::newRow("between steps") << "--n 3 --r 2.55 --p0 -1.25 --p2 0.333 --sigma 0.0125";
    QTest::newRow("window across the old edges") << "--window 20,16.5,3.25,15";
    QTest::newRow("window below the old edges") << "--window -2,-5,-3,-4";
    QTest::newRow("window edges tied") << "--window 5,5,9,9";
    QTest::newRow("envelope") << "--envelope 0:0.2,5:1.5,3:-1,16:0.4 --no-window --no-debye";
    QTest::newRow("PM") << "--pm --no-envelope --r 0";
}

// The tables must read back to the model's arrays bit for bit, and those arrays must be the ones
// the options give: the settings reached the model, and it computed after the last of them.
void TestExporter::tablesHoldTheModelAsSet()
{
    QFETCH(QString, args);
    ExportOptions o;
    QCOMPARE(o.parse(args.split(' ') + QStringList { "--chik", "-" }), ExportOptions::Run);
    const auto exporter = exporterFor(args.split(' '));
    AWave *w = exporter->wave();
    WaveCtrl *panel = w->ctrl;

    QVERIFY(w->n == o.n && w->r == o.r && w->phi0 == o.p0 && w->phi2 == o.p2 && w->sig == o.sigma);
    Values edges = o.window;
    std::sort(edges.begin(), edges.end());
    QCOMPARE(panel->WindowCtrl->positions, edges);
    // The edges came in through the panel, which also set the slopes between them.
    if (edges[1] > edges[0])
        QVERIFY(std::fabs(panel->WindowCtrl->windowValue((edges[0] + edges[1]) / 2) - 0.5) < 1e-9);
    QCOMPARE(w->envelope->nodes, o.envelope);
    QCOMPARE(QVector<bool>({ panel->SelEnvelope->isChecked(), panel->SelWindowF->isChecked(),
                             panel->SelDebye->isChecked(), panel->doPM->isChecked() }),
             QVector<bool>({ o.useEnvelope, o.useWindow, o.useDebye, o.pm }));

    const QByteArray chiK = exporter->chiKTable(), chiR = exporter->chiRTable();
    w->calcChi();
    const QVector<Values> k = columns(chiK, "k,chi,wave,envelope,window");
    const Values *arrays[] { &w->kGrid, &w->chi, &w->wave, &w->envValues, &w->winValues };
    QCOMPARE(k.size(), 5);
    for (int c = 0; c < 5; ++c)
        QVERIFY2(arrays[c]->mid(0, w->nValid) == k[c], qPrintable(QString::number(c)));

    const QVector<Values> r
        = columns(chiR, "R,chi_re,chi_im,chi_abs,chi_phase,wave_abs,envelope_abs,window_abs");
    QCOMPARE(r.size(), 8);
    QCOMPARE(r[0].size(), w->count / 2);
    const double dR = 3.1415926535 / (((w->kMax - w->kMin) / w->nValid) * w->count);
    const double *chi = w->ftChi.data();
    for (int j = 0; j < w->count / 2; ++j) {
        const double re = w->ftRe(chi, j), im = w->ftIm(chi, j);
        const Values row { j * dR,
                           re,
                           im,
                           w->ftAbs(chi, j),
                           std::atan2(im, re),
                           w->ftAbs(w->ftWave.data(), j),
                           w->ftAbs(w->ftEnv.data(), j),
                           w->ftAbs(w->ftWin.data(), j) };
        for (int c = 0; c < 8; ++c)
            QVERIFY2(r[c][j] == row[c],
                     qPrintable(QStringLiteral("bin %1, column %2").arg(j).arg(c)));
    }
}

void TestExporter::chiKPixels()
{
    const auto exporter = exporterFor({ "--window", "5.5,6.5,10.5,12.5" });
    const QImage image = exporter->image(Exporter::ChiKPlot, QSize(400, 300));
    QCOMPARE(image.size(), QSize(400, 300));
    const ChCoord &coord = exporter->surface(Exporter::ChiKPlot)->coord;
    const int zero = Pixel::trunc(coord.yToPixel(0.0));
    QCOMPARE(zero, 150);

    // The zero line is drawn last, across everything.
    for (int x : { 0, 77, 250, 399 })
        QCOMPARE(image.pixel(x, zero), qRgb(200, 200, 200));
    // Each edge's 7 x 7 handle, beside its 2-pixel line and clear of the nodes at whole k.
    for (double edge : { 5.5, 6.5, 10.5, 12.5 }) {
        const int x = Pixel::trunc(coord.xToPixel(edge) - 3.0);
        QCOMPARE(image.pixel(x, zero - 2), qRgb(0, 150, 255));
        QCOMPARE(image.pixel(x - 1, zero - 2), qRgb(255, 255, 255));
    }
    QCOMPARE(image.pixel(Pixel::trunc(coord.xToPixel(3.0)) - 3, zero - 2), qRgb(255, 255, 255));
}

void TestExporter::chiRPointer()
{
    const auto exporter = exporterFor({ "--pointer", "2.5", "--show", "none" });
    // Any size, however far from the window's own.
    QCOMPARE(exporter->image(Exporter::ChiRPlot, QSize(1, 1)).size(), QSize(1, 1));
    const QImage image = exporter->image(Exporter::ChiRPlot, QSize(480, 200));
    QCOMPARE(image.size(), QSize(480, 200));
    const ChCoord &coord = exporter->surface(Exporter::ChiRPlot)->coord;
    const int x = Pixel::trunc(coord.xToPixel(2.5));
    QCOMPARE(x, 180);
    for (int y : { 0, 60, 199 })
        QCOMPARE(image.pixel(x, y), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(x + 1, 60), qRgb(255, 255, 255));
}

void TestExporter::svgHoldsTheCurves_data()
{
    QTest::addColumn<int>("plot");
    QTest::addColumn<QStringList>("strokes");

    // Window, envelope, chi(k), node lines.
    QTest::newRow("chi(k)") << int(Exporter::ChiKPlot)
                            << QStringList { "#0096ff", "#ffb400", "#000000", "#00ff96" };
    // Pointer, F, W, bare wave, real, imaginary.
    QTest::newRow("chi(R)") << int(Exporter::ChiRPlot)
                            << QStringList { "#ff0000", "#ffc800", "#0096ff",
                                             "#00ffb4", "#c80000", "#00c800" };
}

// The SVG is well-formed, sized as asked, and draws every curve (each has a colour of its own).
void TestExporter::svgHoldsTheCurves()
{
    QFETCH(int, plot);
    QFETCH(QStringList, strokes);
    const auto exporter = exporterFor({ "--show", "real,imag,abs,F,W,wave,total" });
    const QByteArray svg = exporter->svg(Exporter::Plot(plot), QSize(640, 480));

    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.viewBox(), QRect(0, 0, 640, 480));
    QXmlStreamReader xml(svg);
    QMap<QString, int> lines;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("g"))
            ++lines[xml.attributes().value("stroke").toString()];
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    for (const QString &stroke : qAsConst(strokes))
        QVERIFY2(lines.value(stroke) > 0, qPrintable(stroke));
}

QTEST_MAIN(TestExporter)
#include "tst_exporter.moc"
