#include "app/chik.h"
#include "app/chir.h"
#include "connectionguard.h"
#include "model/awave.h"
#include "model/envelope.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/disparea.h"
#include "surfaceprobe.h"

#include <QGridLayout>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

using namespace SurfaceProbe;

const QRgb white = qRgb(255, 255, 255);
const QRgb grey = qRgb(200, 200, 200);
const QRgb edgeBlue = qRgb(0, 150, 255);
const QRgb nodeGreen = qRgb(0, 255, 150);

class tst_ChiK : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowsAndClosing();
    void repaints_data();
    void repaints();
    void rendering_data();
    void rendering();
    void dragHandle_data();
    void dragHandle();
    void destructorReleasesAll_data();
    void destructorReleasesAll();

private:
    ChiK *chik = nullptr;
    DispArea *surface = nullptr;
    AWave *wave = nullptr;
};

void tst_ChiK::initTestCase()
{
    ConnectionGuard::install();
    qRegisterMetaType<QPainter *>();
    // The tests close windows on purpose; that must not end the application.
    QApplication::setQuitOnLastWindowClosed(false);
}

void tst_ChiK::init()
{
    chik = new ChiK;
    chik->show();
    QVERIFY(QTest::qWaitForWindowExposed(chik));
    QVERIFY(QTest::qWaitForWindowExposed(chik->chiR));
    surface = chik->findChild<DispArea *>(QStringLiteral("DispA"));
    wave = chik->waves.first();
}

void tst_ChiK::cleanup()
{
    // The main window takes the chi(R) window, the wave and its envelope with it.
    delete chik;
    chik = nullptr;
}

void tst_ChiK::windowsAndClosing()
{
    ChiR *chiR = chik->chiR;
    QCOMPARE(chik->windowTitle(), QStringLiteral("chi(k)"));
    QCOMPARE(chiR->windowTitle(), QStringLiteral("Chi(R)"));
    // The panel's formula line may need more than 800 pixels with the fonts at hand.
    QCOMPARE(chik->height(), 600);
    QVERIFY(chik->width() >= 800);
    QCOMPARE(chiR->size(), QSize(800, 600));
    auto *panels = chik->findChild<QGridLayout *>(QStringLiteral("WaveCtrlLayout"));
    QVERIFY(panels);
    QCOMPARE(panels->count(), 1);
    QCOMPARE(panels->itemAtPosition(0, 0)->widget(), wave->ctrl);

    QSignalSpy finishing(chik, SIGNAL(finishing()));
    QVERIFY(chik->close());
    QCOMPARE(finishing.count(), 1);
}

void tst_ChiK::repaints_data()
{
    QTest::addColumn<bool>("slider"); // a step of the R slider, or the Real selector
    QTest::newRow("slider step: both, chi(R) back from closed") << true;
    QTest::newRow("selector: chi(R) only") << false;
}

void tst_ChiK::repaints()
{
    QFETCH(bool, slider);
    QCoreApplication::processEvents(); // the first frames
    QSignalSpy kFrames(surface, SIGNAL(draw(QPainter *)));
    QSignalSpy rFrames(chik->chiR->DispA, SIGNAL(draw(QPainter *)));
    QSignalSpy updated(wave, SIGNAL(updated()));

    if (slider) {
        chik->chiR->close();
        chik->findChild<QSlider *>(QStringLiteral("RBar"))
            ->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    } else {
        chik->chiR->findChild<QAbstractButton *>(QStringLiteral("SelReal"))->toggle();
    }
    QTRY_VERIFY(rFrames.count() >= 1);
    QTRY_COMPARE(kFrames.isEmpty(), !slider);
    QCOMPARE(updated.count(), int(slider));
}

void tst_ChiK::rendering_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("800 x 600") << QSize(800, 600);
    QTest::newRow("801 x 441") << QSize(801, 441);
}

void tst_ChiK::rendering()
{
    QFETCH(QSize, size);
    const QImage image = frame(surface, size);
    const int h = size.height();
    const auto X = [&size](double k) { return int(k * size.width() / 16.0); };

    // y runs from -1.1 at the bottom to 1.1 at the top: zero is at half the height.
    const int zero = h / 2;
    QCOMPARE(count(image, QRect(0, zero, size.width(), 1), grey), size.width());
    QVERIFY(image.pixel(10, zero - 1) != grey && image.pixel(10, zero + 1) != grey);
    // Left of the window chi(k) is zero, so the ground shows between the lines.
    QCOMPARE(image.pixel(X(0.5), h / 4), white);
    QCOMPARE(image.pixel(X(2.5), 3 * h / 4), white);

    // The edges' 2-pixel lines cover x - 1 and x; their 7 x 7 handles are centred on the zero
    // line, which crosses their middle row, as the node line at the same k crosses column x.
    for (double edge : { 3.0, 4.0, 15.0 }) {
        const int x = X(edge);
        QCOMPARE(image.pixel(x - 1, h - 5), edgeBlue);
        for (int dy = -3; dy <= 3; ++dy) {
            for (int dx = -3; dx <= 2 && dy != 0; ++dx)
                QCOMPARE(image.pixel(x + dx, zero + dy), dx == 0 ? nodeGreen : edgeBlue);
        }
        QVERIFY(image.pixel(x - 4, zero - 3) != edgeBlue);
        QVERIFY(image.pixel(x - 3, zero - 4) != edgeBlue);
    }

    // Every node is at F = 1, h / 22 from the top, under a 5 x 5 handle.
    const int top = int(h / 22.0) - 2;
    for (int k = 1; k <= 15; ++k) {
        const int x = X(k) - 2;
        QCOMPARE(count(image, QRect(x, top, 5, 5), nodeGreen), 25);
        QVERIFY(image.pixel(x - 1, top - 1) != nodeGreen);
        QVERIFY(image.pixel(x + 5, top + 5) != nodeGreen);
    }
}

void tst_ChiK::dragHandle_data()
{
    QTest::addColumn<bool>("onChiR"); // dragged on the chi(R) plot instead
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRgb>("colour");
    QTest::addColumn<double>("edge"); // the second window edge afterwards
    QTest::addColumn<double>("node"); // F of the node at k = 1 afterwards
    // The handle of the edge at k = 4 is at (200, 300); x = 300 is k = 6. The node at k = 1 is
    // at (50, 27.27); y = 136 is F = -1.1 + 464 * 2.2 / 600.
    const QPoint edgeFrom(200, 300), edgeTo(300, 300);
    QTest::newRow("window edge") << false << edgeFrom << edgeTo << edgeBlue << 6.0 << 1.0;
    QTest::newRow("envelope node")
        << false << QPoint(50, 27) << QPoint(50, 136) << nodeGreen << 4.0 << -1.1 + 464 * 2.2 / 600;
    QTest::newRow("not from chi(R)") << true << edgeFrom << edgeTo << edgeBlue << 4.0 << 1.0;
}

void tst_ChiK::dragHandle()
{
    QFETCH(bool, onChiR);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QRgb, colour);
    QFETCH(double, edge);
    QFETCH(double, node);
    frame(surface, QSize(800, 600));
    QSignalSpy updated(wave, SIGNAL(updated()));

    drag(onChiR ? chik->chiR->DispA : surface, from, to);
    QCOMPARE(updated.isEmpty(), onChiR);
    QCOMPARE(wave->ctrl->WindowCtrl->positions.at(1), edge);
    QCOMPARE(wave->envelope->nodes.at(1), QPointF(1.0, node));
    // The next frame shows the handle where it now is, and not where it is not.
    const QImage image = frame(surface, QSize(800, 600));
    QCOMPARE(image.pixel((onChiR ? from : to) - QPoint(2, 2)), colour);
    QVERIFY(image.pixel((onChiR ? to : from) - QPoint(2, 2)) != colour);
}

void tst_ChiK::destructorReleasesAll_data()
{
    QTest::addColumn<QString>("state");
    QTest::newRow("shown") << QStringLiteral("shown");
    QTest::newRow("chi(R) closed") << QStringLiteral("closed");
    // Code written before the main window owned it may delete the chi(R) window itself.
    QTest::newRow("chi(R) deleted first") << QStringLiteral("deleted");
    QTest::newRow("node held mid-drag") << QStringLiteral("dragging");
}

void tst_ChiK::destructorReleasesAll()
{
    QFETCH(QString, state);
    const QPointer<ChiR> chiR = chik->chiR;
    const QPointer<AWave> wavePointer = wave;
    const QPointer<Envelope> envelope = wave->envelope;
    const QPointer<WaveCtrl> panel = wave->ctrl;
    frame(surface, QSize(800, 600));
    if (state == QLatin1String("closed")) {
        chiR->close();
    } else if (state == QLatin1String("deleted")) {
        delete chiR.data();
    } else if (state == QLatin1String("dragging")) {
        QMouseEvent press(QEvent::MouseButtonPress, QPoint(50, 27),
                          surface->mapToGlobal(QPoint(50, 27)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(surface, &press);
    }
    delete chik;
    chik = nullptr;
    QVERIFY(!chiR && !wavePointer && !envelope && !panel);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QTEST_MAIN(tst_ChiK)
#include "tst_chik.moc"
