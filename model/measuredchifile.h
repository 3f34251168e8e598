#pragma once

#include "model/measuredchi.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// A measured chi(k) in a column text file, as EXAFS programs write them: blank lines and lines
// starting with '#', '!', '%' or ';' are skipped, and so are the header lines before the first
// row of numbers; numbers are separated by blanks, tabs, commas or semicolons. From the first row
// of numbers on, every other line must give both columns asked for.
class MeasuredChiFile
{
    Q_DECLARE_TR_FUNCTIONS(MeasuredChiFile)

public:
    static constexpr qint64 maxBytes = 64 * 1024 * 1024;

    // Reads columns kColumn and chiColumn (1-based) of the whole file and checks them before it
    // gives anything back. On failure returns false, leaves *out as it was, and sets *error to
    // one line naming the file, the line and the problem.
    static bool read(const QString &path, int kColumn, int chiColumn, MeasuredChi *out,
                     QString *error);
    // The same for text already read; the problem is reported without a file name.
    static bool parse(const QByteArray &text, int kColumn, int chiColumn, MeasuredChi *out,
                      QString *error);
};
