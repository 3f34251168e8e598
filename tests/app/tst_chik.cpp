#include "app/chik.h"
#include "app/chir.h"
#include "connectionguard.h"
#include "model/awave.h"
#include "model/envelope.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/disparea.h"
#include "surfaceprobe.h"

#include <QApplication>
#include <QGridLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

using namespace SurfaceProbe;

namespace {

const QRgb white = qRgb(255, 255, 255);
const QRgb grey = qRgb(200, 200, 200);
const QRgb edgeBlue = qRgb(0, 150, 255);
const QRgb nodeGreen = qRgb(0, 255, 150);

QRgb at(const QImage &image, int x, int y)
{
    return image.pixel(x, y);
}

} // namespace

class tst_ChiK : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startState();
    void widgetTree();
    void sliderRepaintsBoth();
    void selectorRepaintsOnlyChiR();
    void chiRMouseDoesNotReachWave();
    void chiRComesBack();
    void closingEndsBoth();
    void destructorReleasesAll_data();
    void destructorReleasesAll();

    void groundAndZeroLine_data();
    void groundAndZeroLine();
    void windowEdges_data();
    void windowEdges();
    void envelopeHandles();
    void labelsUnderZeroLine();
    void dragWindowEdge();
    void dragEnvelopeNode();

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
    QObject::connect(chik, SIGNAL(finishing()), qApp, SLOT(closeAllWindows()));
    chik->show();
    QVERIFY(QTest::qWaitForWindowExposed(chik));
    QVERIFY(QTest::qWaitForWindowExposed(chik->chiR));
    surface = chik->findChild<DispArea *>(QStringLiteral("DispA"));
    QVERIFY(surface);
    QCOMPARE(chik->waves.size(), 1);
    wave = chik->waves.first();
}

void tst_ChiK::cleanup()
{
    // The main window takes the chi(R) window, the wave and its envelope with it.
    delete chik;
    chik = nullptr;
}

void tst_ChiK::startState()
{
    QCOMPARE(chik->windowTitle(), QStringLiteral("chi(k)"));
    // The panel's formula line may need more than 800 pixels with the fonts at hand.
    QCOMPARE(chik->height(), 600);
    QVERIFY(chik->width() >= 800);
    QVERIFY(chik->menuBar()->actions().isEmpty());

    ChiR *chiR = chik->chiR;
    QVERIFY(chiR->isVisible());
    QVERIFY(!chiR->parent());
    QCOMPARE(chiR->windowTitle(), QStringLiteral("Chi(R)"));
    QCOMPARE(chiR->size(), QSize(800, 600));
    QVERIFY(chiR->menuBar()->actions().isEmpty());
    QCOMPARE(chiR->waveList, &chik->waves);
}

void tst_ChiK::widgetTree()
{
    // The plot above, the frame holding the panels' layout below, one panel in column 0.
    auto *grid = qobject_cast<QGridLayout *>(chik->centralWidget()->layout());
    QVERIFY(grid);
    QCOMPARE(grid->itemAtPosition(0, 0)->widget(), surface);
    QWidget *frame = grid->itemAtPosition(1, 0)->widget();
    QCOMPARE(frame->objectName(), QStringLiteral("frame"));
    QCOMPARE(frame->sizePolicy().verticalPolicy(), QSizePolicy::Maximum);
    auto *panels = qobject_cast<QGridLayout *>(frame->layout()->itemAt(0)->layout());
    QVERIFY(panels);
    QCOMPARE(panels->objectName(), QStringLiteral("WaveCtrlLayout"));
    QCOMPARE(panels->count(), 1);
    QCOMPARE(panels->itemAtPosition(0, 0)->widget(), wave->ctrl);
    QCOMPARE(wave->ctrl->window(), chik);
    QVERIFY(surface->geometry().bottom() < frame->geometry().top());
    QVERIFY(surface->height() > 100);

    QCOMPARE(wave->envelope->nodes.size(), 17);
    for (int i = 0; i < 17; ++i)
        QCOMPARE(wave->envelope->nodes.at(i), QPointF(i, 1.0));
}

void tst_ChiK::sliderRepaintsBoth()
{
    auto *bar = chik->findChild<QSlider *>(QStringLiteral("RBar"));
    QVERIFY(bar);
    QSignalSpy kFrames(surface, SIGNAL(draw(QPainter *)));
    QSignalSpy rFrames(chik->chiR->DispA, SIGNAL(draw(QPainter *)));
    QSignalSpy updated(wave, SIGNAL(updated()));
    QCoreApplication::processEvents();
    kFrames.clear();
    rFrames.clear();

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(updated.count(), 1);
    QCOMPARE(wave->r, 2.1);
    QTRY_VERIFY(kFrames.count() >= 1);
    QTRY_VERIFY(rFrames.count() >= 1);
}

void tst_ChiK::selectorRepaintsOnlyChiR()
{
    auto *real = chik->chiR->findChild<QAbstractButton *>(QStringLiteral("SelReal"));
    QVERIFY(real);
    QSignalSpy kFrames(surface, SIGNAL(draw(QPainter *)));
    QSignalSpy rFrames(chik->chiR->DispA, SIGNAL(draw(QPainter *)));
    QSignalSpy updated(wave, SIGNAL(updated()));
    QCoreApplication::processEvents();
    kFrames.clear();
    rFrames.clear();

    real->toggle();
    QTRY_VERIFY(rFrames.count() >= 1);
    QCoreApplication::processEvents();
    QCOMPARE(kFrames.count(), 0);
    QCOMPARE(updated.count(), 0);
}

void tst_ChiK::chiRMouseDoesNotReachWave()
{
    // Where the chi(k) plot has the handle of the edge at k = 4 and the node at k = 1.
    DispArea *rSurface = chik->chiR->DispA;
    const QVector<double> edges = wave->ctrl->WindowCtrl->positions;
    const QVector<QPointF> nodes = wave->envelope->nodes;
    QSignalSpy updated(wave, SIGNAL(updated()));
    QSignalSpy kFrames(surface, SIGNAL(draw(QPainter *)));
    frame(surface, QSize(800, 600));
    QCoreApplication::processEvents();
    kFrames.clear();

    drag(rSurface, QPoint(200, 300), QPoint(300, 300));
    drag(rSurface, QPoint(50, 27), QPoint(50, 136));
    QCoreApplication::processEvents();
    QCOMPARE(updated.count(), 0);
    QCOMPARE(kFrames.count(), 0);
    QCOMPARE(wave->ctrl->WindowCtrl->positions, edges);
    QCOMPARE(wave->envelope->nodes, nodes);
}

void tst_ChiK::chiRComesBack()
{
    ChiR *chiR = chik->chiR;
    chiR->close();
    QVERIFY(!chiR->isVisible());
    QVERIFY(chik->isVisible());

    auto *bar = chik->findChild<QSlider *>(QStringLiteral("NBar"));
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QTRY_VERIFY(chiR->isVisible());
}

void tst_ChiK::closingEndsBoth()
{
    QSignalSpy finishing(chik, SIGNAL(finishing()));
    QVERIFY(chik->close());
    QCOMPARE(finishing.count(), 1);
    QVERIFY(!chik->isVisible());
    QVERIFY(!chik->chiR->isVisible());
}

void tst_ChiK::destructorReleasesAll_data()
{
    QTest::addColumn<QString>("state");
    QTest::newRow("shown") << QStringLiteral("shown");
    QTest::newRow("chi(R) closed") << QStringLiteral("chiRClosed");
    QTest::newRow("edge typed, not entered") << QStringLiteral("typing");
    QTest::newRow("node held mid-drag") << QStringLiteral("dragging");
    // Code written before the main window owned it may delete the chi(R) window itself.
    QTest::newRow("chi(R) deleted first") << QStringLiteral("chiRDeleted");
}

void tst_ChiK::destructorReleasesAll()
{
    QFETCH(QString, state);
    const QPointer<ChiR> chiR = chik->chiR;
    const QPointer<AWave> wavePointer = wave;
    const QPointer<Envelope> envelope = wave->envelope;
    const QPointer<WaveCtrl> panel = wave->ctrl;
    frame(surface, QSize(800, 600));

    if (state == QLatin1String("chiRClosed")) {
        chiR->close();
    } else if (state == QLatin1String("chiRDeleted")) {
        delete chiR.data();
    } else if (state == QLatin1String("typing")) {
        // The field loses its focus while the window goes, which ends the edit.
        QApplication::setActiveWindow(chik);
        QLineEdit *field = wave->ctrl->WindowCtrl->posEdits.at(1);
        field->setFocus();
        field->setText(QStringLiteral("7"));
    } else if (state == QLatin1String("dragging")) {
        mouse(surface, QEvent::MouseButtonPress, QPoint(50, 27), Qt::LeftButton, Qt::LeftButton);
        mouse(surface, QEvent::MouseMove, QPoint(60, 100), Qt::NoButton, Qt::LeftButton);
    }

    delete chik;
    chik = nullptr;
    QVERIFY(!chiR);
    QVERIFY(!wavePointer);
    QVERIFY(!envelope);
    QVERIFY(!panel);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_ChiK::groundAndZeroLine_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("800 x 600") << QSize(800, 600);
    QTest::newRow("801 x 441") << QSize(801, 441);
}

void tst_ChiK::groundAndZeroLine()
{
    QFETCH(QSize, size);
    const QImage image = frame(surface, size);
    QCOMPARE(image.size(), size);

    // y runs from -1.1 at the bottom to 1.1 at the top: zero is at half the height.
    const int zero = size.height() / 2;
    for (int x = 0; x < size.width(); ++x)
        QCOMPARE(at(image, x, zero), grey);
    QVERIFY(at(image, 10, zero - 1) != grey);
    QVERIFY(at(image, 10, zero + 1) != grey);

    // Left of the window (k < 3) chi(k) is zero, so the ground shows away from the curves.
    const double kPixel = size.width() / 16.0;
    for (int y : { size.height() / 4, 3 * size.height() / 4 }) {
        QCOMPARE(at(image, int(0.5 * kPixel), y), white);
        QCOMPARE(at(image, int(2.5 * kPixel), y), white);
    }
}

void tst_ChiK::windowEdges_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("800 x 600") << QSize(800, 600);
    QTest::newRow("801 x 441") << QSize(801, 441);
}

void tst_ChiK::windowEdges()
{
    QFETCH(QSize, size);
    const QImage image = frame(surface, size);
    const int zero = size.height() / 2;
    const int row = size.height() - 5; // below every curve: |chi| and F stay within 1
    for (double edge : { 3.0, 4.0, 15.0, 16.0 }) {
        const int x = int(edge * size.width() / 16.0);
        // The 2-pixel edge line covers x - 1 and x; the node line at the same k covers x.
        if (x - 1 < size.width())
            QCOMPARE(at(image, x - 1, row), edgeBlue);
        // The 7 x 7 handle is centred on (x, zero); the zero line crosses its middle row.
        for (int dy = -3; dy <= 3; ++dy) {
            for (int dx = -3; dx <= 2; ++dx) {
                if (dy == 0 || x + dx >= size.width())
                    continue;
                if (dx == 0 && edge < 16.0)
                    QCOMPARE(at(image, x + dx, zero + dy), nodeGreen);
                else
                    QCOMPARE(at(image, x + dx, zero + dy), edgeBlue);
            }
        }
        if (edge < 15.0) {
            QVERIFY(at(image, x - 4, zero - 3) != edgeBlue);
            QVERIFY(at(image, x - 3, zero - 4) != edgeBlue);
        }
    }
}

void tst_ChiK::envelopeHandles()
{
    const QImage image = frame(surface, QSize(800, 600));
    // F = 1 lies at y = 600 - 2.1 / 2.2 * 600 = 27.27; the 5 x 5 handle starts 2 pixels up-left.
    for (int k = 1; k <= 15; ++k) {
        const int x = 50 * k - 2;
        for (int dy = 0; dy < 5; ++dy) {
            for (int dx = 0; dx < 5; ++dx)
                QCOMPARE(at(image, x + dx, 25 + dy), nodeGreen);
        }
        QVERIFY(at(image, x - 1, 24) != nodeGreen);
        QVERIFY(at(image, x + 5, 30) != nodeGreen);
        // The node's line runs the full height.
        QCOMPARE(at(image, 50 * k, 0), nodeGreen);
        QCOMPARE(at(image, 50 * k, 599), nodeGreen);
    }
}

void tst_ChiK::labelsUnderZeroLine()
{
    const QImage image = frame(surface, QSize(800, 600));
    // Each node's label starts 3 pixels right of its k and 3 pixels below the zero line.
    for (int k : { 1, 2, 5, 9 }) {
        const QRect below(50 * k + 3, 303, 8, 10);
        const QRect above(50 * k + 3, 287, 8, 10);
        QVERIFY2(labelPixels(image, below) > 0, qPrintable(QString::number(k)));
        QCOMPARE(labelPixels(image, above), 0);
    }
}

void tst_ChiK::dragWindowEdge()
{
    WindowFunc *windowFunc = wave->ctrl->WindowCtrl;
    frame(surface, QSize(800, 600));
    QSignalSpy updated(wave, SIGNAL(updated()));

    // The handle of the edge at k = 4 sits at (200, 300); k = 6 is at x = 300.
    drag(surface, QPoint(200, 300), QPoint(300, 300));
    QCOMPARE(windowFunc->positions, QVector<double>({ 3.0, 6.0, 15.0, 16.0 }));
    QVERIFY(updated.count() >= 1);
    // k = 5 was inside the flat top; now it lies two thirds up the rising edge.
    QVERIFY(qAbs(wave->winValues.at(50) - 0.75) < 1e-9);

    const QImage image = frame(surface, QSize(800, 600));
    QCOMPARE(at(image, 299, 595), edgeBlue);
    QCOMPARE(at(image, 298, 298), edgeBlue);
    QVERIFY(at(image, 198, 298) != edgeBlue);
    QVERIFY(at(image, 199, 595) != edgeBlue);
}

void tst_ChiK::dragEnvelopeNode()
{
    Envelope *envelope = wave->envelope;
    frame(surface, QSize(800, 600));
    const double before = wave->envValues.at(5);
    QSignalSpy updated(wave, SIGNAL(updated()));

    // The node at k = 1 sits at (50, 27.27); y = 136 maps to F = -1.1 + 464 * 2.2 / 600.
    drag(surface, QPoint(50, 27), QPoint(50, 136));
    const double f = -1.1 + (136.0 - 600.0) * (2.2 / -600.0);
    QCOMPARE(envelope->nodes.at(1), QPointF(1.0, f));
    QVERIFY(updated.count() >= 1);
    QCOMPARE(before, 1.0);
    QVERIFY(qAbs(wave->envValues.at(5) - (1.0 + f) / 2) < 1e-12);

    // The handle is centred on the new node, within a pixel of row 136.
    const QImage image = frame(surface, QSize(800, 600));
    for (int y = 135; y <= 137; ++y) {
        for (int x = 48; x <= 52; ++x)
            QCOMPARE(at(image, x, y), nodeGreen);
    }
    QVERIFY(at(image, 48, 27) != nodeGreen);
    QVERIFY(at(image, 52, 27) != nodeGreen);
    // The label stays under the zero line.
    QVERIFY(labelPixels(image, QRect(53, 303, 8, 10)) > 0);
}

QTEST_MAIN(tst_ChiK)
#include "tst_chik.moc"
