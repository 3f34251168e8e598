#include "connectionguard.h"
#include "plot/pixel.h"

#include <QtTest>

#include <cmath>

class tst_Pixel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }

    void trunc_data()
    {
        const int limit = static_cast<int>(Pixel::limit);
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("toward zero") << -12.9 << -12;
        QTest::newRow("nan") << std::nan("") << 0;
        QTest::newRow("+inf") << HUGE_VAL << limit;
        QTest::newRow("-inf") << -HUGE_VAL << -limit;
        QTest::newRow("+1e300") << 1e300 << limit;
        QTest::newRow("-1e300") << -1e300 << -limit;
    }

    void trunc()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(Pixel::trunc(value), expected);
        QCOMPARE(Pixel::line(value, 1.5, -1.5, value), QLine(expected, 1, -1, expected));
    }

    void connectionWarning_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("isConnection");
        QTest::newRow("no such slot") << int(QtWarningMsg) << "No such slot A::b()" << true;
        QTest::newRow("disconnect") << int(QtWarningMsg) << "QObject::disconnect: null" << true;
        QTest::newRow("critical") << int(QtCriticalMsg) << "QObject::connect: Cannot queue" << true;
        QTest::newRow("other warning") << int(QtWarningMsg) << "QPainter::begin: device" << false;
        QTest::newRow("debug") << int(QtDebugMsg) << "QObject::connect: debug" << false;
    }

    void connectionWarning()
    {
        QFETCH(int, type);
        QFETCH(QString, message);
        QFETCH(bool, isConnection);
        QCOMPARE(ConnectionGuard::isConnectionWarning(QtMsgType(type), message), isConnection);
    }
};

QTEST_MAIN(tst_Pixel)
#include "tst_pixel.moc"
