#pragma once

#include <QtGlobal>

// Makes a Qt warning about a connection fail the test that caused it. A misspelt signature in a
// string-based connect only shows up at run time, as such a warning, and must not pass silently.
//
// QtTest installs its own message handler when a run starts, so call this from initTestCase();
// the guard chains to QtTest's handler, so the warning is still logged.
namespace ConnectionGuard {

void install();

// True for the warnings QObject prints when a connect or disconnect fails.
bool isConnectionWarning(QtMsgType type, const QString &message);

} // namespace ConnectionGuard
