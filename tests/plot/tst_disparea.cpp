#include "connectionguard.h"
#include "mousesteps.h"
#include "plot/disparea.h"

#include <QPainter>
#include <QtTest>

#include <climits>

class tst_DispArea : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void pointer();
    void relay_data();
    void relay();
    void wheel_data();
    void wheel();
    void drawOnPaint();
    void coordinateChangeRepaints();
};

void tst_DispArea::pointer()
{
    // Through the platform a move without a button arrives only with mouse tracking on.
    DispArea a;
    a.resize(200, 100);
    a.show();
    QVERIFY(QTest::qWaitForWindowExposed(&a));
    const MouseC &m = a.mouseRelay;
    QSignalSpy moved(&m, SIGNAL(mMoved()));
    QTest::mouseMove(&a, QPoint(5, 6));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(m.curPos, QPoint(5, 6));
    QTest::mousePress(&a, Qt::RightButton, Qt::ShiftModifier, QPoint(10, 20));
    QCOMPARE(m.pressButton, Qt::RightButton);
    QCOMPARE(m.pressModifiers, Qt::ShiftModifier);
    QTest::mouseRelease(&a, Qt::RightButton, Qt::NoModifier, QPoint(16, 23));
    QCOMPARE(m.releasePos, QPoint(16, 23));
    QCOMPARE(m.prevPos, QPoint(10, 20));
    QVERIFY(!m.pressed);
}

void tst_DispArea::relay_data()
{
    QTest::addColumn<MouseSteps>("steps");
    QTest::addColumn<QVector<QPoint>>("points"); // cur, prev, press, double click
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<QVector<int>>("emitted"); // moved, pressed, released, double clicked
    using P = QVector<QPoint>;
    const MouseStep dClick = { QEvent::MouseButtonDblClick, { 12, 21 }, Qt::LeftButton };
    QTest::newRow("rounded") << MouseSteps { move({ 5, 6 }), press({ 10.5, 20.4 }) }
                             << P { { 11, 20 }, { 5, 6 }, { 11, 20 }, {} } << true
                             << QVector<int> { 1, 1, 0, 0 };
    QTest::newRow("drag") << MouseSteps { press({ 10, 20 }), move({ 15, 22 }) }
                          << P { { 15, 22 }, { 10, 20 }, { 10, 20 }, {} } << true
                          << QVector<int> { 1, 1, 0, 0 };
    QTest::newRow("double click is no press")
        << MouseSteps { press({ 10, 20 }), release({ 10, 20 }), dClick }
        << P { { 10, 20 }, { 10, 20 }, { 10, 20 }, { 12, 21 } } << false
        << QVector<int> { 0, 1, 1, 1 };
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
    QCOMPARE(QVector<QPoint>({ m.curPos, m.prevPos, m.pressPos, m.dClickPos }), points);
    QCOMPARE(m.pressed, pressed);
    QCOMPARE(
        QVector<int>({ moved.count(), pressedSpy.count(), released.count(), dClicked.count() }),
        emitted);
}

void tst_DispArea::wheel_data()
{
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("across");
    QTest::addColumn<int>("step");
    QTest::newRow("notch") << 120 << 0 << 1;
    QTest::newRow("notch back") << -120 << 0 << -1;
    QTest::newRow("two notches") << 240 << 0 << 2;
    QTest::newRow("half a notch") << 60 << 0 << 0;
    QTest::newRow("a little back") << -7 << 0 << 0;
    QTest::newRow("sideways notch") << 10 << -120 << -1;
    // The whole int range, whose smallest value has no positive counterpart.
    QTest::newRow("largest back") << INT_MIN << 0 << -17895697;
    QTest::newRow("largest both ways") << INT_MAX << INT_MIN << -17895697;
}

void tst_DispArea::wheel()
{
    QFETCH(int, delta);
    QFETCH(int, across);
    QFETCH(int, step);
    DispArea a;
    QSignalSpy wheel(&a.mouseRelay, SIGNAL(wheelMoved(int)));
    QVERIFY(sendWheel(&a, delta, across));
    QCOMPARE(wheel.count(), 1);
    QCOMPARE(wheel[0][0].toInt(), step);
}

void tst_DispArea::drawOnPaint()
{
    // Each paint sizes the coordinate system to the widget before the receiver draws.
    DispArea a;
    QVector<double> seen;
    connect(&a, &DispArea::draw, [&](QPainter *p) {
        const ChCoord &c = a.coord;
        if (p->isActive() && p->device() == &a)
            seen << c.devX0 << c.devY0 << c.devX1 << c.devY1 << c.pixX0 << c.pixY0 << c.pixX1
                 << c.pixY1;
    });
    for (const QSize &size : { QSize(300, 200), QSize(123, 45) }) {
        a.resize(size);
        a.coord.applyMargins(); // a leftover plot rectangle must not survive
        a.grab();
    }
    QCOMPARE(seen,
             QVector<double>({ 0, 200, 300, 0, 0, 200, 300, 0, 0, 45, 123, 0, 0, 45, 123, 0 }));
}

void tst_DispArea::coordinateChangeRepaints()
{
    DispArea a;
    a.show();
    QVERIFY(QTest::qWaitForWindowExposed(&a));
    QCoreApplication::processEvents(); // the first paint is not the one under test
    QSignalSpy draw(&a, SIGNAL(draw(QPainter *)));
    emit a.coord.updated();
    QTRY_COMPARE(draw.count(), 1);
}

QTEST_MAIN(tst_DispArea)
#include "tst_disparea.moc"
