#include "app/chik.h"
#include "app/chir.h"
#include "connectionguard.h"
#include "model/awave.h"
#include "model/scenariofile.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Runs the program in dir; its status, with standard error appended on failure.
int exportIn(const QString &dir, const QString &args, QByteArray *err = nullptr)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(QStringLiteral(FOURK_EXPORT_BINARY), args.split(' ', Qt::SkipEmptyParts));
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    if (err)
        *err = p.readAllStandardError();
    return p.exitCode();
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

} // namespace

// The built program, run as a user runs it.
class TestFourkExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void run_data();
    void run();
    void sameAsWindows();
    void optionsOverrideScenario();
    void measuredData();

private:
    QTemporaryDir inputs;
};

void TestFourkExport::initTestCase()
{
    ConnectionGuard::install();
    // A measured chi(k) whose scenario would be over 16 MiB: 1,000,000 rows of 17-digit numbers.
    QFile big(inputs.filePath("big.chi"));
    QVERIFY(big.open(QIODevice::WriteOnly));
    for (int i = 1; i <= 1000000; ++i)
        big.write(QByteArray::number(i) + " 0.12345678901234567\n");
}

void TestFourkExport::run_data()
{
    QTest::addColumn<QString>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("word"); // named by the one error line
    QTest::newRow("good") << "" << 0 << "";
    QTest::newRow("out of range") << "--r 10.0001" << 2 << "--r";
    QTest::newRow("not a number") << "--r two" << 2 << "--r";
    QTest::newRow("NaN") << "--sigma nan" << 2 << "--sigma";
    QTest::newRow("infinity") << "--p2 -inf" << 2 << "--p2";
    QTest::newRow("malformed list") << "--window 3,,15,16" << 2 << "--window";
    QTest::newRow("unknown option") << "--radius 2" << 2 << "--radius";
    QTest::newRow("unknown selector") << "--show abs,phase" << 2 << "--show";
    QTest::newRow("unwritable path") << "--plot-r no/such/r.png" << 1 << "no/such/r.png";
    QTest::newRow("missing scenario") << "--scenario x.fourk" << 2 << "x.fourk";
    QTest::newRow("scenario and output alike") << "--save-scenario k.png" << 2 << "k.png";
    QTest::newRow("data: bad columns")
        << "--data FIX/athena.chik --data-columns 0,2" << 2 << "--data-columns";
    QTest::newRow("data: columns, no data") << "--data-columns 1,3" << 2 << "--data-columns";
    QTest::newRow("data: k falls") << "--data FIX/semicolon.csv --data-columns 2,1" << 2
                                   << "semicolon.csv: line 3: k is negative";
    QTest::newRow("data: scenario too large to read back")
        << "--data BIG --save-scenario s.fourk" << 1 << "s.fourk: not saved";
}

// Good outputs come first, so that a check made too late, or a file written before the others
// are known to work, would leave something behind.
void TestFourkExport::run()
{
    QFETCH(QString, args);
    QFETCH(int, status);
    QFETCH(QString, word);
    QTemporaryDir dir;
    QProcess p;
    p.setWorkingDirectory(dir.path());
    // Without a platform of its own the program must choose the offscreen one itself.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    p.setProcessEnvironment(env);
    args.replace("FIX/", FOURK_FIXTURES "/").replace("BIG", inputs.filePath("big.chi"));
    p.start(QStringLiteral(FOURK_EXPORT_BINARY),
            ("--chik - --plot-k k.png --size 320x240 " + args).split(' ', Qt::SkipEmptyParts));
    QVERIFY(p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit);
    QCOMPARE(p.exitCode(), status);
    const QByteArray out = p.readAllStandardOutput(), err = p.readAllStandardError();
    const QStringList files = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    if (status != 0) {
        QCOMPARE(out, QByteArray());
        QCOMPARE(err.count('\n'), 1);
        QVERIFY2(err.startsWith("fourk-export: ") && err.contains(word.toUtf8()), err);
        QCOMPARE(files, QStringList());
    } else {
        QCOMPARE(err, QByteArray());
        QVERIFY(out.startsWith("k,chi,wave,envelope,window\n0,0,0,1,0\n"));
        QCOMPARE(files, QStringList { "k.png" });
        QCOMPARE(QImage(dir.filePath("k.png")).size(), QSize(320, 240));
    }
}

// A scenario saved by the windows gives, through fourk-export, the files the windows export.
void TestFourkExport::sameAsWindows()
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
        return QString("%1x%2").arg(s.width()).arg(s.height());
    };
    QCOMPARE(exportIn(dir.path(), "--scenario w.fourk --chik k.csv --chir r.csv --plot-k k.png "
                                  "--save-scenario s.fourk --size "
                                      + size(ChiK::ChiKPlot)),
             0);
    QCOMPARE(
        exportIn(dir.path(), "--scenario w.fourk --plot-r r.svg --size " + size(ChiK::ChiRPlot)),
        0);
    for (const char *name : { "k.csv", "r.csv", "k.png", "r.svg" })
        QVERIFY2(contents(file(name)) == contents(file(QString('w') + name)), name);
    QCOMPARE(contents(file("s.fourk")), contents(file("w.fourk")));
}

// Options count over the scenario wherever they stand; the last of two opposite switches wins.
void TestFourkExport::optionsOverrideScenario()
{
    QTemporaryDir dir;
    Scenario s;
    s.r = 4;
    s.sigma = 0.1;
    s.useDebye = false;
    QFile in(dir.filePath("in.fourk"));
    QVERIFY(in.open(QIODevice::WriteOnly) && in.write(ScenarioFile::toJson(s)) > 0);
    in.close();
    QCOMPARE(exportIn(dir.path(), "--r 3 --scenario in.fourk --use-debye --pm --no-pm --no-debye "
                                  "--use-debye --save-scenario out.fourk"),
             0);
    Scenario out;
    QString error;
    QVERIFY2(ScenarioFile::read(dir.filePath("out.fourk"), &out, &error), qPrintable(error));
    QCOMPARE(out.r, 3.0);
    QCOMPARE(out.sigma, 0.1);
    QVERIFY(out.useDebye && !out.pm);
}

// The tables gain the data as drawn, checked in full by the model's tests: here at k = 0.1,
// where athena.chik's -0.02 times k^2 is -0.125 of the largest, 0.04 * 0.2^2, and in bin 0, their
// sum. The data selector goes on.
void TestFourkExport::measuredData()
{
    QTemporaryDir dir;
    QCOMPARE(exportIn(dir.path(), "--no-window --chik k.csv --chir r.csv --save-scenario s.fourk "
                                  "--data " FOURK_FIXTURES "/athena.chik"),
             0);
    QVERIFY(contents(dir.filePath("k.csv"))
                .contains("k,chi,wave,envelope,window,data\n0,0,0,1,0,0\n0.1"));
    QVERIFY(contents(dir.filePath("k.csv")).contains(",-0.125\n"));
    QVERIFY(contents(dir.filePath("r.csv")).contains("window_abs,data_re,data_im,data_abs\n"));
    QVERIFY(contents(dir.filePath("r.csv")).contains(",0.875,0,0.875\n"));
    QVERIFY(contents(dir.filePath("s.fourk")).contains(R"(["abs","F","W","wave","total","data"])"));
}

QTEST_MAIN(TestFourkExport)
#include "tst_fourkexport.moc"
