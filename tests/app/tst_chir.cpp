#include "app/chik.h"
#include "app/chir.h"
#include "connectionguard.h"
#include "plot/disparea.h"
#include "surfaceprobe.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

using namespace SurfaceProbe;

namespace {

const QRgb white = qRgb(255, 255, 255);
const QRgb grey = qRgb(200, 200, 200);
const QRgb pointerRed = qRgb(255, 0, 0);

// Presses and moves with the button held at height 50; R depends on x alone.
void pressAndMove(QWidget *w, int press, int move, Qt::MouseButton button = Qt::LeftButton)
{
    mouse(w, QEvent::MouseButtonPress, QPoint(press, 50), button, button);
    mouse(w, QEvent::MouseMove, QPoint(move, 50), Qt::NoButton, button);
}

} // namespace

class tst_ChiR : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void bar_data();
    void bar();
    void pointerGrab_data();
    void pointerGrab();
    void pointerReadsPi();
    void releaseEndsDrag();
    void typingDoesNotMovePointer();

    void zeroLine_data();
    void zeroLine();
    void gridAndLabels();
    void curves_data();
    void curves();
    void pointerUnderGrid();
    void withoutWaves();

private:
    void setSelectors(const QStringList &off, const QStringList &on);

    ChiK *chik = nullptr;
    ChiR *chiR = nullptr;
    DispArea *surface = nullptr;
    QLineEdit *readOut = nullptr;
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
    surface = chiR->DispA;
    readOut = chiR->findChild<QLineEdit *>(QStringLiteral("PointVal"));
    QVERIFY(readOut);
}

void tst_ChiR::cleanup()
{
    // The main window takes the chi(R) window with it.
    delete chik;
}

void tst_ChiR::setSelectors(const QStringList &off, const QStringList &on)
{
    for (const QString &name : off)
        chiR->findChild<QRadioButton *>(name)->setChecked(false);
    for (const QString &name : on)
        chiR->findChild<QRadioButton *>(name)->setChecked(true);
}

void tst_ChiR::bar_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("checked");
    const auto row
        = [](const char *tag, int column, const char *name, const char *text, bool checked) {
              QTest::newRow(tag) << column << QString(name) << QString(text) << checked;
          };
    row("real", 0, "SelReal", "&Real", false);
    row("imag", 1, "SelImag", "&Imag.", false);
    row("abs", 2, "SelAbs", "&Abs.", true);
    row("envelope", 4, "SelEnvelope", "F", true);
    row("window", 5, "SelWindow", "W", true);
    row("wave", 6, "SelWave", "sin(&2kR+phi)", true);
    row("total", 7, "SelTotal", "&Total", true);
    row("caption", 9, "label", "Pointer : ", false);
    row("read-out", 10, "PointVal", "2", false);
}

void tst_ChiR::bar()
{
    QFETCH(int, column);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(bool, checked);
    auto *grid = qobject_cast<QGridLayout *>(chiR->findChild<QFrame *>("frame")->layout());
    QVERIFY(grid);
    QLayoutItem *item = grid->itemAtPosition(0, column);
    QVERIFY(item && item->widget());
    QWidget *widget = item->widget();
    QCOMPARE(widget->objectName(), name);
    QCOMPARE(widget->property("text").toString(), text);
    // Each selector switches on its own, like a check box.
    if (auto *button = qobject_cast<QRadioButton *>(widget)) {
        QCOMPARE(button->isChecked(), checked);
        QVERIFY(!button->autoExclusive());
    }
    for (int c : { 3, 8 })
        QCOMPARE(grid->itemAtPosition(0, c)->expandingDirections(), Qt::Horizontal);
}

// On a 1200-pixel surface R runs from -2 at x = 0 in steps of 0.01 per pixel: R = 2 at x = 400.
void tst_ChiR::pointerGrab_data()
{
    QTest::addColumn<int>("press");
    QTest::addColumn<int>("move");
    QTest::addColumn<QString>("shown");
    QTest::newRow("on the line") << 400 << 500 << "3";
    QTest::newRow("9 pixels left") << 391 << 650 << "4.5";
    QTest::newRow("9 pixels right") << 409 << 150 << "-0.5";
    QTest::newRow("10 pixels left") << 390 << 500 << "2";
    QTest::newRow("10 pixels right") << 410 << 500 << "2";
    QTest::newRow("far away") << 700 << 500 << "2";
    QTest::newRow("off the left edge") << 400 << -100 << "-3";
    QTest::newRow("off the right edge") << 400 << 1300 << "11";
}

void tst_ChiR::pointerGrab()
{
    QFETCH(int, press);
    QFETCH(int, move);
    QFETCH(QString, shown);
    frame(surface, QSize(1200, 300));
    pressAndMove(surface, press, move);
    QCOMPARE(readOut->text(), shown);
    QVERIFY(qAbs(chiR->pointerR - shown.toDouble()) < 1e-12);
}

void tst_ChiR::pointerReadsPi()
{
    // Any button drags. 581 of 1356 pixels is 12 * 581 / 1356 - 2 = 3.1415929... in R.
    frame(surface, QSize(1356, 300));
    pressAndMove(surface, 452, 581, Qt::RightButton);
    QCOMPARE(readOut->text(), QStringLiteral("3.14159"));
}

void tst_ChiR::releaseEndsDrag()
{
    frame(surface, QSize(1200, 300));
    pressAndMove(surface, 400, 500);
    mouse(surface, QEvent::MouseButtonRelease, QPoint(500, 50), Qt::LeftButton, Qt::NoButton);
    mouse(surface, QEvent::MouseMove, QPoint(600, 50), Qt::NoButton, Qt::NoButton);
    QCOMPARE(readOut->text(), QStringLiteral("3"));
}

void tst_ChiR::typingDoesNotMovePointer()
{
    readOut->setFocus();
    readOut->selectAll();
    QTest::keyClicks(readOut, QStringLiteral("7.5"));
    QTest::keyClick(readOut, Qt::Key_Return);
    QCOMPARE(readOut->text(), QStringLiteral("7.5"));
    QCOMPARE(chiR->pointerR, 2.0);
}

void tst_ChiR::zeroLine_data()
{
    QTest::addColumn<QStringList>("off");
    QTest::addColumn<QStringList>("on");
    QTest::addColumn<bool>("middle");
    QTest::newRow("start: magnitude only") << QStringList() << QStringList() << false;
    QTest::newRow("real") << QStringList() << QStringList { "SelReal" } << true;
    QTest::newRow("imaginary") << QStringList() << QStringList { "SelImag" } << true;
    QTest::newRow("real without total")
        << QStringList { "SelTotal" } << QStringList { "SelReal" } << true;
    QTest::newRow("magnitude without total")
        << QStringList { "SelTotal" } << QStringList() << false;
    QTest::newRow("no magnitude") << QStringList { "SelAbs" } << QStringList() << true;
}

void tst_ChiR::zeroLine()
{
    QFETCH(QStringList, off);
    QFETCH(QStringList, on);
    QFETCH(bool, middle);
    // F, W and the bare wave do not move the range; off, they leave R < 0 to the zero line.
    setSelectors(off + QStringList { "SelEnvelope", "SelWindow", "SelWave" }, on);
    const QImage image = frame(surface, QSize(800, 600));

    // Magnitudes alone: zero sits 0.05 / 1.1 of the height above the bottom.
    const int low = int(600 * (1.05 / 1.1));
    const int zero = middle ? 300 : low;
    const int other = middle ? low : 300;
    // Between the grid lines at R = -2, -1 and 0, clear of the 2-pixel curves starting at 0.
    const QRect left(1, zero, 65, 1);
    const QRect right(67, zero, 64, 1);
    QCOMPARE(count(image, left, grey) + count(image, right, grey), 129);
    QCOMPARE(count(image, left.translated(0, other - zero), grey), 0);
}

void tst_ChiR::gridAndLabels()
{
    // With every selector off only the pointer, the grid, its labels and the zero line remain.
    setSelectors({ "SelEnvelope", "SelWindow", "SelWave", "SelTotal", "SelAbs" }, {});
    const QImage image = frame(surface, QSize(800, 600));
    // R = -2 ... 9 every 800 / 12 pixels; none at R = 10, the right edge. The line at R = 2
    // covers the pointer.
    for (int u = -2; u <= 9; ++u) {
        const int x = int((u + 2) * (800.0 / 12.0));
        QCOMPARE(inColumn(image, x, grey), 600);
        QCOMPARE(inColumn(image, x + 2, grey), 1);
        // The label stands 5 pixels right of the line and 5 below the zero line.
        QVERIFY2(labelPixels(image, QRect(x + 5, 305, 10, 15)) > 0, qPrintable(QString::number(u)));
        QCOMPARE(count(image, QRect(x + 5, 280, 10, 15), white), 150);
    }
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const QColor c(image.pixel(x, y));
            QVERIFY(c.red() == c.green() && c.green() == c.blue());
        }
    }
}

void tst_ChiR::curves_data()
{
    QTest::addColumn<QStringList>("off");
    QTest::addColumn<QStringList>("on");
    QTest::addColumn<QList<QRgb>>("shown");
    const QRgb envelope = qRgb(255, 200, 0);
    const QRgb window = qRgb(0, 150, 255);
    const QRgb wave = qRgb(0, 255, 180);
    const QRgb real = qRgb(200, 0, 0);
    const QRgb imag = qRgb(0, 200, 0);
    const QRgb magnitude = qRgb(0, 0, 0);
    QTest::newRow("start") << QStringList() << QStringList()
                           << QList<QRgb> { envelope, window, wave, magnitude };
    QTest::newRow("real and imaginary")
        << QStringList() << QStringList { "SelReal", "SelImag" }
        << QList<QRgb> { envelope, window, wave, real, imag, magnitude };
    QTest::newRow("total off") << QStringList { "SelTotal" } << QStringList { "SelReal", "SelImag" }
                               << QList<QRgb> { envelope, window, wave };
    QTest::newRow("only the window") << QStringList { "SelEnvelope", "SelWave", "SelTotal" }
                                     << QStringList() << QList<QRgb> { window };
    QTest::newRow("only the real part")
        << QStringList { "SelEnvelope", "SelWindow", "SelWave", "SelAbs" }
        << QStringList { "SelReal" } << QList<QRgb> { real };
    QTest::newRow("all off") << QStringList { "SelEnvelope", "SelWindow", "SelWave", "SelTotal",
                                              "SelAbs" }
                             << QStringList() << QList<QRgb>();
}

void tst_ChiR::curves()
{
    QFETCH(QStringList, off);
    QFETCH(QStringList, on);
    QFETCH(QList<QRgb>, shown);
    setSelectors(off, on);
    const QImage image = frame(surface, QSize(800, 600));
    const QList<QRgb> all { qRgb(255, 200, 0), qRgb(0, 150, 255), qRgb(0, 255, 180),
                            qRgb(200, 0, 0),   qRgb(0, 200, 0),   qRgb(0, 0, 0) };
    for (QRgb colour : all)
        QVERIFY2(contains(image, colour) == shown.contains(colour),
                 qPrintable(QColor(colour).name()));
}

void tst_ChiR::pointerUnderGrid()
{
    // At R = 2 the grey grid line is drawn over the pointer line.
    QImage image = frame(surface, QSize(800, 600));
    QVERIFY(!contains(image, pointerRed));

    // Dragged to R = 2.5, x = 300, it shows.
    drag(surface, QPoint(267, 50), QPoint(300, 50));
    QCOMPARE(readOut->text(), QStringLiteral("2.5"));
    image = frame(surface, QSize(800, 600));
    QVERIFY(inColumn(image, 300, pointerRed) > 400);
    QCOMPARE(inColumn(image, 299, pointerRed) + inColumn(image, 301, pointerRed), 0);
}

void tst_ChiR::withoutWaves()
{
    // Before a wave list is handed over the window paints the bare grid and zero line.
    ChiR alone;
    const QImage image = frame(alone.DispA, QSize(600, 300));
    QCOMPARE(inColumn(image, 0, grey), image.height());
    QVERIFY(contains(image, white));
    QVERIFY(!contains(image, qRgb(0, 0, 0)));
}

QTEST_MAIN(tst_ChiR)
#include "tst_chir.moc"
