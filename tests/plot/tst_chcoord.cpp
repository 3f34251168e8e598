#include "connectionguard.h"
#include "mousesteps.h"
#include "plot/disparea.h"

#include <QtTest>

#include <cmath>

using Range = QVector<double>; // x0, y0, x1, y1

namespace {

const Range normal = { 0, -1, 10, 1 };

// 400 x 200 pixels showing x 0 ... 10 and y -1 ... 1: x = px / 40, y = 1 - py / 100.
void setUp(DispArea &a, const Range &plot = {})
{
    a.coord.setDeviceRect(0, 200, 400, 0);
    if (plot.size() == 4)
        a.coord.setPlotRect(plot[0], plot[1], plot[2], plot[3]);
    a.coord.setRange(normal[0], normal[1], normal[2], normal[3]);
    a.coord.setMouse(&a.mouseRelay);
}

Range rangeOf(const ChCoord &c)
{
    return { c.x0, c.y0, c.x1, c.y1 };
}

} // namespace

class SignalLog : public QObject
{
    Q_OBJECT

public:
    QStringList names;

public slots:
    void nowPos(double, double) { names << "nowPos"; }
    void newVLines() { names << "newVLines"; }
    void updated() { names << "updated"; }
};

class tst_ChCoord : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void mapping_data();
    void mapping();
    void edgeBand_data();
    void edgeBand();
    void gesture_data();
    void gesture();
    void positionReportPrecedesPan();
    void wheel_data();
    void wheel();
    void endlessZoomKeepsUsableRange_data();
    void endlessZoomKeepsUsableRange();
    void markerLines_data();
    void markerLines();
};

enum Map { XToPix, YToPix, PixToX, PixToY, XLen, YLen, OffX, OffY, LenX, LenY, ClampX, ClampY };

void tst_ChCoord::mapping_data()
{
    // With the margins the plot spans x 40 ... 380 and y 180 (bottom) ... 10 (top).
    QTest::addColumn<int>("map");
    QTest::addColumn<Range>("range");
    QTest::addColumn<double>("in");
    QTest::addColumn<double>("out");
    const Range rev = { 10, 1, 0, -1 };
    QTest::newRow("x to pixel") << int(XToPix) << normal << 5.0 << 210.0;
    QTest::newRow("x to pixel, reversed") << int(XToPix) << rev << 2.5 << 295.0;
    QTest::newRow("y to pixel") << int(YToPix) << normal << 1.0 << 10.0;
    QTest::newRow("y to pixel, reversed") << int(YToPix) << rev << 1.0 << 180.0;
    QTest::newRow("pixel to x") << int(PixToX) << normal << 380.0 << 10.0;
    QTest::newRow("pixel to x, reversed") << int(PixToX) << rev << 40.0 << 10.0;
    QTest::newRow("pixel to y") << int(PixToY) << normal << 95.0 << 0.0;
    QTest::newRow("x length") << int(XLen) << normal << 1.0 << 34.0;
    QTest::newRow("y length points up") << int(YLen) << normal << 1.0 << -85.0;
    QTest::newRow("x offset") << int(OffX) << normal << 74.0 << 1.0;
    QTest::newRow("y offset") << int(OffY) << normal << 10.0 << 2.0;
    QTest::newRow("pixel length to x") << int(LenX) << normal << 34.0 << 1.0;
    QTest::newRow("pixel length to y") << int(LenY) << normal << -85.0 << 1.0;
    QTest::newRow("clamped x inside") << int(ClampX) << normal << 210.0 << 5.0;
    QTest::newRow("clamped x left") << int(ClampX) << normal << 0.0 << 0.0;
    QTest::newRow("clamped x right") << int(ClampX) << normal << 400.0 << 10.0;
    QTest::newRow("clamped x left, reversed") << int(ClampX) << rev << 0.0 << 10.0;
    QTest::newRow("clamped x right, reversed") << int(ClampX) << rev << 400.0 << 0.0;
    QTest::newRow("clamped y below") << int(ClampY) << normal << 200.0 << -1.0;
    QTest::newRow("clamped y above") << int(ClampY) << normal << 0.0 << 1.0;
    QTest::newRow("clamped y below, reversed") << int(ClampY) << rev << 200.0 << 1.0;
    QTest::newRow("clamped y above, reversed") << int(ClampY) << rev << 0.0 << -1.0;
}

void tst_ChCoord::mapping()
{
    using Fn = double (ChCoord::*)(double) const;
    static const Fn fns[]
        = { &ChCoord::xToPixel,       &ChCoord::yToPixel,        &ChCoord::pixelToX,
            &ChCoord::pixelToY,       &ChCoord::xLengthToPixel,  &ChCoord::yLengthToPixel,
            &ChCoord::pixelOffsetToX, &ChCoord::pixelOffsetToY,  &ChCoord::pixelLengthToX,
            &ChCoord::pixelLengthToY, &ChCoord::pixelToXClamped, &ChCoord::pixelToYClamped };
    QFETCH(int, map);
    QFETCH(Range, range);
    QFETCH(double, in);
    QFETCH(double, out);
    ChCoord c;
    c.setDeviceRect(0, 200, 400, 0);
    c.applyMargins();
    c.setRange(range[0], range[1], range[2], range[3]);
    QCOMPARE((c.*fns[map])(in), out);
}

void tst_ChCoord::edgeBand_data()
{
    // Device 400 x 200 (bands 40 and 20); plot 40 ... 380 x 180 ... 10 (bands 34 and 17).
    QTest::addColumn<int>("which");
    QTest::addColumn<double>("p");
    QTest::addColumn<bool>("near");
    const struct
    {
        const char *name;
        int which;
        double p;
        bool near;
    } rows[] = {
        { "device x, left band", 0, 39.9, true },     { "device x, left border", 0, 40, false },
        { "device x, right border", 0, 360, false },  { "device x, right band", 0, 360.1, true },
        { "device x, outside left", 0, -5, true },    { "device x, outside right", 0, 450, true },
        { "device y, top band", 1, 19.9, true },      { "device y, top border", 1, 20, false },
        { "device y, bottom border", 1, 180, false }, { "device y, bottom band", 1, 180.1, true },
        { "plot x, left band", 2, 73.9, true },       { "plot x, left border", 2, 74, false },
        { "plot x, right border", 2, 346, false },    { "plot x, right band", 2, 346.1, true },
        { "plot y, top band", 3, 26.9, true },        { "plot y, top border", 3, 27, false },
        { "plot y, bottom border", 3, 163, false },   { "plot y, bottom band", 3, 163.1, true },
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << r.which << r.p << r.near;
}

void tst_ChCoord::edgeBand()
{
    using Fn = bool (ChCoord::*)(double) const;
    static const Fn fns[] = { &ChCoord::nearDeviceEdgeX, &ChCoord::nearDeviceEdgeY,
                              &ChCoord::nearPlotEdgeX, &ChCoord::nearPlotEdgeY };
    QFETCH(int, which);
    QFETCH(double, p);
    QFETCH(bool, near);
    ChCoord c;
    c.setDeviceRect(0, 200, 400, 0);
    c.applyMargins();
    QCOMPARE((c.*fns[which])(p), near);
}

void tst_ChCoord::gesture_data()
{
    QTest::addColumn<MouseSteps>("steps");
    QTest::addColumn<Range>("plot");
    QTest::addColumn<Range>("expected");
    const auto R = Qt::RightButton;
    const auto L = Qt::LeftButton;
    const Range zoomed = { 1, -0.5, 5, 0.5 };
    const Range upsideDown = { 1, 0.5, 5, -0.5 };
    const Range panned = { -1, -0.8, 9, 1.2 };
    const Range collapsed = { 100, 200, 100, 0 };
    const MouseSteps pan
        = { press({ 100, 100 }, L, Qt::ShiftModifier), move({ 140, 120 }), release({ 140, 120 }) };
    QTest::newRow("band from top left")
        << MouseSteps { press({ 40, 50 }, R), move({ 120, 100 }), release({ 200, 150 }, R) }
        << Range() << zoomed;
    QTest::newRow("band from bottom right")
        << MouseSteps { press({ 200, 150 }, R), release({ 40, 50 }, R) } << Range() << zoomed;
    QTest::newRow("band from bottom left turns y over")
        << MouseSteps { press({ 40, 150 }, R), release({ 200, 50 }, R) } << Range() << upsideDown;
    QTest::newRow("band from top right turns y over")
        << MouseSteps { press({ 200, 50 }, R), release({ 40, 150 }, R) } << Range() << upsideDown;
    QTest::newRow("click without drag is ignored")
        << MouseSteps { press({ 100, 100 }, R), release({ 100, 100 }, R) } << Range() << normal;
    QTest::newRow("band without height is ignored")
        << MouseSteps { press({ 40, 100 }, R), release({ 200, 100 }, R) } << Range() << normal;
    QTest::newRow("band without width is ignored")
        << MouseSteps { press({ 100, 50 }, R), release({ 100, 150 }, R) } << Range() << normal;
    QTest::newRow("left button does not zoom")
        << MouseSteps { press({ 40, 50 }), release({ 200, 150 }) } << Range() << normal;
    QTest::newRow("shift right does not zoom")
        << MouseSteps { press({ 40, 50 }, R, Qt::ShiftModifier), release({ 200, 150 }, R) }
        << Range() << normal;
    QTest::newRow("shift left pans") << pan << Range() << panned;
    QTest::newRow("shift control left does not pan")
        << MouseSteps { press({ 100, 100 }, L, Qt::ShiftModifier | Qt::ControlModifier),
                        move({ 140, 120 }) }
        << Range() << normal;
    QTest::newRow("plain left drag does not pan")
        << MouseSteps { press({ 100, 100 }), move({ 140, 120 }) } << Range() << normal;
    QTest::newRow("shift move without press does not pan")
        << MouseSteps { move({ 100, 100 }, Qt::ShiftModifier),
                        move({ 140, 120 }, Qt::ShiftModifier) }
        << Range() << normal;
    QTest::newRow("double click changes nothing")
        << MouseSteps { press({ 40, 50 }, R),
                        release({ 40, 50 }, R),
                        { QEvent::MouseButtonDblClick, { 40, 50 }, R },
                        release({ 40, 50 }, R) }
        << Range() << normal;
    QTest::newRow("collapsed plot pans y only") << pan << collapsed << Range { 0, -0.8, 10, 1.2 };
    QTest::newRow("collapsed plot ignores a band")
        << MouseSteps { press({ 40, 50 }, R), release({ 200, 150 }, R) } << collapsed << normal;
}

void tst_ChCoord::gesture()
{
    QFETCH(MouseSteps, steps);
    QFETCH(Range, plot);
    QFETCH(Range, expected);
    DispArea a;
    setUp(a, plot);
    QSignalSpy updated(&a.coord, SIGNAL(updated()));
    QVERIFY(sendSteps(&a, steps));
    const Range got = rangeOf(a.coord);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(got[i], expected[i]);
    QCOMPARE(updated.count(), steps.size()); // every event repaints, whatever it did
}

void tst_ChCoord::positionReportPrecedesPan()
{
    DispArea a;
    setUp(a);
    QSignalSpy nowPos(&a.coord, SIGNAL(nowPos(double, double)));
    sendSteps(&a, { press({ 100, 100 }, Qt::LeftButton, Qt::ShiftModifier), move({ 140, 120 }) });
    QCOMPARE(nowPos.count(), 1);
    QCOMPARE(nowPos[0][0].toDouble(), 3.5);
    QCOMPARE(nowPos[0][1].toDouble(), -0.2);
    QCOMPARE(a.coord.pixelToX(140), 2.5); // the pressed point followed the pointer
}

void tst_ChCoord::wheel_data()
{
    // Edge bands: x < 40 or x > 360, y < 20 or y > 180.
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<int>("delta");
    QTest::addColumn<Range>("plot");
    QTest::addColumn<bool>("zoomX");
    QTest::addColumn<bool>("zoomY");
    QTest::addColumn<double>("factor");
    const double in = 1 / 1.1;
    QTest::newRow("inside, notch in") << QPointF(200, 100) << 120 << Range() << true << true << in;
    QTest::newRow("inside, notch out")
        << QPointF(200, 100) << -120 << Range() << true << true << 1.1;
    QTest::newRow("three notches out zoom once")
        << QPointF(150, 70) << -360 << Range() << true << true << 1.1;
    QTest::newRow("half a notch zooms in")
        << QPointF(150, 70) << 60 << Range() << true << true << in;
    QTest::newRow("top band") << QPointF(200, 10) << 120 << Range() << true << false << in;
    QTest::newRow("bottom band") << QPointF(200, 195) << -120 << Range() << true << false << 1.1;
    QTest::newRow("left band") << QPointF(10, 100) << 120 << Range() << false << true << in;
    QTest::newRow("right band") << QPointF(395, 100) << 120 << Range() << false << true << in;
    QTest::newRow("corner") << QPointF(10, 190) << 120 << Range() << true << true << in;
    QTest::newRow("left border") << QPointF(40, 100) << 120 << Range() << true << true << in;
    QTest::newRow("top border") << QPointF(200, 20) << 120 << Range() << true << true << in;
    QTest::newRow("collapsed plot keeps x")
        << QPointF(100, 10) << 120 << Range { 100, 200, 100, 0 } << false << false << in;
}

void tst_ChCoord::wheel()
{
    QFETCH(QPointF, pos);
    QFETCH(int, delta);
    QFETCH(Range, plot);
    QFETCH(bool, zoomX);
    QFETCH(bool, zoomY);
    QFETCH(double, factor);
    DispArea a;
    setUp(a, plot);
    sendSteps(&a, { move(pos) });
    QSignalSpy updated(&a.coord, SIGNAL(updated()));
    QVERIFY(sendWheel(&a, delta));
    QCOMPARE(updated.count(), 1);
    const ChCoord &c = a.coord;
    if (zoomX) {
        QCOMPARE(c.x1 - c.x0, 10 * factor);
        QCOMPARE(c.pixelToX(pos.x()), pos.x() / 40); // the point under the pointer stays
    } else {
        QCOMPARE(c.x0, normal[0]);
        QCOMPARE(c.x1, normal[2]);
    }
    if (zoomY) {
        QCOMPARE(c.y1 - c.y0, 2 * factor);
        QCOMPARE(c.pixelToY(pos.y()), 1 - pos.y() / 100);
    } else {
        QCOMPARE(c.y0, normal[1]);
        QCOMPARE(c.y1, normal[3]);
    }
}

void tst_ChCoord::endlessZoomKeepsUsableRange_data()
{
    QTest::addColumn<int>("step");
    QTest::newRow("in") << 1;
    QTest::newRow("out") << -1;
}

void tst_ChCoord::endlessZoomKeepsUsableRange()
{
    QFETCH(int, step);
    DispArea a;
    setUp(a);
    sendSteps(&a, { move({ 130, 70 }) });
    for (int i = 0; i < 10000; ++i)
        a.coord.wheelMoved(step);
    const ChCoord &c = a.coord;
    QVERIFY(std::isfinite(c.x0) && std::isfinite(c.x1) && c.x0 < c.x1);
    QVERIFY(std::isfinite(c.y0) && std::isfinite(c.y1) && c.y0 < c.y1);
}

void tst_ChCoord::markerLines_data()
{
    // Lines and moves in pixels (40 per unit of x); the first line starts out selected.
    QTest::addColumn<QVector<double>>("lines");
    QTest::addColumn<MouseStep>("press");
    QTest::addColumn<QVector<double>>("moves");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QVector<double>>("after");
    QTest::addColumn<int>("newVLines");
    using V = QVector<double>;
    const V three = { 80, 160, 240 };
    const MouseStep at100 = press({ 100, 50 });
    QTest::newRow("closer by a fraction keeps the first")
        << V { 103.7, 96.8 } << at100 << V() << 0 << V { 103.7, 96.8 } << 1;
    QTest::newRow("closer by a pixel takes the second")
        << V { 103.7, 97.1 } << at100 << V() << 1 << V { 103.7, 97.1 } << 1;
    QTest::newRow("equal distances keep the first")
        << V { 97, 103 } << at100 << V() << 0 << V { 97, 103 } << 1;
    QTest::newRow("ten pixels is too far")
        << V { 110, 90 } << at100 << V() << -1 << V { 110, 90 } << 0;
    QTest::newRow("no lines") << V() << at100 << V() << -1 << V() << 0;
    QTest::newRow("right button keeps the selection")
        << V { 300 } << press({ 100, 50 }, Qt::RightButton) << V() << 0 << V { 300 } << 0;
    QTest::newRow("shift keeps the selection")
        << V { 300 } << press({ 100, 50 }, Qt::LeftButton, Qt::ShiftModifier) << V() << 0
        << V { 300 } << 0;
    QTest::newRow("drag past a neighbour")
        << three << press({ 80, 50 }) << V { 200 } << 1 << V { 160, 200, 240 } << 2;
    QTest::newRow("drag past both")
        << three << press({ 80, 50 }) << V { 200, 280 } << 2 << V { 160, 240, 280 } << 3;
    QTest::newRow("drag to the left")
        << three << press({ 240, 50 }) << V { 40 } << 0 << V { 40, 80, 160 } << 2;
    QTest::newRow("drag onto a neighbour selects the later")
        << three << press({ 80, 50 }) << V { 160 } << 1 << V { 160, 160, 240 } << 2;
}

void tst_ChCoord::markerLines()
{
    QFETCH(QVector<double>, lines);
    QFETCH(MouseStep, press);
    QFETCH(QVector<double>, moves);
    QFETCH(int, selected);
    QFETCH(QVector<double>, after);
    QFETCH(int, newVLines);
    DispArea a;
    setUp(a);
    for (double px : lines)
        a.coord.vLines << px / 40;
    a.coord.selectedVLine = lines.isEmpty() ? -1 : 0;
    SignalLog log;
    QVERIFY(connect(&a.coord, SIGNAL(nowPos(double, double)), &log, SLOT(nowPos(double, double))));
    QVERIFY(connect(&a.coord, SIGNAL(newVLines()), &log, SLOT(newVLines())));
    QVERIFY(connect(&a.coord, SIGNAL(updated()), &log, SLOT(updated())));
    MouseSteps steps = { press };
    for (double px : moves)
        steps << move({ px, 50 });
    sendSteps(&a, steps);
    QCOMPARE(a.coord.selectedVLine, selected);
    QCOMPARE(a.coord.vLines.size(), after.size());
    for (int i = 0; i < after.size(); ++i)
        QCOMPARE(a.coord.xToPixel(a.coord.vLines[i]), after[i]);
    QCOMPARE(log.names.count("newVLines"), newVLines);
    if (!moves.isEmpty())
        QCOMPARE(log.names.mid(log.names.size() - 3),
                 QStringList({ "nowPos", "newVLines", "updated" }));
}

QTEST_MAIN(tst_ChCoord)
#include "tst_chcoord.moc"
