#include "commandline.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

Language languageFromArguments(const QStringList &arguments)
{
    Language language = Language::Japanese;
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("-j"))
            language = Language::Japanese;
        else if (arguments.at(i) == QLatin1String("-e"))
            language = Language::English;
    }
    return language;
}

QString scenarioFromArguments(const QStringList &arguments)
{
    QString path;
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i).endsWith(QLatin1String(".fourk"), Qt::CaseInsensitive))
            path = arguments.at(i);
    }
    return path;
}

bool loadJapaneseCatalogue(QTranslator &translator)
{
    // The name is a resource path, so the directory never applies; the null suffix makes Qt
    // append ".qm".
    return translator.load(QStringLiteral(":Fourk_ja_JP"), QCoreApplication::applicationDirPath(),
                           QStringLiteral(""), QString());
}

bool loadQtJapaneseCatalogue(QTranslator &translator)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString folder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    return translator.load(QStringLiteral("qtbase_ja"), folder);
}
