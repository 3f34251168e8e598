#include "app/chik.h"
#include "app/chir.h"
#include "app/columnsdialog.h"
#include "connectionguard.h"
#include "model/awave.h"
#include "model/envelope.h"
#include "model/scenario.h"
#include "model/scenariofile.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/disparea.h"
#include "surfaceprobe.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(Scenario)

namespace {

// Everything the model computed, to compare bit for bit.
QVector<double> arrays(const AWave *w)
{
    QVector<double> all = w->chi + w->wave + w->envValues + w->winValues + w->kGrid;
    for (const std::vector<double> *ft : { &w->ftChi, &w->ftWave, &w->ftEnv, &w->ftWin })
        all += QVector<double>(ft->begin(), ft->end());
    return all;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

} // namespace

class tst_Scenarios : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void appliedAsByHand_data();
    void appliedAsByHand();
    void roundTrip();
    void drops_data();
    void drops();
    void badFilesChangeNothing_data();
    void badFilesChangeNothing();
    void menus();

private:
    // The text of the message box the last command opened (closing it), or "" if none.
    QString message();

    ChiK *chik = nullptr;
    AWave *wave = nullptr;
    QTemporaryDir dir;
};

void tst_Scenarios::initTestCase()
{
    ConnectionGuard::install();
    qRegisterMetaType<QPainter *>();
    QApplication::setQuitOnLastWindowClosed(false);
}

void tst_Scenarios::init()
{
    chik = new ChiK;
    chik->show();
    QVERIFY(QTest::qWaitForWindowExposed(chik) && QTest::qWaitForWindowExposed(chik->chiR));
    wave = chik->waves.constFirst();
}

void tst_Scenarios::cleanup()
{
    delete chik;
    chik = nullptr;
}

QString tst_Scenarios::message()
{
    auto *box = chik->findChild<QMessageBox *>();
    const QString text = box ? box->text() : QString();
    delete box;
    return text;
}

void tst_Scenarios::appliedAsByHand_data()
{
    QTest::addColumn<Scenario>("s");
    QTest::addColumn<QVector<int>>("bars"); // n, R, P0, P2, Sigma at the nearest step
    QTest::addColumn<QStringList>("readouts");
    Scenario between;
    between.n = 3;
    between.r = 2.56;
    between.p0 = -1.26;
    between.p2 = 0.333;
    between.sigma = 0.0126;
    between.window = { 15.5, 2, 16, 3.5 };
    between.envelope = { { 0, 1 }, { 8, 2.5 }, { 16, 0.5 } };
    between.show = QStringList { "real", "total" };
    between.pointer = 3.25;
    QTest::newRow("between steps") << between << QVector<int> { 3, 26, -13, 33, 13 }
                                   << QStringList { "3", "2.56", "-1.26", "0.333", "0.0126" };
    Scenario ends;
    ends.n = 1;
    ends.r = 1.2345678;
    ends.p0 = 10;
    ends.p2 = -1;
    ends.sigma = 0.2;
    ends.envelope = { { 4, 0.75 } };
    ends.useWindow = ends.useDebye = false;
    ends.pm = true;
    ends.show.clear();
    QTest::newRow("ends of the ranges, one node, factors off")
        << ends << QVector<int> { 1, 12, 100, -100, 200 }
        << QStringList { "1", "1.2345678", "10", "-1", "0.2" };
}

// One recomputation and one repaint of each plot, controls where the user would have put them,
// and the model computed as when the same values come one by one through the panel.
void tst_Scenarios::appliedAsByHand()
{
    QFETCH(Scenario, s);
    QFETCH(QVector<int>, bars);
    QFETCH(QStringList, readouts);
    QCoreApplication::processEvents();
    QSignalSpy updated(wave, SIGNAL(updated()));
    QSignalSpy kFrames(chik->surface(ChiK::ChiKPlot), SIGNAL(draw(QPainter *)));
    QSignalSpy rFrames(chik->surface(ChiK::ChiRPlot), SIGNAL(draw(QPainter *)));

    chik->applyScenario(s);
    QCOMPARE(updated.count(), 1);
    QTRY_COMPARE(kFrames.count(), 1);
    QTRY_COMPARE(rFrames.count(), 1);
    WaveCtrl *panel = wave->ctrl;
    QCOMPARE((QVector<int> { panel->NBar->value(), panel->RBar->value(), panel->Phi0Bar->value(),
                             panel->Phi2Bar->value(), panel->SigBar->value() }),
             bars);
    QCOMPARE((QStringList { panel->NVal->text(), panel->RVal->text(), panel->Phi0Val->text(),
                            panel->Phi2Val->text(), panel->SigVal->text() }),
             readouts);
    QCOMPARE(chik->chiR->findChild<QLineEdit *>("PointVal")->text(),
             QString::number(s.pointer, 'g', 17));
    QCOMPARE(chik->scenario().show, s.show);
    const QVector<double> applied = arrays(wave);

    ChiK byHand;
    AWave *w = byHand.waves.constFirst();
    emit w->ctrl->newN(s.n);
    emit w->ctrl->newR(s.r);
    emit w->ctrl->newPhi0(s.p0);
    emit w->ctrl->newPhi2(s.p2);
    emit w->ctrl->newSig(s.sigma);
    for (int i = 0; i < 4; ++i)
        w->ctrl->setWindowPos(3, -100); // all down, then each in its final slot
    const QVector<double> sorted = [&s] {
        auto e = s.window;
        std::sort(e.begin(), e.end());
        return e;
    }();
    for (int i = 3; i >= 0; --i)
        w->ctrl->setWindowPos(i, sorted.at(i));
    w->envelope->nodes = s.envelope;
    emit w->envelope->updated();
    w->ctrl->SelWindowF->setChecked(s.useWindow);
    w->ctrl->SelDebye->setChecked(s.useDebye);
    w->ctrl->doPM->setChecked(s.pm);
    QVERIFY(arrays(w) == applied);
}

// Set by hand, saved, opened in a new program: the same model, tables and pictures.
void tst_Scenarios::roundTrip()
{
    WaveCtrl *panel = wave->ctrl;
    panel->RBar->triggerAction(QSlider::SliderPageStepAdd);
    panel->SigBar->triggerAction(QSlider::SliderSingleStepSub);
    QLineEdit *edge = panel->WindowCtrl->findChild<QLineEdit *>("Pos2");
    edge->setText("5.125");
    QTest::keyClick(edge, Qt::Key_Return);
    // The node at k = 3, F = 1, on the plot as laid out: k 0 … 16, F 1.1 … -1.1.
    DispArea *plot = chik->surface(ChiK::ChiKPlot);
    plot->grab();
    const double w = plot->width(), h = plot->height();
    SurfaceProbe::drag(plot, QPoint(3 * w / 16, 0.1 / 2.2 * h), QPoint(3.5 * w / 16, h / 3));
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
    QCOMPARE(other.chiR->pointerR, 1.0 / 3.0);
    QCOMPARE(ScenarioFile::toJson(other.scenario()), contents(path));
    for (ChiK::Plot p : { ChiK::ChiKPlot, ChiK::ChiRPlot }) {
        QCOMPARE(other.table(p), chik->table(p));
        QCOMPARE(other.surface(p)->size(), chik->surface(p)->size());
        QCOMPARE(other.picture(p, PlotImage::Png), chik->picture(p, PlotImage::Png));
    }
}

void tst_Scenarios::drops_data()
{
    QTest::addColumn<bool>("onChiR");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("opened");
    QTest::newRow("on chi(k)") << false << "lesson.fourk" << true;
    QTest::newRow("on chi(R), any case") << true << "LESSON.FOURK" << true;
    QTest::newRow("not a scenario: columns asked for") << false << "lesson.txt" << false;
}

void tst_Scenarios::drops()
{
    QFETCH(bool, onChiR);
    QFETCH(QString, name);
    QFETCH(bool, opened);
    Scenario s;
    s.r = 7.25;
    const QString path = dir.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(ScenarioFile::toJson(s)) > 0);
    file.close();

    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(path) });
    QWidget *target = onChiR ? static_cast<QWidget *>(chik->chiR) : chik;
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QCOMPARE(wave->r, opened ? 7.25 : 2.0);
    // Anything else is taken for a measured chi(k), whose columns are asked for.
    const bool asked
        = chik->findChild<ColumnsDialog *>() || chik->chiR->findChild<ColumnsDialog *>();
    QVERIFY(message().isEmpty() && asked == !opened);
}

void tst_Scenarios::badFilesChangeNothing_data()
{
    QTest::addColumn<QString>("command"); // open, save, table or plot
    QTest::addColumn<QString>("name");
    QTest::newRow("open: not a scenario") << "open"
                                          << "old.fourk";
    QTest::newRow("open: folder") << "open"
                                  << "folder";
    QTest::newRow("save: folder in the way") << "save"
                                             << "folder";
    QTest::newRow("save: no such folder") << "save"
                                          << "none/x.fourk";
    QTest::newRow("table: no such folder") << "table"
                                           << "none/x.csv";
    QTest::newRow("plot: unknown suffix") << "plot"
                                          << "old.fourk";
}

void tst_Scenarios::badFilesChangeNothing()
{
    QFETCH(QString, command);
    QFETCH(QString, name);
    QVERIFY(QDir(dir.path()).mkpath("folder"));
    QFile old(dir.filePath("old.fourk"));
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    wave->ctrl->RBar->setValue(55);
    const QByteArray before = ScenarioFile::toJson(chik->scenario());
    const QStringList files = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    const QString path = dir.filePath(name);
    bool done = true;
    if (command == "open")
        done = chik->openScenarioFile(path);
    else if (command == "save")
        done = chik->saveScenarioFile(path);
    else if (command == "table")
        done = chik->exportTableFile(ChiK::ChiRPlot, path);
    else
        done = chik->savePlotFile(ChiK::ChiKPlot, path);
    QVERIFY(!done);
    QVERIFY(message().contains(path));
    QCOMPARE(ScenarioFile::toJson(chik->scenario()), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), files);
    QCOMPARE(contents(dir.filePath("old.fourk")), QByteArray("old"));
}

void tst_Scenarios::menus()
{
    // Texts in order, "-" for a separator, and the platform's standard key where there is one.
    const auto entries = [](QMenuBar *bar) {
        QStringList texts;
        for (QAction *menu : bar->actions()) {
            texts << menu->text() + ':';
            for (QAction *a : menu->menu()->actions())
                texts << (a->isSeparator() ? "-" : a->text());
        }
        return texts;
    };
    QCOMPARE(entries(chik->menuBar()),
             (QStringList { "File:", "Open Scenario…", "Save Scenario…", "-",
                            "Open Measured chi(k)…", "Close Measured Data", "-",
                            "Export chi(k) Table…", "Export Chi(R) Table…", "Save chi(k) Plot…",
                            "Save Chi(R) Plot…", "-", "Quit", "Help:", "About Fourk" }));
    QCOMPARE(entries(chik->chiR->menuBar()),
             (QStringList { "File:", "Export Chi(R) Table…", "Save Chi(R) Plot…" }));
    const QList<QAction *> file = chik->menuBar()->actions().constFirst()->menu()->actions();
    QCOMPARE(file.at(0)->shortcuts(), QKeySequence::keyBindings(QKeySequence::Open));
    QCOMPARE(file.at(1)->shortcuts(), QKeySequence::keyBindings(QKeySequence::Save));
    QCOMPARE(file.constLast()->shortcuts(), QKeySequence::keyBindings(QKeySequence::Quit));

    QSignalSpy finishing(chik, SIGNAL(finishing()));
    file.constLast()->trigger();
    QCOMPARE(finishing.count(), 1);
    QVERIFY(!chik->isVisible());
}

QTEST_MAIN(tst_Scenarios)
#include "tst_scenarios.moc"
