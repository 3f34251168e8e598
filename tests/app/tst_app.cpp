#include "app/chik.h"
#include "app/chir.h"
#include "app/columnsdialog.h"
#include "app/commandline.h"
#include "app/plotlabels.h"
#include "app/plotting.h"
#include "connectionguard.h"
#include "model/awave.h"
#include "model/envelope.h"
#include "model/filename.h"
#include "model/scenariofile.h"
#include "model/shellmodel.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/disparea.h"
#include "surfaceprobe.h"

#include <QAbstractItemView>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTreeWidget>
#include <QtTest>

#include <cmath>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A polyline in one colour: the share of its vertices showing it, its pixels per pixel of length.
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

// A measured chi(k) unlike the simulation: a shell at 3.3, so its transform peaks elsewhere.
MeasuredChi shell()
{
    MeasuredChi s;
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

// The two windows as a user meets them: the plots element by element, what repaints them, the
// mouse, menus, drops, command line, scenarios, measured chi(k), both languages.
class tst_App : public QObject
{
    Q_OBJECT

    ChiK *chik = nullptr;
    AWave *wave = nullptr;
    DispArea *kPlot = nullptr, *rPlot = nullptr;
    QTemporaryDir dir;
    QByteArray lesson = ScenarioFile::toJson(Scenario()).replace("\"r\": 2", "\"r\": 7.25");

    QImage chiRImage(const QStringList &shown)
    {
        chik->chiR->setShown(shown);
        return frame(rPlot, rSize);
    }
    QPoint chiRAt(bool magnitudeOnly, double r, double y) const
    {
        const double a = wave->rAbsMax, bottom = magnitudeOnly ? -0.05 * a : -1.05 * a;
        return at(rSize, { -2, bottom, 12, 1.05 * a - bottom }, r, y);
    }
    // The text of the message box a command opened, closing it.
    QString message()
    {
        const QScopedPointer<QMessageBox> box(chik->findChild<QMessageBox *>());
        return box ? box->text() : QString();
    }
    static QString status(const ChiK *w)
    {
        const auto *file = w->findChild<QLabel *>("DataFile");
        return file->isVisible() ? file->text() + ' ' + w->findChild<QLabel *>("DataMisfit")->text()
                                 : QString();
    }

private slots:
    void initTestCase()
    {
        ConnectionGuard::install();
        qRegisterMetaType<PlotScene *>();
        QApplication::setQuitOnLastWindowClosed(false);
        // The View settings go to a folder of the test's own, never the user's.
        QCoreApplication::setOrganizationName("Fourk tests");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    }
    void init()
    {
        chik = new ChiK;
        wave = chik->waves.constFirst();
        kPlot = chik->surface(ChiK::ChiKPlot), rPlot = chik->surface(ChiK::ChiRPlot);
        chik->show();
        QVERIFY(QTest::qWaitForWindowExposed(chik) && QTest::qWaitForWindowExposed(chik->chiR));
    }
    void cleanup() { delete chik; }

    void chiKPlot()
    {
        const QImage image = frame(kPlot, kSize);
        const QRectF range(0, -1.1 * wave->yAbsMax, 16, 2.2 * wave->yAbsMax);
        const auto map = [&range](double k, double y) { return at(kSize, range, k, y); };
        const int zero = map(0, 0).y(), x = map(1.5, 0).x();
        const auto column = [&image](int x, QRgb c) { return count(image, { x, 0, 1, 601 }, c); };
        // Left of the window: chi(k) = 0 half under the zero line, drawn last; +-F = +-1.
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
            QVERIFY(count(image, QRect(c.x() + 3, zero + 3, 20, 601 / 40), white) < 290);
            QVERIFY(k > 2 || count(image, QRect(c.x() - 10, zero + 1, 10, 40), white) == 400);
        }
        // The measured chi(k): magenta, 2 pixels wide, under chi(k).
        chik->showMeasured(shell());
        const QImage data = frame(kPlot, kSize);
        QVector<QPoint> curve;
        for (int i = 1; i < 160; ++i) {
            const double v = wave->measuredValues[i], k = wave->kGrid[i];
            if (std::fabs(v - wave->chi[i]) > 0.05 && std::fabs(v) > 0.05
                && std::fabs(k - std::round(k)) > 0.05)
                curve << map(k, v);
        }
        for (int i = 0; i < 801 * 601; ++i)
            QVERIFY(image.pixel(i % 801, i / 801) != black
                    || data.pixel(i % 801, i / 801) == black);
        const QPointF t = trace(data, magenta, curve);
        QVERIFY(t.x() > 0.97 && t.y() > 1.5);
    }

    // Grid, labels, the zero line low for magnitudes alone, the pointer under the grid at R = 2.
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
                QVERIFY(count(image, QRect(x + 5, zero + 5, 30, 601 / 40), white) < 440);
            }
        }
        chik->chiR->setPointer(2.5);
        QCOMPARE(count(frame(rPlot, rSize), QRect(chiRAt(false, 2.5, 0).x(), 0, 1, 601), red), 600);
    }

    void chiRCurves_data()
    {
        // shown | colour | width | first bin (F, W: mirrored from R = -2) | a curve drawn before
        QTest::addColumn<QString>("row");
        for (const char *row : { "abs F|255 200 0|1|-65", "abs W|0 150 255|1|-65|abs F|255 200 0",
                                 "imag wave|0 255 180|1|1", "real total|200 0 0|2|1",
                                 "imag total|0 200 0|2|1|real total|200 0 0",
                                 "abs total|0 0 0|2|1|abs data|220 0 220",
                                 "real data|150 0 110|2|1|real wave|0 255 180",
                                 "imag data|255 130 235|2|1", "abs data|220 0 220|2|1" })
            QTest::newRow(row) << row;
    }

    // Each selector's curve, bin by bin up to R <= 10, with its pen, over the one before it.
    void chiRCurves()
    {
        QFETCH(QString, row);
        const QStringList f = row.split('|'), shown = f[0].split(' ');
        const QStringList under = f.value(4).split(' ', Qt::SkipEmptyParts);
        const auto rgb = [](const QStringList &c) {
            return c.size() < 3 ? 0 : qRgb(c[0].toInt(), c[1].toInt(), c[2].toInt());
        };
        const QRgb colour = rgb(f[1].split(' ')), underColour = rgb(f.value(5).split(' '));
        const QPoint pen(f[2].toInt(), f[3].toInt());
        chik->showMeasured(shell());
        const QImage image = chiRImage(shown), alone = chiRImage(under),
                     both = chiRImage(under + shown);
        const QString part = shown.at(0), source = shown.at(1);
        const QMap<QString, const std::vector<double> *> arrays { { "F", &wave->ftEnv },
                                                                  { "W", &wave->ftWin },
                                                                  { "wave", &wave->ftWave },
                                                                  { "total", &wave->ftChi },
                                                                  { "data", &wave->ftMeasured } };
        const double *array = arrays.value(source)->data();
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
        QCoreApplication::processEvents();
        QSignalSpy kFrames(kPlot, SIGNAL(draw(PlotScene *))),
            rFrames(rPlot, SIGNAL(draw(PlotScene *)));
        if (change == "RBar")
            wave->ctrl->RBar->triggerAction(QSlider::SliderSingleStepAdd);
        else if (change == "pointer")
            drag(rPlot, QPoint(rPlot->width() / 3, 50), QPoint(rPlot->width() / 2, 50));
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

    void repaintsChanges_data()
    {
        // What changes, three times over: a panel slider or switch, a chi(R) selector (r:), a drag
        // on a plot, the measured chi(k) loaded or closed, the plots' size, typed window edges, a
        // shell added.
        QTest::addColumn<QString>("change");
        for (const char *change :
             { "RBar",         "NBar",        "SigBar",     "Phi0Bar",       "Phi2Bar",
               "SelDebye",     "SelEnvelope", "SelWindowF", "doPM",          "Flat",
               "r:SelReal",    "r:SelImag",   "r:SelAbs",   "r:SelEnvelope", "r:SelWindow",
               "r:SelWave",    "r:SelTotal",  "r:SelData",  "edge drag",     "node drag",
               "pointer drag", "data",        "size",       "edges typed",   "labels",
               "AddShell",     "shell chosen" })
            QTest::newRow(change) << change;
    }

    // Each plot repaints on the window no more than what changed, and ends up as it paints
    // anew: whatever the change, the kept layers and the window's pixels hold nothing stale.
    void repaintsChanges()
    {
        QFETCH(QString, change);
        chik->showMeasured(shell());
        kPlot->setFixedSize(kSize), rPlot->setFixedSize(rSize);
        const auto handle = [this](double k, double y) {
            return QPoint(int(kPlot->coord.xToPixel(k)), int(kPlot->coord.yToPixel(y)));
        };
        if (change == "shell chosen")
            chik->findChild<QAbstractButton *>("AddShell")->click();
        chik->setWindowModified(false);
        for (int step = 1; step <= 3; ++step) {
            if (change == "shell chosen") {
                wave->setCurrentShell(step % 2);
            } else if (change.endsWith("Bar")) {
                chik->findChild<QAbstractSlider *>(change)->triggerAction(
                    QSlider::SliderSingleStepAdd);
            } else if (change.startsWith("r:")) {
                chik->chiR->findChild<QAbstractButton *>(change.mid(2))->toggle();
            } else if (change == "edge drag") {
                const QPoint from = handle(wave->ctrl->WindowCtrl->positions[1], 0);
                drag(kPlot, from, from + QPoint(9, 0));
            } else if (change == "node drag") {
                const QPointF node = wave->envelope->nodes[1];
                const QPoint from = handle(node.x(), node.y());
                drag(kPlot, from, from + QPoint(0, 23));
            } else if (change == "pointer drag") {
                const int x = int(rPlot->coord.xToPixel(chik->chiR->pointerR));
                drag(rPlot, QPoint(x, 50), QPoint(x + 15, 50));
            } else if (change == "data") {
                if (step % 2)
                    chik->findChild<QAction *>("actionCloseData")->trigger();
                else
                    chik->showMeasured(shell());
            } else if (change == "size") {
                kPlot->setFixedSize(kSize - QSize(step * 37, step * 11));
                rPlot->setFixedSize(rSize - QSize(step * 13, step * 29));
            } else if (change == "labels") { // on, on with another k-weight (title), off
                chik->setLabels(step < 3);
                wave->ctrl->NBar->triggerAction(QSlider::SliderSingleStepAdd);
            } else if (change == "edges typed") {
                Scenario s = chik->scenario();
                s.window = { 3.0 - step * 0.3, 4.0 + step * 0.17, 15.0 - step, 16.0 };
                chik->applyScenario(s);
            } else {
                chik->findChild<QAbstractButton *>(change)->click();
            }
            // Laid out and painted: the window shows what the plots painted on it.
            for (int i = 0; i < 3; ++i)
                QCoreApplication::processEvents();
            for (DispArea *plot : { kPlot, rPlot }) {
                QWidget *window = plot->window();
                const QPoint at = plot->mapTo(window, QPoint(0, 0));
                const QImage shown = window->screen()
                                         ->grabWindow(window->winId(), at.x(), at.y(),
                                                      plot->width(), plot->height())
                                         .toImage()
                                         .convertToFormat(QImage::Format_RGB32);
                const QImage anew = plot->grab().toImage().convertToFormat(QImage::Format_RGB32);
                QVERIFY2(
                    shown == anew,
                    qPrintable(
                        QString("step %1, %2").arg(step).arg(plot == kPlot ? "chi(k)" : "chi(R)")));
            }
        }
        // Every change but the size and a shell chosen marks both titles as unsaved.
        QCOMPARE(chik->isWindowModified() && chik->chiR->isWindowModified(),
                 change != "size" && change != "shell chosen");
    }

    void shells_data()
    {
        // Each shell's thin curve in its colour in both plots, while there is more than one and
        // the switches show them; chi(R)'s follows Abs.
        QTest::addColumn<QString>("shells"); // R of each shell, "-" for one switched off
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("seen"); // the shells' colours found in chi(k) and chi(R)
        QTest::newRow("one shell") << "2.5" << true << "";
        QTest::newRow("two") << "2.5 3.6" << true << "01";
        QTest::newRow("switched off") << "2.5 3.6" << false << "";
        QTest::newRow("third off") << "2.5 3.6 -4.4" << true << "01";
    }
    void shells()
    {
        QFETCH(QString, shells);
        QFETCH(bool, shown);
        QFETCH(QString, seen);
        Scenario s;
        s.shells.clear();
        for (const QString &r : shells.split(' ')) {
            s.shells << Shell::drawn(r);
            s.shells.last().r = std::fabs(r.toDouble());
            s.shells.last().on = !r.startsWith('-');
        }
        s.shellCurves = shown;
        s.show = shown ? QStringList { "abs", "total", "shells" } : QStringList { "abs", "total" };
        chik->applyScenario(s);
        const QImage k = frame(kPlot, kSize), r = frame(rPlot, rSize);
        QString found;
        for (int i = 0; i < 3; ++i) {
            const QRgb c = shellColour(i).rgb();
            const int inK = count(k, k.rect(), c), inR = count(r, r.rect(), c);
            QVERIFY2((inK > 100) == (inR > 20),
                     qPrintable(QString("%1: %2, %3").arg(i).arg(inK).arg(inR)));
            found += inK > 100 ? QString::number(i) : QString();
        }
        QCOMPARE(found, seen);
    }

    // In the absolute scale the vertical range is round numbers marked on the left, enclosing the
    // curves; F and W reach its top.
    void absolute()
    {
        Scenario s;
        s.scale = ChiArrays::Absolute;
        s.n = 3;
        chik->applyScenario(s);
        const QImage image = frame(kPlot, kSize);
        const double top = kPlot->coord.y1, largest = wave->yAbsMax;
        // k^2 sin(4k) / 2 peaks near 16^2 / 2 = 128 times the window and damping: a step of 20,
        // 50 or 100 encloses it.
        QVERIFY2(top >= largest && top < 2 * largest && kPlot->coord.y0 == -top
                     && top == std::round(top / 10) * 10,
                 qPrintable(QString("%1 %2").arg(top).arg(largest)));
        // Marks 7 pixels long at -40, -20, 0 and 20 (F covers the one at the top).
        QVERIFY(count(image, QRect(0, 0, 7, 601), qRgb(120, 120, 120)) >= 4 * 7);
        QCOMPARE(count(image, QRect(0, 0, 801, 1), orange)
                         + count(image, QRect(0, 1, 801, 1), orange)
                     > 300,
                 true);
    }

    void labels_data()
    {
        QTest::addColumn<bool>("chiR");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("set"); // on: "a" absolute, "2" two shells, "d" measured data
        QTest::addColumn<QString>("texts"); // outside the plot area: titles, then the legend
        const QSize small(800, 600), large(3840, 2160);
        QTest::newRow("chi(k) off") << false << small << QString() << QString();
        QTest::newRow("chi(k) 800x600, data")
            << false << small << "on d"
            << "k (Å⁻¹);k²·chi(k) (normalised);chi(k);feff_chi.dat;F (envelope);W (window)";
        QTest::newRow("chi(k) 4K, absolute, two shells")
            << false << large << "on a2"
            << "k (Å⁻¹);k²·chi(k) (Å⁻²);chi(k), the sum;Shell 1;far;F (envelope);W (window)";
        QTest::newRow("chi(R) off") << true << small << QString() << QString();
        QTest::newRow("chi(R) 800x600, data")
            << true << small << "on d"
            << "R (Å);Re chi(R), |chi(R)| (normalised);Re chi(R);|chi(R)|;Re feff_chi.dat;"
               "|feff_chi.dat|;W (window)";
        QTest::newRow("chi(R) 4K, absolute, two shells")
            << true << large << "on a2"
            << "R (Å);Re chi(R), |chi(R)| (Å⁻³);Re chi(R);|chi(R)|;Shell 1;far;W (window)";
    }

    // On, titles with units, round values and the legend lie in margins the plot area leaves,
    // their text as high as a fortieth of the surface at least, and the lines drawn across the
    // plot stay out of them; off, the plot fills the surface.
    void labels()
    {
        QFETCH(bool, chiR);
        QFETCH(QSize, size);
        QFETCH(QString, set);
        QFETCH(QString, texts);
        Scenario s;
        s.scale = set.contains('a') ? ChiArrays::Absolute : ChiArrays::Normalised;
        if (set.contains('2'))
            s.shells << Shell::drawn("far"), s.shells.last().r = 3.6;
        s.show = QStringList { "real", "abs", "total", "data", "shells", "W" };
        s.labels = set.startsWith("on");
        s.pointer = 2.5; // off the grid
        chik->applyScenario(s);
        QVERIFY(!set.contains('d') || chik->openMeasuredFile(fixtures + "feff_chi.dat", 1, 3));
        DispArea *plot = chiR ? rPlot : kPlot;
        QSignalSpy described(plot, SIGNAL(draw(PlotScene *)));
        const QImage image = frame(plot, size);
        const QMargins m = plot->coord.inset();
        const QRect surface(QPoint(0, 0), size), area = surface.marginsRemoved(m);
        const PlotScene *scene = described.constLast().at(0).value<PlotScene *>();
        QStringList found;
        int values = 0;
        for (int i = 0; i < scene->count(); ++i) {
            const PlotScene::Layer &l = scene->layer(i);
            // The plot's own labels lie in the plot area, or reach beyond the surface.
            const QRect box = l.box.toAlignedRect();
            if (l.kind != PlotScene::Layer::Text || area.intersects(box) || !surface.contains(box))
                continue;
            QVERIFY2(l.box.height() >= size.height() / 40, qPrintable(l.text));
            bool number = false;
            l.text.toDouble(&number);
            number ? ++values : (found << l.text, 0);
        }
        QCOMPARE(found.join(';'), texts);
        const bool on = !texts.isEmpty();
        QVERIFY(on ? values >= 6 && m.left() > 0 && m.top() > 0 && m.right() > 0 && m.bottom() > 0
                         && m.left() + m.right() < size.width() / 4
                         && m.top() + m.bottom() < size.height() / 3
                   : m.isNull());
        const QRect below(0, area.bottom() + 1, size.width(), m.bottom());
        for (QRgb line : chiR ? QVector<QRgb> { red } : QVector<QRgb> { blue, green })
            QVERIFY(count(image, area, line) > size.height() / 2 && count(image, below, line) == 0);
    }

    void labelsMouse_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QPointF>("from"); // in the plot's values: k or R, and F
        QTest::addColumn<QPointF>("to");
        QTest::newRow("window edge") << "edge" << QPointF(4, 0) << QPointF(6, 0);
        QTest::newRow("envelope node") << "node" << QPointF(1, 1) << QPointF(1, 0.5);
        QTest::newRow("chi(R) pointer") << "pointer" << QPointF(2.5, 0) << QPointF(5, 0);
    }

    // With the labels on, what is drawn and what the mouse grabs lie where the plot area that
    // the margins leave puts them.
    void labelsMouse()
    {
        QFETCH(QString, what);
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        chik->setLabels(true);
        chik->chiR->setPointer(2.5);
        const bool onR = what == "pointer";
        DispArea *plot = onR ? rPlot : kPlot;
        const QImage image = frame(plot, QSize(800, 600));
        const QMargins m = plot->coord.inset();
        const double a = wave->yAbsMax, w = 800 - m.left() - m.right(),
                     h = 600 - m.top() - m.bottom();
        const auto at = [&](QPointF v) {
            return QPoint(int(m.left() + (v.x() - (onR ? -2 : 0)) / (onR ? 12 : 16) * w),
                          int(600 - m.bottom() - (v.y() + 1.1 * a) / (2.2 * a) * h));
        };
        QVERIFY(!m.isNull());
        // Inside the handle or on the line, clear of the zero line and the grid.
        QCOMPARE(image.pixel(at(from) + QPoint(what == "edge" ? 2 : 0, onR ? -50 : 2)),
                 onR              ? red
                 : what == "edge" ? blue
                                  : green);
        SurfaceProbe::drag(plot, at(from), at(to));
        const double got = what == "edge"   ? wave->ctrl->WindowCtrl->positions.at(1)
                           : what == "node" ? wave->envelope->nodes.at(1).y()
                                            : chik->chiR->pointerR;
        QVERIFY2(std::fabs(got - (what == "node" ? to.y() : to.x())) < 0.03,
                 qPrintable(QString::number(got)));
    }

    // One setting for both windows, switched from either; kept in the user's settings only by
    // a program that uses them, and only as the user chose it, not as a scenario set it.
    void labelsShared()
    {
        QAction *k = chik->findChild<QAction *>("actionLabels"),
                *r = chik->chiR->findChild<QAction *>("actionLabels");
        chik->useSettings();
        QVERIFY(!k->isChecked() && !r->isChecked());
        QSignalSpy kFrames(kPlot, SIGNAL(draw(PlotScene *))),
            rFrames(rPlot, SIGNAL(draw(PlotScene *)));
        r->trigger();
        QVERIFY(k->isChecked() && r->isChecked() && chik->scenario().labels);
        QTRY_VERIFY(!kFrames.isEmpty() && !rFrames.isEmpty());
        QVERIFY(!kPlot->coord.inset().isNull() && !rPlot->coord.inset().isNull());
        for (bool uses : { true, false }) {
            ChiK other;
            if (uses)
                other.useSettings();
            QCOMPARE(other.findChild<QAction *>("actionLabels")->isChecked(), uses);
        }
        k->trigger();
        QVERIFY(!r->isChecked() && !QSettings().value("labels").toBool());
        Scenario s;
        s.labels = true;
        chik->applyScenario(s);
        QVERIFY(r->isChecked() && QSettings().contains("labels")
                && !QSettings().value("labels").toBool());
    }

    // The copper foil fitted from the windows as fourk-export fits it; undone; refitted live when
    // an edge moves but not when a varied value is moved by hand.
    void fitting()
    {
        QVERIFY(chik->addPathFiles({ fixtures + "copper/feff0001.dat" })
                && chik->openMeasuredFile(fixtures + "copper/copper-foil-10K.chik", 1, 2));
        wave->shells->remove(0);
        wave->ctrl->WindowCtrl->setPositions({ 2, 4, 14, 16 });
        FitSettings f;
        f.vary = QStringList { "s02", "e0", "1.r", "1.sigma" };
        f.rMin = 1.7;
        f.rMax = 2.9;
        wave->setFitSettings(f);
        const Scenario before = chik->scenario();
        QVERIFY(chik->fitShells());
        const Shell &fitted = wave->shells->shell(0);
        // 12 atoms at a / sqrt 2 = 2.548 Å in a lattice of 3.604 Å at 10 K.
        QVERIFY2(std::fabs(fitted.r - 2.549) < 0.005 && std::fabs(wave->settings().s02 - 0.9) < 0.1,
                 qPrintable(QString("%1 %2").arg(fitted.r).arg(wave->settings().s02)));
        QVERIFY(chik->findChild<QPlainTextEdit *>("Report")->toPlainText().contains("1.r = 2.54"));
        QVERIFY(chik->scenario().fitReport && chik->scenario().fitReport->converged);
        auto *undo = chik->findChild<QAction *>("actionUndoFit");
        QVERIFY(undo->isEnabled());
        undo->trigger();
        QVERIFY(!undo->isEnabled() && wave->shells->shell(0).r == before.shells[0].r
                && wave->settings().s02 == before.s02);

        // Live: an edge moved refits; R moved by hand does not.
        f.live = true;
        wave->setFitSettings(f);
        const double r = wave->shells->shell(0).r;
        QVERIFY(std::fabs(r - 2.549) < 0.005);
        wave->ctrl->WindowCtrl->setPos(3, 15.5);
        QVERIFY(wave->shells->shell(0).r != r
                && std::fabs(wave->shells->shell(0).r - 2.549) < 0.01);
        wave->ctrl->RBar->setValue(30);
        QCOMPARE(wave->shells->shell(0).r, 3.0);
        // A fit that cannot run says why and changes nothing.
        f.vary = QStringList();
        wave->setFitSettings(f);
        QVERIFY(!chik->fitShells() && wave->shells->shell(0).r == 3.0);
        QVERIFY(chik->findChild<QPlainTextEdit *>("Report")->toPlainText().contains("varied"));
    }

    void mouse_data()
    {
        QTest::addColumn<bool>("onChiR"); // 1356 pixels wide: R = 2 at x = 452
        QTest::addColumn<QLine>("drag");
        QTest::addColumn<QPointF>("after"); // the second window edge, F of the node at k = 1
        QTest::addColumn<QString>("pointer");
        // On 800 x 600: edge 4 at (200, 300), k = 6 at x = 300, node 1 at (50, 27.27).
        QTest::newRow("window edge") << false << QLine(200, 300, 300, 300) << QPointF(6, 1) << "2";
        QTest::newRow("envelope node")
            << false << QLine(50, 27, 50, 136) << QPointF(4, -1.1 + 464 * 2.2 / 600) << "2";
        // 581 of 1356 pixels is 12 * 581 / 1356 - 2 = 3.1415929... in R.
        QTest::newRow("chi(R): 9 pixels away grabs")
            << true << QLine(443, 300, 581, 300) << QPointF(4, 1) << "3.14159";
        QTest::newRow("chi(R): 10 pixels away misses")
            << true << QLine(462, 300, 581, 300) << QPointF(4, 1) << "2";
    }

    // Handles and nodes follow the mouse on the chi(k) plot; on the chi(R) plot only the pointer.
    void mouse()
    {
        QFETCH(bool, onChiR);
        QFETCH(QLine, drag);
        QFETCH(QPointF, after);
        QFETCH(QString, pointer);
        frame(onChiR ? rPlot : kPlot, QSize(onChiR ? 1356 : 800, 600));
        QSignalSpy updated(wave, SIGNAL(updated()));
        SurfaceProbe::drag(onChiR ? rPlot : kPlot, drag.p1(), drag.p2());
        QVERIFY(updated.isEmpty() == onChiR
                && wave->ctrl->WindowCtrl->positions.at(1) == after.x());
        QCOMPARE(wave->envelope->nodes.at(1), QPointF(1.0, after.y()));
        QCOMPARE(chik->chiR->findChild<QLineEdit *>("PointVal")->text(), pointer);
    }

    void pointer_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("focusOut"); // else Return
        QTest::addColumn<double>("r");
        QTest::addColumn<QString>("shown");
        QTest::newRow("3, Return") << "3" << false << 3.0 << "3";
        QTest::newRow("3, focus out") << "3" << true << 3.0 << "3";
        QTest::newRow("17 digits")
            << "2.4961636828644505" << false << 2.4961636828644505 << "2.49616";
        QTest::newRow("exponent") << " 1e1 " << true << 10.0 << "10";
        QTest::newRow("word") << "abc" << false << 2.0 << "2";
        QTest::newRow("empty") << "" << false << 2.0 << "2";
    }

    // Typed into the pointer field: the line moves there, scenarios keep the exact value, and a
    // scenario reopened shows it as typed; anything else puts the shown value back.
    void pointer()
    {
        QFETCH(QString, typed);
        QFETCH(bool, focusOut);
        QFETCH(double, r);
        QFETCH(QString, shown);
        auto *edit = chik->chiR->findChild<QLineEdit *>("PointVal");
        QApplication::setActiveWindow(chik->chiR);
        edit->setFocus(), edit->selectAll();
        QTest::keyClicks(edit, typed);
        QSignalSpy moved(chik->chiR, SIGNAL(changed()));
        if (focusOut)
            chik->findChild<QLineEdit *>()->setFocus(), QApplication::setActiveWindow(chik);
        else
            QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(moved.count(), int(r != 2.0));
        QVERIFY(chik->chiR->pointerR == r && chik->scenario().pointer == r && edit->text() == shown
                && chik->saveScenarioFile(dir.filePath("p.fourk")));
        QVERIFY(chik->chiR->findChild<QLabel *>("PointRead")->text().startsWith("R " + shown));
        chik->chiR->setPointer(0);
        QVERIFY(chik->openScenarioFile(dir.filePath("p.fourk")));
        QVERIFY(chik->chiR->pointerR == r && edit->text() == shown);
    }

    void readout_data()
    {
        QTest::addColumn<QStringList>("parts");
        QTest::addColumn<QString>("labels");
        QTest::newRow("abs") << QStringList { "abs" } << "|chi(R)|";
        QTest::newRow("real imag") << QStringList { "real", "imag" } << "Re Im";
        QTest::newRow("none") << QStringList {} << "";
    }

    // At a bin: R as the field shows it, then each part of the total shown there, to 4 digits.
    void readout()
    {
        QFETCH(QStringList, parts);
        QFETCH(QString, labels);
        chik->chiR->setShown(parts << "total");
        chik->chiR->setPointer(20 * dR);
        auto *label = chik->chiR->findChild<QLabel *>("PointRead");
        const QStringList text = label->text().split(' ', Qt::SkipEmptyParts);
        const double *total = wave->ftChi.data();
        QCOMPARE(text.mid(0, 2).join(' ') + ' '
                     + QStringList(text.mid(2)).filter(QRegularExpression("[a-z]")).join(' '),
                 "R 0.613592 " + labels);
        for (int i = 3; i < text.size(); i += 2) {
            const double v = text.at(i).toDouble(),
                         part = text.at(i - 1) == "Re"   ? wave->ftRe(total, 20)
                                : text.at(i - 1) == "Im" ? wave->ftIm(total, 20)
                                                         : wave->ftAbs(total, 20);
            QVERIFY(std::abs(v - part) <= 5e-4 * std::abs(part)
                    && QString(text.at(i)).remove(QRegularExpression("^[-0.]*|[.]|e.*")).size()
                           <= 4);
        }
        const QString before = label->text();
        wave->ctrl->RBar->setValue(30);
        QCOMPARE(label->text() != before, parts.size() > 1); // no part shown: R alone
        chik->chiR->setPointer(3e27); // no bin there, beyond an int's range too
        QCOMPARE(label->text(), "R 3e+27");
    }

    // Squeezed to the smallest the window allows, each plot stays at least 200 pixels tall.
    void smallest()
    {
        for (QWidget *plot : { kPlot, rPlot }) {
            plot->window()->resize(1, 1);
            QTRY_VERIFY(plot->window()->height() < 600);
            QVERIFY2(plot->height() >= 200, qPrintable(QString::number(plot->height())));
        }
    }

    void unsaved_data()
    {
        QTest::addColumn<QString>("row"); // command|answer (0: nothing changed)|file chosen|done
        for (const char *command : { "quit", "close", "open" }) {
            for (const QString row :
                 { "%1|2048|1|1", "%1|2048|0|0", "%1|8388608|1|1", "%1|4194304|1|0", "%1|0|1|1" })
                QTest::newRow(qPrintable(row.arg(command))) << row.arg(command);
        }
    }

    // Changes since the last save or open mark both titles; quitting or opening asks first.
    void unsaved()
    {
        QFETCH(QString, row);
        const QString command = row.section('|', 0, 0);
        const int answer = row.section('|', 1, 1).toInt(); // Save, Discard, Cancel or none
        const bool chosen = row.section('|', 2, 2) == "1", done = row.section('|', 3) == "1";
        const QString saved = dir.filePath("saved.fourk"), other = dir.filePath("other.fourk");
        QFile::remove(saved);
        QVERIFY(chik->saveScenarioFile(other) && !chik->isWindowModified());
        if (answer)
            chik->chiR->setPointer(3);
        int asked = 0;
        // Answers each dialog as it opens: the question, then the file dialogs.
        std::function<void()> reply;
        QObject scope;
        reply = [&] {
            QTimer::singleShot(0, &scope, reply);
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                ++asked;
                box->button(QMessageBox::StandardButton(answer))->click();
            } else if (auto *files
                       = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                files->selectFile(files->acceptMode() == QFileDialog::AcceptSave ? saved : other);
                QDialog *dialog = files; // accept() is protected in QFileDialog
                chosen ? dialog->accept() : dialog->reject();
            }
        };
        QTimer::singleShot(0, &scope, reply);
        QSignalSpy finishing(chik, SIGNAL(finishing()));
        if (command == "quit")
            chik->findChild<QAction *>("actionQuit")->trigger();
        else if (command == "close")
            chik->close();
        else
            chik->findChild<QAction *>("actionOpenScenario")->trigger();
        QCOMPARE(asked, int(answer != 0));
        QCOMPARE(QFile::exists(saved), answer == QMessageBox::Save && chosen);
        QCOMPARE(finishing.count(), int(done && command != "open"));
        const bool opened = done && command == "open";
        QCOMPARE(chik->isWindowModified(),
                 answer && !opened && !(answer == QMessageBox::Save && chosen));
        QCOMPARE(chik->chiR->pointerR, answer && !opened ? 3.0 : 2.0);
    }

    // Every control of both windows and both docks says what it does; each shell column too.
    void toolTips()
    {
        QStringList missing;
        for (QWidget *window : { kPlot->window(), rPlot->window() }) {
            for (QWidget *w : window->findChildren<QWidget *>()) {
                const QString type = w->metaObject()->className();
                // A header may say it section by section (role 3: the tooltip).
                const auto *header = qobject_cast<QHeaderView *>(w);
                const QAbstractItemModel *m = header ? header->model() : nullptr;
                for (int i = 0; m && w->toolTip().isEmpty() && i < header->count(); ++i)
                    missing << (m->headerData(i, header->orientation(), 3).isNull() ? type : "");
                bool control = false;
                for (const char *kind : { "QAbstractButton", "QAbstractSlider", "QLineEdit",
                                          "QComboBox", "QAbstractItemView" })
                    control = control || w->inherits(kind);
                // Not the parts Qt adds: scroll bars, the table's corner, the docks' buttons.
                if (control && !header && !QString("QScrollBar QTableCornerButton").contains(type)
                    && !w->objectName().startsWith("qt_") && w->toolTip().isEmpty())
                    missing << type + ' ' + w->objectName();
            }
        }
        for (QTreeWidgetItemIterator i(chik->findChild<QTreeWidget *>("Parameters")); *i; ++i)
            missing << ((*i)->toolTip(0).isEmpty() ? (*i)->text(0) : "");
        missing.removeAll("");
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
    }

    void constructed()
    {

        QCOMPARE(chik->windowTitle() + chik->chiR->windowTitle(), "chi(k)[*]Chi(R)[*]");
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
        QCOMPARE(
            menus.join('|'),
            QString("File:|Open Scenario…%1|Save Scenario…%2|-|Open Measured chi(k)…|"
                    "Close Measured Data|-|Export chi(k) Table…|Export Chi(R) Table…|"
                    "Save chi(k) Plot…|Save Chi(R) Plot…|-|Quit%3|Edit:|Undo FitCtrl+Z|Fit|View:|"
                    "Axis Titles and Legend|Help:|About Fourk|File:|Export Chi(R) Table…|"
                    "Save Chi(R) Plot…|View:|Axis Titles and Legend")
                .arg(QKeySequence(QKeySequence::Open).toString(),
                     QKeySequence(QKeySequence::Save).toString(),
                     QKeySequence(QKeySequence::Quit).toString()));
        // Quit ends the program; deleting the main window releases everything it made.
        const QPointer<QObject> made[] = { wave, wave->envelope, wave->ctrl, chik->chiR };
        QSignalSpy finishing(chik, SIGNAL(finishing()));
        chik->setWindowModified(false);
        chik->findChild<QAction *>("actionQuit")->trigger();
        QVERIFY(finishing.count() == 1 && !chik->isVisible());
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

    // Each command as the user gives it; each file written is what the windows' export gives.
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
                seen = dialog->windowTitle() + '|' + dialog->property("text").toString();
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
                    && wave->shells->shell(0).r == (save ? 2.0 : 7.25));
        else if (!suffix.isEmpty())
            QCOMPARE(contents(path),
                     suffix == "csv" ? chik->table(plot) : chik->picture(plot, PlotImage::Png));
        else
            QVERIFY(seen.contains(FOURK_VERSION));
        QCOMPARE(message(), QString());
    }

    // A scenario applied: one recomputation, one repaint each; a later version's key kept. Measured
    // chi(k) shown, followed, saved with it and opened in a new program, the same there; closed:
    // gone.
    void scenario()
    {
        Scenario s;
        QString error;
        QVERIFY(ScenarioFile::parse(
            R"({"format": "fourk-scenario", "version": 1, "n": 3, "r": 2.56, "p0": -1.26,
                "p2": 0.333, "sigma": 0.0126, "window": [3.25, 4, 15.5, 16.0625],
                "envelope": [[0, 1], [8.125, 2.5], [16, 0.5]], "show": ["imag", "total"],
                "factors": {"envelope": true, "window": true, "debye": false, "pm": true},
                "pointer": 0.3333333333333333, "labels": {"of": "a later version"}})",
            &s, &error));
        QCoreApplication::processEvents();
        QSignalSpy updated(wave, SIGNAL(updated()));
        QSignalSpy kFrames(kPlot, SIGNAL(draw(PlotScene *))),
            rFrames(rPlot, SIGNAL(draw(PlotScene *)));
        chik->applyScenario(s);
        QCOMPARE(updated.count(), 1);
        QTRY_VERIFY(kFrames.count() == 1 && rFrames.count() == 1);
        QCOMPARE(chik->chiR->findChild<QLineEdit *>("PointVal")->text(), "0.333333");
        QCOMPARE(ScenarioFile::toJson(chik->scenario()), ScenarioFile::toJson(s));

        auto *close = chik->findChild<QAction *>("actionCloseData");
        auto *selector = chik->chiR->findChild<QAbstractButton *>("SelData");
        QVERIFY(status(chik).isEmpty() && selector->isHidden() && !close->isEnabled());
        QVERIFY(chik->openMeasuredFile(fixtures + "feff_chi.dat", 1, 3));
        // The rows end at k = 3, before the window: no misfit to give.
        QCOMPARE(status(chik), QString::fromUtf8("feff_chi.dat · 5 rows · k 1 … 3 Å⁻¹ · misfit –"));
        QVERIFY(!selector->isHidden() && selector->isChecked() && close->isEnabled());
        wave->ctrl->SelWindowF->setChecked(false);
        QVERIFY(status(chik).endsWith(' ' + QString::number(wave->misfit, 'g', 3)));

        const QString path = dir.filePath("roundtrip.fourk");
        QVERIFY(chik->saveScenarioFile(path));
        ChiK other;
        other.resize(chik->size());
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other) && other.openScenarioFile(path));
        const AWave *o = other.waves.constFirst();
        QVERIFY(o->chi == wave->chi && o->wave == wave->wave && o->envValues == wave->envValues
                && o->winValues == wave->winValues && o->measuredValues == wave->measuredValues);
        QVERIFY(o->ftChi == wave->ftChi && o->ftWave == wave->ftWave && o->ftEnv == wave->ftEnv
                && o->ftWin == wave->ftWin);
        QCOMPARE(ScenarioFile::toJson(other.scenario()), contents(path));
        for (ChiK::Plot p : { ChiK::ChiKPlot, ChiK::ChiRPlot })
            QVERIFY(other.table(p) == chik->table(p)
                    && other.picture(p, PlotImage::Png) == chik->picture(p, PlotImage::Png));
        QCOMPARE(status(&other), status(chik));
        close->trigger();
        QVERIFY(!wave->hasMeasured() && status(chik).isEmpty() && selector->isHidden()
                && !selector->isChecked() && !close->isEnabled());
    }

    void badFiles_data()
    {
        QTest::addColumn<QString>(
            "row"); // command, file (or the lines to write, "/" apart), problem
        for (const char *row :
             { "open|old.fourk|", "save|folder|", "save|none/x.fourk|", "table|none/x.csv|",
               "plot|old.fourk|.png or an .svg", "plot0|k.png|no area", "data|folder|folder",
               "data|none|cannot be read", "data|big|larger than 64 MiB",
               "data|1 1/2 2/3 3|3 rows of numbers", "data|1 1/2 2/1.5 3/4 4|line 3: k 1.5" })
            QTest::newRow(row) << row;
    }

    // A bad file: one message naming it and the problem; the windows and files stay as they were.
    void badFiles()
    {
        QFETCH(QString, row);
        const QString command = row.section('|', 0, 0), file = row.section('|', 1, 1);
        const QString problem = row.section('|', 2),
                      path = dir.filePath(file.contains(' ') ? "rows" : file);
        QVERIFY(QDir(dir.path()).mkpath("folder"));
        write(dir.filePath("old.fourk"), "old");
        if (file.contains(' ') || file == "big")
            write(path, file == "big" ? QByteArray((64 << 20) + 1, '1')
                                      : QString(file).replace('/', '\n').toUtf8());
        QVERIFY(chik->openMeasuredFile(fixtures + "feff_chi.dat", 1, 2));
        wave->ctrl->RBar->setValue(55);
        const QByteArray before = ScenarioFile::toJson(chik->scenario());
        const QString shown = status(chik);
        const auto files = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        if (command == "plot0") // the window squeezed until the plot has no height
            kPlot->setMinimumHeight(0), kPlot->resize(kPlot->width(), 0);
        const bool done = command == "open"            ? chik->openScenarioFile(path)
                          : command == "save"          ? chik->saveScenarioFile(path)
                          : command == "table"         ? chik->exportTableFile(ChiK::ChiRPlot, path)
                          : command.startsWith("plot") ? chik->savePlotFile(ChiK::ChiKPlot, path)
                                                       : chik->openMeasuredFile(path, 1, 2);

        const QString said = message();
        QVERIFY2(!done && said.contains(path) && said.contains(problem), qPrintable(said));
        QVERIFY(ScenarioFile::toJson(chik->scenario()) == before && status(chik) == shown);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), files);
        QCOMPARE(contents(dir.filePath("old.fourk")), QByteArray("old"));
    }

    void inputs_data()
    {
        // Steps in order, each a command and a file of the folder: D open data, S open a
        // scenario, C close the data; t export a table, p save a plot, s save a scenario. The
        // folder holds d.svg (measured chi(k)), l.chi -> d.svg, s.fourk, \377.chi and fifo.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("problem"); // in the last step's message; "" when it works
        QTest::newRow("table over the data") << "D d.svg,t d.svg"
                                             << "it is the measured chi(k)";
        QTest::newRow("through a link") << "D d.svg,t l.chi"
                                        << "it is the measured chi(k)";
        QTest::newRow("plot over the data") << "D l.chi,p d.svg"
                                            << "it is the measured chi(k)";
        QTest::newRow("scenario over the data") << "D d.svg,s l.chi"
                                                << "it is the measured chi(k) file shown";
        QTest::newRow("data closed") << "D d.svg,C,t d.svg"
                                     << "";
        QTest::newRow("data replaced by a scenario") << "D d.svg,S s.fourk,t l.chi"
                                                     << "";
        QTest::newRow("scenario saved again") << "S s.fourk,D d.svg,s s.fourk"
                                              << "";
        QTest::newRow("table over the scenario") << "S s.fourk,t s.fourk"
                                                 << "it is the scenario";
        QTest::newRow("not UTF-8") << "D <FF>.chi,t <FF>.csv,t <FF>.chi"
                                   << "it is the measured";
        QTest::newRow("FIFO") << "t fifo"
                              << "";
        QTest::newRow("picture beyond memory") << "P k.png"
                                               << "does not fit in memory";
    }

    // What the windows show is never lost to a save, whatever names it; nor is a FIFO replaced.
    void inputs()
    {
        QFETCH(QString, steps);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const QByteArray d = QFile::encodeName(dir.path()) + '/';
        write(dir.filePath("d.svg"), contents(fixtures + "athena.chik"));
        write(dir.filePath("x"), contents(fixtures + "athena.chik"));
        write(dir.filePath("s.fourk"), lesson);
        QVERIFY(::rename(d + "x", d + "\xff.chi") == 0 && ::symlink("d.svg", d + "l.chi") == 0
                && ::mkfifo(d + "fifo", 0600) == 0);
        const int reader = ::open(d + "fifo", O_RDONLY | O_NONBLOCK);
        const auto files
            = QDir(dir.path())
                  .entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
        bool done = true;
        for (const QString &step : steps.split(',')) {
            QVERIFY2(done, qPrintable(message()));
            const QString path
                = FileName::fromNative(d + step.mid(2).toLatin1().replace("<FF>", "\xff"));
            if (step[0] == 'P') // wider and taller than memory can paint
                kPlot->resize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            const char c = step[0].toLatin1();
            done = c == 'D'   ? chik->openMeasuredFile(path, 1, 2)
                   : c == 'S' ? chik->openScenarioFile(path)
                   : c == 't' ? chik->exportTableFile(ChiK::ChiKPlot, path)
                   : c == 's' ? chik->saveScenarioFile(path)
                              : c == 'C'
                       ? chik->findChild<QAction *>("actionCloseData")->trigger(),
            true : chik->savePlotFile(ChiK::ChiKPlot, path);
        }
        const QString said = message();
        QVERIFY2(done == problem.isEmpty() && said.contains(problem), qPrintable(said));
        char buffer[256];
        QVERIFY(!steps.contains("fifo") || ::read(reader, buffer, 256) == 256);
        ::close(reader);
        // The files there before are as they were, unless the last step wrote over one; the
        // link and the FIFO are what they were.
        const QByteArray athena = contents(fixtures + "athena.chik");
        for (const QByteArray name : { "d.svg", "\xff.chi", "s.fourk" }) {
            static char buffer[1 << 16];
            const int fd = ::open(d + name, O_RDONLY);
            const QByteArray bytes(buffer, int(std::max<ssize_t>(::read(fd, buffer, 1 << 16), 0)));
            ::close(fd);
            QVERIFY2(problem.isEmpty() || bytes == (name == "s.fourk" ? lesson : athena), name);
        }
        char link[8] = {};
        struct stat st;
        QVERIFY(::readlink(d + "l.chi", link, 7) == 5 && QByteArray(link) == "d.svg"
                && ::stat(d + "fifo", &st) == 0 && S_ISFIFO(st.st_mode));
    }

    // The catalogue in, the windows speak Japanese; lupdate finds no text left untranslated.
    // Qt's own buttons follow the language, where Qt's catalogue is installed.
    void qtJapanese()
    {
        QTranslator qt;
        if (!loadQtJapaneseCatalogue(qt))
            QSKIP("Qt's Japanese catalogue qtbase_ja is not installed");
        QCoreApplication::installTranslator(&qt);
        const QString cancel
            = QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text();
        QCoreApplication::removeTranslator(&qt);
        QVERIFY2(!cancel.contains("Cancel"), qPrintable(cancel));
    }

    void japanese()
    {
        QVERIFY(languageFromArguments({ "-e", "-j", "-E", "-jj" }) == Language::Japanese
                && languageFromArguments({ "fourk", "-j", "--e", "-e", "-J" })
                       == Language::English);
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
        QVERIFY(QDir::setCurrent(FOURK_SOURCE_DIR));
        QCOMPARE(
            QProcess::execute(FOURK_LUPDATE, { "-silent", "-locations", "none", "-I", ".", "app",
                                               "model", "panels", "plot", "tools", "-ts", copy }),
            0);
        // "unfinished" is new in the sources, "vanished" and "obsolete" gone from them.
        const QString updated = QString::fromUtf8(contents(copy));
        QStringList untranslated;
        static const QRegularExpression stale("<source>([^<]*)</source>\\s*<translation (type|/)");
        for (auto m = stale.globalMatch(updated); m.hasNext();)
            untranslated << m.next().captured(1);
        QVERIFY2(updated.count("<translation>") > 100 && untranslated.isEmpty(),
                 qPrintable(untranslated.join('\n')));
    }
};

QTEST_MAIN(tst_App)
#include "tst_app.moc"
