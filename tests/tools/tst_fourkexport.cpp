#include "app/chik.h"
#include "app/chir.h"
#include "connectionguard.h"
#include "model/awave.h"
#include "model/fitreport.h"
#include "model/scenariofile.h"
#include "panels/wavectrl.h"

#include <QDir>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString fixtures = FOURK_FIXTURES "/";

// A file's bytes, by a name that need not be UTF-8.
QByteArray raw(const QByteArray &name)
{
    QByteArray bytes(1 << 20, '\0');
    const int fd = ::open(name.constData(), O_RDONLY);
    const ssize_t n = fd < 0 ? 0 : ::read(fd, bytes.data(), size_t(bytes.size()));
    ::close(fd);
    return bytes.left(int(std::max<ssize_t>(n, 0)));
}

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
    void sameAsWindows_data();
    void sameAsWindows();
    void files_data();
    void files();
    void fit();

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
    QTest::newRow("window shape") << "--window-shape welch --window 0,5,5,10" << 0
                                  << "\n1,|,0.35999999999999|\"window_shape\": \"welch\",";
    QTest::newRow("data") << "--no-window --data FIX/athena.chik --chir r.csv" << 0
                          << "k,chi,wave,envelope,window,data\n0,0,0,1,0,0\n0.10000000000000001,|"
                             ",-0.125\n|window_abs,data_re,data_im,data_abs\n0,|,0.875,0,0.875\n"
                             "0.0306796157|\"total\",\"data\",\"shells\"]|athena.chik";
    // The legend names the measured data's part shown; the scenario saved keeps the labels on.
    QTest::newRow("labels") << "--labels --data FIX/athena.chik --show real,data --plot-r r.svg"
                            << 0 << ">R (Å)<|>Re athena.chik<|\"labels\": true";
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

void tst_FourkExport::sameAsWindows_data()
{
    QTest::addColumn<bool>("labels");
    QTest::newRow("plain") << false;
    QTest::newRow("axis titles and legend") << true;
}

// A scenario saved by the windows gives, through fourk-export, the files the windows export,
// with the labels as the windows had them.
void tst_FourkExport::sameAsWindows()
{
    QFETCH(bool, labels);
    QApplication::setQuitOnLastWindowClosed(false);
    ChiK chik;
    chik.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chik) && QTest::qWaitForWindowExposed(chik.chiR));
    WaveCtrl *panel = chik.waves.constFirst()->ctrl;
    panel->Phi0Bar->triggerAction(QSlider::SliderPageStepSub);
    panel->setWindowPos(3, 13.75);
    chik.chiR->setPointer(4.5);
    chik.setLabels(labels);
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
    chik.setLabels(!labels);
    QVERIFY(chik.picture(ChiK::ChiKPlot, PlotImage::Png) != contents(file("k.png")));
}

void tst_FourkExport::files_data()
{
    // The folder holds d.chi (athena.chik), l.chi -> d.chi, s.fourk, \377.chi (d.chi again),
    // fifo, null -> /dev/null and full -> /dev/full. \377 is that byte (printf's escape).
    QTest::addColumn<QString>("args");
    QTest::addColumn<QString>("stdio"); // <d.chi: standard input; |d.chi: through a pipe;
                                        // >/dev/full: standard output; r: fifo read; v: 200 MB
    QTest::addColumn<int>("status");
    // The one error line; or, each part between '|', what standard output and the files
    // written hold, a new file as "name:" and its first bytes.
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("data as table")
        << "--data d.chi --chik d.chi"
        << "" << 2 << QByteArray("--data and --chik name the same file 'd.chi'");
    QTest::newRow("data through a link")
        << "--data d.chi --chir l.chi"
        << "" << 2 << QByteArray("--data 'd.chi' and --chir 'l.chi' are");
    QTest::newRow("two outputs, two names")
        << "--chik new.csv --chir ./new.csv"
        << "" << 2 << QByteArray("--chik 'new.csv' and --chir './new.csv'");
    QTest::newRow("scenario as table") << "--scenario s.fourk --chik s.fourk"
                                       << "" << 2 << QByteArray("--scenario and --chik name");
    QTest::newRow("scenario saved again") << "--scenario s.fourk --r 3 --save-scenario s.fourk"
                                          << "" << 0 << QByteArray("s.fourk:{");
    QTest::newRow("not UTF-8") << "--data \\377.chi --chik k\\377.csv"
                               << "" << 0
                               << QByteArray("k\xff.csv:k,chi,wave,envelope,window,data");
    QTest::newRow("not UTF-8, one file") << "--data \\377.chi --chik \\377.chi"
                                         << "" << 2 << QByteArray("the same file '\xff.chi'");
    QTest::newRow("standard input")
        << "--data - --chik k.csv"
        << "<d.chi" << 0 << QByteArray("k.csv:k,chi,wave,envelope,window,data");
    QTest::newRow("a pipe") << "--data /dev/stdin --chik -"
                            << "|d.chi" << 0 << QByteArray("k,chi,wave,envelope,window,data");
    QTest::newRow("FIFO") << "--chik fifo --chir r.csv"
                          << "r" << 0 << QByteArray("fifo:k,chi,wave|r.csv:R,chi_re");
    QTest::newRow("FIFO nobody reads")
        << "--chir r.csv --chik fifo"
        << "" << 1 << QByteArray("cannot write 'fifo': no program reads");
    QTest::newRow("link to /dev/null") << "--chik null --chir r.csv"
                                       << "" << 0 << QByteArray("r.csv:R");
    QTest::newRow("link to /dev/full")
        << "--chir r.csv --chik full"
        << "" << 1 << QByteArray("cannot write 'full': No space left");
    QTest::newRow("standard output full")
        << "--chir r.csv --chik -"
        << ">/dev/full" << 1 << QByteArray("cannot write to standard output: No space left");
#ifndef __SANITIZE_ADDRESS__ // which needs far more address space of its own
    QTest::newRow("picture beyond memory")
        << "--plot-k k.png --size 8192x8192 --chir r.csv"
        << "v" << 1
        << QByteArray("cannot write 'k.png': a picture of 8192x8192 pixels does not fit in memory");
#endif
}

// Inputs and outputs as the files they are: whatever names them, an input is never replaced,
// a device or FIFO never turned into a file, and a failure changes no file.
void tst_FourkExport::files()
{
    QFETCH(QString, args);
    QFETCH(QString, stdio);
    QFETCH(int, status);
    QFETCH(QByteArray, expected);
    QTemporaryDir dir;
    const QByteArray d = QFile::encodeName(dir.path()) + '/';
    QVERIFY(QFile::copy(fixtures + "athena.chik", dir.filePath("d.chi"))
            && QFile::copy(fixtures + "athena.chik", dir.filePath("x.chi"))
            && ::rename(d + "x.chi", d + "\xff.chi") == 0 && mkfifo(d + "fifo", 0600) == 0
            && ::symlink("d.chi", d + "l.chi") == 0 && ::symlink("/dev/null", d + "null") == 0
            && ::symlink("/dev/full", d + "full") == 0);
    QFile scenario(dir.filePath("s.fourk"));
    QVERIFY(scenario.open(QIODevice::WriteOnly) && scenario.write(ScenarioFile::toJson({})) > 0);
    scenario.close();
    // Open to the user the program runs as (below).
    for (const QByteArray name : { "", "d.chi", "\xff.chi", "fifo", "s.fourk" })
        QVERIFY(::chmod(d + name, name.isEmpty() ? 0777 : 0666) == 0);
    // Every entry: its kind, and its bytes or where it links to.
    const auto snapshot = [&d] {
        QMap<QByteArray, QByteArray> entries;
        for (const QByteArray name : { "d.chi", "\xff.chi", "fifo", "l.chi", "null", "full",
                                       "s.fourk", "k.csv", "k\xff.csv", "r.csv", "k.png" }) {
            struct stat st;
            char link[256] = {};
            if (::lstat(d + name, &st) == 0)
                entries[name] = QByteArray::number(st.st_mode >> 12)
                                + (::readlink(d + name, link, 255) > 0 ? QByteArray(link)
                                   : S_ISREG(st.st_mode)               ? raw(d + name)
                                                                       : QByteArray());
        }
        return entries;
    };
    const QMap<QByteArray, QByteArray> before = snapshot();

    const int reader = stdio == "r" ? ::open(d + "fifo", O_RDONLY | O_NONBLOCK) : -1;
    QProcess p;
    p.setWorkingDirectory(dir.path());
    if (stdio.startsWith('<'))
        p.setStandardInputFile(dir.filePath(stdio.mid(1)));
    if (stdio.startsWith('>'))
        p.setStandardOutputFile(stdio.mid(1));
    // Through the shell, which makes the bytes of the names from printf's escapes. Never as
    // root: a program that replaced what the links lead to would replace /dev/null itself.
    const QString script = QString(stdio == "v" ? "ulimit -v 200000; " : "")
                           + (stdio.startsWith('|') ? "cat " + stdio.mid(1) + " | " : "exec ")
                           + "\"$0\" $(printf \" $1\")";
    const QStringList command { "-c", script, FOURK_EXPORT_BINARY, args };
    if (::getuid() == 0)
        p.start("setpriv",
                QStringList { "--reuid=65534", "--regid=65534", "--clear-groups", "sh" } + command);
    else
        p.start("sh", command);
    p.closeWriteChannel();
    QVERIFY(p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit);
    const QByteArray err = p.readAllStandardError();
    QByteArray written = p.readAllStandardOutput();
    char buffer[1 << 16];
    const ssize_t n = reader < 0 ? 0 : ::read(reader, buffer, sizeof buffer);
    written += "fifo:" + QByteArray(buffer, int(std::max<ssize_t>(n, 0)));
    ::close(reader);
    const QMap<QByteArray, QByteArray> after = snapshot();
    for (auto e = after.begin(); e != after.end(); ++e)
        written += e.value() == before.value(e.key()) ? "" : "|" + e.key() + ":" + e->mid(1);

    QCOMPARE(p.exitCode(), status);
    QVERIFY2(status == 0
                 ? err.isEmpty()
                 : err.startsWith("fourk-export: ") && err.count('\n') == 1 && after == before,
             err + written.left(300));
    // The links, the FIFO and the devices are what they were.
    struct stat null, full;
    QVERIFY(::stat("/dev/null", &null) == 0 && S_ISCHR(null.st_mode)
            && ::stat("/dev/full", &full) == 0 && S_ISCHR(full.st_mode));
    for (const char *kept : { "l.chi", "null", "full", "fifo", "d.chi", "\xff.chi" })
        QVERIFY2(after.value(kept) == before.value(kept), kept);
    for (const QByteArray &part : expected.split('|'))
        QVERIFY2((status ? err : written).contains(part), written.left(300) + err);
}

// A fit writes its report and table and every other output from the fitted model; a scenario
// keeps the report. Several files are fitted into one table, a file that fails failing its row.
void tst_FourkExport::fit()
{
    QTemporaryDir dir;
    const QString foil = fixtures + "copper/copper-foil-10K.chik";
    const QString model = "--shell feff=" + fixtures
                          + "copper/feff0001.dat --window 2,4,14,16 "
                            "--fit-r 1.7,2.9 --fit s02,e0,1.r,1.sigma --data "
                          + foil;
    QCOMPARE(exportIn(dir.path(), model
                                      + " --fit-report r.json --fit-table one.csv "
                                        "--save-scenario s.fourk"),
             0);
    QVERIFY2(err.isEmpty(), err);
    FitReport report;
    QString error;
    QVERIFY(FitReport::fromJson(QJsonDocument::fromJson(contents(dir.filePath("r.json"))).object(),
                                &report, &error)
            && report.converged && report.variableCount() == 4);
    // The fitted shell at R 2.549 Å, not its path's 2.5527 Å; S0² 0.898.
    const QByteArray saved = contents(dir.filePath("s.fourk"));
    QVERIFY2(saved.contains("\"s02\": 0.89") && saved.contains("\"r\": 2.548")
                 && saved.contains("\"report\":{") && saved.contains("\"vary\":[\"s02\",\"e0\""),
             saved.left(2000));
    const QList<QByteArray> one = contents(dir.filePath("one.csv")).split('\n');
    QVERIFY(one.size() == 3 && one[1].startsWith(foil.toUtf8() + ",0.89")
            && one[1].endsWith(",true,The fit converged after 30 evaluations."));
    QCOMPARE(exportIn(dir.path(), "--scenario s.fourk --save-scenario again.fourk"), 0);
    QCOMPARE(contents(dir.filePath("again.fourk")), saved);

    QCOMPARE(
        exportIn(dir.path(), model + " --data no/such.chik --data " + foil + " --fit-table t.csv"),
        3);
    QCOMPARE(err, QByteArray("fourk-export: 1 of 3 fits failed; their rows in 't.csv' say why\n"));
    const QList<QByteArray> rows = contents(dir.filePath("t.csv")).split('\n');
    QVERIFY(rows.size() == 5 && rows[0].startsWith("file,s02,s02_uncertainty,e0,")
            && rows[1] == rows[3] && rows[1] == one[1]
            && rows[2]
                   == "no/such.chik,,,,,,,,,,false,no/such.chik: cannot be read (No such file "
                      "or directory)");
}

QTEST_MAIN(tst_FourkExport)
#include "tst_fourkexport.moc"
