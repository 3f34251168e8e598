#include "connectionguard.h"
#include "mousesteps.h"
#include "plot/disparea.h"

#include <QtTest>

#include <QPainter>

class tst_DispArea : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }

    void relay_data()
    {
        // What the relay recorded: cur, prev, press and double-click position; and the signals
        // in order (m, p, r, d; w with the wheel step).
        using S = MouseSteps;
        QTest::addColumn<S>("steps");
        QTest::addColumn<QVector<QPoint>>("points");
        QTest::addColumn<QString>("emitted");
        using P = QVector<QPoint>;
        const P none(4);
        const MouseStep dClick = { QEvent::MouseButtonDblClick, { 12, 21 }, Qt::LeftButton };
        QTest::newRow("rounded") << S { move({ 5, 6 }), press({ 10.5, 20.4 }) }
                                 << P { { 11, 20 }, { 5, 6 }, { 11, 20 }, {} } << "mp";
        // Halves go up below zero too, with either Qt (the pixel left of a widget scaled by 2).
        QTest::newRow("rounded below zero") << S { move({ -0.5, -2.5 }), press({ -2.7, -1.5 }) }
                                            << P { { -3, -1 }, { 0, -2 }, { -3, -1 }, {} } << "mp";
        QTest::newRow("double click is no press")
            << S { press({ 10, 20 }), release({ 10, 20 }), dClick }
            << P { { 10, 20 }, { 10, 20 }, { 10, 20 }, { 12, 21 } } << "prd";
        QTest::newRow("notch") << S { wheel(120) } << none << "w1";
        QTest::newRow("notch back") << S { wheel(-120) } << none << "w-1";
        QTest::newRow("two notches") << S { wheel(240) } << none << "w2";
        QTest::newRow("half a notch") << S { wheel(60) } << none << "w0";
        QTest::newRow("a little back") << S { wheel(-7) } << none << "w0";
        QTest::newRow("sideways notch") << S { wheel(10, -120) } << none << "w-1";
        // The whole int range, whose smallest value has no positive counterpart.
        QTest::newRow("largest back") << S { wheel(INT_MIN) } << none << "w-17895697";
        QTest::newRow("largest both ways") << S { wheel(INT_MAX, INT_MIN) } << none << "w-17895697";
    }

    void relay()
    {
        QFETCH(MouseSteps, steps);
        QFETCH(QVector<QPoint>, points);
        QFETCH(QString, emitted);
        DispArea a;
        const MouseC &m = a.mouseRelay;
        QString log;
        connect(&m, &MouseC::mMoved, [&] { log += 'm'; });
        connect(&m, &MouseC::mPressed, [&] { log += 'p'; });
        connect(&m, &MouseC::mReleased, [&] { log += 'r'; });
        connect(&m, &MouseC::mDClicked, [&] { log += 'd'; });
        connect(&m, &MouseC::wheelMoved, [&](int step) { log += 'w' + QString::number(step); });
        QVERIFY(sendSteps(&a, steps)); // every event is taken
        QCOMPARE(log, emitted);
        QCOMPARE(QVector<QPoint>({ m.curPos, m.prevPos, m.pressPos, m.dClickPos }), points);
    }

    void drawing()
    {
        // Each paint sizes the coordinate system to the widget before the receiver draws; a
        // leftover plot rectangle must not survive it.
        DispArea a;
        a.resize(123, 45);
        a.coord.applyMargins();
        QVector<double> seen;
        connect(&a, &DispArea::draw, [&](QPainter *p) {
            const ChCoord &c = a.coord;
            if (p->isActive() && p->device() == &a)
                seen << c.devY0 << c.devX1 << c.pixY0 << c.pixX1;
        });
        a.grab();
        QCOMPARE(seen, QVector<double>({ 45, 123, 45, 123 }));
        // A change of the coordinates repaints.
        a.show();
        QVERIFY(QTest::qWaitForWindowExposed(&a));
        QCoreApplication::processEvents();
        seen.clear();
        emit a.coord.updated();
        QTRY_COMPARE(seen.size(), 4);
    }
};

QTEST_MAIN(tst_DispArea)
#include "tst_disparea.moc"
