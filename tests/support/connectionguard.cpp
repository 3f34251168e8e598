#include "connectionguard.h"

#include <QString>
#include <QTest>

#include <cstdio>

namespace {

QtMessageHandler previousHandler = nullptr;

void guardHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (previousHandler)
        previousHandler(type, context, message);
    if (!ConnectionGuard::isConnectionWarning(type, message))
        return;
    const QByteArray text = "Qt warned about a connection: " + message.toLocal8Bit();
    if (QTest::currentTestFunction()) {
        QTest::qFail(text.constData(), context.file ? context.file : __FILE__, context.line);
    } else {
        std::fprintf(stderr, "%s\n", text.constData());
        std::fflush(stderr);
        std::abort();
    }
}

} // namespace

void ConnectionGuard::install()
{
    QtMessageHandler current = qInstallMessageHandler(guardHandler);
    if (current != guardHandler)
        previousHandler = current;
}

bool ConnectionGuard::isConnectionWarning(QtMsgType type, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return false;
    return message.startsWith(QLatin1String("QObject::connect"))
           || message.startsWith(QLatin1String("QObject::disconnect"))
           || message.contains(QLatin1String("No such signal"))
           || message.contains(QLatin1String("No such slot"));
}
