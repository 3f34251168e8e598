#include "connectionguard.h"
#include "mousesteps.h"
#include "plot/disparea.h"

#include <QtTest>

#include <QPainter>

namespace {

QVector<QPoint> pointsOf(const MouseC &m)
{
    return { m.curPos, m.prevPos, m.pressPos, m.releasePos, m.dClickPos };
}

} // namespace

// Records what a draw receiver sees while the surface paints.
class DrawProbe : public QObject
{
    Q_OBJECT

public:
    explicit DrawProbe(DispArea *area)
        : area(area)
    {
        connect(area, SIGNAL(draw(QPainter *)), this, SLOT(draw(QPainter *)));
    }

    DispArea *area;
    int draws = 0;
    bool paintsOnSurface = false;
    QVector<double> device, plot;

public slots:
    void draw(QPainter *p)
    {
        ++draws;
        paintsOnSurface = p->isActive() && p->device() == area;
        const ChCoord &c = area->coord;
        device = { c.devX0, c.devY0, c.devX1, c.devY1 };
        plot = { c.pixX0, c.pixY0, c.pixX1, c.pixY1 };
    }
};

class tst_DispArea : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void pointerGestures();
    void relay_data();
    void relay();
    void wheel_data();
    void wheel();
    void drawOnPaint_data();
    void drawOnPaint();
    void coordinateChangeRepaints();
};

void tst_DispArea::pointerGestures()
{
    // Through the platform: a move without a button only arrives with mouse tracking on.
    DispArea a;
    a.resize(200, 100);
    a.show();
    QVERIFY(QTest::qWaitForWindowExposed(&a));
    const MouseC &m = a.mouseRelay;
    QSignalSpy moved(&m, SIGNAL(mMoved()));
    QTest::mouseMove(&a, QPoint(5, 6));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(m.curPos, QPoint(5, 6));
    QVERIFY(!m.pressed);
    QTest::mousePress(&a, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 20));
    // QTest's platform move is lost while a button is held: send the drag itself.
    QMouseEvent drag(QEvent::MouseMove, QPointF(15, 22), Qt::NoButton, Qt::LeftButton,
                     Qt::ShiftModifier);
    QApplication::sendEvent(&a, &drag);
    QCOMPARE(m.pressPos, QPoint(10, 20));
    QCOMPARE(m.prevPos, QPoint(10, 20));
    QCOMPARE(m.curPos, QPoint(15, 22));
    QVERIFY(m.pressed);
    QCOMPARE(m.pressButton, Qt::LeftButton);
    QCOMPARE(m.pressModifiers, Qt::ShiftModifier);
    QTest::mouseRelease(&a, Qt::LeftButton, Qt::NoModifier, QPoint(16, 23));
    QCOMPARE(m.releasePos, QPoint(16, 23));
    QCOMPARE(m.releaseButton, Qt::LeftButton);
    QVERIFY(!m.pressed);
}

void tst_DispArea::relay_data()
{
    QTest::addColumn<MouseSteps>("steps");
    QTest::addColumn<QVector<QPoint>>("points"); // cur, prev, press, release, double click
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<QVector<int>>("emitted"); // moved, pressed, released, double clicked
    using P = QVector<QPoint>;
    const MouseStep dClick = { QEvent::MouseButtonDblClick, { 12, 21 }, Qt::LeftButton };
    const MouseSteps click = { press({ 10, 20 }), release({ 10, 20 }) };
    QTest::newRow("move rounds") << MouseSteps { move({ 10.5, 20.4 }) }
                                 << P { { 11, 20 }, {}, {}, {}, {} } << false
                                 << QVector<int> { 1, 0, 0, 0 };
    QTest::newRow("press after a move rounds")
        << MouseSteps { move({ 5, 6 }), press({ 10.5, 20.4 }) }
        << P { { 11, 20 }, { 5, 6 }, { 11, 20 }, {}, {} } << true << QVector<int> { 1, 1, 0, 0 };
    QTest::newRow("drag") << MouseSteps { press({ 10, 20 }), move({ 15, 22 }) }
                          << P { { 15, 22 }, { 10, 20 }, { 10, 20 }, {}, {} } << true
                          << QVector<int> { 1, 1, 0, 0 };
    QTest::newRow("drag and release")
        << MouseSteps { press({ 10, 20 }), move({ 15, 22 }), release({ 16, 23 }) }
        << P { { 16, 23 }, { 15, 22 }, { 10, 20 }, { 16, 23 }, {} } << false
        << QVector<int> { 1, 1, 1, 0 };
    QTest::newRow("double click is no press")
        << click + MouseSteps { dClick }
        << P { { 10, 20 }, { 10, 20 }, { 10, 20 }, { 10, 20 }, { 12, 21 } } << false
        << QVector<int> { 0, 1, 1, 1 };
    QTest::newRow("double click ends with a release")
        << click + MouseSteps { dClick, release({ 12, 21 }) }
        << P { { 12, 21 }, { 10, 20 }, { 10, 20 }, { 12, 21 }, { 12, 21 } } << false
        << QVector<int> { 0, 1, 2, 1 };
}

void tst_DispArea::relay()
{
    QFETCH(MouseSteps, steps);
    QFETCH(QVector<QPoint>, points);
    QFETCH(bool, pressed);
    QFETCH(QVector<int>, emitted);
    DispArea a;
    const MouseC &m = a.mouseRelay;
    QSignalSpy moved(&m, SIGNAL(mMoved()));
    QSignalSpy pressedSpy(&m, SIGNAL(mPressed()));
    QSignalSpy released(&m, SIGNAL(mReleased()));
    QSignalSpy dClicked(&m, SIGNAL(mDClicked()));
    QVERIFY(sendSteps(&a, steps)); // every event is taken
    QCOMPARE(pointsOf(m), points);
    QCOMPARE(m.pressed, pressed);
    QCOMPARE(
        QVector<int>({ moved.count(), pressedSpy.count(), released.count(), dClicked.count() }),
        emitted);
}

void tst_DispArea::wheel_data()
{
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("step");
    QTest::newRow("notch") << 120 << 1;
    QTest::newRow("notch back") << -120 << -1;
    QTest::newRow("two notches") << 240 << 2;
    QTest::newRow("half a notch") << 60 << 0;
    QTest::newRow("a little back") << -7 << 0;
}

void tst_DispArea::wheel()
{
    QFETCH(int, delta);
    QFETCH(int, step);
    DispArea a;
    QSignalSpy wheel(&a.mouseRelay, SIGNAL(wheelMoved(int)));
    QVERIFY(sendWheel(&a, delta));
    QCOMPARE(wheel.count(), 1);
    QCOMPARE(wheel[0][0].toInt(), step);
}

void tst_DispArea::drawOnPaint_data()
{
    QTest::addColumn<QSize>("first");
    QTest::addColumn<QSize>("second");
    QTest::newRow("grows") << QSize(300, 200) << QSize(640, 480);
    QTest::newRow("shrinks") << QSize(123, 45) << QSize(20, 10);
}

void tst_DispArea::drawOnPaint()
{
    QFETCH(QSize, first);
    QFETCH(QSize, second);
    DispArea a;
    DrawProbe probe(&a);
    for (const QSize &size : { first, second }) {
        a.resize(size);
        a.coord.applyMargins(); // whatever was left over must not survive the repaint
        const int before = probe.draws;
        a.grab();
        QCOMPARE(probe.draws, before + 1);
        QVERIFY(probe.paintsOnSurface);
        const QVector<double> whole = { 0, double(size.height()), double(size.width()), 0 };
        QCOMPARE(probe.device, whole);
        QCOMPARE(probe.plot, whole);
    }
}

void tst_DispArea::coordinateChangeRepaints()
{
    DispArea a;
    a.resize(100, 80);
    a.show();
    QVERIFY(QTest::qWaitForWindowExposed(&a));
    QCoreApplication::processEvents(); // the first paint is not the one under test
    DrawProbe probe(&a);
    emit a.coord.updated();
    QTRY_COMPARE(probe.draws, 1);
}

QTEST_MAIN(tst_DispArea)
#include "tst_disparea.moc"
