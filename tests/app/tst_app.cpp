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

// Where (x, y) lands on a surface of the size showing the range, y upwards.
QPoint at(QSize size, const QRectF &range, double x, double y)
{
    return { int((x - range.left()) * size.width() / range.width()),
             int(size.height() - (y - range.top()) * size.height() / range.height()) };
}

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
    for (int i = 0; i < area.width() * area.height(); ++i) {
        const QRgb c = image.pixel(area.left() + i % area.width(), area.top() + i / area.width());
        n += c == qRgb(qRed(c), qRed(c), qRed(c)) && qRed(c) >= 150 && qRed(c) < 250;
    }
    return n;
}

// A measured chi(k) unlike the simulation: a shell at 3.3, so its transform peaks elsewhere.
Spectrum shell()
{
    Spectrum s;
    for (double k = 0.5; k < 17; k += 0.25)
        s.k << k, s.chi << std::sin(6.6 * k + 1) / k;
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

} // namespace

// The two windows as a user meets them: both plots element by element (which array, which pen,
// which pixels, which over which), what repaints them, the mouse, the menus, drops and the
// command line, scenarios and measured chi(k), either language.
class tst_App : public QObject
{
    Q_OBJECT

    ChiK *chik = nullptr;
    AWave *wave = nullptr;
    QTemporaryDir dir;
    QByteArray lesson = ScenarioFile::toJson(Scenario()).replace("\"r\": 2", "\"r\": 7.25");

    QImage chiRImage(const QStringList &shown)
    {
        chik->chiR->setShown(shown);
        return frame(chik->surface(ChiK::ChiRPlot), rSize);
    }
    QPoint chiRAt(bool magnitudeOnly, double r, double y) const
    {
        const double a = wave->rAbsMax, bottom = magnitudeOnly ? -0.05 * a : -1.05 * a;
        return at(rSize, { -2, bottom, 12, 1.05 * a - bottom }, r, y);
    }
    // The text of the message box a command opened, closing it; "" if none.
    QString message()
    {
        QMessageBox *box = chik->findChild<QMessageBox *>();
        const QString text = box ? box->text() : QString();
        delete box;
        return text;
    }
    QString status() const
    {
        const auto label = [this](const char *name) { return chik->findChild<QLabel *>(name); };
        return label("DataFile")->isVisible()
                   ? label("DataFile")->text() + ' ' + label("DataMisfit")->text()
                   : QString();
    }

private slots:
    void initTestCase()
    {
        ConnectionGuard::install();
        qRegisterMetaType<QPainter *>();
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void init()
    {
        chik = new ChiK;
        wave = chik->waves.constFirst();
        chik->show();
        QVERIFY(QTest::qWaitForWindowExposed(chik) && QTest::qWaitForWindowExposed(chik->chiR));
    }
    void cleanup() { delete chik; }

    void chiKPlot()
    {
        DispArea *surface = chik->surface(ChiK::ChiKPlot);
        const QImage image = frame(surface, kSize);
        const QRectF range(0, -1.1 * wave->yAbsMax, 16, 2.2 * wave->yAbsMax);
        const auto map = [&range](double k, double y) { return at(kSize, range, k, y); };
        const int zero = map(0, 0).y(), x = map(1.5, 0).x();
        const auto column = [&image](int x, QRgb c) { return count(image, { x, 0, 1, 601 }, c); };
        // Left of the window: chi(k) = 0, its 2-pixel line half under the zero line, drawn last
        // over the whole width; +-F = +-1 in 1-pixel lines; the ground between.
        QCOMPARE(count(image, QRect(0, zero, 801, 1), grey), 801);
        QCOMPARE(QVector<QRgb>({ image.pixel(x, zero - 1), image.pixel(x, zero + 1),
                                 image.pixel(x, map(0, 1).y()), image.pixel(x, map(0, -1).y()),
                                 image.pixel(x, 150) }),
                 QVector<QRgb>({ black, white, orange, orange, white }));
        QCOMPARE(column(x, orange), 2);
        // W(k) rises across 3 … 4, one pixel wide; on 4 … 15 +F covers it; chi(k) covers both.
        QCOMPARE(count(image, QRect(map(3, 0).x() + 2, map(0, 0.5).y(), 45, 1), blue), 1);
        QVector<QPoint> chi;
        int w = 0, f = 0, peak = 0;
        for (int i = 1; i < 160; ++i) {
            const double k = wave->kGrid[i], c = wave->chi[i], off = std::fabs(k - std::round(k));
            if (k > 3.2 && k < 3.8 && std::fabs(c - wave->winValues[i]) > 0.03)
                w += image.pixel(map(k, wave->winValues[i])) == blue ? 1 : -100;
            if (k > 5 && k < 14 && off > 0.05 && std::fabs(c) < 0.9)
                f += image.pixel(map(k, 1)) == orange ? 1 : -100;
            if (off > 0.05 && std::fabs(c) > 0.1)
                chi << map(k, c);
            peak = std::fabs(c) > std::fabs(wave->chi[peak]) ? i : peak;
        }
        QVERIFY(w > 2 && f > 30 && trace(image, black, chi).x() == 1.0);
        QCOMPARE(image.pixel(map(wave->kGrid[peak], wave->chi[peak])), black);
        // Edges: 2-pixel lines, 7 x 7 handles on the zero line, under the node lines.
        for (double edge : { 4.0, 15.0 }) {
            const QPoint c = map(edge, 0);
            QVERIFY(column(c.x() - 1, blue) > 590 && column(c.x(), green) > 590);
            QCOMPARE(count(image, QRect(c - QPoint(3, 3), QSize(7, 7)), blue), 36);
            QCOMPARE(count(image, QRect(c - QPoint(4, 4), QSize(9, 9)), blue), 36 + 2);
        }
        // Nodes at F = 1: 1-pixel lines, 5 x 5 handles, labels under the zero line.
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
        int overW = 0;
        for (int i = 0; i < 801 * 601; ++i) {
            const QRgb was = image.pixel(i % 801, i / 801), is = data.pixel(i % 801, i / 801);
            overW += was == blue && is == magenta;
            QVERIFY(was != black || is == black);
        }
        const QPointF t = trace(data, magenta, curve);
        QVERIFY(t.x() > 0.97 && t.y() > 1.5 && overW > 0);
    }

    // The grid and its labels; the zero line low for magnitudes alone, else in the middle; the
    // pointer line under the grid line at R = 2.
    void chiRGrid()
    {
        for (bool magnitudeOnly : { true, false }) {
            const QImage image = chiRImage(magnitudeOnly ? QStringList { "abs" } : QStringList());
            const int zero = chiRAt(magnitudeOnly, 0, 0).y();
            QVERIFY(count(image, { 0, zero, 1201, 1 }, grey) == 1201
                    && !count(image, image.rect(), red));
            for (int u = -2; u < 10; ++u) {
                const int x = chiRAt(magnitudeOnly, u, 0).x();
                QVERIFY(count(image, { x, 0, 1, 601 }, grey) == 601
                        && count(image, { x + 1, 0, 4, 601 }, grey) == 4);
                QVERIFY(text(image, QRect(x + 5, zero + 5, 30, 601 / 40)) > 5);
            }
        }
        chik->chiR->setPointer(2.5);
        const QImage image = frame(chik->surface(ChiK::ChiRPlot), rSize);
        QCOMPARE(count(image, QRect(chiRAt(false, 2.5, 0).x(), 0, 1, 601), red), 601 - 1);
    }

    void chiRCurves_data()
    {
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QRgb>("colour");
        QTest::addColumn<QPoint>("pen"); // width, first bin
        QTest::addColumn<QStringList>("under"); // a curve drawn before it
        QTest::addColumn<QRgb>("underColour");
        const auto row = [](const char *name, QStringList shown, QRgb colour, QPoint pen,
                            QStringList under = {}, QRgb underColour = 0) {
            QTest::newRow(name) << shown << colour << pen << under << underColour;
        };
        const QRgb yellow = qRgb(255, 200, 0), sea = qRgb(0, 255, 180), dark = qRgb(200, 0, 0);
        // F and W from R = -2, where the bins mirror the positive ones.
        row("F: |ft F|", { "abs", "F" }, yellow, { 1, -65 });
        row("W: |ft W|", { "abs", "W" }, blue, { 1, -65 }, { "abs", "F" }, yellow);
        row("wave: |ft sin|", { "imag", "wave" }, sea, { 1, 1 });
        row("total, real: Re ft chi", { "real", "total" }, dark, { 2, 1 });
        row("total, imag: Im ft chi", { "imag", "total" }, qRgb(0, 200, 0), { 2, 1 },
            { "real", "total" }, dark);
        row("total, abs: |ft chi|", { "abs", "total" }, black, { 2, 1 }, { "abs", "data" },
            magenta);
        row("data, real: Re ft data", { "real", "data" }, qRgb(150, 0, 110), { 2, 1 },
            { "real", "wave" }, sea);
        row("data, imag: Im ft data", { "imag", "data" }, qRgb(255, 130, 235), { 2, 1 });
        row("data, abs: |ft data|", { "abs", "data" }, magenta, { 2, 1 });
    }

    // Each selector's curve, bin by bin up to the last one at R <= 10, with its pen; where it
    // meets the curve drawn before it, it shows.
    void chiRCurves()
    {
        QFETCH(QStringList, shown);
        QFETCH(QRgb, colour);
        QFETCH(QPoint, pen);
        QFETCH(QStringList, under);
        QFETCH(QRgb, underColour);
        chik->showMeasured(shell());
        const QImage image = chiRImage(shown), alone = chiRImage(under),
                     both = chiRImage(under + shown);
        const QString part = shown.at(0), source = shown.at(1);
        const double *array = source == "F"       ? wave->ftEnv.data()
                              : source == "W"     ? wave->ftWin.data()
                              : source == "wave"  ? wave->ftWave.data()
                              : source == "total" ? wave->ftChi.data()
                                                  : wave->ftMeasured.data();
        QVector<QPoint> curve;
        for (int j = pen.y() - 1; j * dR <= 10; ++j) {
            const double v = part == "abs" || source == "wave" ? wave->ftAbs(array, j)
                             : part == "real"                  ? wave->ftRe(array, j)
                                                               : wave->ftIm(array, j);
            curve << chiRAt(part == "abs", j * dR, v);
        }
        const QPointF t = trace(image, colour, curve);
        QVERIFY2(t.x() == 1 && (pen.x() == 1 ? t.y() < 1.3 : t.y() > 1.6),
                 qPrintable(QString::number(t.y())));
        int first = -1, last = -1, shared = under.isEmpty();
        for (int i = 0; i < rSize.width() * 601; ++i) {
            const QPoint p(i / 601, i % 601);
            if (image.pixel(p) == colour)
                first = first < 0 ? p.x() : first, last = p.x();
            if (alone.pixel(p) == underColour && image.pixel(p) == colour)
                shared += both.pixel(p) == colour ? 1 : -1000;
        }
        QCOMPARE(QPoint(first, last),
                 QPoint(std::max(0, curve.constFirst().x() - pen.x() + 1), curve.constLast().x()));
        QVERIFY(shared > 0);
    }

    void repaints_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("chiK"); // the chi(R) plot repaints for every change
        QTest::newRow("R slider step") << "RBar" << true;
        for (const char *name : { "SelReal", "SelImag", "SelAbs", "SelEnvelope", "SelWindow",
                                  "SelWave", "SelTotal", "SelData" })
            QTest::newRow(name) << name << false;
        QTest::newRow("pointer drag") << "pointer" << false;
        QTest::newRow("data loaded") << "load" << true;
        QTest::newRow("data closed") << "actionCloseData" << true;
    }

    // The chi(R) window stays open throughout: a repaint comes from the change alone.
    void repaints()
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
        QVERIFY(kFrames.isEmpty() != chiK && chik->chiR->isVisible());
    }

    void mouse_data()
    {
        QTest::addColumn<bool>("onChiR"); // 1356 pixels wide: R = 2 at x = 452
        QTest::addColumn<QLine>("drag");
        QTest::addColumn<QPointF>("after"); // the second window edge, F of the node at k = 1
        QTest::addColumn<QString>("pointer");
        // On chi(k), 800 x 600, the handle of the edge at k = 4 is at (200, 300), x = 300 is
        // k = 6; the node at k = 1 is at (50, 27.27), y = 136 is F = -1.1 + 464 * 2.2 / 600.
        QTest::newRow("window edge") << false << QLine(200, 300, 300, 300) << QPointF(6, 1) << "2";
        QTest::newRow("envelope node")
            << false << QLine(50, 27, 50, 136) << QPointF(4, -1.1 + 464 * 2.2 / 600) << "2";
        // 581 of 1356 pixels is 12 * 581 / 1356 - 2 = 3.1415929... in R.
        QTest::newRow("chi(R): 9 pixels away grabs")
            << true << QLine(443, 300, 581, 300) << QPointF(4, 1) << "3.14159";
        QTest::newRow("chi(R): 10 pixels away misses")
            << true << QLine(462, 300, 581, 300) << QPointF(4, 1) << "2";
        QTest::newRow("chi(R): off the surface")
            << true << QLine(452, 300, 1469, 300) << QPointF(4, 1) << "11";
    }

    // The chi(k) plot's handles and nodes follow the mouse there; on the chi(R) plot only the
    // pointer does.
    void mouse()
    {
        QFETCH(bool, onChiR);
        QFETCH(QLine, drag);
        QFETCH(QPointF, after);
        QFETCH(QString, pointer);
        frame(chik->surface(ChiK::ChiKPlot), QSize(800, 600));
        frame(chik->surface(ChiK::ChiRPlot), QSize(1356, 600));
        QSignalSpy updated(wave, SIGNAL(updated()));
        SurfaceProbe::drag(chik->surface(onChiR ? ChiK::ChiRPlot : ChiK::ChiKPlot), drag.p1(),
                           drag.p2());
        QVERIFY(updated.isEmpty() == onChiR
                && wave->ctrl->WindowCtrl->positions.at(1) == after.x());
        QCOMPARE(wave->envelope->nodes.at(1), QPointF(1.0, after.y()));
        QCOMPARE(chik->chiR->findChild<QLineEdit *>("PointVal")->text(), pointer);
    }

    void constructed()
    {

        QCOMPARE(chik->windowTitle() + chik->chiR->windowTitle(), QStringLiteral("chi(k)Chi(R)"));
        // The panel's formula line may need more than 800 pixels with the fonts at hand.
        QVERIFY(chik->height() == 600 && chik->width() >= 800
                && chik->chiR->size() == QSize(800, 600));
        auto *panels = chik->findChild<QGridLayout *>("WaveCtrlLayout");
        QVERIFY(panels->count() == 1 && panels->itemAtPosition(0, 0)->widget() == wave->ctrl);
        // Closed by the user, the chi(R) window comes back with the next change.
        chik->chiR->close();
        wave->ctrl->RBar->triggerAction(QSlider::SliderSingleStepAdd);
        QTRY_VERIFY(chik->chiR->isVisible());
        QStringList menus;
        for (QMenuBar *bar : { chik->menuBar(), chik->chiR->menuBar() }) {
            for (QAction *menu : bar->actions()) {
                menus << menu->text() + ':';
                for (QAction *a : menu->menu()->actions())
                    menus << (a->isSeparator() ? "-" : a->text() + a->shortcut().toString());
            }
        }
        QCOMPARE(menus.join('|'),
                 QString("File:|Open Scenario…%1|Save Scenario…%2|-|Open Measured chi(k)…|"
                         "Close Measured Data|-|Export chi(k) Table…|Export Chi(R) Table…|"
                         "Save chi(k) Plot…|Save Chi(R) Plot…|-|Quit%3|Help:|About Fourk|"
                         "File:|Export Chi(R) Table…|Save Chi(R) Plot…")
                     .arg(QKeySequence(QKeySequence::Open).toString(),
                          QKeySequence(QKeySequence::Save).toString(),
                          QKeySequence(QKeySequence::Quit).toString()));
    }

    void endings_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("main window closed") << "close";
        QTest::newRow("File, Quit") << "actionQuit";
        // Code written before the main window owned it may delete the chi(R) window itself.
        QTest::newRow("chi(R) deleted first") << "delete";
    }

    // Closing the main window ends the program; deleting it releases everything it made.
    void endings()
    {
        QFETCH(QString, how);
        const QPointer<QObject> made[] = { wave, wave->envelope, wave->ctrl, chik->chiR };
        QSignalSpy finishing(chik, SIGNAL(finishing()));
        if (how == "close")
            chik->close();
        else if (how == "delete")
            delete chik->chiR;
        else
            chik->findChild<QAction *>(how)->trigger();
        QVERIFY(finishing.count() == int(how != "delete")
                && chik->isVisible() == finishing.isEmpty());
        delete chik;
        chik = nullptr;
        QVERIFY(!made[0] && !made[1] && !made[2] && !made[3]
                && QApplication::topLevelWidgets().isEmpty());
    }

    void routes_data()
    {
        QTest::addColumn<QString>("route"); // window, menu entry ("drop" for a drop), file
        for (const char *route :
             { "k actionOpenScenario menu.fourk", "k actionSaveScenario saved.fourk",
               "k actionExportChiKTable k.csv", "k actionExportChiRTable r.csv",
               "R actionExportChiRTable r2.csv", "k actionSaveChiKPlot k.png",
               "k actionSaveChiRPlot r.png", "R actionSaveChiRPlot r2.png",
               "k actionOpenData menu.txt", "k actionAbout about", "k drop drop.fourk",
               "R drop DROP.FOURK", "R drop drop.txt", "k arguments a b.FOURK" })
            QTest::newRow(route) << route;
    }

    // Each command as the user gives it, the dialog answered; each file written is what the
    // windows' own export gives.
    void routes()
    {
        QFETCH(QString, route);
        const QString action = route.section(' ', 1, 1), file = route.section(' ', 2);
        const QString path = dir.filePath(file), suffix = QFileInfo(file).suffix().toLower();
        if (!action.contains("Save") && !action.contains("Export"))
            write(path, suffix == "fourk" ? lesson : contents(fixtures + "feff_chi.dat"));
        QMainWindow *target = route.startsWith('k') ? static_cast<QMainWindow *>(chik) : chik->chiR;
        QString seen;
        QMimeData mime;
        mime.setUrls({ QUrl::fromLocalFile(path) });
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
        // The start-up opens the last argument ending in .fourk, in any case.
        if (action == "arguments") {
            QVERIFY(chik->openScenarioFile(
                scenarioFromArguments({ "-e.fourk", "x.fourk", "-e", path, "-j", ".fourkk" })));
        } else if (action == "drop") {
            QApplication::sendEvent(target, &enter);
            QVERIFY(enter.isAccepted());
            QApplication::sendEvent(target, &drop);
        } else {
            // The dialog, modal, answers once its event loop runs.
            QTimer::singleShot(0, chik, [&] {
                auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                seen = dialog->windowTitle() + '|';
                if (auto *box = qobject_cast<QMessageBox *>(dialog))
                    seen += box->text();
                if (auto *files = qobject_cast<QFileDialog *>(dialog))
                    files->selectFile(path);
                dialog->accept();
            });
            QAction *entry = target->findChild<QAction *>(action);
            entry->trigger();
            QCOMPARE(seen.section('|', 0, 0), entry->text().remove(QString::fromUtf8("…")));
        }
        const ChiK::Plot plot = action.contains("ChiK") ? ChiK::ChiKPlot : ChiK::ChiRPlot;
        const bool save = action.contains("Save");
        if (suffix == "txt")
            chik->findChild<ColumnsDialog *>()->accept();
        if (suffix == "txt")
            QCOMPARE(wave->measured().chi, QVector<double>({ 0.15, -0.25, 0.3, -0.01, 0.075 }));
        else if (suffix == "fourk")
            QVERIFY(contents(path) == (save ? ScenarioFile::toJson(chik->scenario()) : lesson)
                    && wave->r == (save ? 2.0 : 7.25));
        else if (!suffix.isEmpty())
            QCOMPARE(contents(path),
                     suffix == "csv" ? chik->table(plot) : chik->picture(plot, PlotImage::Png));
        else
            QVERIFY(seen.contains(FOURK_VERSION));
        QCOMPARE(message(), QString());
    }

    // Applied: one recomputation and one repaint of each plot, the controls where the user
    // would have put them, the read-outs exact. Saved and opened in a new program: the same
    // model, tables and pictures.
    void scenario()
    {
        Scenario s;
        QString error;
        QVERIFY(ScenarioFile::parse(
            R"({"format": "fourk-scenario", "version": 1, "n": 3, "r": 2.56, "p0": -1.26,
                "p2": 0.333, "sigma": 0.0126, "window": [2, 3.5, 15.5, 16.0625],
                "envelope": [[0, 1], [8.125, 2.5], [16, 0.5]], "show": ["imag", "total"],
                "factors": {"envelope": true, "window": false, "debye": false, "pm": true},
                "pointer": 0.3333333333333333})",
            &s, &error));
        QCoreApplication::processEvents();
        QSignalSpy updated(wave, SIGNAL(updated()));
        QSignalSpy kFrames(chik->surface(ChiK::ChiKPlot), SIGNAL(draw(QPainter *)));
        QSignalSpy rFrames(chik->surface(ChiK::ChiRPlot), SIGNAL(draw(QPainter *)));
        chik->applyScenario(s);
        QCOMPARE(updated.count(), 1);
        QTRY_VERIFY(kFrames.count() == 1 && rFrames.count() == 1);
        QCOMPARE(chik->chiR->findChild<QLineEdit *>("PointVal")->text(), "0.3333333333333333");
        QCOMPARE(ScenarioFile::toJson(chik->scenario()), ScenarioFile::toJson(s));

        const QString path = dir.filePath("roundtrip.fourk");
        QVERIFY(chik->saveScenarioFile(path));
        ChiK other;
        other.resize(chik->size());
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other) && other.openScenarioFile(path));
        const AWave *o = other.waves.constFirst();
        QVERIFY(o->chi == wave->chi && o->wave == wave->wave && o->envValues == wave->envValues
                && o->winValues == wave->winValues);
        QVERIFY(o->ftChi == wave->ftChi && o->ftWave == wave->ftWave && o->ftEnv == wave->ftEnv
                && o->ftWin == wave->ftWin);
        QCOMPARE(ScenarioFile::toJson(other.scenario()), contents(path));
        for (ChiK::Plot p : { ChiK::ChiKPlot, ChiK::ChiRPlot })
            QVERIFY(other.table(p) == chik->table(p)
                    && other.picture(p, PlotImage::Png) == chik->picture(p, PlotImage::Png));
    }

    void badFiles_data()
    {
        QTest::addColumn<QString>("command"); // open, save, table, plot or data
        QTest::addColumn<QString>("file"); // a fixture, or written from text
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("problem");
        for (const char *c :
             { "open old.fourk", "save folder", "save none/x.fourk", "table none/x.csv",
               "plot old.fourk .png or an .svg", "data folder folder", "data none cannot be read",
               "data big larger than 64 MiB" })
            QTest::newRow(c) << QString(c).section(' ', 0, 0) << QString(c).section(' ', 1, 1)
                             << QByteArray() << QString(c).section(' ', 2);
        const auto rows = [](const char *problem, QByteArray text) {
            QTest::newRow(problem) << "data"
                                   << "rows" << text.replace('/', '\n') << problem;
        };
        rows("3 rows of numbers", "1 1/2 2/3 3");
        rows("line 3: k 1.5", "1 1/2 2/1.5 3/4 4");
    }

    // A bad file gets one message naming it and what is wrong, and changes nothing: not the
    // windows, not the files.
    void badFiles()
    {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(QByteArray, text);
        QFETCH(QString, problem);
        QVERIFY(QDir(dir.path()).mkpath("folder"));
        write(dir.filePath("old.fourk"), "old");
        QString path = QFileInfo::exists(fixtures + file) ? fixtures + file : dir.filePath(file);
        QFile big(path);
        if (!text.isEmpty() || file == "big")
            QVERIFY(big.open(QIODevice::WriteOnly) && big.write(text) >= 0
                    && big.resize(file == "big" ? 64 << 20 | 1 : text.size()));
        QVERIFY(chik->openMeasuredFile(fixtures + "feff_chi.dat", 1, 2));
        wave->ctrl->RBar->setValue(55);
        const QByteArray before = ScenarioFile::toJson(chik->scenario());
        const QString shown = status();
        const auto files = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const bool done = command == "open"    ? chik->openScenarioFile(path)
                          : command == "save"  ? chik->saveScenarioFile(path)
                          : command == "table" ? chik->exportTableFile(ChiK::ChiRPlot, path)
                          : command == "plot"  ? chik->savePlotFile(ChiK::ChiKPlot, path)
                                               : chik->openMeasuredFile(path, 1, 2);

        const QString said = message();
        QVERIFY2(!done && said.contains(path) && said.contains(problem), qPrintable(said));
        QVERIFY(ScenarioFile::toJson(chik->scenario()) == before && status() == shown);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), files);
        QCOMPARE(contents(dir.filePath("old.fourk")), QByteArray("old"));
    }

    // Measured chi(k) shown, followed, saved with a scenario, closed and opened again with it.
    void measured()
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
        wave->ctrl->RBar->triggerAction(QSlider::SliderSingleStepAdd);
        QVERIFY(status() != saved
                && status().endsWith(' ' + QString::number(wave->misfit, 'g', 3)));
        wave->ctrl->RBar->triggerAction(QSlider::SliderSingleStepSub);
        QVERIFY(chik->saveScenarioFile(file));
        close->trigger();
        QVERIFY(!wave->hasMeasured() && status().isEmpty() && selector->isHidden()
                && !selector->isChecked() && !close->isEnabled());
        QVERIFY(chik->openScenarioFile(file));
        QVERIFY(wave->measured().chiColumn == 3 && status() == saved && selector->isChecked());
    }

    // Built with the catalogue in, as the start-up does it, the windows speak Japanese; and
    // lupdate, run on a copy of the catalogue, finds no text without its translation.
    void japanese()
    {
        QVERIFY(languageFromArguments({ "-e", "-j", "-E", "-jj" }) == Language::Japanese);
        QVERIFY(languageFromArguments({ "fourk", "-j", "--e", "-e", "-J" }) == Language::English);
        QTranslator translator;
        QVERIFY(loadJapaneseCatalogue(translator)
                && QCoreApplication::installTranslator(&translator));
        const ChiK japanese;
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(japanese.chiR->findChild<QWidget *>("SelAbs")->property("text").toString()
                     + japanese.findChild<QAction *>("actionOpenScenario")->text(),
                 QString::fromUtf8("絶対値シナリオを開く…"));
        // lupdate only works on a catalogue that names its language.
        const QString copy = dir.filePath("catalogue.ts");
        write(copy,
              contents(FOURK_SOURCE_DIR "/app/translations/Fourk_ja_JP.ts")
                  .replace("<TS version=\"2.1\">", "<TS version=\"2.1\" language=\"ja_JP\">"));
        QProcess lupdate;
        lupdate.setWorkingDirectory(FOURK_SOURCE_DIR);
        lupdate.start(FOURK_LUPDATE, { "-silent", "-locations", "none", "-I", ".", "app", "model",
                                       "panels", "plot", "tools", "-ts", copy });
        QVERIFY(lupdate.waitForFinished(120000) && lupdate.exitCode() == 0);
        // "unfinished" is new in the sources, "vanished" and "obsolete" gone from them.
        const QString updated = QString::fromUtf8(contents(copy));
        QStringList untranslated;
        static const QRegularExpression stale("<source>([^<]*)</source>\\s*<translation (type|/)");
        for (auto m = stale.globalMatch(updated); m.hasNext();)
            untranslated << m.next().captured(1);
        QVERIFY(updated.count("<translation>") > 100);
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join('\n')));
    }
};

QTEST_MAIN(tst_App)
#include "tst_app.moc"
