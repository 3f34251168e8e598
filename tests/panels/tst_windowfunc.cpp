#include "connectionguard.h"
#include "mousesteps.h"
#include "panels/windowfunc.h"
#include "plot/disparea.h"

#include <QLineEdit>
#include <QtTest>

#include <cmath>
#include <cstdlib>

using V = QVector<double>;

class tst_WindowFunc : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }

    void windowValue_data()
    {
        // The edges 3, 4, 15, 16 after the setPos calls (index, value, ...).
        QTest::addColumn<V>("calls");
        QTest::addColumn<double>("k");
        QTest::addColumn<double>("expected");
        QTest::newRow("at the first edge") << V {} << 3.0 << 0.0;
        QTest::newRow("half up") << V {} << 3.5 << 0.5;
        QTest::newRow("at the second edge") << V {} << 4.0 << 1.0;
        QTest::newRow("at the third edge") << V {} << 15.0 << 1.0;
        QTest::newRow("half down") << V {} << 15.5 << 0.5;
        QTest::newRow("at the last edge") << V {} << 16.0 << 0.0;
        QTest::newRow("shared rise edge") << V { 1, 3 } << 3.0 << 1.0;
        // So narrow that pi over the width overflows: the old factor must stay.
        QTest::newRow("narrowest rise") << V { 0, 0, 1, 5e-324 } << 0.0 << 0.0;
    }

    void windowValue()
    {
        QFETCH(V, calls);
        QFETCH(double, k);
        QFETCH(double, expected);
        WindowFunc w;
        for (int i = 0; i < calls.size(); i += 2)
            w.setPos(int(calls[i]), calls[i + 1]);
        QVERIFY(std::abs(w.windowValue(k) - expected) < 1e-9);
    }

    void setPos_data()
    {
        // setPos(index, strtod(value)), or value typed into field index and Return pressed.
        QTest::addColumn<bool>("typed");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("emitted");
        QTest::addColumn<QString>("texts");
        const QString same = "3 4 15 16";
        QTest::newRow("stays in its slot") << false << 1 << "5" << 1 << "3 5 15 16";
        QTest::newRow("sorted to the front") << false << 3 << "1" << 1 << "1 3 4 15";
        QTest::newRow("unchanged") << false << 2 << "15" << 0 << same;
        QTest::newRow("index below") << false << -1 << "1" << 0 << same;
        QTest::newRow("index above") << false << 4 << "1" << 0 << same;
        QTest::newRow("nan") << false << 1 << "nan" << 0 << same;
        QTest::newRow("-inf") << false << 0 << "-inf" << 0 << same;
        QTest::newRow("typed past the others") << true << 0 << "20" << 1 << "4 15 16 20";
        for (const char *garbage : { "abc", "", "nan", "inf", "1e999" })
            QTest::addRow("typed '%s'", garbage) << true << 1 << garbage << 1 << "0 3 15 16";
        QTest::newRow("typed the same") << true << 3 << "16" << 0 << same;
    }

    void setPos()
    {
        QFETCH(bool, typed);
        QFETCH(int, index);
        QFETCH(QString, value);
        QFETCH(int, emitted);
        QFETCH(QString, texts);
        WindowFunc w;
        QSignalSpy updated(&w, SIGNAL(updated()));
        if (typed) {
            w.posEdits[index]->clear();
            QTest::keyClicks(w.posEdits[index], value);
            QTest::keyClick(w.posEdits[index], Qt::Key_Return);
        } else {
            w.setPos(index, std::strtod(value.toLatin1().constData(), nullptr));
        }
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(w.posEdits[i]->text(), texts.split(' ')[i]);
            QCOMPARE(w.positions[i], texts.split(' ')[i].toDouble());
        }
        QCOMPARE(updated.count(), emitted);
    }

    void mouse_data()
    {
        // The handles sit at (10 k, 0): x = 30, 40, 150, 160. No edges: unchanged.
        QTest::addColumn<MouseSteps>("steps");
        QTest::addColumn<int>("picked");
        QTest::addColumn<V>("edges");
        using S = MouseSteps;
        QTest::newRow("9 left") << S { press({ 21, 0 }) } << 0 << V {};
        QTest::newRow("10 left") << S { press({ 20, 0 }) } << -1 << V {};
        QTest::newRow("6, 8 away") << S { press({ 24, 8 }) } << -1 << V {};
        QTest::newRow("last handle") << S { press({ 165, 0 }) } << 3 << V {};
        QTest::newRow("nearer wins") << S { press({ 36, 0 }) } << 1 << V {};
        QTest::newRow("tie: lower") << S { press({ 35, 0 }) } << 0 << V {};
        QTest::newRow("drag") << S { press({ 40, 0 }), move({ 50, 0 }) } << 1 << V { 3, 5, 15, 16 };
        QTest::newRow("carries the edge it crosses")
            << S { press({ 40, 0 }), move({ 155, 0 }), move({ 156, 0 }) } << 1
            << V { 3, 15.5, 15.6, 16 };
        QTest::newRow("released") << S { press({ 40, 0 }), release({ 40, 0 }), move({ 50, 0 }) }
                                  << -1 << V {};
    }

    void mouse()
    {
        QFETCH(MouseSteps, steps);
        QFETCH(int, picked);
        QFETCH(V, edges);
        // 10 pixels per unit k from k = 0, y = 0 at pixel row 0.
        DispArea area;
        area.coord.setDeviceRect(0, 0, 900, 200);
        area.coord.setRange(0, 0, 90, 1);
        WindowFunc w;
        w.mouse = &area.mouseRelay;
        w.coord = &area.coord;
        connect(&area.mouseRelay, SIGNAL(mPressed()), &w, SLOT(mPressed()));
        connect(&area.mouseRelay, SIGNAL(mMoved()), &w, SLOT(mMoved()));
        connect(&area.mouseRelay, SIGNAL(mReleased()), &w, SLOT(mReleased()));
        sendSteps(&area, steps);
        QCOMPARE(w.picked, picked);
        QCOMPARE(w.dragging, picked >= 0);
        if (edges.isEmpty())
            edges = { 3, 4, 15, 16 };
        for (int i = 0; i < 4; ++i)
            QCOMPARE(w.positions[i], edges[i]);
    }
};

QTEST_MAIN(tst_WindowFunc)
#include "tst_windowfunc.moc"
