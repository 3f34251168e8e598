#include "app/chik.h"
#include "app/commandline.h"
#include "app/highdpi.h"
#include "model/filename.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    enableHighDpiScaling();
    QApplication app(argc, argv);
    // Desktops match the windows to the installed entry and icon by these: the desktop file's
    // name (the Wayland app id) and, on X11, the window class "Fourk" (its StartupWMClass).
    QApplication::setApplicationName(QStringLiteral("Fourk"));
    QApplication::setApplicationVersion(QStringLiteral(FOURK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.fourk.Fourk"));
    // Where QSettings keeps the View settings: ~/.config/Fourk/Fourk.conf on Linux.
    QApplication::setOrganizationName(QStringLiteral("Fourk"));
    QApplication::setOrganizationDomain(QStringLiteral("fourk.org"));

    // Scanned after QApplication has taken out the arguments that are Qt's own; a file name that
    // is not UTF-8 keeps its bytes.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(FileName::fromNative(argv[i]));
    const Language language = languageFromArguments(arguments);

    // Installed before any window exists, so every form comes up translated.
    QTranslator translator;
    QTranslator qtTranslator;
    if (language == Language::Japanese) {
        loadJapaneseCatalogue(translator);
        QCoreApplication::installTranslator(&translator);
        // Qt's own texts stay English where its catalogue is not installed.
        if (loadQtJapaneseCatalogue(qtTranslator))
            QCoreApplication::installTranslator(&qtTranslator);
    }

    ChiK window;
    window.useSettings();
    QObject::connect(&window, SIGNAL(finishing()), &app, SLOT(closeAllWindows()));
    window.show();
    // Opened once the windows are up, so that a problem with the file has a window to speak in.
    const QString scenario = scenarioFromArguments(arguments);
    if (!scenario.isEmpty())
        window.openScenarioFile(scenario);
    return app.exec();
}
