#include "app/chik.h"
#include "app/chir.h"
#include "connectionguard.h"
#include "model/awave.h"
#include "model/scenariofile.h"
#include "panels/wavectrl.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString fixtures = FOURK_FIXTURES "/";

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

} // namespace

// The built program, run as a user runs it.
class tst_FourkExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void run_data();
    void run();
    void sameAsWindows();

private:
    // Its status; standard output and error in out and err.
    int exportIn(const QString &dir, const QString &args);

    QByteArray out, err;
};

int tst_FourkExport::exportIn(const QString &dir, const QString &args)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    // Without a platform of its own the program must choose the offscreen one itself.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    p.setProcessEnvironment(env);
    p.start(FOURK_EXPORT_BINARY, args.split(' ', Qt::SkipEmptyParts));
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    out = p.readAllStandardOutput();
    err = p.readAllStandardError();
    return p.exitCode();
}

void tst_FourkExport::run_data()
{
    QTest::addColumn<QString>("args"); // FIX/ is tests/fixtures/
    QTest::addColumn<int>("status");
    // On success what standard output and the files written (a PNG as its size) hold, each
    // part between '|'; else what the one error line names.
    QTest::addColumn<QString>("expected");
    QTest::newRow("defaults") << "" << 0
                              << "k,chi,wave,envelope,window\n0,0,0,1,0\n|k.png 800x600|s.fourk"
                                     + QString(ScenarioFile::toJson(Scenario()));
    // Wherever they stand, options override the scenario's values (4 and 0.1 for r and sigma, the
    // Debye-Waller factor off); of two opposite switches the last counts.
    QTest::newRow("options over a scenario")
        << "--r 3 --scenario FIX/lesson.fourk --use-debye --pm --no-pm --no-debye --use-debye "
           "--size 32x24"
        << 0 << "\"r\": 3,|\"sigma\": 0.1,|\"debye\":true|\"pm\":false|k.png 32x24";
    // At k = 0.1 athena.chik's -0.02 times k^2 is -0.125 of the largest, 0.04 * 0.2^2, and
    // bin 0 is their sum; bins lie pi / 102.4 apart. The data selector goes on.
    // feff9001.dat's path at k = 5 gives 0.0062259006 (worked out in tst_shells), times k; the
    // second shell is off and adds 0. -r still sets the first shell.
    QTest::newRow("shells")
        << "--shell feff=FIX/feff9001.dat,sigma=0.05 --shell r=3,off,name=far --sigma 0 --scale "
           "absolute --n 1 --no-window"
        << 0
        << "k,chi,wave,envelope,window,shell1,shell2\n|\n5,0.03112950320321|,0\n|\"name\": "
           "\"far\", \"on\": false,|\"scale\": \"absolute\",|\"file\": \"feff9001.dat\"";
    // A Welch window from 0 to 10 is 1 - ((k - 5) / 5)^2 on its one taper pair: at k = 1,
    // 1 - 0.64 = 0.36; the scenario keeps the shape.
    QTest::newRow("window shape")
        << "--window-shape welch --window 0,5,5,10" << 0
        << "\n1,|,0.35999999999999|\"window_shape\": \"welch\",";
    QTest::newRow("data") << "--no-window --data FIX/athena.chik --chir r.csv" << 0
                          << "k,chi,wave,envelope,window,data\n0,0,0,1,0,0\n0.10000000000000001,|"
                             ",-0.125\n|window_abs,data_re,data_im,data_abs\n0,|,0.875,0,0.875\n"
                             "0.0306796157|\"total\",\"data\",\"shells\"]|athena.chik";
    QTest::newRow("data columns") << "--data FIX/feff_chi.dat --data-columns 1,3 --show abs" << 0
                                  << "\"columns\":[1,3]|\"chi\":[0.15,0.25,0.3,0.01,0.075]|"
                                     "\"show\": [\"abs\"]";
    QFile list(fixtures + "bad/command-lines.txt"); // "status | arguments | message", a line each
    QVERIFY(list.open(QIODevice::ReadOnly | QIODevice::Text));
    for (const QString &line : QString(list.readAll()).split('\n', Qt::SkipEmptyParts)) {
        const QStringList cell = line.split(" | ");
        if (!line.startsWith('#'))
            QTest::newRow(qPrintable(cell[1])) << cell[1] << cell[0].toInt() << cell[2];
    }
}

// Good outputs come with every bad input, and a file is there before, so that a check made too
// late, or a file written before the others are known to work, would change something.
void tst_FourkExport::run()
{
    QFETCH(QString, args);
    QFETCH(int, status);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QFile old(dir.filePath("s.fourk"));
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    QCOMPARE(exportIn(dir.path(), args.replace("FIX/", fixtures)
                                      + " --chik - --plot-k k.png --save-scenario s.fourk"),
             status);
    QByteArray written = out;
    for (const QString &name : QDir(dir.path()).entryList(QDir::Files)) {
        const QSize size = QImage(dir.filePath(name)).size();
        written += name.toUtf8()
                   + (name.endsWith(".png")
                          ? QString(" %1x%2").arg(size.width()).arg(size.height()).toUtf8()
                          : contents(dir.filePath(name)));
    }
    // A failure says so in one line, and writes nothing: the file there before stays as it was.
    QVERIFY2(status == 0 ? err.isEmpty()
                         : err.startsWith("fourk-export: ") && err.count('\n') == 1
                               && written == "s.fourkold",
             err + written);
    for (const QString &part : expected.split('|'))
        QVERIFY2((status ? err : written).contains(part.toUtf8()), qPrintable(part));
}

// A scenario saved by the windows gives, through fourk-export, the files the windows export.
void tst_FourkExport::sameAsWindows()
{
    QApplication::setQuitOnLastWindowClosed(false);
    ChiK chik;
    chik.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chik) && QTest::qWaitForWindowExposed(chik.chiR));
    WaveCtrl *panel = chik.waves.constFirst()->ctrl;
    panel->Phi0Bar->triggerAction(QSlider::SliderPageStepSub);
    panel->setWindowPos(3, 13.75);
    chik.chiR->setPointer(4.5);
    QTemporaryDir dir;
    const auto file = [&dir](const QString &name) { return dir.filePath(name); };
    QVERIFY(chik.saveScenarioFile(file("w.fourk"))
            && chik.exportTableFile(ChiK::ChiKPlot, file("wk.csv"))
            && chik.exportTableFile(ChiK::ChiRPlot, file("wr.csv"))
            && chik.savePlotFile(ChiK::ChiKPlot, file("wk.png"))
            && chik.savePlotFile(ChiK::ChiRPlot, file("wr.svg")));

    const auto size = [&chik](ChiK::Plot p) {
        const QSize s = chik.surface(p)->size();
        return QString(" --size %1x%2").arg(s.width()).arg(s.height());
    };
    QCOMPARE(exportIn(dir.path(), "--scenario w.fourk --chik k.csv --chir r.csv --plot-k k.png "
                                  "--save-scenario s.fourk"
                                      + size(ChiK::ChiKPlot)),
             0);
    QCOMPARE(exportIn(dir.path(), "--scenario w.fourk --plot-r r.svg" + size(ChiK::ChiRPlot)), 0);
    for (const char *name : { "k.csv", "r.csv", "k.png", "r.svg" })
        QVERIFY2(contents(file(name)) == contents(file(QString('w') + name)), name);
    QCOMPARE(contents(file("s.fourk")), contents(file("w.fourk")));
}

QTEST_MAIN(tst_FourkExport)
#include "tst_fourkexport.moc"
