#pragma once

#include "model/scenario.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// The scenario file: a JSON object with a format tag and a version, and one key for each
// setting, named as fourk-export's options; the shells in a list, a FEFF path's table inline so
// that the file opens on another machine. Version 1 files (one drawn shell, its parameters at the
// top) still open. Reading checks the whole file before it gives anything back and refuses a key
// given twice in an object; keys of the outer object that it does not know are kept in the
// scenario and saved again, so that a later version's settings survive this one.
class ScenarioFile
{
    Q_DECLARE_TR_FUNCTIONS(ScenarioFile)

public:
    static constexpr int version = 2;
    static constexpr qint64 maxBytes = 16 * 1024 * 1024;

    // On failure returns false, leaves *scenario as it was, and sets *error to one line naming
    // the file and what is wrong.
    static bool read(const QString &path, Scenario *scenario, QString *error);
    // The same for text already read; the problem is reported without a file name.
    static bool parse(const QByteArray &json, Scenario *scenario, QString *error);

    // Numbers are written so that they read back to the same doubles.
    static QByteArray toJson(const Scenario &scenario);
    // The text to save at path, or false and *error naming the file when it would be larger than
    // read() takes (a long measured chi(k) can make it so).
    static bool encode(const Scenario &scenario, const QString &path, QByteArray *json,
                       QString *error);
};
