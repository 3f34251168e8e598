#include "connectionguard.h"
#include "plot/pixel.h"

#include <QtTest>

#include <cmath>
#include <limits>

class tst_Pixel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void trunc_data();
    void trunc();
    void line();
    void connectionWarning_data();
    void connectionWarning();
};

void tst_Pixel::trunc_data()
{
    const double inf = std::numeric_limits<double>::infinity();
    const int limit = static_cast<int>(Pixel::limit);
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("zero") << 0.0 << 0;
    QTest::newRow("positive fraction") << 12.9 << 12;
    QTest::newRow("negative fraction") << -12.9 << -12;
    QTest::newRow("just below one") << 0.999 << 0;
    QTest::newRow("just above minus one") << -0.999 << 0;
    QTest::newRow("nan") << std::nan("") << 0;
    QTest::newRow("+inf") << inf << limit;
    QTest::newRow("-inf") << -inf << -limit;
    QTest::newRow("+1e300") << 1e300 << limit;
    QTest::newRow("-1e300") << -1e300 << -limit;
    QTest::newRow("beyond int") << 3e9 << limit;
    QTest::newRow("at the limit") << Pixel::limit << limit;
    QTest::newRow("inside the limit") << Pixel::limit - 0.5 << limit - 1;
}

void tst_Pixel::trunc()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(Pixel::trunc(value), expected);
}

void tst_Pixel::line()
{
    const QLine l = Pixel::line(1.7, -2.7, std::nan(""), 1e300);
    QCOMPARE(l, QLine(1, -2, 0, static_cast<int>(Pixel::limit)));
}

void tst_Pixel::connectionWarning_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("isConnection");
    QTest::newRow("no such slot") << int(QtWarningMsg)
                                  << "QObject::connect: No such slot A::b() in a.cpp:3" << true;
    QTest::newRow("no such signal") << int(QtWarningMsg)
                                    << "QObject::connect: No such signal A::c()" << true;
    QTest::newRow("null parameter") << int(QtWarningMsg)
                                    << "QObject::connect: invalid nullptr parameter" << true;
    QTest::newRow("disconnect") << int(QtWarningMsg)
                                << "QObject::disconnect: Unexpected nullptr parameter" << true;
    QTest::newRow("critical") << int(QtCriticalMsg) << "QObject::connect: Cannot queue" << true;
    QTest::newRow("other warning") << int(QtWarningMsg) << "QPainter::begin: Paint device" << false;
    QTest::newRow("debug") << int(QtDebugMsg) << "QObject::connect: debug text" << false;
}

void tst_Pixel::connectionWarning()
{
    QFETCH(int, type);
    QFETCH(QString, message);
    QFETCH(bool, isConnection);
    QCOMPARE(ConnectionGuard::isConnectionWarning(QtMsgType(type), message), isConnection);
}

QTEST_MAIN(tst_Pixel)
#include "tst_pixel.moc"
