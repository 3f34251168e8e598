#pragma once

#include <QCommandLineParser>
#include <QFile>
#include <QRegularExpression>

#include <cmath>
#include <csignal>
#include <random>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

// What the soak and the export fuzz share. std:: distributions may differ between standard
// libraries: a seed replays on the build that found it, which is all a soak needs.
struct Dice : std::mt19937
{
    using std::mt19937::mt19937;
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(*this); }
    double real(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(*this); }
    bool chance(double p) { return real(0, 1) < p; }
    template<typename Items>
    auto pick(const Items &items)
    {
        return items[uniform(0, int(std::size(items)) - 1)];
    }
};

namespace Harness {

inline QCommandLineParser options;
inline QStringList problems;
// The line that replays the run up to this step, made before the step for a crash to print.
inline QString replay;
inline QByteArray replayNow;

extern "C" inline void onSignal(int sig)
{
    if (::write(STDERR_FILENO, replayNow.constData(), replayNow.size()) < 0 || sig == 0)
        return;
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// A warning means a value reached Qt that should not have. Let through the offscreen platform's
// notes, a headless session's missing runtime folder, and a font that cannot shape a script.
inline void trap(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    static const QRegularExpression notice("^(This plugin does not|QStandardPaths: XDG|OpenType)");
    if (type != QtDebugMsg && type != QtInfoMsg && !notice.match(message.trimmed()).hasMatch())
        problems << "Qt warned: " + message;
}

// Reads the options; from here on Qt warnings are caught, and crashes print the replay line.
inline void start(const QString &count, const QString &byDefault)
{
    qInstallMessageHandler(trap);
    options.addOptions({ { count, "How many.", "N", byDefault },
                         { "seed", "The seed.", "S", "1" },
                         { "trace", "Print each step." } });
    options.process(QCoreApplication::arguments());
    const QString name = QCoreApplication::applicationName() + ": ", seed = options.value("seed");
    replay = name + QString("seed %1, %2 %3: %4\n").arg(seed, count.chopped(1), "%1", "%2") + name
             + QString("replay with --seed %1 --%2 %3\n").arg(seed, count, "%3");
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizers own SIGSEGV and friends; they call this before they end the process.
    __sanitizer_set_death_callback([] { onSignal(0); });
    for (int sig : { SIGALRM, SIGABRT })
#else
    for (int sig : { SIGALRM, SIGABRT, SIGSEGV, SIGFPE, SIGBUS, SIGILL })
#endif
        std::signal(sig, onSignal);
}

// Names the step in the replay line; a step of over two minutes counts as a hang.
inline void step(int index, const QString &what)
{
    replayNow = replay.arg(QString::number(index), what, QString::number(index + 1)).toUtf8();
    alarm(120);
    if (options.isSet("trace"))
        std::printf("%d: %s\n", index, qPrintable(what));
    std::fflush(stdout);
}

inline void want(bool ok, const QString &problem)
{
    problems << QStringList(problem).mid(ok);
}

inline int fail()
{
    for (const QString &p : problems)
        std::fprintf(stderr, "%s\n", qPrintable(QCoreApplication::applicationName() + ": " + p));
    onSignal(0);
    return 1;
}

inline QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("?");
}

inline bool write(const QString &path, const QByteArray &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

inline QString odd(Dice &d)
{
    return d.pick(QStringList {
        QString::number(d.real(-9, 9) * std::pow(10.0, d.uniform(-330, 330)), 'g', 17), "nan",
        "-inf", "1e999", "4.9e-324", "-0", "", " 7 ", "0x10", "1,5", "1e", "\u22123", "\uff11",
        "\U0001f600", "\u7a93", QString(999, '9') });
}

// A text as it is, cut short, or with the text from some point to the next delimiter replaced.
inline QByteArray damage(Dice &d, QByteArray text)
{
    int at = d.uniform(0, text.size()), end = at;
    while (end < text.size() && !QByteArray(",]}\n").contains(text[end]))
        ++end;
    const QByteArray by = d.pick(QList<QByteArray> {
        "", "0", "3", "\"x\"", "[]", "{}", "[[1,1]]",
        "[" + QByteArray("[1,1],").repeated(1000) + "[2,1]]", odd(d).toUtf8() });
    return d.chance(0.3) ? text : d.chance(0.1) ? text.left(at) : text.replace(at, end - at, by);
}

// A measured chi(k) with a header, separators and line ends of any kind; damaged or not.
inline QByteArray data(Dice &d)
{
    QByteArray text
        = d.pick(QList<QByteArray> { "", "\xef\xbb\xbf", "# k chi\n", "k chi\n", "! a\n% b\n\n" });
    const QByteArray gap = d.pick(QList<QByteArray> { " ", "\t", ",", ";", " ,\t" }),
                     end = d.chance(0.9) ? "\n" : "\r\n";
    for (double k = d.real(0, 3), rows = d.uniform(0, 300), scale = d.chance(0.05) ? 1e300 : 1;
         rows > 0; --rows)
        text += QByteArray::number(k += d.real(0.001, 0.3) * scale, 'g', 12) + gap
                + QByteArray::number(d.real(-2, 2), 'g', d.uniform(1, 17)) + gap + "7" + end;
    return damage(d, text);
}

// A FEFF path file of a few rows, damaged or not.
inline QByteArray feffPath(Dice &d)
{
    QByteArray text = " A path\n -----------------\n   2  12.000   2.5527  2.6  -3.8 nleg, deg, "
                      "reff\n  x y z pot at#\n  0 0 0 0 29 Cu\n"
                      "    k   real[2*phc]   mag[feff]  phase[feff] red factor   lambda     "
                      "real[p]@#\n";
    for (int i = 0, rows = d.uniform(0, 60); i < rows; ++i)
        text += QByteArray::number(i * 0.25) + " 3.9 " + QByteArray::number(d.real(0, 1))
                + " -5 0.99 " + QByteArray::number(d.real(0.5, 40)) + " "
                + QByteArray::number(i * 0.25 + 0.1) + "\n";
    return damage(d, text);
}

} // namespace Harness

#if defined(__SANITIZE_ADDRESS__)
// The undefined-behaviour checks do not call the death callback: make them stop through
// abort(), whose handler prints the replay line, and with the stack.
extern "C" const char *__ubsan_default_options()
{
    return "print_stacktrace=1:abort_on_error=1";
}
#endif
