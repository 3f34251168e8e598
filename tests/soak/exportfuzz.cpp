// fourk-export-fuzz [--runs N] [--seed S] [--trace]: fourk-export with random command lines
// (options right and wrong, values of every kind, scenario and measured chi(k) files valid and
// damaged, outputs good and unwritable). A run ends with status 0 and every output complete, or
// with 1 or 2, one line on standard error and the folder unchanged; never with a crash, a hang
// or a sanitizer report.

#include "harness.h"
#include "model/scenario.h"
#include "model/scenariofile.h"
#include "model/spectrumfile.h"

#include <QDir>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>

namespace {

using namespace Harness;

QMap<QString, QByteArray> snapshot(const QDir &dir)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        files[name] = read(dir.filePath(name));
    return files;
}

struct Fuzz
{
    Dice d { 1 };
    QDir dir;
    // The options' values as the program reads them: the last one given.
    QMap<QString, QString> last;
    QByteArray saved = ScenarioFile::toJson(Scenario());

    // Mostly within lo … hi, else odd.
    QString number(double lo, double hi)
    {
        return d.chance(0.9) ? QString::number(d.real(lo, hi), 'g', d.uniform(1, 17)) : odd(d);
    }

    QString value(const QString &name)
    {
        const QStringList ranges { "n",   "1",       "3",  "r",  "0",      "10",    "p0",
                                   "-10", "10",      "p2", "-1", "1",      "sigma", "0",
                                   "0.2", "pointer", "-2", "10", "window", "0",     "16" };
        QStringList items;
        for (int at = ranges.indexOf(name), i = name == "window" ? 4 : 1; at >= 0 && i > 0; --i)
            items << number(ranges[at + 1].toDouble(), ranges[at + 2].toDouble());
        for (int i = name == "envelope" ? d.uniform(0, 40) : 0; i > 0; --i)
            items << number(-2, 18) + ":" + number(-3, 3);
        for (int i = name == "show" ? d.uniform(0, 4) : 0; i > 0; --i)
            items << d.pick(Scenario::selectorNames() + QStringList { "ABS", "" });
        if (name == "scenario" || name == "data") {
            items << d.pick(QStringList { name + ".in", name + ".in", "missing/x", "folder" });
            write(dir.filePath(items[0]), name == "data" ? data(d) : scenario(d, saved));
        }
        if (name == "size")
            items << QString::number(d.uniform(-1, 900))
                         + d.pick(QStringList { "x600", "x1", "x8193", "" });
        if (name == "data-columns")
            items << d.pick(QStringList { "1,2", "2,1", "0,2", "1,1000", "1;2", "" });
        if (name.startsWith("plot"))
            items << d.pick(QStringList { "k.png", "r.svg", "p.PNG", "old.png", "x.jpg" });
        if (items.isEmpty())
            items << d.pick(QStringList { "k.csv", "r.csv", "old.csv", "s.fourk", "-", "missing/x",
                                          "folder", "" });
        return items.join(d.chance(0.97) ? "," : ";");
    }

    QStringList commandLine()
    {
        static const QStringList valued { "n",        "r",      "p0",           "p2",   "sigma",
                                          "pointer",  "window", "envelope",     "show", "size",
                                          "scenario", "data",   "data-columns", "chik", "chir",
                                          "plot-k",   "plot-r", "save-scenario" };
        // There before every run: a file to overwrite and a folder.
        write(dir.filePath("old.csv"), "old\n");
        dir.mkdir("folder");
        last.clear();
        QStringList args;
        // Almost always an output first, so that most runs get as far as building the windows.
        for (int i = d.chance(0.9) ? -1 : 0, n = d.uniform(0, 6); i < n; ++i) {
            const QString name = d.pick(valued.mid(i < 0 ? 13 : 0)),
                          v = last["--" + name] = value(name);
            args << (d.chance(0.3) ? QStringList { "--" + name + "=" + v }
                                   : QStringList { "--" + name, v });
        }
        if (d.chance(0.1))
            args << d.pick(QStringList { "--no-envelope", "--use-window", "--no-debye", "--pm",
                                         "--pm=1", "-r", "--R", "r", "--" });
        return args;
    }

    // Whether the run must fail: an input file the model's readers refuse.
    bool mustFail()
    {
        Scenario s;
        Spectrum m;
        QString error;
        const QStringList columns = last.value("--data-columns", "1,2").split(',');
        return (last.contains("--scenario")
                && !ScenarioFile::read(dir.filePath(last["--scenario"]), &s, &error))
               || (last.contains("--data") && columns.size() == 2
                   && !SpectrumFile::read(dir.filePath(last["--data"]), columns[0].toInt(),
                                          columns[1].toInt(), &m, &error));
    }

    QStringList judge(int status, const QByteArray &out, const QByteArray &err,
                      const QMap<QString, QByteArray> &before)
    {
        QStringList problems;
        if (status == 1 || status == 2)
            return problems << QStringList { "not one line on standard error" }.mid(
                       err.count('\n') == 1 && err.startsWith("fourk-export: "))
                            << QStringList { "the folder changed" }.mid(snapshot(dir) == before);
        if (status != 0 || !err.isEmpty() || mustFail())
            return {
                QString("status %1, though a file it reads is refused by the model").arg(status)
            };
        QMap<QString, QByteArray> after = snapshot(dir);
        const QStringList size = last.value("--size", "800x600").split('x');
        for (const QString option :
             { "--chik", "--chir", "--plot-k", "--plot-r", "--save-scenario" }) {
            const QString file = last.value(option, "-");
            const QByteArray text = file == "-" ? out : after.take(file);
            Scenario s;
            QString error;
            bool good = text.endsWith('\n') && text.count('\n') > 1;
            for (const QByteArray &cell : text.trimmed().replace('\n', ',').split(',').mid(2))
                good = good && std::isfinite(cell.toDouble(&good));
            if (option == "--save-scenario" && (good = ScenarioFile::parse(text, &s, &error)))
                saved = text;
            if (option.startsWith("--plot"))
                good = file.endsWith(".svg") ? text.contains("<svg")
                                             : QImage::fromData(text).size()
                                                   == QSize(size[0].toInt(), size[1].toInt());
            if (!good && file != "-")
                problems << option + " " + file + " is incomplete " + error;
        }
        for (auto it = after.cbegin(); it != after.cend(); ++it)
            if (before.value(it.key()) != it.value())
                problems << it.key() + " changed, though no output names it";
        return problems;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int runs = 200;
    unsigned seed = 1;
    start("runs", &runs, &seed);
    std::printf("fourk-export-fuzz: %d runs, seed %u\n", runs, seed);
    // A sanitizer build turns every finding into a crash, with whole stacks for the leak check,
    // which knows Qt's own platform allocations from a suppressions file.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ASAN_OPTIONS", "abort_on_error=1:fast_unwind_on_malloc=0");
    env.insert("UBSAN_OPTIONS", "abort_on_error=1:print_stacktrace=1");
    env.insert("LSAN_OPTIONS", "suppressions=" FOURK_LSAN_SUPPRESSIONS ":print_suppressions=0");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    Fuzz fuzz;
    fuzz.d = Dice(seed);
    for (int i = 0; i < runs; ++i) {
        QTemporaryDir folder;
        fuzz.dir = QDir(folder.path());
        const QStringList args = fuzz.commandLine();
        const QMap<QString, QByteArray> before = snapshot(fuzz.dir);
        step(i, "fourk-export '" + args.join("' '") + "'");
        QProcess p;
        p.setWorkingDirectory(folder.path());
        p.setProcessEnvironment(env);
        p.start(FOURK_EXPORT_BINARY, args);
        const bool ended = p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit;
        const QByteArray err = p.readAllStandardError();
        QStringList problems
            = ended ? fuzz.judge(p.exitCode(), p.readAllStandardOutput(), err, before)
                    : QStringList("crashed");
        if (!(problems += std::exchange(warnings, {})).isEmpty())
            return fail(problems << "standard error: " + err);
    }
    step(-1, {});
    std::printf("fourk-export-fuzz: all %d runs ended as they must\n", runs);
    return 0;
}
