#include "connectionguard.h"
#include "model/envelope.h"
#include "plot/disparea.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

using Nodes = QVector<QPointF>;

class tst_Envelope : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void init();
    void cleanup();
    void envelopeValue_data();
    void envelopeValue();
    void pick_data();
    void pick();
    void dragAndFlat();

private:
    // Sends a mouse event to the surface; on it data coordinates are pixels, y up from 300.
    void mouse(QEvent::Type type, int x, int y);

    DispArea *area = nullptr;
    Envelope *env = nullptr;
};

void tst_Envelope::init()
{
    area = new DispArea;
    area->coord.setDeviceRect(0, 300, 400, 0);
    area->coord.setRange(0, 0, 400, 300);
    env = new Envelope;
    env->mouse = &area->mouseRelay;
    env->coord = &area->coord;
    connect(&area->mouseRelay, &MouseC::mPressed, env, &Envelope::pickNode);
    connect(&area->mouseRelay, &MouseC::mMoved, env, &Envelope::dragNode);
    connect(&area->mouseRelay, &MouseC::mReleased, env, &Envelope::dropNode);
}

void tst_Envelope::cleanup()
{
    delete env;
    delete area;
}

void tst_Envelope::mouse(QEvent::Type type, int x, int y)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held
        = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(x, y), button, held, Qt::NoModifier);
    QApplication::sendEvent(area, &e);
}

void tst_Envelope::envelopeValue_data()
{
    QTest::addColumn<Nodes>("nodes");
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("expected");
    Nodes flat;
    for (int i = 0; i <= 16; ++i)
        flat << QPointF(i, 1.0);
    const Nodes two { { 0, 1.0 }, { 1, 3.0 } };
    // The inner pair shares k = 1, so the two sides of it differ there.
    const Nodes step { { 0, 0.0 }, { 1, 2.0 }, { 1, 4.0 }, { 2, 4.0 } };
    // Node 2 has been dragged left of node 1.
    const Nodes crossed { { 0, 0.0 }, { 2, 2.0 }, { 1, 4.0 } };
    QTest::newRow("no nodes") << Nodes() << 5.0 << 1.0;
    QTest::newRow("one node") << Nodes { { 3, 2.5 } } << -7.0 << 2.5;
    QTest::newRow("flat, beyond") << flat << 40.0 << 1.0;
    QTest::newRow("between") << two << 0.5 << 2.0;
    QTest::newRow("past the end") << two << 2.0 << 5.0;
    QTest::newRow("same k: mean") << Nodes { { 1, 1.0 }, { 1, 4.0 } } << 9.0 << 2.5;
    QTest::newRow("on an inner node") << step << 1.0 << 4.0;
    QTest::newRow("just before it") << step << 0.75 << 1.5;
    QTest::newRow("crossed, first segment") << crossed << 1.5 << 1.5;
    QTest::newRow("crossed, last segment") << crossed << 3.0 << 0.0;
}

void tst_Envelope::envelopeValue()
{
    QFETCH(Nodes, nodes);
    QFETCH(double, k);
    QFETCH(double, expected);
    env->nodes = nodes;
    QCOMPARE(env->envelopeValue(k), expected);
}

void tst_Envelope::pick_data()
{
    QTest::addColumn<Nodes>("nodes");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("picked");
    const Nodes one { { 100, 100 } }; // pixel (100, 200)
    QTest::newRow("9 px right") << one << QPoint(109, 200) << 0;
    QTest::newRow("10 px right") << one << QPoint(110, 200) << -1;
    QTest::newRow("6, 8 diagonal: 10 px") << one << QPoint(106, 208) << -1;
    QTest::newRow("5, 7 diagonal") << one << QPoint(105, 207) << 0;
    QTest::newRow("tie: earlier") << Nodes { { 100, 100 }, { 108, 100 } } << QPoint(104, 200) << 0;
    QTest::newRow("nearer") << Nodes { { 100, 100 }, { 106, 100 } } << QPoint(104, 200) << 1;
    QTest::newRow("nearer in y") << Nodes { { 100, 96 }, { 103, 100 } } << QPoint(100, 200) << 1;
}

void tst_Envelope::pick()
{
    QFETCH(Nodes, nodes);
    QFETCH(QPoint, at);
    QFETCH(int, picked);
    env->nodes = nodes;
    QSignalSpy spy(env, SIGNAL(updated()));
    mouse(QEvent::MouseButtonPress, at.x(), at.y());
    QCOMPARE(env->picked, picked);
    QCOMPARE(env->dragging, picked != -1);
    mouse(QEvent::MouseButtonRelease, at.x(), at.y());
    QVERIFY(!env->dragging);
    QCOMPARE(spy.count(), 0);
}

void tst_Envelope::dragAndFlat()
{
    env->nodes = { { 100, 100 }, { 200, 100 }, { 300, 100 } };
    QSignalSpy spy(env, SIGNAL(updated()));
    mouse(QEvent::MouseMove, 100, 200); // no press yet
    mouse(QEvent::MouseButtonPress, 100, 200);
    mouse(QEvent::MouseMove, 150, 150);
    mouse(QEvent::MouseMove, 250, 50); // past its neighbour: the list keeps its order
    QCOMPARE(spy.count(), 2);
    mouse(QEvent::MouseButtonRelease, 250, 50);
    mouse(QEvent::MouseButtonPress, 20, 20); // out of reach
    QCOMPARE(env->picked, 0);
    mouse(QEvent::MouseMove, 30, 30);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(env->nodes, (Nodes { { 250, 250 }, { 200, 100 }, { 300, 100 } }));

    env->enFlat();
    QCOMPARE(spy.count(), 3);
    QCOMPARE(env->nodes, (Nodes { { 250, 1 }, { 200, 1 }, { 300, 1 } }));

    // A surface without width maps the pointer to inf: the node stays.
    mouse(QEvent::MouseButtonPress, 200, 299);
    area->coord.setDeviceRect(0, 300, 0, 0);
    mouse(QEvent::MouseMove, 10, 10);
    QCOMPARE(spy.count(), 3);
    QCOMPARE(env->node(1), QPointF(200, 1));
    QCOMPARE(env->node(3), QPointF(0, 0));
}

QTEST_MAIN(tst_Envelope)
#include "tst_envelope.moc"
