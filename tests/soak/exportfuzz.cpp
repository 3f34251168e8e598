// fourk-export-fuzz [--runs N] [--seed S] [--trace]: fourk-export with random command lines, input
// files kept and damaged, outputs good and unwritable.

#include "harness.h"
#include "model/feffpathfile.h"
#include "model/measuredchifile.h"
#include "model/scenariofile.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

using namespace Harness;

Dice d(1);
QDir dir;
// The options' values as the program reads them: the last one given.
QMap<QString, QString> last;
QByteArray saved;

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
              "scale=absolute s02=0.8 e0=5 scenario=scenario data=data "
              "chik chir plot-k plot-r save-scenario")
          .split(' ');

// A likely or odd value, an input file kept or damaged, or an output.
QString value(const QString &name, const QString &likely)
{
    if (name == "scenario" || name == "data")
        write(dir.filePath(name), name == "data" ? data(d) : damage(d, saved));
    if (name == "shell")
        write(dir.filePath("path.dat"), feffPath(d));
    const QStringList files {
        "k.csv",      "r.csv", "old.csv", "-",     "no/x",    "folder", "",
        "\u540d.csv", "k.png", "r.svg",   "p.PNG", "old.png", "x.jpg",  QString(300, 'x') + ".svg"
    };
    return likely.isEmpty() ? d.pick(files.mid(name.startsWith("plot") ? 8 : 0))
           : d.chance(0.2)  ? odd(d)
                            : likely;
}

QStringList commandLine()
{
    // There before every run: a file to overwrite and a folder.
    write(dir.filePath("old.csv"), "old\n");
    dir.mkdir("folder");
    last.clear();
    QStringList args;
    // Almost always an output first, so that most runs get as far as building the windows.
    for (int i = d.chance(0.9) ? -1 : 0, n = d.uniform(0, 6); i < n; ++i) {
        const QString option = d.pick(known.mid(i < 0 ? 17 : 0)), name = option.section('=', 0, 0);
        const QString v = last["--" + name] = value(name, option.section('=', 1));
        args << (d.chance(0.3) ? QStringList { "--" + name + "=" + v }
                               : QStringList { "--" + name, v });
    }
    return args;
}

void judge(int status, const QByteArray &err, const QMap<QString, QByteArray> &before)
{
    const QMap<QString, QByteArray> after = snapshot();
    if (status == 1 || status == 2)
        return want(err.count('\n') == 1 && err.startsWith("fourk-export: ") && after == before,
                    "not one line, or a file changed: " + err);
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
                 || MeasuredChiFile::read(dir.filePath(last["--data"]), columns[0].toInt(),
                                          columns[1].toInt(), &m, &e))
             && (!last.value("--shell").startsWith("feff=path.dat")
                 || FeffPathFile::read(dir.filePath("path.dat"), &path, &e)),
         QString("status %1, %2; the model's readers say: %3").arg(status).arg(err, e));
    const QStringList size = last.value("--size", "800x600").split('x');
    for (const QString option : { "--chik", "--chir", "--plot-k", "--plot-r", "--save-scenario" }) {
        const QString file = last.value(option, "-");
        const QByteArray text = after.value(file);
        bool good = text.count('\n') > 1;
        for (const QByteArray &cell : text.trimmed().replace('\n', ',').split(',').mid(2))
            good = good && std::isfinite(cell.toDouble(&good));
        if (option == "--save-scenario" && (good = ScenarioFile::parse(text, &s, &e)))
            saved = text;
        if (option.startsWith("--plot"))
            good = text.contains("<svg")
                   || QImage::fromData(text).size() == QSize(size[0].toInt(), size[1].toInt());
        want(good || file == "-", option + " " + file + " is incomplete " + e);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
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
        const QMap<QString, QByteArray> before = snapshot();
        step(i, "fourk-export '" + args.join("' '") + "'");
        QProcess p;
        p.setWorkingDirectory(folder.path());
        p.setProcessEnvironment(env);
        p.start(FOURK_EXPORT_BINARY, args);
        want(p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit, "crashed");
        judge(p.exitCode(), p.readAllStandardError(), before);
    }
    std::printf("fourk-export-fuzz: %s\n", problems.isEmpty() ? "passed" : "failed");
    return problems.isEmpty() ? 0 : fail();
}
