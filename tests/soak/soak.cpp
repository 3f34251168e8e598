// fourk-soak [--actions N] [--seed S] [--trace]: the real windows under seeded random user actions.
// --startup-check: both windows shown and closed, for a sanitizer build's leak check at exit.

#include "app/chik.h"
#include "app/chir.h"
#include "harness.h"
#include "model/awave.h"
#include "model/envelope.h"
#include "model/feffpathfile.h"
#include "model/measuredchifile.h"
#include "model/scenariofile.h"
#include "model/shellmodel.h"
#include "panels/parameter.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

using namespace Harness;

struct Soak
{
    ChiK &w;
    Dice d;
    DispArea *k = w.surface(ChiK::ChiKPlot), *r = w.surface(ChiK::ChiRPlot);
    AWave &wave = *w.waves.first();
    QWidget *bar = w.chiR->centralWidget();
    QList<QSlider *> sliders = wave.ctrl->findChildren<QSlider *>();
    QList<QLineEdit *> fields
        = wave.ctrl->findChildren<QLineEdit *>() + bar->findChildren<QLineEdit *>();
    QList<QAbstractButton *> buttons
        = wave.ctrl->findChildren<QAbstractButton *>() + bar->findChildren<QAbstractButton *>();
    QComboBox *shape = wave.ctrl->findChild<QComboBox *>("ShapeSel");
    QWidget *list = w.findChild<QWidget *>("ShellPanel");
    QTemporaryDir dir {};
    QByteArray saved = now();
    // The files shown, which only a scenario saved over the scenario may replace.
    QString openedScenario {}, openedData {};

    QByteArray now() const { return ScenarioFile::toJson(w.scenario()); }
    void send(QWidget *t, QEvent &&e) { QApplication::sendEvent(t, &e); }

    // An open (S, D) works when the model's reader takes the file, a save (s, t, p) wherever a
    // file can be written; a failure shows one message box and changes nothing.
    void file(char kind, ChiK::Plot plot, int kc, int cc)
    {
        const QString p = dir.filePath(d.pick(QStringList {
            "a.fourk", "\u540d.fourk", "d.chi", "f.csv", "h.png", "i.svg", "j.jpg", "no/x", "" }));
        const QString suffix = QFileInfo(p).suffix();
        if (kind < 'a' && d.chance(0.7))
            write(p, kind == 'S' ? damage(d, saved) : data(d));
        Scenario s;
        MeasuredChi m;
        QString e;
        const bool expect = kind == 'S' ? ScenarioFile::read(p, &s, &e)
                            : kind == 'D'
                                ? MeasuredChiFile::read(p, kc, cc, &m, &e)
                                : QFileInfo(p).dir().exists() && !QFileInfo(p).isDir()
                                      && (kind != 'p'
                                          || ((suffix == "png" || suffix == "svg")
                                              && !w.surface(plot)->size().isEmpty()))
                                      && p != openedData && (p != openedScenario || kind == 's');
        // A message box takes the focus, which would end an entry.
        QApplication::focusWidget() ? QApplication::focusWidget()->clearFocus() : void();
        const QByteArray before = now(), old = read(p);
        const bool worked = kind == 'S'   ? w.openScenarioFile(p)
                            : kind == 'D' ? w.openMeasuredFile(p, kc, cc)
                            : kind == 's' ? w.saveScenarioFile(p)
                            : kind == 't' ? w.exportTableFile(plot, p)
                                          : w.savePlotFile(plot, p);
        const auto boxes = w.findChildren<QMessageBox *>() + w.chiR->findChildren<QMessageBox *>();
        want(boxes.size() == !worked, p + ": " + QString::number(boxes.size()) + " message boxes");
        want(worked || (now() == before && read(p) == old), p + ": the failure changed something");
        want(worked == expect, p + ": " + (boxes.isEmpty() ? "taken" : boxes[0]->text()));
        qDeleteAll(boxes);
        if (!worked)
            return;
        if (kind == 'S')
            openedScenario = p, openedData.clear();
        if (kind == 'D')
            openedData = p;
        want(kind != 'S' || read(p) != saved || now() == saved,
             "a saved scenario opened otherwise");
        want(kind != 'D' || w.scenario().data.chi == m.chi, "other data shown than read");
        want(kind != 's' || (ScenarioFile::read(p, &s, &e) && ScenarioFile::toJson(s) == now()),
             "saved otherwise " + e);
        want(kind != 'p' || suffix != "png" || QImage(p).size() == w.surface(plot)->size(),
             "plot size");
        saved = kind == 's' ? read(p) : saved;
    }

    // Presses, moves, releases and double clicks near a handle or anywhere, on a screen's scale.
    void mouse(QWidget *t, const QString &script)
    {
        const auto b = Qt::MouseButton(1 << d.pick(QVector<int> { 0, 0, 0, 1, 2 }));
        const auto m = Qt::KeyboardModifiers(d.chance(0.6) ? 0 : d.uniform(0, 15) << 25);
        // A path shell has no nodes to pick.
        const QVector<QPointF> &nodes = wave.envelope->nodes;
        const QPointF origin = t->mapToGlobal(QPoint()),
                      node = nodes.isEmpty() ? QPointF() : d.pick(nodes);
        QPointF p;
        for (const QChar c : script) {
            const QPointF at[]
                = { { k->coord.xToPixel(d.pick(wave.ctrl->WindowCtrl->positions)),
                      k->coord.yToPixel(0) },
                    { k->coord.xToPixel(node.x()),
                      k->coord.yToPixel(node.y() * wave.envelope->scale) },
                    // Anywhere, up to a plot's width past either side of it.
                    { d.real(-t->width(), 2.0 * t->width()), d.real(-9, t->height() + 9) } };
            p = c == 'm' || p.isNull() ? d.pick(at) + QPointF(d.uniform(-9, 9), d.uniform(-9, 9))
                                       : p;
            p = QPointF(qBound(-1e5, p.x(), 1e5), qBound(-1e5, p.y(), 1e5));
            // Qt numbers press, release, double click and move 2 to 5.
            send(t, QMouseEvent(QEvent::Type(QString("  PRDm").indexOf(c)), p, p + origin,
                                c == 'm' ? Qt::NoButton : b, c == 'R' ? Qt::NoButton : b, m));
        }
    }

    void act(int action)
    {
        QSlider *s = d.pick(sliders);
        QLineEdit *t = d.pick(fields);
        const int ending = d.pick(QVector<int> { Qt::Key_Return, Qt::Key_Tab, 0, -1 });
        switch (action) {
        case 0:
            return s->setValue(d.uniform(s->minimum() - 9, s->maximum() + 9));
        case 1:
            if (d.chance(0.2))
                return shape->setCurrentIndex(d.uniform(0, shape->count() - 1));
            return d.pick(buttons)->click();
        case 2: // text typed over or after the old, ended by Return, Tab, a focus change, or not
            QApplication::setActiveWindow(t->window());
            t->setFocus(Qt::MouseFocusReason);
            if (d.chance(0.5))
                t->selectAll();
            send(t, QKeyEvent(QEvent::KeyPress, 0, {},
                              d.chance(0.5) ? odd(d) : QString::number(d.real(-4, 24), 'g', 4)));
            if (ending > 0)
                send(t, QKeyEvent(QEvent::KeyPress, ending, {}, "\r"));
            return ending == 0 ? d.pick(buttons)->setFocus(Qt::MouseFocusReason) : void();
        case 3:
            return mouse(d.pick(QWidgetList { k, k, r }),
                         d.pick(QStringList { "P", "", "PRD" }) + QString(d.uniform(0, 9), 'm')
                             + d.pick(QStringList { "R", "R", "" }));
        case 4:
            return d.pick(QWidgetList { &w, w.chiR, k, r })
                ->resize(d.uniform(0, 2560), d.pick(QVector<int> { 0, 1, 700, 1600 }));
        case 5:
            return w.chiR->setVisible(!w.chiR->isVisible());
        case 6:
            openedData.clear();
            return w.findChild<QAction *>("actionCloseData")->trigger();
        case 8:
            return shells();
        }
        file(d.pick(QByteArray("SSSDDDsstp")), d.chance(0.5) ? ChiK::ChiKPlot : ChiK::ChiRPlot,
             d.chance(0.8) ? 1 : d.uniform(0, 5), d.chance(0.8) ? 2 : d.uniform(0, 5));
    }

    // The shell list: shells added, removed, chosen, typed into, switched; FEFF path files kept or
    // damaged, which are added exactly when the reader takes them all and the list has room.
    void shells()
    {
        ShellModel *model = wave.shells;
        const QModelIndex cell = model->index(d.uniform(0, model->rowCount() - 1),
                                              d.uniform(0, ShellModel::ColumnCount - 1));
        switch (d.uniform(0, 6)) {
        case 0:
            return list->findChild<QAbstractButton *>(d.chance(0.5) ? "AddShell" : "RemoveShell")
                ->click();
        case 1:
            return list->findChild<QAbstractItemView *>("ShellTable")->setCurrentIndex(cell);
        case 2:
            model->setData(cell, d.chance(0.5) ? odd(d) : QString::number(d.real(-1, 12), 'g', 5));
            return;
        case 3:
            model->setData(model->index(cell.row(), ShellModel::On), d.chance(0.5) ? 0 : 2,
                           Qt::CheckStateRole);
            return;
        case 4: {
            auto *box = list->findChild<QComboBox *>("ScaleBox");
            box->setCurrentIndex(d.uniform(0, 1));
            return (void)QMetaObject::invokeMethod(box, "activated",
                                                   Q_ARG(int, box->currentIndex()));
        }
        case 5: {
            QLineEdit *t = list->findChild<QLineEdit *>(d.chance(0.5) ? "S02Val" : "E0Val");
            t->setFocus(Qt::MouseFocusReason);
            t->selectAll();
            send(t, QKeyEvent(QEvent::KeyPress, 0, {},
                              d.chance(0.5) ? odd(d) : QString::number(d.real(-40, 40), 'g', 4)));
            return send(t, QKeyEvent(QEvent::KeyPress, Qt::Key_Return, {}, "\r"));
        }
        }
        QStringList paths;
        bool expect = true;
        for (int i = 0, n = d.uniform(1, d.chance(0.1) ? 40 : 3); i < n; ++i) {
            paths << dir.filePath(QString("feff%1.dat").arg(i, 4, 10, QChar('0')));
            write(paths.last(), feffPath(d));
            FeffPath p;
            QString e;
            expect = expect && FeffPathFile::read(paths.last(), &p, &e);
        }
        expect = expect && model->rowCount() + paths.size() <= Shell::maxCount;
        const QByteArray before = now();
        const bool worked = w.addPathFiles(paths);
        const auto boxes = w.findChildren<QMessageBox *>() + w.chiR->findChildren<QMessageBox *>();
        want(worked == expect && boxes.size() == !worked && (worked || now() == before),
             QString("adding %1 path files: %2")
                 .arg(paths.size())
                 .arg(boxes.value(0) ? boxes[0]->text() : "taken"));
        qDeleteAll(boxes);
    }

    void check()
    {
        for (DispArea *s : { r, k })
            s->grab();
        QCoreApplication::processEvents();
        const int n = wave.count, m = wave.hasMeasured() ? n : 0;
        const auto within = [](const auto &v, int count, double limit = 1e300) {
            return int(v.size()) == count && std::all_of(v.begin(), v.end(), [=](double x) {
                       return std::abs(x) <= limit;
                   });
        };
        const QVector<double> &edges = wave.ctrl->WindowCtrl->positions;
        // Normalised, chi(k), its shells and the data lie within -1 … 1.
        const double limit = wave.scale == ChiArrays::Normalised ? 1 + 1e-12 : 1e300;
        bool shellsWithin = int(wave.shellValues.size()) == wave.shells->rowCount();
        for (const QVector<double> &v : wave.shellValues)
            shellsWithin = shellsWithin && within(v, n, limit);
        want(shellsWithin && within(wave.chi, n, limit) && within(wave.measuredValues, m, limit)
                 && within(wave.wave, n) && within(wave.kGrid, n) && within(wave.envValues, n)
                 && within(wave.winValues, n) && within(wave.ftWave, n) && within(wave.ftChi, n)
                 && within(wave.ftEnv, n) && within(wave.ftWin, n) && within(wave.ftMeasured, m)
                 && within(edges, 4) && std::is_sorted(edges.begin(), edges.end()),
             "a model array incomplete, not finite or past ±1, or the window edges out of order");
        // Typed text taken or put back, the pointer field, read-out and scenario agree; windows
        // dragged smaller than they allow keep their plots 200 pixels tall.
        const auto *pointer = w.chiR->findChild<QLineEdit *>("PointVal");
        const QString at = Parameter::text(w.chiR->pointerR);
        want((pointer->isModified() || pointer->text() == at)
                 && w.scenario().pointer == w.chiR->pointerR
                 && w.chiR->findChild<QLabel *>("PointRead")->text().startsWith("R " + at),
             "the pointer field, its read-out or the scenario differ from the pointer");
        want(k->height() >= 200 && (!r->isVisible() || r->height() >= 200),
             "a plot squeezed below 200 pixels");
    }
};

} // namespace

int main(int argc, char *argv[])
{
#if defined(__SANITIZE_ADDRESS__)
    // Qt's platform plugin keeps the screen and cursor it makes here for the whole process.
    __lsan_disable();
#endif
    QApplication app(argc, argv);
#if defined(__SANITIZE_ADDRESS__)
    __lsan_enable();
#endif
    options.addOption({ "startup-check", "Start, show both windows, close." });
    start("actions", "2000");
    const int count = options.isSet("startup-check") ? 0 : options.value("actions").toInt();
    auto *w = new ChiK;
    QObject::connect(w, SIGNAL(finishing()), &app, SLOT(closeAllWindows()));
    w->show();
    if (options.isSet("startup-check")) {
        const bool shown = QTest::qWaitForWindowExposed(w) && QTest::qWaitForWindowExposed(w->chiR);
        QMetaObject::invokeMethod(w, "close", Qt::QueuedConnection);
        want(!app.exec() && shown && !w->isVisible() && !w->chiR->isVisible(),
             "not shown or closed");
    }
    Soak soak { *w, Dice(options.value("seed").toUInt()) };
    const QStringList names
        = QString("slider|switch|field|mouse|resize|Chi(R) window|close data|file|shells")
              .split('|');
    for (int i = 0; i < count && problems.isEmpty(); ++i) {
        // By weight: the mouse and the fields reach the most code.
        const int a
            = QByteArray("00011122223333333333334567777777888").at(soak.d.uniform(0, 34)) - '0';
        step(i, names[a]);
        soak.act(a);
        QCoreApplication::processEvents();
        soak.check();
    }
    delete w;
    // The main window takes everything it made with it, the chi(R) window included.
    want(QApplication::topLevelWidgets().isEmpty(), "windows outlived the main window");
    std::printf("fourk-soak: %s\n", problems.isEmpty() ? "passed" : "failed");
    return problems.isEmpty() ? 0 : fail();
}
