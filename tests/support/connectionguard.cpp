#include "connectionguard.h"

#include <QRegularExpression>
#include <QTest>

namespace {

QtMessageHandler previousHandler = nullptr;

// Outside a test function the warning is only logged; CTest's failure pattern catches it there.
void guardHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (previousHandler)
        previousHandler(type, context, message);
    if (ConnectionGuard::isConnectionWarning(type, message) && QTest::currentTestFunction())
        QTest::qFail(("Qt warned about a connection: " + message.toLocal8Bit()).constData(),
                     context.file ? context.file : __FILE__, context.line);
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
    static const QRegularExpression pattern("^QObject::(dis)?connect|No such (signal|slot)");
    return type != QtDebugMsg && type != QtInfoMsg && pattern.match(message).hasMatch();
}
