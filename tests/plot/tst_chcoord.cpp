#include "connectionguard.h"
#include "mousesteps.h"
#include "plot/disparea.h"

#include <QtTest>

#include <cmath>
#include <functional>

using Range = QVector<double>; // x0, y0, x1, y1

namespace {

const Range normal = { 0, -1, 10, 1 };
const Range collapsed = { 100, 200, 100, 0 }; // a plot rectangle without width
const auto L = Qt::LeftButton;
const auto R = Qt::RightButton;
const auto Shift = Qt::ShiftModifier;

// 400 x 200 pixels showing x 0 ... 10 and y -1 ... 1: x = px / 40, y = 1 - py / 100.
void setUp(DispArea &a, const Range &plot = {})
{
    a.coord.setDeviceRect(0, 200, 400, 0);
    if (!plot.isEmpty())
        a.coord.setPlotRect(plot[0], plot[1], plot[2], plot[3]);
    a.coord.setRange(normal[0], normal[1], normal[2], normal[3]);
    a.coord.setMouse(&a.mouseRelay);
}

} // namespace

class tst_ChCoord : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void mapping_data();
    void mapping();
    void gesture_data();
    void gesture();
    void wheel_data();
    void wheel();
    void endlessZoom();
    void markerLines_data();
    void markerLines();
};

// Edge tests give 1 for near, 0 for not.
const std::function<double(const ChCoord &, double)> maps[] = {
    &ChCoord::xToPixel,        &ChCoord::yToPixel,        &ChCoord::pixelToX,
    &ChCoord::pixelToY,        &ChCoord::yLengthToPixel,  &ChCoord::pixelOffsetToX,
    &ChCoord::pixelLengthToY,  &ChCoord::pixelToXClamped, &ChCoord::pixelToYClamped,
    &ChCoord::nearDeviceEdgeX, &ChCoord::nearPlotEdgeY,
};

void tst_ChCoord::mapping_data()
{
    // With the margins the plot spans x 40 ... 380 and y 180 (bottom) ... 10 (top); the edge
    // bands are 40 wide along the device's x and 17 along the plot's y.
    QTest::addColumn<int>("map");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<double>("in");
    QTest::addColumn<double>("out");
    const struct
    {
        const char *name;
        int map;
        bool reversed;
        double in, out;
    } rows[] = {
        { "x to pixel", 0, false, 5, 210 },
        { "x to pixel, reversed", 0, true, 2.5, 295 },
        { "y to pixel", 1, false, 1, 10 },
        { "pixel to x", 2, false, 380, 10 },
        { "pixel to y", 3, false, 95, 0 },
        { "y length points up", 4, false, 1, -85 },
        { "x offset", 5, false, 74, 1 },
        { "pixel length to y", 6, false, -85, 1 },
        { "clamped x, reversed", 7, true, 400, 0 },
        { "clamped y, reversed", 8, true, 200, 1 },
        { "left band", 9, false, 39.9, 1 },
        { "left border", 9, false, 40, 0 },
        { "right border", 9, false, 360, 0 },
        { "beyond the right", 9, false, 450, 1 },
        { "top band", 10, false, 26.9, 1 },
        { "top border", 10, false, 27, 0 },
        { "bottom border", 10, false, 163, 0 },
        { "bottom band", 10, false, 163.1, 1 },
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << r.map << r.reversed << r.in << r.out;
}

void tst_ChCoord::mapping()
{
    QFETCH(int, map);
    QFETCH(bool, reversed);
    QFETCH(double, in);
    QFETCH(double, out);
    ChCoord c;
    c.setDeviceRect(0, 200, 400, 0);
    c.applyMargins();
    if (reversed)
        c.setRange(10, 1, 0, -1);
    else
        c.setRange(0, -1, 10, 1);
    QCOMPARE(maps[map](c, in), out);
}

void tst_ChCoord::gesture_data()
{
    QTest::addColumn<MouseSteps>("steps");
    QTest::addColumn<Range>("plot");
    QTest::addColumn<Range>("expected");
    const MouseSteps pan = { press({ 100, 100 }, L, Shift), move({ 140, 120 }) };
    const MouseStep dClick = { QEvent::MouseButtonDblClick, { 40, 50 }, L };
    QTest::newRow("band") << MouseSteps { press({ 200, 150 }, R), release({ 40, 50 }, R) }
                          << Range() << Range { 1, -0.5, 5, 0.5 };
    QTest::newRow("band up turns y over")
        << MouseSteps { press({ 40, 150 }, R), release({ 200, 50 }, R) } << Range()
        << Range { 1, 0.5, 5, -0.5 };
    QTest::newRow("flat band") << MouseSteps { press({ 40, 99 }, R), release({ 200, 99 }, R) }
                               << Range() << normal;
    QTest::newRow("band with shift")
        << MouseSteps { press({ 40, 50 }, R, Shift), release({ 200, 150 }, R) } << Range()
        << normal;
    QTest::newRow("pan") << pan << Range() << Range { -1, -0.8, 9, 1.2 };
    QTest::newRow("drag without shift")
        << MouseSteps { press({ 100, 100 }), move({ 140, 120 }) } << Range() << normal;
    QTest::newRow("double click") << MouseSteps { press({ 40, 50 }), release({ 40, 50 }), dClick }
                                  << Range() << normal;
    QTest::newRow("pan, plot without width") << pan << collapsed << Range { 0, -0.8, 10, 1.2 };
}

void tst_ChCoord::gesture()
{
    QFETCH(MouseSteps, steps);
    QFETCH(Range, plot);
    QFETCH(Range, expected);
    DispArea a;
    setUp(a, plot);
    QSignalSpy updated(&a.coord, SIGNAL(updated()));
    QSignalSpy nowPos(&a.coord, SIGNAL(nowPos(double, double)));
    QVERIFY(sendSteps(&a, steps));
    const Range got = { a.coord.x0, a.coord.y0, a.coord.x1, a.coord.y1 };
    for (int i = 0; i < 4; ++i)
        QCOMPARE(got[i], expected[i]);
    QCOMPARE(updated.count(), steps.size()); // every event repaints, whatever it did
    if (QTest::currentDataTag() == QByteArray("pan")) { // reported with the range before panning
        QCOMPARE(nowPos.count(), 1);
        QCOMPARE(nowPos[0], QVariantList({ 3.5, -0.2 }));
    }
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
    QTest::newRow("in") << QPointF(200, 100) << 120 << Range() << true << true << in;
    QTest::newRow("out once") << QPointF(150, 70) << -360 << Range() << true << true << 1.1;
    QTest::newRow("half a notch") << QPointF(150, 70) << 60 << Range() << true << true << in;
    QTest::newRow("top band") << QPointF(200, 10) << -120 << Range() << true << false << 1.1;
    QTest::newRow("right band") << QPointF(395, 100) << 120 << Range() << false << true << in;
    QTest::newRow("corner") << QPointF(10, 190) << 120 << Range() << true << true << in;
    QTest::newRow("left border") << QPointF(40, 100) << 120 << Range() << true << true << in;
    QTest::newRow("no width") << QPointF(100, 10) << 120 << collapsed << false << false << in;
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
    QVERIFY(sendWheel(&a, delta));
    const ChCoord &c = a.coord;
    // A zoomed axis keeps the point under the pointer; the other stays exactly as it was.
    QCOMPARE(c.x1 - c.x0, zoomX ? 10 * factor : 10);
    QCOMPARE(zoomX ? c.pixelToX(pos.x()) : c.x0, zoomX ? pos.x() / 40 : 0);
    QCOMPARE(c.y1 - c.y0, zoomY ? 2 * factor : 2);
    QCOMPARE(zoomY ? c.pixelToY(pos.y()) : c.y0, zoomY ? 1 - pos.y() / 100 : -1);
}

void tst_ChCoord::endlessZoom()
{
    for (int step : { 1, -1 }) {
        DispArea a;
        setUp(a);
        sendSteps(&a, { move({ 130, 70 }) });
        for (int i = 0; i < 10000; ++i)
            a.coord.wheelMoved(step);
        const ChCoord &c = a.coord;
        QVERIFY(std::isfinite(c.x0) && std::isfinite(c.x1) && c.x0 < c.x1);
        QVERIFY(std::isfinite(c.y0) && std::isfinite(c.y1) && c.y0 < c.y1);
    }
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
    QTest::newRow("closer by a fraction")
        << V { 103.7, 96.8 } << at100 << V() << 0 << V { 103.7, 96.8 } << 1;
    QTest::newRow("closer by a pixel")
        << V { 103.7, 97.1 } << at100 << V() << 1 << V { 103.7, 97.1 } << 1;
    QTest::newRow("ten pixels away") << V { 110, 90 } << at100 << V() << -1 << V { 110, 90 } << 0;
    QTest::newRow("right button") << V { 300 } << press({ 100, 50 }, R) << V() << 0 << V { 300 }
                                  << 0;
    QTest::newRow("past a neighbour")
        << three << press({ 80, 50 }) << V { 200 } << 1 << V { 160, 200, 240 } << 2;
    QTest::newRow("past both, back")
        << three << press({ 240, 50 }) << V { 40 } << 0 << V { 40, 80, 160 } << 2;
    QTest::newRow("onto a neighbour")
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
    a.coord.selectedVLine = 0;
    QSignalSpy spy(&a.coord, SIGNAL(newVLines()));
    MouseSteps steps = { press };
    for (double px : moves)
        steps << move({ px, 50 });
    sendSteps(&a, steps);
    QCOMPARE(a.coord.selectedVLine, selected);
    QCOMPARE(a.coord.vLines.size(), after.size());
    for (int i = 0; i < after.size(); ++i)
        QCOMPARE(a.coord.xToPixel(a.coord.vLines[i]), after[i]);
    QCOMPARE(spy.count(), newVLines);
}

QTEST_MAIN(tst_ChCoord)
#include "tst_chcoord.moc"
