#include "connectionguard.h"
#include "plot/penpalette.h"

#include <QtTest>

class tst_PenPalette : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }

    void wrapping_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QColor>("color");
        const QColor black(0, 0, 0), red(255, 0, 0), last(243, 156, 18);
        QTest::newRow("one before the first") << -1 << last;
        QTest::newRow("one lap") << 30 << black;
        QTest::newRow("two laps on") << 61 << red;
        QTest::newRow("far back") << -3001 << last;
    }

    void wrapping()
    {
        QFETCH(int, index);
        QFETCH(QColor, color);
        QCOMPARE(PenPalette().pen(index), QPen(color));
    }
};

QTEST_MAIN(tst_PenPalette)
#include "tst_penpalette.moc"
