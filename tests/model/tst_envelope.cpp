#include "connectionguard.h"
#include "model/envelope.h"
#include "plot/chcoord.h"
#include "plot/mousec.h"

#include <QSignalSpy>
#include <QtTest>

using Nodes = QVector<QPointF>;

class tst_Envelope : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void envelopeValue_data();
    void envelopeValue();
    void drag_data();
    void drag();
};

void tst_Envelope::envelopeValue_data()
{
    QTest::addColumn<Nodes>("nodes");
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("expected");
    const Nodes two { { 0, 1.0 }, { 1, 3.0 } };
    QTest::newRow("no nodes") << Nodes() << -5.0 << 1.0;
    QTest::newRow("between") << two << 0.5 << 2.0;
    QTest::newRow("past the end") << two << 2.0 << 5.0;
    QTest::newRow("before the start") << two << -1.0 << -1.0;
    QTest::newRow("same k: mean") << Nodes { { 1, 1.0 }, { 1, 4.0 } } << 9.0 << 2.5;
    // The segment starting at the node, not the one (nor the pair) ending there.
    QTest::newRow("on a node") << Nodes { { 0, 0 }, { 1, 2 }, { 1, 4 }, { 2, 4 } } << 1.0 << 4.0;
}

void tst_Envelope::envelopeValue()
{
    QFETCH(Nodes, nodes);
    QFETCH(double, k);
    QFETCH(double, expected);
    Envelope env;
    env.nodes = nodes;
    QCOMPARE(env.envelopeValue(k), expected);
}

void tst_Envelope::drag_data()
{
    QTest::addColumn<Nodes>("nodes");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<int>("picked");
    const Nodes one { { 100, 100 } };
    QTest::newRow("9 px") << one << QPoint(109, 100) << 0;
    QTest::newRow("10 px") << one << QPoint(100, 110) << -1;
    QTest::newRow("6, 8 diagonal: 10 px") << one << QPoint(106, 108) << -1;
    // The drag then takes node 0 past node 1; the list keeps its order.
    QTest::newRow("tie: earlier") << Nodes { { 100, 100 }, { 108, 100 } } << QPoint(104, 100) << 0;
    QTest::newRow("nearer") << Nodes { { 100, 96 }, { 103, 100 } } << QPoint(100, 100) << 1;
}

void tst_Envelope::drag()
{
    QFETCH(Nodes, nodes);
    QFETCH(QPoint, press);
    QFETCH(int, picked);
    MouseC relay;
    ChCoord coord; // unscaled: a node's coordinates are its pixel position
    Envelope env;
    env.mouse = &relay;
    env.coord = &coord;
    env.nodes = nodes;
    QSignalSpy spy(&env, SIGNAL(updated()));
    relay.curPos = press;
    env.dragNode(); // no press yet
    env.pickNode();
    relay.curPos = QPoint(250, 250);
    env.dragNode();
    env.dropNode();
    env.dragNode(); // after the release
    if (picked != -1)
        nodes[picked] = QPointF(250, 250);
    QCOMPARE(env.nodes, nodes);
    QCOMPARE(spy.count(), picked != -1 ? 1 : 0);

    env.enFlat();
    for (QPointF &p : nodes)
        p.setY(1.0);
    QCOMPARE(env.nodes, nodes);

    // A surface without width maps the pointer to inf: the node stays.
    relay.curPos = QPoint(250, 1);
    env.pickNode();
    coord.setDeviceRect(0, 0, 0, 0);
    env.dragNode();
    QCOMPARE(env.nodes, nodes);
    QCOMPARE(spy.count(), picked != -1 ? 2 : 1);
}

QTEST_MAIN(tst_Envelope)
#include "tst_envelope.moc"
