#include "app/chik.h"
#include "app/chir.h"
#include "connectionguard.h"
#include "plot/disparea.h"
#include "surfaceprobe.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

using namespace SurfaceProbe;

const QRgb grey = qRgb(200, 200, 200);

class tst_ChiR : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void zeroLine_data();
    void zeroLine();
    void pointerDrag_data();
    void pointerDrag();

private:
    ChiK *chik = nullptr;
    ChiR *chiR = nullptr;
};

void tst_ChiR::initTestCase()
{
    ConnectionGuard::install();
    QApplication::setQuitOnLastWindowClosed(false);
}

void tst_ChiR::init()
{
    chik = new ChiK;
    chik->show();
    chiR = chik->chiR;
    QVERIFY(QTest::qWaitForWindowExposed(chiR));
}

void tst_ChiR::cleanup()
{
    // The main window takes the chi(R) window with it.
    delete chik;
}

void tst_ChiR::zeroLine_data()
{
    QTest::addColumn<QStringList>("selected"); // every other selector off
    QTest::addColumn<bool>("middle");
    QTest::newRow("magnitude only") << QStringList { "SelAbs", "SelTotal" } << false;
    QTest::newRow("real part") << QStringList { "SelAbs", "SelReal", "SelTotal" } << true;
}

void tst_ChiR::zeroLine()
{
    QFETCH(QStringList, selected);
    QFETCH(bool, middle);
    for (QRadioButton *button : chiR->findChildren<QRadioButton *>())
        button->setChecked(selected.contains(button->objectName()));
    const QImage image = frame(chiR->DispA, QSize(800, 600));

    // Magnitudes alone leave 0.05 of the 1.1 below zero.
    const int low = int(600 * (1.05 / 1.1));
    // Along R < 0 only the grid crosses: F and W, drawn there, are off.
    QCOMPARE(count(image, QRect(1, middle ? 300 : low, 130, 1), grey), 130);
    QCOMPARE(count(image, QRect(1, middle ? low : 300, 65, 1), grey), 0);
}

void tst_ChiR::pointerDrag_data()
{
    QTest::addColumn<int>("width"); // R runs from -2 to 10 across it
    QTest::addColumn<int>("press");
    QTest::addColumn<int>("move");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("red"); // hidden under the grid at whole R, or off the surface
    const int left = Qt::LeftButton, right = Qt::RightButton;
    // 581 of 1356 pixels is 12 * 581 / 1356 - 2 = 3.1415929... in R.
    QTest::newRow("any button, to pi") << 1356 << 452 << 581 << right << "3.14159" << true;
    // On 1200 pixels R = 2 is at x = 400, on its grid line, and R changes by 0.01 a pixel.
    QTest::newRow("9 pixels away grabs") << 1200 << 391 << 450 << left << "2.5" << true;
    QTest::newRow("10 pixels away misses") << 1200 << 410 << 450 << left << "2" << false;
    QTest::newRow("off the surface") << 1200 << 400 << 1300 << left << "11" << false;
}

void tst_ChiR::pointerDrag()
{
    QFETCH(int, width);
    QFETCH(int, press);
    QFETCH(int, move);
    QFETCH(int, button);
    QFETCH(QString, shown);
    QFETCH(bool, red);
    frame(chiR->DispA, QSize(width, 300));
    drag(chiR->DispA, QPoint(press, 50), QPoint(move, 50), Qt::MouseButton(button));
    QCOMPARE(chiR->findChild<QLineEdit *>(QStringLiteral("PointVal"))->text(), shown);
    const QImage image = frame(chiR->DispA, QSize(width, 300));
    QCOMPARE(count(image, QRect(move, 0, 1, 300), qRgb(255, 0, 0)) > 200, red);
    QCOMPARE(count(image, image.rect(), qRgb(255, 0, 0)) > 0, red);
}

QTEST_MAIN(tst_ChiR)
#include "tst_chir.moc"
