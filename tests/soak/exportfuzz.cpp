// fourk-export-fuzz [--runs N] [--seed S] [--trace]: fourk-export with random command lines, input
// files kept and damaged, outputs good and unwritable.

#include "harness.h"
#include "model/feffpathfile.h"
#include "model/fitreport.h"
#include "model/measuredchifile.h"
#include "model/scenariofile.h"

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

using namespace Harness;

Dice d(1);
QDir dir;
// The options' values as the program reads them: the last one given.
QMap<QString, QString> last;
QByteArray saved;
// What the run reads on standard input.
QByteArray input;

QMap<QString, QByteArray> snapshot()
{
    QMap<QString, QByteArray> files;
    for (const QString &name : dir.entryList(QDir::Files))
        files[name] = read(dir.filePath(name));
    return files;
}

// Each valued option with a likely value; the outputs last.
const QStringList known
    = QString("n=3 r=2.5 p0=-1 p2=0.1 sigma=0.2 pointer=9 window=1,2,14,15 envelope=0:1,8:0.5,16:0 "
              "show=abs,F,data size=80x60 data-columns=2,3 shell=feff=path.dat,sigma=0.1 "
              "scale=absolute s02=0.8 e0=5 scenario=scenario data=data fit=s02,e0,1.r "
              "fit-r=1.5,3 fit-space=k chik chir plot-k plot-r save-scenario fit-report fit-table")
          .split(' ');

// A likely or odd value, an input file kept or damaged, or an output.
QString value(const QString &name, const QString &likely)
{
    if (name == "scenario" || name == "data")
        write(dir.filePath(name), name == "data" ? data(d) : damage(d, saved));
    if (name == "shell")
        write(dir.filePath("path.dat"), feffPath(d));
    if (name == "data" && d.chance(0.3))
        return d.pick(QStringList { "-", "link" });
    // Outputs also name the inputs, directly or through a link, and a FIFO and a device.
    const QStringList files { "k.csv",  "r.csv", "old.csv",  "-",         "no/x",
                              "folder", "",      "./k.csv",  "data",      "link",
                              "null",   "fifo",  "scenario", "\u540d.csv" },
        plots { "k.png", "r.svg", "p.PNG", "old.png", "x.jpg", QString(300, 'x') + ".svg" };
    return likely.isEmpty() ? d.pick(name.startsWith("plot") ? plots : files)
           : d.chance(0.2)  ? odd(d)
                            : likely;
}

QStringList commandLine()
{
    // There before every run: a file to overwrite, a folder, a link to the data, a FIFO and a
    // link to /dev/null; all open to the user the program runs as.
    write(dir.filePath("old.csv"), "old\n");
    dir.mkdir("folder");
    const QByteArray at = QFile::encodeName(dir.path()) + '/';
    ::symlink("data", at + "link");
    ::symlink("/dev/null", at + "null");
    ::mkfifo(at + "fifo", 0666);
    for (const char *name : { "", "old.csv", "folder", "fifo" })
        ::chmod(at + name, 0777);
    input = data(d);
    last.clear();
    QStringList args;
    // Almost always an output first, so that most runs get as far as building the windows.
    for (int i = d.chance(0.9) ? -1 : 0, n = d.uniform(0, 6); i < n; ++i) {
        const QString option = d.pick(known.mid(i < 0 ? 20 : 0)), name = option.section('=', 0, 0);
        const QString v = last["--" + name] = value(name, option.section('=', 1));
        args << (d.chance(0.3) ? QStringList { "--" + name + "=" + v }
                               : QStringList { "--" + name, v });
    }
    return args;
}

// Where a name leads: the file it reaches, or where it would be made; "-" is standard output.
QString target(const QString &name)
{
    const QFileInfo f(dir.filePath(name));
    return name == "-" ? name : f.exists() ? f.canonicalFilePath() : QDir::cleanPath(f.filePath());
}

void judge(int status, const QByteArray &err, const QMap<QString, QByteArray> &before,
           const QByteArray &fifo)
{
    const QMap<QString, QByteArray> after = snapshot();
    const QStringList outputs { "--chik",          "--chir",       "--plot-k",   "--plot-r",
                                "--save-scenario", "--fit-report", "--fit-table" };
    // No output may be an input or another output, but a scenario may be saved over itself.
    QVector<QPair<QString, QString>> taken;
    for (const QString input : { "--scenario", "--data" }) {
        if (last.contains(input) && last[input] != "-")
            taken.append({ input, target(last[input]) });
    }
    bool clash = false;
    for (const QString &option : outputs) {
        if (!last.contains(option))
            continue;
        const QString t = target(last[option]);
        for (const auto &other : taken)
            clash = clash
                    || (other.second == t
                        && !(other.first == "--scenario" && option == "--save-scenario"));
        taken.append({ option, t });
    }
    // The links and the FIFO stay what they were.
    const QFileInfo link(dir.filePath("link")), null(dir.filePath("null"));
    struct stat st;
    want(link.symLinkTarget() == dir.filePath("data") && null.symLinkTarget() == "/dev/null"
             && ::stat(QFile::encodeName(dir.filePath("fifo")), &st) == 0 && S_ISFIFO(st.st_mode)
             && ::stat("/dev/null", &st) == 0 && S_ISCHR(st.st_mode),
         "a link, the FIFO or /dev/null changed");
    if (status == 1 || status == 2)
        return want(err.count('\n') == 1 && err.startsWith("fourk-export: ") && after == before,
                    "not one line, or a file changed: " + err);
    want(!clash, "an output replaced an input or another output");
    // A fit that failed writes only its report and table.
    if (status == 3) {
        QMap<QString, QByteArray> rest = after, was = before;
        for (const QString option : { "--fit-report", "--fit-table" }) {
            rest.remove(QDir::cleanPath(last.value(option)));
            was.remove(QDir::cleanPath(last.value(option)));
        }
        return want(last.contains("--fit") && err.count('\n') == 1
                        && err.startsWith("fourk-export: ") && rest == was,
                    "a failed fit: not one line, or another file changed: " + err);
    }
    // An input that the model's readers refuse must fail the run.
    Scenario s;
    MeasuredChi m;
    QString e;
    const QStringList columns = last.value("--data-columns", "1,2").split(',');
    FeffPath path;
    want(status == 0 && err.isEmpty()
             && (!last.contains("--scenario")
                 || ScenarioFile::read(dir.filePath(last["--scenario"]), &s, &e))
             && (!last.contains("--data") || columns.size() != 2
                 || (last["--data"] == "-"
                         ? MeasuredChiFile::parse(input, columns[0].toInt(), columns[1].toInt(), &m,
                                                  &e)
                         : MeasuredChiFile::read(dir.filePath(last["--data"]), columns[0].toInt(),
                                                 columns[1].toInt(), &m, &e)))
             && (!last.value("--shell").startsWith("feff=path.dat")
                 || FeffPathFile::read(dir.filePath("path.dat"), &path, &e)),
         QString("status %1, %2; the model's readers say: %3").arg(status).arg(err, e));
    const QStringList size = last.value("--size", "800x600").split('x');
    for (const QString &option : outputs) {
        const QString file = QDir::cleanPath(last.value(option, "-"));
        const QByteArray text = file == "fifo" ? fifo : after.value(file);
        bool good = text.count('\n') > 1;
        for (const QByteArray &cell : text.trimmed().replace('\n', ',').split(',').mid(2))
            good = good && std::isfinite(cell.toDouble(&good));
        if (option == "--save-scenario" && (good = ScenarioFile::parse(text, &s, &e)))
            saved = text;
        FitReport report;
        if (option == "--fit-report")
            good = FitReport::fromJson(QJsonDocument::fromJson(text).object(), &report, &e)
                   && report.converged;
        if (option == "--fit-table")
            good = text.startsWith("file,s02,") && text.contains(",true,");
        if (option.startsWith("--plot"))
            good = text.contains("<svg")
                   || QImage::fromData(text).size() == QSize(size[0].toInt(), size[1].toInt());
        want(good || file == "-" || file == "null", option + " " + file + " is incomplete " + e);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // A program that ends before it reads its input must not end the fuzz.
    std::signal(SIGPIPE, SIG_IGN);
    start("runs", "200");
    d.seed(options.value("seed").toUInt());
    saved = ScenarioFile::toJson(Scenario());
    // Every sanitizer finding a crash; the leak check knows Qt's own allocations.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ASAN_OPTIONS", "abort_on_error=1:fast_unwind_on_malloc=0");
    env.insert("UBSAN_OPTIONS", "abort_on_error=1:print_stacktrace=1");
    env.insert("LSAN_OPTIONS", "suppressions=" FOURK_LSAN_SUPPRESSIONS ":print_suppressions=0");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    for (int i = 0; i < options.value("runs").toInt() && problems.isEmpty(); ++i) {
        QTemporaryDir folder;
        dir = QDir(folder.path());
        const QStringList args = commandLine();
        const QByteArray at = QFile::encodeName(folder.path()) + '/';
        for (const char *name : { "data", "scenario" })
            ::chmod(at + name, 0666);
        const QMap<QString, QByteArray> before = snapshot();
        step(i, "fourk-export '" + args.join("' '") + "'");
        QProcess p;
        p.setWorkingDirectory(folder.path());
        p.setProcessEnvironment(env);
        // Never as root: a program that replaced what a link leads to would replace /dev/null.
        if (::getuid() == 0)
            p.start("setpriv", QStringList { "--reuid=65534", "--regid=65534", "--clear-groups",
                                             "--", FOURK_EXPORT_BINARY }
                                   + args);
        else
            p.start(FOURK_EXPORT_BINARY, args);
        if (last.value("--data") == "-")
            p.write(input);
        p.closeWriteChannel();
        // The FIFO is read while the program writes to it.
        const int reader = ::open(at + "fifo", O_RDONLY | O_NONBLOCK);
        QByteArray fifo;
        char buffer[4096];
        bool finished = false;
        for (ssize_t n = 0; !finished || n > 0;) {
            finished = finished || p.waitForFinished(20);
            n = ::read(reader, buffer, sizeof buffer);
            fifo += QByteArray(buffer, int(std::max<ssize_t>(n, 0)));
        }
        ::close(reader);
        want(p.exitStatus() == QProcess::NormalExit, "crashed");
        judge(p.exitCode(), p.readAllStandardError(), before, fifo);
    }
    std::printf("fourk-export-fuzz: %s\n", problems.isEmpty() ? "passed" : "failed");
    return problems.isEmpty() ? 0 : fail();
}
