#include "connectionguard.h"
#include "model/envelope.h"
#include "plot/disparea.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

using Nodes = QVector<QPointF>;

namespace {

Nodes defaultNodes()
{
    Nodes nodes;
    for (int i = 0; i <= 16; ++i)
        nodes << QPointF(i, 1.0);
    return nodes;
}

void send(QWidget *w, QEvent::Type type, const QPoint &pos)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held
        = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

class tst_Envelope : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void init();
    void cleanup();
    void envelopeValue_data();
    void envelopeValue();
    void node();
    void pick_data();
    void pick();
    void dragEmitsPerStep();
    void moveWithoutPickChangesNothing_data();
    void moveWithoutPickChangesNothing();
    void dragPastNeighbourKeepsOrder();
    void dragOntoSurfaceWithoutExtent();
    void enFlatKeepsX();
    void unboundDoesNothing();

private:
    // A surface on which data coordinates equal pixels, y upwards from the bottom edge at 300.
    void bind(const Nodes &nodes);
    void press(int x, int y) { send(area, QEvent::MouseButtonPress, QPoint(x, y)); }
    void move(int x, int y) { send(area, QEvent::MouseMove, QPoint(x, y)); }
    void release(int x, int y) { send(area, QEvent::MouseButtonRelease, QPoint(x, y)); }

    DispArea *area = nullptr;
    Envelope *env = nullptr;
};

void tst_Envelope::init()
{
    area = new DispArea;
    area->resize(400, 300);
    env = new Envelope;
    connect(&area->mouseRelay, &MouseC::mPressed, env, &Envelope::pickNode);
    connect(&area->mouseRelay, &MouseC::mMoved, env, &Envelope::dragNode);
    connect(&area->mouseRelay, &MouseC::mReleased, env, &Envelope::dropNode);
}

void tst_Envelope::cleanup()
{
    delete env;
    delete area;
}

void tst_Envelope::bind(const Nodes &nodes)
{
    area->coord.setDeviceRect(0, 300, 400, 0);
    area->coord.setRange(0, 0, 400, 300);
    env->mouse = &area->mouseRelay;
    env->coord = &area->coord;
    env->nodes = nodes;
}

void tst_Envelope::envelopeValue_data()
{
    QTest::addColumn<Nodes>("nodes");
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("expected");

    const Nodes two { { 0, 1.0 }, { 1, 3.0 } };
    // The inner pair shares k = 1, so each side of it gives a different value there.
    const Nodes step { { 0, 0.0 }, { 1, 2.0 }, { 1, 4.0 }, { 2, 4.0 } };
    // Node 2 has been dragged left of node 1.
    const Nodes crossed { { 0, 0.0 }, { 2, 2.0 }, { 1, 4.0 } };

    QTest::newRow("no nodes") << Nodes() << 5.0 << 1.0;
    QTest::newRow("one node") << Nodes { { 3, 2.5 } } << -7.0 << 2.5;
    QTest::newRow("default, below") << defaultNodes() << -3.0 << 1.0;
    QTest::newRow("default, inside") << defaultNodes() << 7.3 << 1.0;
    QTest::newRow("default, beyond") << defaultNodes() << 40.0 << 1.0;
    QTest::newRow("two, between") << two << 0.5 << 2.0;
    QTest::newRow("two, past the end") << two << 2.0 << 5.0;
    QTest::newRow("two, before the start") << two << -1.0 << -1.0;
    QTest::newRow("two, on the last node") << two << 1.0 << 3.0;
    QTest::newRow("same k, mean") << Nodes { { 1, 1.0 }, { 1, 4.0 } } << 9.0 << 2.5;
    QTest::newRow("on an inner node, segment after it") << step << 1.0 << 4.0;
    QTest::newRow("just before an inner node") << step << 0.75 << 1.5;
    QTest::newRow("crossed, first segment") << crossed << 1.5 << 1.5;
    QTest::newRow("crossed, last segment reversed") << crossed << 3.0 << 0.0;
}

void tst_Envelope::envelopeValue()
{
    QFETCH(Nodes, nodes);
    QFETCH(double, k);
    QFETCH(double, expected);
    env->nodes = nodes;
    QCOMPARE(env->envelopeValue(k), expected);
}

void tst_Envelope::node()
{
    env->nodes = defaultNodes();
    QCOMPARE(env->node(16), QPointF(16, 1.0));
    QCOMPARE(env->node(17), QPointF(0.0, 0.0));
    QCOMPARE(env->node(-1), QPointF(0.0, 0.0));
}

void tst_Envelope::pick_data()
{
    QTest::addColumn<Nodes>("nodes");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<int>("expected");

    const Nodes one { { 100, 100 } }; // at pixel (100, 200)
    QTest::newRow("on the node") << one << QPoint(100, 200) << 0;
    QTest::newRow("9 px right") << one << QPoint(109, 200) << 0;
    QTest::newRow("10 px right") << one << QPoint(110, 200) << -1;
    QTest::newRow("9 px above") << one << QPoint(100, 191) << 0;
    QTest::newRow("10 px below") << one << QPoint(100, 210) << -1;
    QTest::newRow("6/8 diagonal, exactly 10") << one << QPoint(106, 208) << -1;
    QTest::newRow("5/7 diagonal") << one << QPoint(105, 207) << 0;
    const Nodes pair { { 100, 100 }, { 108, 100 } };
    QTest::newRow("tie, earlier wins") << pair << QPoint(104, 200) << 0;
    const Nodes reversed { { 108, 100 }, { 100, 100 } };
    QTest::newRow("tie, reversed list") << reversed << QPoint(104, 200) << 0;
    QTest::newRow("nearer wins") << Nodes { { 100, 100 }, { 106, 100 } } << QPoint(104, 200) << 1;
    QTest::newRow("y counts too") << Nodes { { 100, 96 }, { 103, 100 } } << QPoint(100, 200) << 1;
}

void tst_Envelope::pick()
{
    QFETCH(Nodes, nodes);
    QFETCH(QPoint, pointer);
    QFETCH(int, expected);
    bind(nodes);
    QSignalSpy spy(env, SIGNAL(updated()));
    press(pointer.x(), pointer.y());
    QCOMPARE(env->dragging, expected != -1);
    QCOMPARE(env->picked, expected);
    release(pointer.x(), pointer.y());
    QVERIFY(!env->dragging);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(env->nodes, nodes);
}

void tst_Envelope::dragEmitsPerStep()
{
    // The real chi(k) ranges: k 0 … 16 across 400 px, F -1.1 … 1.1 over 300 px.
    env->nodes = defaultNodes();
    env->mouse = &area->mouseRelay;
    env->coord = &area->coord;
    area->coord.setDeviceRect(0, 300, 400, 0);
    area->coord.setRange(0, -1.1, 16, 1.1);
    const ChCoord &c = area->coord;
    QSignalSpy spy(env, SIGNAL(updated()));

    press(100, 13); // node 4 maps to (100, 13.6)
    QCOMPARE(env->picked, 4);
    move(110, 150);
    move(120, 40);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(env->nodes[4], QPointF(c.pixelToX(120), c.pixelToY(40)));
    release(120, 40);
    move(200, 200);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(env->nodes[4], QPointF(c.pixelToX(120), c.pixelToY(40)));
    QCOMPARE(env->nodes[3], QPointF(3, 1.0));
}

void tst_Envelope::moveWithoutPickChangesNothing_data()
{
    QTest::addColumn<bool>("missedPress");
    QTest::newRow("no press at all") << false;
    QTest::newRow("press out of reach after an earlier pick") << true;
}

void tst_Envelope::moveWithoutPickChangesNothing()
{
    QFETCH(bool, missedPress);
    const Nodes nodes { { 100, 100 }, { 200, 100 } };
    bind(nodes);
    if (missedPress) {
        press(200, 200);
        release(200, 200);
        press(300, 50);
        QCOMPARE(env->picked, 1); // an unsuccessful press leaves the old index
        QVERIFY(!env->dragging);
    }
    QSignalSpy spy(env, SIGNAL(updated()));
    move(150, 150);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(env->nodes, nodes);
}

void tst_Envelope::dragPastNeighbourKeepsOrder()
{
    bind({ { 100, 100 }, { 200, 100 }, { 300, 100 } });
    press(100, 200);
    move(250, 200);
    release(250, 200);
    const Nodes expected { { 250, 100 }, { 200, 100 }, { 300, 100 } };
    QCOMPARE(env->nodes, expected);
}

void tst_Envelope::dragOntoSurfaceWithoutExtent()
{
    bind({ { 100, 100 } });
    press(100, 200);
    QVERIFY(env->dragging);
    area->coord.setDeviceRect(0, 300, 0, 0); // the widget collapsed to no width
    QSignalSpy spy(env, SIGNAL(updated()));
    move(5, 5);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(env->nodes[0], QPointF(100, 100));
}

void tst_Envelope::enFlatKeepsX()
{
    bind(defaultNodes());
    area->coord.setRange(0, 0, 20, 300); // 20 px per unit of k: node 2 sits at (40, 299)
    press(40, 297);
    QCOMPARE(env->picked, 2);
    move(50, 100);
    release(50, 100);
    QCOMPARE(env->nodes[2], QPointF(2.5, 200));

    QSignalSpy spy(env, SIGNAL(updated()));
    env->enFlat();
    QCOMPARE(spy.count(), 1);
    Nodes expected = defaultNodes();
    expected[2].setX(2.5);
    QCOMPARE(env->nodes, expected);
}

void tst_Envelope::unboundDoesNothing()
{
    env->nodes = { { 0, 0 } };
    QSignalSpy spy(env, SIGNAL(updated()));
    env->pickNode();
    env->dragNode();
    QVERIFY(!env->dragging);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(env->nodes[0], QPointF(0, 0));
}

QTEST_MAIN(tst_Envelope)
#include "tst_envelope.moc"
