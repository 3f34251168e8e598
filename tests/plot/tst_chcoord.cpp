#include "connectionguard.h"
#include "mousesteps.h"
#include "plot/disparea.h"

#include <QtTest>

using V = QVector<double>;
using S = MouseSteps;

namespace {

const auto R = Qt::RightButton;
const auto Shift = Qt::ShiftModifier;

// 400 x 200 pixels showing x 0 ... 10 and y -1 ... 1: x = px / 40, y = 1 - py / 100.
void setUp(DispArea &a)
{
    a.coord.setDeviceRect(0, 200, 400, 0);
    a.coord.setRange(0, -1, 10, 1);
    a.coord.setMouse(&a.mouseRelay);
}

S zoomAt(QPointF p, int delta)
{
    return { move(p), wheel(delta) };
}

} // namespace

class tst_ChCoord : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }

    void mapping()
    {
        // x runs from 10 down to 0 over pixels 40 ... 380, y from -1 up to 1 over pixels 180
        // ... 10 (the margins); the edge bands are 40 wide along the device's x and 17 along
        // the plot's y, their inner borders not included.
        ChCoord c;
        c.setDeviceRect(0, 200, 400, 0);
        c.applyMargins();
        c.setRange(10, -1, 0, 1);
        QCOMPARE(c.xToPixel(2.5), 295.0);
        QCOMPARE(c.pixelToY(95), 0.0);
        QCOMPARE(c.pixelToXClamped(400), 0.0);
        QCOMPARE(c.pixelToYClamped(200), -1.0);
        QVERIFY(!c.nearDeviceEdgeX(40));
        QVERIFY(!c.nearDeviceEdgeX(360));
        QVERIFY(!c.nearPlotEdgeY(27));
        QVERIFY(c.nearPlotEdgeY(163.1));
    }

    void zoomAndPan_data()
    {
        // The range x0, y0, x1, y1 afterwards. Wheel edge bands: x < 40 or x > 360, y < 20 or
        // y > 180. A plot without width leaves no usable range: nothing may change.
        QTest::addColumn<S>("steps");
        QTest::addColumn<V>("range");
        const S pan = { press({ 100, 100 }, Qt::LeftButton, Shift), move({ 140, 120 }) };
        const double in = 1 / 1.1;
        QTest::newRow("band") << S { press({ 200, 150 }, R), release({ 40, 50 }, R) }
                              << V { 1, -0.5, 5, 0.5 };
        QTest::newRow("band up turns y over")
            << S { press({ 40, 150 }, R), release({ 200, 50 }, R) } << V { 1, 0.5, 5, -0.5 };
        QTest::newRow("flat band")
            << S { press({ 40, 99 }, R), release({ 200, 99 }, R) } << V { 0, -1, 10, 1 };
        QTest::newRow("pan") << pan << V { -1, -0.8, 9, 1.2 };
        QTest::newRow("pan, no width") << pan << V { 0, -0.8, 10, 1.2 };
        QTest::newRow("half a notch in")
            << zoomAt({ 200, 100 }, 60) << V { 5 - 5 * in, -in, 5 + 5 * in, in };
        QTest::newRow("out once") << zoomAt({ 200, 100 }, -360) << V { -0.5, -1.1, 10.5, 1.1 };
        QTest::newRow("top band: x") << zoomAt({ 200, 10 }, -120) << V { -0.5, -1, 10.5, 1 };
        QTest::newRow("right band: y") << zoomAt({ 395, 100 }, -120) << V { 0, -1.1, 10, 1.1 };
        QTest::newRow("corner: both")
            << zoomAt({ 10, 190 }, -120) << V { -0.025, -1.01, 10.975, 1.19 };
        QTest::newRow("wheel, no width") << zoomAt({ 100, 10 }, 120) << V { 0, -1, 10, 1 };
    }

    void zoomAndPan()
    {
        QFETCH(S, steps);
        QFETCH(V, range);
        DispArea a;
        setUp(a);
        if (QByteArray(QTest::currentDataTag()).endsWith("no width"))
            a.coord.setPlotRect(100, 200, 100, 0);
        QSignalSpy updated(&a.coord, SIGNAL(updated()));
        QVERIFY(sendSteps(&a, steps));
        const V got = { a.coord.x0, a.coord.y0, a.coord.x1, a.coord.y1 };
        for (int i = 0; i < 4; ++i)
            QCOMPARE(got[i], range[i]);
        QCOMPARE(updated.count(), steps.size()); // every event repaints, whatever it did
    }

    void markerLines_data()
    {
        // Lines and presses in pixels (40 per unit of x), the lines after a drag in x; the
        // first line starts out selected.
        QTest::addColumn<V>("lines");
        QTest::addColumn<S>("steps");
        QTest::addColumn<int>("selected");
        QTest::addColumn<V>("after");
        const S at100 = { press({ 100, 50 }) };
        const V three = { 80, 160, 240 };
        QTest::newRow("closer by a fraction") << V { 103.7, 96.8 } << at100 << 0 << V {};
        QTest::newRow("closer by a pixel") << V { 103.7, 97.1 } << at100 << 1 << V {};
        QTest::newRow("ten pixels away") << V { 110, 90 } << at100 << -1 << V {};
        QTest::newRow("past a neighbour")
            << three << S { press({ 80, 50 }), move({ 200, 50 }) } << 1 << V { 4, 5, 6 };
        QTest::newRow("past both, back")
            << three << S { press({ 240, 50 }), move({ 40, 50 }) } << 0 << V { 1, 2, 4 };
    }

    void markerLines()
    {
        QFETCH(V, lines);
        QFETCH(S, steps);
        QFETCH(int, selected);
        QFETCH(V, after);
        DispArea a;
        setUp(a);
        for (double px : lines)
            a.coord.vLines << px / 40;
        a.coord.selectedVLine = 0;
        QSignalSpy spy(&a.coord, SIGNAL(newVLines()));
        sendSteps(&a, steps);
        QCOMPARE(a.coord.selectedVLine, selected);
        if (!after.isEmpty())
            QCOMPARE(a.coord.vLines, after);
        QCOMPARE(spy.count(), selected < 0 ? 0 : steps.size()); // the pick, then every move
    }
};

QTEST_MAIN(tst_ChCoord)
#include "tst_chcoord.moc"
