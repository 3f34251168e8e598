// fourk-export-fuzz: runs fourk-export many times with random command lines (option names right
// and wrong, values of every kind, lists of any length, good and unwritable output files) and
// checks how each run ends: status 0, 1 or 2, never a crash, a hang or a sanitizer report; for 1
// and 2 exactly one clear line on standard error and no file written or changed; for 0 every
// output complete and readable, tables of finite numbers, and nothing else left behind.
//
//   fourk-export-fuzz [--runs N] [--seed S] [--program PATH] [--trace]

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>

namespace {

// One run, even a large plot under the sanitizers, takes a few seconds.
constexpr int hangMilliseconds = 180000;

struct Options
{
    int runs = 200;
    unsigned seed = 1;
    QString program = QStringLiteral(FOURK_EXPORT_BINARY);
    bool trace = false;
};

// std:: distributions may differ between standard libraries; a seed replays on the same build.
class Dice
{
public:
    explicit Dice(unsigned seed)
        : rng(seed)
    { }

    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    double real(double lo, double hi)
    {
        return std::uniform_real_distribution<double>(lo, hi)(rng);
    }
    bool chance(double p) { return real(0.0, 1.0) < p; }
    template<typename T>
    T pick(const QVector<T> &items)
    {
        return items[uniform(0, items.size() - 1)];
    }

private:
    std::mt19937 rng;
};

// Files that are there before every run: one to overwrite, a folder, and a plain file that a
// path tries to use as a folder.
const QByteArray oldContent("old,content\n1,2\n");

void prepare(const QString &dir)
{
    QFile old(dir + QStringLiteral("/old.csv"));
    if (old.open(QIODevice::WriteOnly))
        old.write(oldContent);
    QDir(dir).mkdir(QStringLiteral("folder.csv"));
    QFile blocker(dir + QStringLiteral("/blocker"));
    if (blocker.open(QIODevice::WriteOnly))
        blocker.write("x");
}

// Every entry under dir (not recursing into folders) with a digest of its content.
QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    const QFileInfoList entries
        = QDir(dir).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo &info : entries) {
        QFile f(info.filePath());
        files[info.fileName()]
            = info.isDir() || !f.open(QIODevice::ReadOnly)
                  ? QByteArray("<folder>")
                  : QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
    }
    return files;
}

// A number for an option ranging over lo … hi: mostly within, otherwise (with the chance odd)
// at or just beyond the bounds, of any magnitude, or no number at all.
QString number(Dice &d, double lo, double hi, double odd = 0.5)
{
    static const QVector<QString> notNumbers = {
        "nan",
        "inf",
        "-inf",
        "1e999",
        "-1e999",
        "1e308",
        "-1e308",
        "4.9e-324",
        "-0",
        "",
        " ",
        "1,5",
        "0x10",
        "2.5e0",
        " 2",
        "2 ",
        "+3",
        "1e",
        ".",
        "--1",
        "two",
        "\xe2\x88\x92"
        "1",
        "\xef\xbc\x92",
    };
    if (!d.chance(odd))
        return QString::number(d.real(lo, hi), 'g', d.uniform(1, 17));
    switch (d.uniform(0, 2)) {
    case 0:
        return QString::number(
            d.pick(QVector<double> { lo, hi, lo - 1e-9, hi + 1e-9, hi * 10 + 1, lo * 10 - 1 }), 'g',
            17);
    case 1:
        return QString::number((d.chance(0.5) ? -1 : 1) * d.real(1, 10)
                                   * std::pow(10.0, d.uniform(-320, 308)),
                               'g', d.uniform(1, 17));
    default:
        return QString::fromUtf8(d.pick(notNumbers).toUtf8());
    }
}

QString list(Dice &d, int typical, const std::function<QString()> &item)
{
    const int n = d.chance(0.9) ? typical : d.uniform(0, 6);
    QStringList items;
    for (int i = 0; i < n; ++i)
        items << item();
    return items.join(d.chance(0.98) ? QStringLiteral(",") : QStringLiteral(";"));
}

QString fileName(Dice &d, bool plot)
{
    static const QVector<QString> tables = { "k.csv", "r.csv", "-", "old.csv", "t.txt", "noext" };
    static const QVector<QString> plots = { "k.png", "r.svg", "p.PNG", "q.Svg", "old.png" };
    static const QVector<QString> odd = {
        "missing/x.csv",
        "blocker/x.csv",
        "blocker/x.png",
        "folder.csv",
        "",
        "-",
        " space.png",
        "./k.csv",
        "k.csv",
        "x.jpg",
        ".png",
        "\xe5\x90\x8d\xe5\x89\x8d.csv",
        "\xe5\x9b\xb3.svg",
    };
    if (d.chance(0.8))
        return d.pick(plot ? plots : tables);
    return QString::fromUtf8(d.pick(odd).toUtf8());
}

QString value(Dice &d, const QString &name)
{
    static const QStringList selectors = { "real", "imag", "abs", "F", "W", "wave", "total" };
    if (name == QLatin1String("n"))
        return d.chance(0.6) ? QString::number(d.uniform(0, 4))
                             : d.pick(QVector<QString> { "2.0", "02", " 2", "1e0", "", "x", "-1",
                                                         "99999999999" });
    if (name == QLatin1String("r"))
        return number(d, 0, 10);
    if (name == QLatin1String("p0"))
        return number(d, -10, 10);
    if (name == QLatin1String("p2"))
        return number(d, -1, 1);
    if (name == QLatin1String("sigma"))
        return number(d, 0, 0.2);
    if (name == QLatin1String("pointer"))
        return number(d, -2, 10);
    if (name == QLatin1String("window"))
        return list(d, 4, [&] { return number(d, -2, 20, 0.1); });
    if (name == QLatin1String("envelope")) {
        return list(d, d.uniform(1, 40), [&] {
            if (d.chance(0.05))
                return d.pick(QVector<QString> { "1:2:3", ":1", "1:", "", "a:b" });
            return number(d, -2, 18, 0.01) + QLatin1Char(':') + number(d, -3, 3, 0.01);
        });
    }
    if (name == QLatin1String("show")) {
        if (d.chance(0.1))
            return d.pick(QVector<QString> { "none", "", "ABS", "all", "abs,", "total,total" });
        if (d.chance(0.05))
            return QStringLiteral("none");
        return list(d, d.uniform(1, 7), [&] { return selectors[d.uniform(0, 6)]; });
    }
    if (name == QLatin1String("size")) {
        // Mostly small: a side of 8192 takes a while under the sanitizers.
        const auto side = [&] {
            if (d.chance(0.85))
                return QString::number(d.uniform(1, 700));
            return d.pick(QVector<QString> { "0", "-1", "8193", "99999999", "1e3", "", "2048" });
        };
        if (d.chance(0.1))
            return d.pick(QVector<QString> { "800*600", "x", "800x", " 800x600", "800X600",
                                             "8192x1", "1x8192" });
        return side() + QLatin1Char('x') + side();
    }
    if (name.startsWith(QLatin1String("plot")))
        return fileName(d, true);
    if (name == QLatin1String("chik") || name == QLatin1String("chir"))
        return fileName(d, false);
    return number(d, -10, 10);
}

QStringList commandLine(Dice &d)
{
    static const QVector<QString> valued
        = { "n",    "r",       "p0",   "p2",   "sigma",  "window", "envelope",
            "show", "pointer", "chik", "chir", "plot-k", "plot-r", "size" };
    static const QVector<QString> flags = { "no-envelope", "no-window", "no-debye", "pm" };
    static const QVector<QString> wrong
        = { "--", "-",    "-r",    "---r", "--R",    "--sigma2",  "--plot", "--x",  "",
            "r",  "chik", "--no-", "-h",   "--help", "--version", "--pm=1", "--n=", "--=3" };
    QStringList args;
    // Almost always one output, so that most runs get as far as building the windows.
    if (d.chance(0.9)) {
        const QString name = d.pick(QVector<QString> { "chik", "chir", "plot-k", "plot-r" });
        args << QStringLiteral("--") + name << value(d, name);
    }
    const int options = d.uniform(0, 6);
    for (int i = 0; i < options; ++i) {
        const int kind = d.uniform(0, 29);
        if (kind < 24) {
            const QString name = d.pick(valued);
            const QString v = value(d, name);
            if (d.chance(0.3))
                args << QStringLiteral("--%1=%2").arg(name, v);
            else if (d.chance(0.97))
                args << QStringLiteral("--") + name << v;
            else
                args << QStringLiteral("--") + name; // its value missing
        } else if (kind < 27) {
            args << QStringLiteral("--") + d.pick(flags);
        } else if (kind < 29 || d.chance(0.5)) {
            args << d.pick(wrong);
        } else {
            QString junk;
            for (int c = d.uniform(1, 8); c > 0; --c)
                junk += QChar(d.uniform(33, 126));
            args << junk;
        }
    }
    if (d.chance(0.05))
        std::shuffle(args.begin(), args.end(), std::mt19937(d.uniform(0, 1 << 30)));
    return args;
}

QString shellQuoted(const QStringList &args)
{
    QStringList out;
    for (QString a : args) {
        a.replace(QLatin1Char('\''), QLatin1String("'\\''"));
        out << QLatin1Char('\'') + a + QLatin1Char('\'');
    }
    return out.join(QLatin1Char(' '));
}

// The outputs the arguments name, as the program reads them (value after '=' or next).
QMap<QString, QString> outputsNamed(const QStringList &args, QString *size)
{
    QMap<QString, QString> named;
    for (int i = 0; i < args.size(); ++i) {
        QString name = args[i];
        QString v;
        const int eq = name.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            v = name.mid(eq + 1);
            name.truncate(eq);
        } else if (i + 1 < args.size()) {
            v = args[i + 1];
        }
        if (name == QLatin1String("--chik") || name == QLatin1String("--chir")
            || name == QLatin1String("--plot-k") || name == QLatin1String("--plot-r"))
            named[name] = v;
        if (name == QLatin1String("--size"))
            *size = v;
        if (eq < 0 && name.startsWith(QLatin1String("--")) && i + 1 < args.size()
            && !name.startsWith(QLatin1String("--no-")) && name != QLatin1String("--pm"))
            ++i;
    }
    return named;
}

// A table every cell of which, below the header, is a finite number.
QString checkTable(const QByteArray &data)
{
    if (!data.endsWith('\n'))
        return QStringLiteral("the table does not end with a line break");
    const QList<QByteArray> lines = data.trimmed().split('\n');
    if (lines.size() < 2)
        return QStringLiteral("the table has no rows");
    for (int i = 1; i < lines.size(); ++i) {
        for (const QByteArray &cell : lines[i].split(',')) {
            bool ok = false;
            const double v = cell.toDouble(&ok);
            if (!ok || !std::isfinite(v))
                return QStringLiteral("row %1 holds '%2'").arg(i).arg(QString::fromLatin1(cell));
        }
    }
    return QString();
}

// Problems with one finished run; empty when it ended as it must.
QStringList judge(int status, const QByteArray &out, const QByteArray &err, const QString &dir,
                  const QMap<QString, QByteArray> &before, const QStringList &args)
{
    QStringList problems;
    const QMap<QString, QByteArray> after = snapshot(dir);
    if (status == 1 || status == 2) {
        const QList<QByteArray> lines = err.split('\n');
        if (!err.startsWith("fourk-export: ") || lines.size() != 2 || !lines[1].isEmpty()
            || lines[0].size() < 25)
            problems
                << QStringLiteral("status %1 without one clear line on standard error").arg(status);
        if (after != before)
            problems << QStringLiteral("status %1, yet the folder changed").arg(status);
        return problems;
    }
    if (status != 0) {
        problems << QStringLiteral("status %1").arg(status);
        return problems;
    }
    if (!err.isEmpty())
        problems << QStringLiteral("status 0 with text on standard error");
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))
        || args.contains(QStringLiteral("--version"))) {
        if (out.isEmpty())
            problems << QStringLiteral("--help or --version printed nothing");
        return problems;
    }

    QString size = QStringLiteral("800x600");
    const QMap<QString, QString> named = outputsNamed(args, &size);
    QSet<QString> written;
    for (auto it = named.cbegin(); it != named.cend(); ++it) {
        const QString path = it.value();
        if (path == QLatin1String("-")) {
            const QString bad = checkTable(out);
            if (!bad.isEmpty())
                problems << it.key() + QStringLiteral(" on standard output: ") + bad;
            continue;
        }
        const QFileInfo info(QDir(dir), path);
        written
            << QDir(dir).relativeFilePath(info.absoluteFilePath()).section(QLatin1Char('/'), 0, 0);
        QFile f(info.absoluteFilePath());
        if (!f.open(QIODevice::ReadOnly)) {
            problems << QStringLiteral("%1 '%2' was not written").arg(it.key(), path);
            continue;
        }
        const QByteArray data = f.readAll();
        const QString suffix = info.suffix().toLower();
        if (!it.key().startsWith(QLatin1String("--plot"))) {
            const QString bad = checkTable(data);
            if (!bad.isEmpty())
                problems << QStringLiteral("%1 '%2': %3").arg(it.key(), path, bad);
        } else if (suffix == QLatin1String("png")) {
            const QImage image = QImage::fromData(data, "PNG");
            static const QRegularExpression form(QStringLiteral("^(\\d+)[xX](\\d+)$"));
            const QRegularExpressionMatch m = form.match(size);
            if (image.isNull())
                problems << QStringLiteral("%1 '%2' is no PNG").arg(it.key(), path);
            else if (m.hasMatch()
                     && image.size() != QSize(m.captured(1).toInt(), m.captured(2).toInt()))
                problems << QStringLiteral("%1 '%2' is %3 x %4, not %5")
                                .arg(it.key(), path)
                                .arg(image.width())
                                .arg(image.height())
                                .arg(size);
        } else if (!data.contains("<svg") || !data.trimmed().endsWith("</svg>")) {
            problems << QStringLiteral("%1 '%2' is no complete SVG").arg(it.key(), path);
        }
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!written.contains(it.key()) && before.value(it.key()) != it.value())
            problems << QStringLiteral("'%1' appeared or changed, though no output names it")
                            .arg(it.key());
    }
    return problems;
}

// The sanitizers of a sanitizer build turn every finding into a crash, with full stacks for the
// leak check, which knows Qt's own platform allocations from a suppressions file.
QProcessEnvironment environment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const auto add = [&env](const QString &name, const QString &options) {
        const QString old = env.value(name);
        env.insert(name, old.isEmpty() ? options : old + QLatin1Char(':') + options);
    };
    add(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("abort_on_error=1:fast_unwind_on_malloc=0"));
    add(QStringLiteral("UBSAN_OPTIONS"), QStringLiteral("abort_on_error=1:print_stacktrace=1"));
    add(QStringLiteral("LSAN_OPTIONS"),
        QStringLiteral("suppressions=" FOURK_LSAN_SUPPRESSIONS ":print_suppressions=0"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

bool parse(const QStringList &arguments, Options &options)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        bool ok = true;
        if (a == QLatin1String("--runs") && i + 1 < arguments.size()) {
            options.runs = arguments[++i].toInt(&ok);
            ok = ok && options.runs >= 0;
        } else if (a == QLatin1String("--seed") && i + 1 < arguments.size()) {
            options.seed = arguments[++i].toUInt(&ok);
        } else if (a == QLatin1String("--program") && i + 1 < arguments.size()) {
            options.program = arguments[++i];
        } else if (a == QLatin1String("--trace")) {
            options.trace = true;
        } else {
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr,
                         "fourk-export-fuzz: cannot use the argument \"%s\"\n"
                         "usage: fourk-export-fuzz [--runs N] [--seed S] [--program PATH] "
                         "[--trace]\n",
                         qPrintable(a));
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Options options;
    if (!parse(QCoreApplication::arguments(), options))
        return 2;

    std::printf("fourk-export-fuzz: %d runs of %s, seed %u\n", options.runs,
                qPrintable(options.program), options.seed);
    std::fflush(stdout);
    Dice dice(options.seed);
    const QProcessEnvironment env = environment();
    QMap<int, int> statuses;
    QElapsedTimer clock;
    clock.start();

    for (int i = 0; i < options.runs; ++i) {
        const QStringList args = commandLine(dice);
        if (options.trace) {
            std::printf("%d: fourk-export %s\n", i, shellQuoted(args).toUtf8().constData());
            std::fflush(stdout);
        }
        QTemporaryDir dir;
        if (!dir.isValid()) {
            std::fprintf(stderr, "fourk-export-fuzz: cannot make a temporary folder\n");
            return 1;
        }
        prepare(dir.path());
        const QMap<QString, QByteArray> before = snapshot(dir.path());

        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.setProcessEnvironment(env);
        p.start(options.program, args);
        QStringList problems;
        if (!p.waitForStarted()) {
            problems << QStringLiteral("did not start: ") + p.errorString();
        } else if (!p.waitForFinished(hangMilliseconds)) {
            p.kill();
            p.waitForFinished();
            problems << QStringLiteral("hung");
        } else if (p.exitStatus() != QProcess::NormalExit) {
            problems << QStringLiteral("crashed");
        }
        const QByteArray out = p.readAllStandardOutput();
        const QByteArray err = p.readAllStandardError();
        if (problems.isEmpty()) {
            statuses[p.exitCode()] += 1;
            problems = judge(p.exitCode(), out, err, dir.path(), before, args);
        }
        if (!problems.isEmpty()) {
            std::fprintf(stderr, "fourk-export-fuzz: seed %u, run %d: fourk-export %s\n",
                         options.seed, i, shellQuoted(args).toUtf8().constData());
            for (const QString &problem : qAsConst(problems))
                std::fprintf(stderr, "fourk-export-fuzz: %s\n", problem.toUtf8().constData());
            std::fprintf(stderr, "--- standard error:\n%s---\n", err.constData());
            std::fprintf(stderr, "fourk-export-fuzz: replay with --seed %u --runs %d\n",
                         options.seed, i + 1);
            return 1;
        }
    }
    std::printf("fourk-export-fuzz: all %d runs ended as they must in %.1f s (status 0: %d, "
                "1: %d, 2: %d)\n",
                options.runs, clock.elapsed() / 1000.0, statuses.value(0), statuses.value(1),
                statuses.value(2));
    return 0;
}
