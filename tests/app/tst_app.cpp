#include "app/chik.h"
#include "app/chir.h"
#include "app/columnsdialog.h"
#include "app/commandline.h"
#include "connectionguard.h"
#include "model/awave.h"
#include "model/envelope.h"
#include "model/scenariofile.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/disparea.h"
#include "surfaceprobe.h"

#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <cmath>

using namespace SurfaceProbe;

namespace {

const QRgb white = qRgb(255, 255, 255), grey = qRgb(200, 200, 200), black = qRgb(0, 0, 0);
const QRgb blue = qRgb(0, 150, 255), orange = qRgb(255, 180, 0), green = qRgb(0, 255, 150);
const QRgb magenta = qRgb(220, 0, 220), red = qRgb(255, 0, 0);
// Sizes whose pixel positions fall between whole pixels.
const QSize kSize(801, 601), rSize(1201, 601);
// The bin spacing of a transform of the samples k = 0, 0.1 … 15.9 padded to 1024.
const double dR = M_PI / 102.4;
const QString fixtures = QStringLiteral(FOURK_SOURCE_DIR "/tests/fixtures/");

// Where (x, y) lands on a surface showing x0 … x1 left to right and y0 … y1 bottom to top.
struct Map
{
    QSize size;
    double x0, x1, y0, y1;
    QPoint operator()(double x, double y) const
    {
        return QPoint(int((x - x0) * size.width() / (x1 - x0)),
                      int(size.height() - (y - y0) * size.height() / (y1 - y0)));
    }
};

// How a polyline shows in one colour: the share of its vertices (but the last) that have it,
// and its pixels per pixel of the polyline's length.
QPointF trace(const QImage &image, QRgb colour, const QVector<QPoint> &v)
{
    int hits = 0;
    double length = 0;
    for (int i = 0; i + 1 < v.size(); ++i) {
        length += std::max(std::abs(v[i + 1].x() - v[i].x()), std::abs(v[i + 1].y() - v[i].y()));
        hits += !image.rect().contains(v[i]) || image.pixel(v[i]) == colour;
    }
    return { double(hits) / (v.size() - 1), count(image, image.rect(), colour) / length };
}

// Pixels of grey text, smoothed against the white ground as the fonts at hand have it.
int text(const QImage &image, QRect area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            n += c == qRgb(qRed(c), qRed(c), qRed(c)) && qRed(c) >= 150 && qRed(c) < 250;
        }
    }
    return n;
}

// A measured chi(k) unlike the simulation: a shell at 3.3, so its transform peaks elsewhere.
Spectrum shell()
{
    Spectrum s;
    for (double k = 0.5; k < 17; k += 0.25)
        s.k << k, s.chi << std::sin(6.6 * k + 1) / k;
    s.file = QStringLiteral("shell.chi");
    return s;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void write(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
}

// Everything the model computed, to compare bit for bit.
QVector<double> arrays(const AWave *w)
{
    QVector<double> all = w->chi + w->wave + w->envValues + w->winValues + w->kGrid;
    for (const std::vector<double> *ft : { &w->ftChi, &w->ftWave, &w->ftEnv, &w->ftWin })
        all += QVector<double>(ft->begin(), ft->end());
    return all;
}

template<class T>
T *opened()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    }
    return nullptr;
}

} // namespace

// The two windows as a user meets them: both plots element by element (which array, which pen,
// which pixels, which over which), what repaints them, the mouse, the menus, drops and the
// command line, scenarios and measured chi(k), either language.
class tst_App : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { delete chik; }
    void chiKPlot();
    void chiRGrid();
    void chiRCurves_data();
    void chiRCurves();
    void repaints_data();
    void repaints();
    void pointer_data();
    void pointer();
    void constructed();
    void mouse_data();
    void mouse();
    void endings_data();
    void endings();
    void routes_data();
    void routes();
    void commandLine_data();
    void commandLine();
    void applied();
    void roundTrip();
    void badFiles_data();
    void badFiles();
    void measured();
    void japanese();

private:
    QImage chiRImage(const QStringList &shown)
    {
        chik->chiR->setShown(shown);
        return frame(chik->surface(ChiK::ChiRPlot), rSize);
    }
    Map chiRMap(bool magnitudeOnly) const
    {
        const double a = wave->rAbsMax;
        return { rSize, -2, 10, (magnitudeOnly ? -0.05 : -1.05) * a, 1.05 * a };
    }
    // The text of the message box a command opened, closing it; "" if none.
    QString message()
    {
        QMessageBox *box = opened<QMessageBox>();
        const QString text = box ? box->text() : QString();
        delete box;
        return text;
    }
    QString status() const
    {
        return chik->findChild<QWidget *>("DataStatus")->isHidden()
                   ? QString()
                   : chik->findChild<QLabel *>("DataFile")->text() + ' '
                         + chik->findChild<QLabel *>("DataMisfit")->text();
    }

    ChiK *chik = nullptr;
    AWave *wave = nullptr;
    QTemporaryDir dir;
    const QByteArray lesson = [] {
        Scenario s;
        s.r = 7.25;
        return ScenarioFile::toJson(s);
    }();
};

void tst_App::initTestCase()
{
    ConnectionGuard::install();
    qRegisterMetaType<QPainter *>();
    QApplication::setQuitOnLastWindowClosed(false);
}

void tst_App::init()
{
    chik = new ChiK;
    wave = chik->waves.constFirst();
    chik->show();
    QVERIFY(QTest::qWaitForWindowExposed(chik) && QTest::qWaitForWindowExposed(chik->chiR));
}

void tst_App::chiKPlot()
{
    DispArea *surface = chik->surface(ChiK::ChiKPlot);
    const QImage image = frame(surface, kSize);
    const Map map { kSize, 0, 16, -1.1 * wave->yAbsMax, 1.1 * wave->yAbsMax };
    const int zero = map(0, 0).y(), x = map(1.5, 0).x();
    const auto column = [&image](int x, QRgb c) { return count(image, QRect(x, 0, 1, 601), c); };

    // The zero line, drawn last, over the whole width. Left of the window chi(k) = 0, its
    // 2-pixel line half under the zero line; +-F = +-1; the ground between.
    QCOMPARE(count(image, QRect(0, zero, 801, 1), grey), 801);
    QCOMPARE(QVector<QRgb>({ image.pixel(x, zero - 1), image.pixel(x, zero + 1),
                             image.pixel(x, map(0, 1).y()), image.pixel(x, map(0, -1).y()),
                             image.pixel(x, 150) }),
             QVector<QRgb>({ black, white, orange, orange, white }));
    QCOMPARE(column(x, orange), 2);
    // W(k) rises across 3 … 4, one pixel wide; on 4 … 15 +F covers it; chi(k) covers both, the
    // node lines cover chi(k).
    QCOMPARE(count(image, QRect(map(3, 0).x() + 2, map(0, 0.5).y(), 45, 1), blue), 1);
    QVector<QPoint> chi;
    int w = 0, f = 0, peak = 0;
    for (int i = 1; i < 160; ++i) {
        const double k = wave->kGrid[i], c = wave->chi[i], aside = std::fabs(k - std::round(k));
        if (k > 3.2 && k < 3.8 && std::fabs(c - wave->winValues[i]) > 0.03)
            w += image.pixel(map(k, wave->winValues[i])) == blue ? 1 : -100;
        if (k > 5 && k < 14 && aside > 0.05 && std::fabs(c) < 0.9)
            f += image.pixel(map(k, 1)) == orange ? 1 : -100;
        if (aside > 0.05 && std::fabs(c) > 0.1)
            chi << map(k, c);
        peak = std::fabs(c) > std::fabs(wave->chi[peak]) ? i : peak;
    }
    QVERIFY(w > 2 && f > 30);
    QCOMPARE(trace(image, black, chi).x(), 1.0);
    QCOMPARE(image.pixel(map(wave->kGrid[peak], wave->chi[peak])), black);

    // The window edges: 2-pixel lines over the whole height, 7 x 7 handles on the zero line,
    // under the node lines at the same k.
    for (double edge : { 4.0, 15.0 }) {
        const QPoint c = map(edge, 0);
        QVERIFY(column(c.x() - 1, blue) > 590 && column(c.x(), green) > 590);
        QCOMPARE(count(image, QRect(c - QPoint(3, 3), QSize(7, 7)), blue), 36);
        QCOMPARE(count(image, QRect(c - QPoint(4, 4), QSize(9, 9)), blue), 36 + 2);
    }
    // The nodes at F = 1: 1-pixel lines, 5 x 5 handles, labels under the zero line.
    for (int k = 1; k <= 14; ++k) {
        const QPoint c = map(k, 1);
        QVERIFY(column(c.x(), green) > 595 && column(c.x() + 1, green) == 5);
        QCOMPARE(count(image, QRect(c - QPoint(3, 3), QSize(7, 7)), green), 25 + 2);
        QVERIFY(text(image, QRect(c.x() + 3, zero + 3, 20, 601 / 40)) > 5);
        QCOMPARE(text(image, QRect(c.x() - 10, zero + 1, 10, 40)), 0);
    }

    // The measured chi(k): magenta, 2 pixels wide, over W, under chi(k).
    chik->showMeasured(shell());
    const QImage data = frame(surface, kSize);
    QVector<QPoint> curve;
    for (int i = 1; i < 160; ++i) {
        const double v = wave->measuredValues[i], k = wave->kGrid[i];
        if (std::fabs(v - wave->chi[i]) > 0.05 && std::fabs(v) > 0.05
            && std::fabs(k - std::round(k)) > 0.05)
            curve << map(k, v);
    }
    const QPointF t = trace(data, magenta, curve);
    QVERIFY(t.x() > 0.97 && t.y() > 1.5);
    int overW = 0;
    for (int y = 0; y < 601; ++y) {
        for (int x = 0; x < 801; ++x) {
            overW += image.pixel(x, y) == blue && data.pixel(x, y) == magenta;
            if (image.pixel(x, y) == black)
                QCOMPARE(data.pixel(x, y), black);
        }
    }
    QVERIFY(overW > 0);
}

// The pointer line under the grid line at R = 2, the grid and its labels, the zero line low
// for magnitudes alone, else in the middle.
void tst_App::chiRGrid()
{
    for (bool magnitudeOnly : { true, false }) {
        const QImage image = chiRImage(magnitudeOnly ? QStringList { "abs" } : QStringList());
        const Map map = chiRMap(magnitudeOnly);
        const int zero = map(0, 0).y();
        QCOMPARE(count(image, QRect(0, zero, 1201, 1), grey), 1201);
        QCOMPARE(count(image, image.rect(), red), 0);
        for (int u = -2; u < 10; ++u) {
            const int x = map(u, 0).x();
            QCOMPARE(count(image, QRect(x, 0, 1, 601), grey), 601);
            QCOMPARE(count(image, QRect(x + 1, 0, 4, 601), grey), 4);
            QVERIFY(text(image, QRect(x + 5, zero + 5, 30, 601 / 40)) > 5);
        }
    }
    chik->chiR->setPointer(2.5);
    const QImage image = frame(chik->surface(ChiK::ChiRPlot), rSize);
    QCOMPARE(count(image, QRect(chiRMap(false)(2.5, 0).x(), 0, 1, 601), red), 601 - 1);
}

void tst_App::chiRCurves_data()
{
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QRgb>("colour");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("first"); // bin
    QTest::addColumn<QStringList>("under"); // a curve drawn before it
    QTest::addColumn<QRgb>("underColour");
    const auto row = [](const char *name, QStringList shown, QRgb colour, int width, int first,
                        QStringList under = {}, QRgb underColour = 0) {
        QTest::newRow(name) << shown << colour << width << first << under << underColour;
    };
    const QRgb yellow = qRgb(255, 200, 0), sea = qRgb(0, 255, 180), darkRed = qRgb(200, 0, 0);
    // F and W from R = -2, where the bins mirror the positive ones.
    row("F: |ft F|", { "abs", "F" }, yellow, 1, -65);
    row("W: |ft W|", { "abs", "W" }, blue, 1, -65, { "abs", "F" }, yellow);
    row("wave: |ft sin|", { "imag", "wave" }, sea, 1, 1);
    row("total, real: Re ft chi", { "real", "total" }, darkRed, 2, 1);
    row("total, imag: Im ft chi", { "imag", "total" }, qRgb(0, 200, 0), 2, 1, { "real", "total" },
        darkRed);
    row("total, abs: |ft chi|", { "abs", "total" }, black, 2, 1, { "abs", "data" }, magenta);
    row("data, real: Re ft data", { "real", "data" }, qRgb(150, 0, 110), 2, 1, { "real", "wave" },
        sea);
    row("data, imag: Im ft data", { "imag", "data" }, qRgb(255, 130, 235), 2, 1);
    row("data, abs: |ft data|", { "abs", "data" }, magenta, 2, 1);
}

// Each selector's curve, bin by bin up to the last one at R <= 10, with its pen; where it
// meets the curve drawn before it, it shows.
void tst_App::chiRCurves()
{
    QFETCH(QStringList, shown);
    QFETCH(QRgb, colour);
    QFETCH(int, width);
    QFETCH(int, first);
    QFETCH(QStringList, under);
    QFETCH(QRgb, underColour);
    chik->showMeasured(shell());
    const QImage image = chiRImage(shown);
    const QString part = shown.at(0), source = shown.at(1);
    const double *array = source == "F"       ? wave->ftEnv.data()
                          : source == "W"     ? wave->ftWin.data()
                          : source == "wave"  ? wave->ftWave.data()
                          : source == "total" ? wave->ftChi.data()
                                              : wave->ftMeasured.data();
    const Map map = chiRMap(part == "abs");
    QVector<QPoint> curve;
    for (int j = first - 1; j * dR <= 10; ++j) {
        const double v = part == "abs" || source == "wave" ? wave->ftAbs(array, j)
                         : part == "real"                  ? wave->ftRe(array, j)
                                                           : wave->ftIm(array, j);
        curve << map(j * dR, v);
    }
    const QPointF t = trace(image, colour, curve);
    QCOMPARE(t.x(), 1.0);
    QVERIFY2(width == 1 ? t.y() < 1.3 : t.y() > 1.6, qPrintable(QString::number(t.y())));
    QVector<int> columns;
    for (int x = 0; x < rSize.width(); ++x) {
        if (count(image, QRect(x, 0, 1, 601), colour))
            columns << x;
    }
    QCOMPARE(columns.constFirst(), std::max(0, curve.constFirst().x() - width + 1));
    QCOMPARE(columns.constLast(), curve.constLast().x());

    if (under.isEmpty())
        return;
    const QImage alone = chiRImage(under), both = chiRImage(under + shown);
    int shared = 0;
    for (int y = 0; y < 601; ++y) {
        for (int x = 0; x < rSize.width(); ++x) {
            if (alone.pixel(x, y) == underColour && image.pixel(x, y) == colour)
                shared += both.pixel(x, y) == colour ? 1 : -1000;
        }
    }
    QVERIFY(shared > 0);
}

void tst_App::repaints_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("chiK"); // the chi(R) plot repaints for every change
    QTest::newRow("R slider step") << "RBar" << true;
    for (const char *name : { "SelReal", "SelImag", "SelAbs", "SelEnvelope", "SelWindow", "SelWave",
                              "SelTotal", "SelData" })
        QTest::newRow(name) << name << false;
    QTest::newRow("pointer drag") << "pointer" << false;
    QTest::newRow("data loaded") << "load" << true;
    QTest::newRow("data closed") << "actionCloseData" << true;
}

// The chi(R) window stays open throughout: a repaint comes from the change alone.
void tst_App::repaints()
{
    QFETCH(QString, change);
    QFETCH(bool, chiK);
    if (change != "load")
        chik->showMeasured(shell());
    DispArea *surface = chik->surface(ChiK::ChiRPlot);
    frame(surface, QSize(1200, 300));
    QCoreApplication::processEvents();
    QSignalSpy kFrames(chik->surface(ChiK::ChiKPlot), SIGNAL(draw(QPainter *)));
    QSignalSpy rFrames(surface, SIGNAL(draw(QPainter *)));
    if (change == "RBar")
        wave->ctrl->RBar->triggerAction(QSlider::SliderSingleStepAdd);
    else if (change == "pointer")
        drag(surface, QPoint(400, 50), QPoint(450, 50));
    else if (change == "load")
        chik->showMeasured(shell());
    else if (change.startsWith("action"))
        chik->findChild<QAction *>(change)->trigger();
    else
        chik->chiR->findChild<QAbstractButton *>(change)->toggle();
    QTRY_VERIFY(!rFrames.isEmpty());
    QCoreApplication::processEvents();
    QCOMPARE(kFrames.isEmpty(), !chiK);
    QVERIFY(chik->chiR->isVisible());
}

void tst_App::pointer_data()
{
    QTest::addColumn<int>("press"); // on 1356 pixels, R = 2 at x = 452
    QTest::addColumn<int>("move");
    QTest::addColumn<QString>("shown");
    // 581 of 1356 pixels is 12 * 581 / 1356 - 2 = 3.1415929... in R.
    QTest::newRow("9 pixels away, right button") << 443 << 581 << "3.14159";
    QTest::newRow("10 pixels away misses") << 462 << 581 << "2";
    QTest::newRow("off the surface") << 452 << 1469 << "11";
}

void tst_App::pointer()
{
    QFETCH(int, press);
    QFETCH(int, move);
    QFETCH(QString, shown);
    DispArea *surface = chik->surface(ChiK::ChiRPlot);
    frame(surface, QSize(1356, 300));
    drag(surface, QPoint(press, 50), QPoint(move, 50), Qt::RightButton);
    QCOMPARE(chik->chiR->findChild<QLineEdit *>("PointVal")->text(), shown);
}

void tst_App::constructed()
{
    const ChiK fresh;
    QVERIFY(fresh.chiR->isVisible() && !fresh.isVisible());
    QCOMPARE(chik->windowTitle() + chik->chiR->windowTitle(), QStringLiteral("chi(k)Chi(R)"));
    // The panel's formula line may need more than 800 pixels with the fonts at hand.
    QVERIFY(chik->height() == 600 && chik->width() >= 800);
    QCOMPARE(chik->chiR->size(), QSize(800, 600));
    auto *panels = chik->findChild<QGridLayout *>("WaveCtrlLayout");
    QVERIFY(panels->count() == 1 && panels->itemAtPosition(0, 0)->widget() == wave->ctrl);
    // Closed by the user, the chi(R) window comes back with the next change.
    chik->chiR->close();
    wave->ctrl->RBar->triggerAction(QSlider::SliderSingleStepAdd);
    QTRY_VERIFY(chik->chiR->isVisible());

    const auto entries = [](QMenuBar *bar) {
        QStringList texts;
        for (QAction *menu : bar->actions()) {
            texts << menu->text() + ':';
            for (QAction *a : menu->menu()->actions())
                texts << (a->isSeparator() ? "-" : a->text());
        }
        return texts;
    };
    QCOMPARE(entries(chik->menuBar()) + entries(chik->chiR->menuBar()),
             (QStringList { "File:", "Open Scenario…", "Save Scenario…", "-",
                            "Open Measured chi(k)…", "Close Measured Data", "-",
                            "Export chi(k) Table…", "Export Chi(R) Table…", "Save chi(k) Plot…",
                            "Save Chi(R) Plot…", "-", "Quit", "Help:", "About Fourk",
                            "File:", "Export Chi(R) Table…", "Save Chi(R) Plot…" }));
    QCOMPARE(chik->findChild<QAction *>("actionOpenScenario")->shortcuts(),
             QKeySequence::keyBindings(QKeySequence::Open));
    QCOMPARE(chik->findChild<QAction *>("actionSaveScenario")->shortcuts(),
             QKeySequence::keyBindings(QKeySequence::Save));
    QCOMPARE(chik->findChild<QAction *>("actionQuit")->shortcuts(),
             QKeySequence::keyBindings(QKeySequence::Quit));
}

void tst_App::mouse_data()
{
    QTest::addColumn<bool>("onChiR"); // dragged on the chi(R) plot instead
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<double>("edge"); // the second window edge afterwards
    QTest::addColumn<double>("node"); // F of the node at k = 1 afterwards
    // On 800 x 600 the handle of the edge at k = 4 is at (200, 300), x = 300 is k = 6; the node
    // at k = 1 is at (50, 27.27), y = 136 is F = -1.1 + 464 * 2.2 / 600.
    QTest::newRow("window edge") << false << QPoint(200, 300) << QPoint(300, 300) << 6.0 << 1.0;
    QTest::newRow("envelope node")
        << false << QPoint(50, 27) << QPoint(50, 136) << 4.0 << -1.1 + 464 * 2.2 / 600;
    QTest::newRow("not from chi(R)") << true << QPoint(200, 300) << QPoint(300, 300) << 4.0 << 1.0;
}

void tst_App::mouse()
{
    QFETCH(bool, onChiR);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(double, edge);
    QFETCH(double, node);
    frame(chik->surface(ChiK::ChiKPlot), QSize(800, 600));
    QSignalSpy updated(wave, SIGNAL(updated()));
    drag(chik->surface(onChiR ? ChiK::ChiRPlot : ChiK::ChiKPlot), from, to);
    QCOMPARE(updated.isEmpty(), onChiR);
    QCOMPARE(wave->ctrl->WindowCtrl->positions.at(1), edge);
    QCOMPARE(wave->envelope->nodes.at(1), QPointF(1.0, node));
}

void tst_App::endings_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("finishing");
    QTest::newRow("main window closed") << "close" << 1;
    QTest::newRow("File, Quit") << "actionQuit" << 1;
    QTest::newRow("chi(R) closed, main window deleted") << "chiR" << 0;
    // Code written before the main window owned it may delete the chi(R) window itself.
    QTest::newRow("chi(R) deleted first") << "delete" << 0;
    QTest::newRow("node held mid-drag") << "press" << 0;
}

// Closing the main window ends the program; deleting it releases everything it made.
void tst_App::endings()
{
    QFETCH(QString, how);
    QFETCH(int, finishing);
    const QPointer<ChiR> chiR = chik->chiR;
    const QPointer<AWave> wavePointer = wave;
    const QPointer<Envelope> envelope = wave->envelope;
    const QPointer<WaveCtrl> panel = wave->ctrl;
    QSignalSpy finished(chik, SIGNAL(finishing()));
    if (how == "close")
        chik->close();
    else if (how == "actionQuit")
        chik->findChild<QAction *>(how)->trigger();
    else if (how == "chiR")
        chiR->close();
    else if (how == "delete")
        delete chiR.data();
    else
        QTest::mousePress(chik->surface(ChiK::ChiKPlot), Qt::LeftButton, {}, QPoint(50, 27));
    QCOMPARE(finished.count(), finishing);
    QCOMPARE(chik->isVisible(), finishing == 0);
    delete chik;
    chik = nullptr;
    QVERIFY(!chiR && !wavePointer && !envelope && !panel);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_App::routes_data()
{
    QTest::addColumn<QString>("window"); // whose menu, or where the file is dropped
    QTest::addColumn<QString>("action"); // "" for a drop
    QTest::addColumn<QString>("title"); // of the dialog the menu opens
    QTest::addColumn<QString>("file"); // chosen in it, or dropped
    const auto row = [](const char *w, const char *action, const char *title, const char *file) {
        QTest::newRow(qPrintable(QString("%1 %2 %3").arg(w, action, file)))
            << w << action << title << file;
    };
    row("k", "actionOpenScenario", "Open Scenario", "menu.fourk");
    row("k", "actionSaveScenario", "Save Scenario", "saved.fourk");
    row("k", "actionExportChiKTable", "Export chi(k) Table", "k.csv");
    row("k", "actionExportChiRTable", "Export Chi(R) Table", "r.csv");
    row("R", "actionExportChiRTable", "Export Chi(R) Table", "r2.csv");
    row("k", "actionSaveChiKPlot", "Save chi(k) Plot", "k.png");
    row("k", "actionSaveChiRPlot", "Save Chi(R) Plot", "r.png");
    row("R", "actionSaveChiRPlot", "Save Chi(R) Plot", "r2.png");
    row("k", "actionOpenData", "Open Measured chi(k)", "menu.txt");
    row("k", "actionAbout", "About Fourk", "");
    row("k", "", "", "drop.fourk");
    row("R", "", "", "DROP.FOURK");
    row("R", "", "", "drop.txt");
}

// Each command as the user gives it, the dialog answered; each file written is what the
// windows' own export gives.
void tst_App::routes()
{
    QFETCH(QString, window);
    QFETCH(QString, action);
    QFETCH(QString, title);
    QFETCH(QString, file);
    const QString path = dir.filePath(file), suffix = QFileInfo(file).suffix().toLower();
    if (action.contains("Open") || action.isEmpty())
        write(path, suffix == "fourk" ? lesson : contents(fixtures + "feff_chi.dat"));
    QMainWindow *target = window == "k" ? static_cast<QMainWindow *>(chik) : chik->chiR;
    QString seen;
    if (action.isEmpty()) {
        QMimeData mime;
        mime.setUrls({ QUrl::fromLocalFile(path) });
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QApplication::sendEvent(target, &drop);
    } else {
        // The dialog, modal, answers once its event loop runs.
        QTimer::singleShot(0, chik, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            seen = dialog->windowTitle();
            if (auto *box = qobject_cast<QMessageBox *>(dialog))
                seen += box->text();
            if (auto *files = qobject_cast<QFileDialog *>(dialog))
                files->selectFile(path);
            dialog->accept();
        });
        target->findChild<QAction *>(action)->trigger();
        QVERIFY2(seen.startsWith(title), qPrintable(seen));
    }
    const ChiK::Plot plot = action.contains("ChiK") ? ChiK::ChiKPlot : ChiK::ChiRPlot;
    if (suffix == "txt") {
        QVERIFY(opened<ColumnsDialog>());
        opened<ColumnsDialog>()->accept();
        QCOMPARE(wave->measured().chi, QVector<double>({ 0.15, -0.25, 0.3, -0.01, 0.075 }));
    } else if (suffix == "fourk") {
        const bool save = action.contains("Save");
        QCOMPARE(contents(path), save ? ScenarioFile::toJson(chik->scenario()) : lesson);
        QCOMPARE(wave->r, save ? 2.0 : 7.25);
    } else if (suffix == "csv") {
        QCOMPARE(contents(path), chik->table(plot));
    } else if (suffix == "png") {
        QCOMPARE(contents(path), chik->picture(plot, PlotImage::Png));
    } else {
        QVERIFY(seen.contains(FOURK_VERSION));
    }
    QCOMPARE(message(), QString());
}

void tst_App::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("scenario");
    QTest::newRow("no argument") << QStringList { "fourk" } << false << "";
    QTest::newRow("-j then -e, a scenario before")
        << QStringList { "fourk", "a b.fourk", "-j", "-e" } << true << "a b.fourk";
    QTest::newRow("-e then -j among others")
        << QStringList { "fourk", "x", "-e", "--e", "-j", "-E", "-jj", "x.fourkk" } << false << "";
    QTest::newRow("upper case ignored, the last scenario")
        << QStringList { "fourk", "1.fourk", "-e", "-J", "2.FOURK" } << true << "2.FOURK";
    QTest::newRow("program name not scanned") << QStringList { "-e.fourk" } << false << "";
}

// What the start-up does with its arguments.
void tst_App::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, english);
    QFETCH(QString, scenario);
    QCOMPARE(languageFromArguments(arguments) == Language::English, english);
    QCOMPARE(scenarioFromArguments(arguments), scenario);
    if (!scenario.isEmpty()) {
        write(dir.filePath(scenario), lesson);
        QVERIFY(chik->openScenarioFile(dir.filePath(scenarioFromArguments(arguments))));
        QCOMPARE(wave->r, 7.25);
    }
}

// One recomputation and one repaint of each plot, the controls where the user would have put
// them, the read-outs exact.
void tst_App::applied()
{
    Scenario s;
    s.n = 3;
    s.r = 2.56;
    s.p0 = -1.26;
    s.p2 = 0.333;
    s.sigma = 0.0126;
    s.window = { 15.5, 2, 16, 3.5 };
    s.envelope = { { 0, 1 }, { 8, 2.5 }, { 16, 0.5 } };
    s.useWindow = s.useDebye = false;
    s.pm = true;
    s.show = QStringList { "real", "total" };
    s.pointer = 1.0 / 3.0;
    QCoreApplication::processEvents();
    QSignalSpy updated(wave, SIGNAL(updated()));
    QSignalSpy kFrames(chik->surface(ChiK::ChiKPlot), SIGNAL(draw(QPainter *)));
    QSignalSpy rFrames(chik->surface(ChiK::ChiRPlot), SIGNAL(draw(QPainter *)));
    chik->applyScenario(s);
    QCOMPARE(updated.count(), 1);
    QTRY_VERIFY(kFrames.count() == 1 && rFrames.count() == 1);
    WaveCtrl *p = wave->ctrl;
    QCOMPARE((QVector<int> { p->NBar->value(), p->RBar->value(), p->Phi0Bar->value(),
                             p->Phi2Bar->value(), p->SigBar->value() }),
             (QVector<int> { 3, 26, -13, 33, 13 }));
    QCOMPARE(
        (QStringList { p->NVal->text(), p->RVal->text(), p->Phi0Val->text(), p->Phi2Val->text(),
                       p->SigVal->text(), chik->chiR->findChild<QLineEdit *>("PointVal")->text() }),
        (QStringList { "3", "2.56", "-1.26", "0.333", "0.0126", "0.3333333333333333" }));
    std::sort(s.window.begin(), s.window.end());
    QCOMPARE(ScenarioFile::toJson(chik->scenario()), ScenarioFile::toJson(s));
}

// Set by hand, saved, opened in a new program: the same model, tables and pictures.
void tst_App::roundTrip()
{
    WaveCtrl *panel = wave->ctrl;
    panel->RBar->triggerAction(QSlider::SliderPageStepAdd);
    panel->SigBar->triggerAction(QSlider::SliderSingleStepSub);
    auto *edge = panel->WindowCtrl->findChild<QLineEdit *>("Pos2");
    edge->setText("5.125");
    QTest::keyClick(edge, Qt::Key_Return);
    // The node at k = 3, F = 1, on the plot as laid out: k 0 … 16, F 1.1 … -1.1.
    DispArea *plot = chik->surface(ChiK::ChiKPlot);
    plot->grab();
    const double w = plot->width(), h = plot->height();
    drag(plot, QPoint(3 * w / 16, 0.1 / 2.2 * h), QPoint(3.5 * w / 16, h / 3));
    chik->chiR->findChild<QAbstractButton *>("SelImag")->toggle();
    chik->chiR->setPointer(1.0 / 3.0);
    QCOMPARE(wave->envelope->nodes.at(3).x(), int(3.5 * w / 16) * 16 / w);
    QCOMPARE(panel->WindowCtrl->positions.at(1), 5.125);

    const QString path = dir.filePath("roundtrip.fourk");
    QVERIFY(chik->saveScenarioFile(path));
    ChiK other;
    other.resize(chik->size());
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QVERIFY(other.openScenarioFile(path));
    QVERIFY(arrays(other.waves.constFirst()) == arrays(wave));
    QCOMPARE(ScenarioFile::toJson(other.scenario()), contents(path));
    for (ChiK::Plot p : { ChiK::ChiKPlot, ChiK::ChiRPlot }) {
        QCOMPARE(other.table(p), chik->table(p));
        QCOMPARE(other.picture(p, PlotImage::Png), chik->picture(p, PlotImage::Png));
    }
}

void tst_App::badFiles_data()
{
    QTest::addColumn<QString>("command"); // open, save, table, plot or data
    QTest::addColumn<QString>("file"); // a fixture, or written from text
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("problem"); // for a good data file, "=" its size, first and last
    const auto row
        = [](const char *command, const char *file, const QByteArray &text, const char *problem) {
              QTest::newRow(qPrintable(QString("%1 %2: %3").arg(command, file, problem)))
                  << command << file << text << QString::fromUtf8(problem);
          };
    row("open", "old.fourk", "", "");
    row("open", "folder", "", "");
    row("save", "folder", "", "");
    row("save", "none/x.fourk", "", "");
    row("table", "none/x.csv", "", "");
    row("plot", "old.fourk", "", ".png or an .svg");
    row("data", "athena.chik", "", "= 5 0 0 0.2 0.04");
    row("data", "semicolon.csv", "", "= 4 0.5 0.25 2 -0.1");
    row("data", "three", "1 1\n2 2\n3 3\n", "3 rows of numbers");
    row("data", "falls", "1 1\n2 2\n1.5 3\n4 4\n", "line 3: k 1.5");
    row("data", "negative", "# k chi\n-1 1\n2 2\n3 3\n4 4\n", "line 2: k is negative");
    row("data", "nan", "1 1\n2 nan\n3 3\n4 4\n", "line 2: chi is not");
    row("data", "short", "1 1\n2 2\n3\n4 4\n", "line 3: column 2");
    row("data", "header", "k chi\n", "no rows");
    row("data", "big", "", "larger than 64 MiB");
    row("data", "folder", "", "folder");
    row("data", "none", "", "cannot be read");
}

// A bad file gets one message naming it and what is wrong, and changes nothing: not the
// windows, not the files.
void tst_App::badFiles()
{
    QFETCH(QString, command);
    QFETCH(QString, file);
    QFETCH(QByteArray, text);
    QFETCH(QString, problem);
    QVERIFY(QDir(dir.path()).mkpath("folder"));
    write(dir.filePath("old.fourk"), "old");
    const QString path = QFileInfo::exists(fixtures + file) ? fixtures + file : dir.filePath(file);
    if (!text.isEmpty())
        write(path, text);
    QFile big(path);
    QVERIFY(file != "big" || (big.open(QIODevice::WriteOnly) && big.resize(64 << 20 | 1)));
    QVERIFY(chik->openMeasuredFile(fixtures + "feff_chi.dat", 1, 2));
    wave->ctrl->RBar->setValue(55);
    const QByteArray before = ScenarioFile::toJson(chik->scenario());
    const QString shown = status();
    const QStringList files = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const bool done = command == "open"    ? chik->openScenarioFile(path)
                      : command == "save"  ? chik->saveScenarioFile(path)
                      : command == "table" ? chik->exportTableFile(ChiK::ChiRPlot, path)
                      : command == "plot"  ? chik->savePlotFile(ChiK::ChiKPlot, path)
                                           : chik->openMeasuredFile(path, 1, 2);
    const Spectrum &s = wave->measured();
    if (problem.startsWith('=')) {
        QVERIFY(done && s.file == file);
        QCOMPARE(QString("= %1 %2 %3 %4 %5")
                     .arg(s.k.size())
                     .arg(s.k.first())
                     .arg(s.chi.first())
                     .arg(s.k.last())
                     .arg(s.chi.last()),
                 problem);
        return;
    }
    const QString said = message();
    QVERIFY2(!done && said.contains(path) && said.contains(problem), qPrintable(said));
    QCOMPARE(ScenarioFile::toJson(chik->scenario()), before);
    QCOMPARE(status(), shown);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), files);
    QCOMPARE(contents(dir.filePath("old.fourk")), QByteArray("old"));
}

// Measured chi(k) shown, followed, saved with a scenario, closed and opened again with it.
void tst_App::measured()
{
    auto *close = chik->findChild<QAction *>("actionCloseData");
    auto *selector = chik->chiR->findChild<QAbstractButton *>("SelData");
    QVERIFY(status().isEmpty() && selector->isHidden() && !close->isEnabled());
    QVERIFY(chik->openMeasuredFile(fixtures + "feff_chi.dat", 1, 3));
    // Within the window, from k = 3 on, the rows are all 0: no misfit to give.
    QCOMPARE(status(), QString::fromUtf8("feff_chi.dat · 5 rows · k 1 … 3 Å⁻¹ · misfit –"));
    QVERIFY(!selector->isHidden() && selector->isChecked() && close->isEnabled());
    wave->ctrl->SelWindowF->setChecked(false);
    const QString saved = status(), file = dir.filePath("with data.fourk");
    QCOMPARE(saved.section(' ', -1), QString::number(wave->misfit, 'g', 3));
    wave->ctrl->RBar->triggerAction(QSlider::SliderSingleStepAdd);
    QCOMPARE(status().section(' ', -1), QString::number(wave->misfit, 'g', 3));
    QVERIFY(status() != saved);
    wave->ctrl->RBar->triggerAction(QSlider::SliderSingleStepSub);
    QVERIFY(chik->saveScenarioFile(file));
    close->trigger();
    QVERIFY(!wave->hasMeasured() && status().isEmpty() && selector->isHidden()
            && !selector->isChecked() && !close->isEnabled());
    QVERIFY(chik->openScenarioFile(file));
    QVERIFY(wave->measured().chiColumn == 3 && status() == saved && selector->isChecked());
}

// Built with the catalogue in, as the start-up does it, the windows speak Japanese where the
// catalogue has it; and lupdate, run on a copy of the catalogue, finds no text of the sources
// without its translation.
void tst_App::japanese()
{
    QTranslator translator;
    QVERIFY(loadJapaneseCatalogue(translator));
    QCoreApplication::installTranslator(&translator);
    const ChiK japanese;
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(japanese.chiR->findChild<QWidget *>("SelAbs")->property("text"),
             QVariant(QString::fromUtf8("絶対値")));
    QCOMPARE(japanese.findChild<QAction *>("actionOpenScenario")->text(),
             QString::fromUtf8("シナリオを開く…"));

    QByteArray ts = contents(FOURK_SOURCE_DIR "/app/translations/Fourk_ja_JP.ts");
    // lupdate only works on a catalogue that names its language.
    ts.replace("<TS version=\"2.1\">", "<TS version=\"2.1\" language=\"ja_JP\">");
    write(dir.filePath("catalogue.ts"), ts);
    QProcess lupdate;
    lupdate.setWorkingDirectory(FOURK_SOURCE_DIR);
    lupdate.start(FOURK_LUPDATE,
                  { "-silent", "-locations", "none", "-I", ".", "app", "model", "panels", "plot",
                    "tools", "-ts", dir.filePath("catalogue.ts") });
    QVERIFY(lupdate.waitForFinished(120000) && lupdate.exitCode() == 0);
    // "unfinished" is new in the sources, "vanished" and "obsolete" gone from them.
    const QString updated = QString::fromUtf8(contents(dir.filePath("catalogue.ts")));
    const QRegularExpression stale("<source>([^<]*)</source>\\s*<translation (type|/>)");
    QStringList untranslated;
    for (auto m = stale.globalMatch(updated); m.hasNext();)
        untranslated << m.next().captured(1);
    QVERIFY2(updated.count("<translation>") > 100, "no catalogue read");
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join('\n')));
}

QTEST_MAIN(tst_App)
#include "tst_app.moc"
