#include "app/chik.h"
#include "app/highdpi.h"
#include "app/language.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    enableHighDpiScaling();
    QApplication app(argc, argv);

    // Scanned after QApplication has taken out the arguments that are Qt's own.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const Language language = languageFromArguments(arguments);

    // Installed before any window exists, so every form comes up translated.
    QTranslator translator;
    if (language == Language::Japanese) {
        loadJapaneseCatalogue(translator);
        QCoreApplication::installTranslator(&translator);
    }

    ChiK window;
    QObject::connect(&window, SIGNAL(finishing()), &app, SLOT(closeAllWindows()));
    window.show();
    return app.exec();
}
