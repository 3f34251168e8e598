#include "connectionguard.h"
#include "plot/penpalette.h"

#include <QtTest>

class tst_PenPalette : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void wrapping_data();
    void wrapping();
    void emptiedTable();
};

void tst_PenPalette::wrapping_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QColor>("color");
    const QColor black(0, 0, 0), red(255, 0, 0), last(243, 156, 18);
    QTest::newRow("first") << 0 << black;
    QTest::newRow("middle") << 12 << QColor(231, 76, 60);
    QTest::newRow("last") << 29 << last;
    QTest::newRow("one before the first") << -1 << last;
    QTest::newRow("one lap") << 30 << black;
    QTest::newRow("one lap back") << -30 << black;
    QTest::newRow("one lap on") << 31 << red;
    QTest::newRow("two laps on") << 61 << red;
    QTest::newRow("far back") << -3001 << last;
}

void tst_PenPalette::wrapping()
{
    QFETCH(int, index);
    QFETCH(QColor, color);
    const PenPalette palette;
    QCOMPARE(palette.pens.size(), 30);
    QCOMPARE(palette.pen(index), QPen(color));
    QCOMPARE(palette.color(index), color);
    QVERIFY(palette.dashPattern(index).isEmpty()); // solid
}

void tst_PenPalette::emptiedTable()
{
    PenPalette palette;
    palette.pens.clear();
    QCOMPARE(palette.pen(7), QPen());
}

QTEST_MAIN(tst_PenPalette)
#include "tst_penpalette.moc"
