// fourk-soak: the real chi(k) and Chi(R) windows, offscreen, under a long seeded sequence of
// random user actions. After each action both plots are painted again and the model is checked;
// the first broken invariant, Qt warning, crash or hang names the seed and the action, and
// "--seed S --actions N" replays the run up to that action.
//
//   fourk-soak [--actions N] [--seed S] [--trace] [-e|-j]
//   fourk-soak --startup-check [-e|-j]
//
// --startup-check does what the program does (build, show, close the main window) and ends with
// the event loop's status, so that a sanitizer build reports any leak of ours at exit.

#include "app/chik.h"
#include "app/chir.h"
#include "app/commandline.h"
#include "invariants.h"
#include "model/awave.h"
#include "model/envelope.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/disparea.h"
#include "randomuser.h"
#include "warningtrap.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTest>
#include <QTranslator>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// One action, even a repaint at 2560 x 1600 under the sanitizers, takes well under a second.
constexpr unsigned hangSeconds = 120;

struct Options
{
    int actions = 2000;
    unsigned seed = 1;
    bool trace = false;
    bool startupCheck = false;
};

// Written before every action, so that a crash or a hang can still name it.
char replayLine[2048];
std::size_t replayLength = 0;

void setReplay(unsigned seed, int index, const QString &action)
{
    const int n = std::snprintf(replayLine, sizeof replayLine,
                                "fourk-soak: seed %u, action %d: %s\n"
                                "fourk-soak: replay with --seed %u --actions %d\n",
                                seed, index, action.toUtf8().constData(), seed, index + 1);
    replayLength = n < 0 ? 0 : std::min<std::size_t>(std::size_t(n), sizeof replayLine - 1);
}

void writeReplay()
{
    if (replayLength > 0 && write(STDERR_FILENO, replayLine, replayLength) < 0)
        return;
}

extern "C" void onFatalSignal(int sig)
{
    writeReplay();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

extern "C" void onHang(int)
{
    static const char message[] = "fourk-soak: an action hung\n";
    if (write(STDERR_FILENO, message, sizeof message - 1) < 0)
        _exit(3);
    writeReplay();
    _exit(3);
}

void installCrashReport()
{
    std::signal(SIGALRM, onHang);
    std::signal(SIGABRT, onFatalSignal);
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizers own SIGSEGV and friends; they call this before they end the process.
    __sanitizer_set_death_callback(writeReplay);
#else
    for (int sig : { SIGSEGV, SIGFPE, SIGBUS, SIGILL })
        std::signal(sig, onFatalSignal);
#endif
}

void usage()
{
    std::fprintf(stderr, "usage: fourk-soak [--actions N] [--seed S] [--trace] [-e|-j]\n"
                         "       fourk-soak --startup-check [-e|-j]\n");
}

// False on anything it does not understand; -e and -j are the program's own and pass.
bool parse(const QStringList &arguments, Options &options)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        bool ok = true;
        if (a == QLatin1String("--actions") && i + 1 < arguments.size()) {
            options.actions = arguments[++i].toInt(&ok);
            ok = ok && options.actions >= 0;
        } else if (a == QLatin1String("--seed") && i + 1 < arguments.size()) {
            options.seed = arguments[++i].toUInt(&ok);
        } else if (a == QLatin1String("--trace")) {
            options.trace = true;
        } else if (a == QLatin1String("--startup-check")) {
            options.startupCheck = true;
        } else if (a != QLatin1String("-e") && a != QLatin1String("-j")) {
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr, "fourk-soak: cannot use the argument \"%s\"\n", qPrintable(a));
            return false;
        }
    }
    return true;
}

// Both surfaces painted as they are now; the chi(R) one first, since painting the chi(k) plot
// brings a closed chi(R) window back.
QStringList repaint(ChiK &window)
{
    QStringList problems;
    DispArea *surfaces[]
        = { window.chiR->DispA, window.findChild<DispArea *>(QStringLiteral("DispA")) };
    for (DispArea *surface : surfaces) {
        const QImage image = surface->grab().toImage();
        if (!surface->size().isEmpty() && image.size() != surface->size()) {
            problems << QStringLiteral("a %1 x %2 plot painted %3 x %4")
                            .arg(surface->width())
                            .arg(surface->height())
                            .arg(image.width())
                            .arg(image.height());
        }
    }
    return problems;
}

// Where the windows stand, to see that the actions reach the editors and the sizes.
QString state(ChiK &window)
{
    const AWave *wave = window.waves.first();
    QStringList edges;
    for (double e : wave->ctrl->WindowCtrl->positions)
        edges << QString::number(e, 'g', 4);
    int moved = 0;
    for (int i = 0; i < wave->envelope->nodes.size(); ++i)
        moved += wave->envelope->nodes[i] != QPointF(i, 1.0);
    const QSize k = window.findChild<DispArea *>(QStringLiteral("DispA"))->size();
    const QSize r = window.chiR->DispA->size();
    return QStringLiteral(
               "edges %1; %2 nodes moved; pointer at R = %3; plots %4 x %5 and %6 x %7%8")
        .arg(edges.join(QStringLiteral(", ")))
        .arg(moved)
        .arg(window.chiR->pointerR, 0, 'g', 4)
        .arg(k.width())
        .arg(k.height())
        .arg(r.width())
        .arg(r.height())
        .arg(window.chiR->isVisible() ? QString() : QStringLiteral("; Chi(R) closed"));
}

int soak(ChiK &window, const Options &options)
{
    std::printf("fourk-soak: %d actions, seed %u\n", options.actions, options.seed);
    std::fflush(stdout);
    QObject::connect(&window, SIGNAL(finishing()), qApp, SLOT(closeAllWindows()));
    window.show();
    QCoreApplication::processEvents();
    QStringList atStart = repaint(window) + Invariants::check(window);
    for (const QString &warning : WarningTrap::take())
        atStart << QStringLiteral("Qt warned: ") + warning;
    if (!atStart.isEmpty()) {
        for (const QString &p : qAsConst(atStart))
            std::fprintf(stderr, "fourk-soak: at start-up: %s\n", p.toUtf8().constData());
        return 1;
    }

    RandomUser user(&window, options.seed);
    QElapsedTimer clock;
    clock.start();

    for (int i = 0; i < options.actions; ++i) {
        const RandomUser::Action action = user.next();
        setReplay(options.seed, i, action.description);
        if (options.trace) {
            std::printf("%d: %s\n", i, action.description.toUtf8().constData());
            std::fflush(stdout);
        }
        alarm(hangSeconds);
        action.perform();
        QCoreApplication::processEvents();
        QStringList problems = repaint(window);
        QCoreApplication::processEvents();
        problems += Invariants::check(window);
        for (const QString &warning : WarningTrap::take())
            problems << QStringLiteral("Qt warned: ") + warning;
        if (options.trace) {
            std::printf("   %s\n", qPrintable(state(window)));
            std::fflush(stdout);
        }
        if (!problems.isEmpty()) {
            alarm(0);
            for (const QString &p : qAsConst(problems))
                std::fprintf(stderr, "fourk-soak: %s\n", p.toUtf8().constData());
            writeReplay();
            return 1;
        }
    }
    alarm(0);
    replayLength = 0;
    const double seconds = clock.elapsed() / 1000.0;
    std::printf("fourk-soak: all %d actions passed in %.1f s (%.0f actions/s)\n", options.actions,
                seconds, seconds > 0 ? options.actions / seconds : 0.0);
    std::printf("fourk-soak: left with %s\n", qPrintable(state(window)));
    // The leak check at exit ends the process without flushing.
    std::fflush(stdout);
    return 0;
}

// The program's own life: shown, both windows painted, the main window closed by the user.
int startupCheck(QApplication &app, ChiK &window)
{
    QObject::connect(&window, SIGNAL(finishing()), &app, SLOT(closeAllWindows()));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window) || !QTest::qWaitForWindowExposed(window.chiR)) {
        std::fprintf(stderr, "fourk-soak: the windows did not appear\n");
        return 1;
    }
    QCoreApplication::processEvents();
    // Queued, so that it runs inside the event loop, as the user's click would.
    QMetaObject::invokeMethod(&window, "close", Qt::QueuedConnection);
    const int status = app.exec();
    if (status != 0 || window.isVisible() || window.chiR->isVisible()) {
        std::fprintf(stderr, "fourk-soak: the event loop ended with %d, windows %s\n", status,
                     window.isVisible() || window.chiR->isVisible() ? "still open" : "closed");
        return 1;
    }
    const QStringList warnings = WarningTrap::take();
    if (!warnings.isEmpty()) {
        std::fprintf(stderr, "fourk-soak: Qt warned at start-up or close\n");
        return 1;
    }
    std::printf("fourk-soak: started, showed both windows and closed\n");
    std::fflush(stdout);
    return 0;
}

} // namespace

#if defined(__SANITIZE_ADDRESS__)
// The undefined-behaviour checks live in a runtime of their own, which does not call the death
// callback: make them stop through abort(), whose handler names the action, and with the stack.
extern "C" const char *__ubsan_default_options()
{
    return "print_stacktrace=1:abort_on_error=1";
}
#endif

int main(int argc, char *argv[])
{
    // Headless unless a platform is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    WarningTrap::install();
#if defined(__SANITIZE_ADDRESS__)
    // Qt's platform plugin keeps the screen and cursor it makes here for the whole process:
    // Qt's own, not leaks of ours (and with Qt built without frame pointers, the fast unwinder
    // cannot tell them apart by their stacks).
    __lsan_disable();
#endif
    QApplication app(argc, argv);
#if defined(__SANITIZE_ADDRESS__)
    __lsan_enable();
#endif

    Options options;
    const QStringList arguments = QCoreApplication::arguments();
    if (!parse(arguments, options)) {
        usage();
        return 2;
    }
    installCrashReport();

    QTranslator translator;
    if (languageFromArguments(arguments) == Language::Japanese) {
        loadJapaneseCatalogue(translator);
        QCoreApplication::installTranslator(&translator);
    }

    auto *window = new ChiK;
    const int status = options.startupCheck ? startupCheck(app, *window) : soak(*window, options);
    delete window;
    if (status != 0)
        return status;

    // The main window takes everything it made with it, the chi(R) window included.
    const QWidgetList left = QApplication::topLevelWidgets();
    if (!left.isEmpty()) {
        std::fprintf(stderr,
                     "fourk-soak: %d windows outlived the main window, the first one \"%s\"\n",
                     int(left.size()), qPrintable(left.first()->objectName()));
        return 1;
    }
    return 0;
}
