#include "warningtrap.h"

#include <QString>

#include <cstdio>

namespace {

QStringList caught;

void handler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg || WarningTrap::isPlatformNotice(message))
        return;
    caught.append(message);
    std::fprintf(stderr, "Qt: %s\n", qPrintable(message));
    std::fflush(stderr);
}

} // namespace

void WarningTrap::install()
{
    qInstallMessageHandler(handler);
}

QStringList WarningTrap::take()
{
    QStringList out;
    out.swap(caught);
    return out;
}

bool WarningTrap::isPlatformNotice(const QString &message)
{
    return message.startsWith(QLatin1String("This plugin does not support "))
           || message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))
           || message.trimmed().startsWith(QLatin1String("OpenType support missing for "));
}
