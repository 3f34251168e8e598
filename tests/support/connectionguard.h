#pragma once

#include <QtGlobal>

// Makes a Qt warning about a connection (a misspelt signature in a string-based connect) fail the
// test that caused it. Call it from initTestCase(), after QtTest has installed its own handler,
// to which the guard chains.
namespace ConnectionGuard {

void install();

// True for the warnings QObject prints when a connect or disconnect fails.
bool isConnectionWarning(QtMsgType type, const QString &message);

} // namespace ConnectionGuard
