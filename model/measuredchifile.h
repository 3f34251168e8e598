#pragma once

#include "model/measuredchi.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// A measured chi(k) in a column text file, as EXAFS programs write them: blank lines and lines
// starting with '#', '!', '%' or ';' are skipped, and so is a '#' and what follows it on a line;
// the lines before the first row are headers. A row is a line whose two columns are numbers,
// whatever follows them, or a line of numbers only; numbers are separated by blanks, tabs,
// commas or semicolons, have a decimal point (a decimal comma is refused) and may have Fortran's
// exponent letter D. From the first row on, every other line must give both columns asked for.
// UTF-8, or UTF-16 with its byte-order mark; lines end in LF, CR LF or CR.
class MeasuredChiFile
{
    Q_DECLARE_TR_FUNCTIONS(MeasuredChiFile)

public:
    static constexpr qint64 maxBytes = 64 * 1024 * 1024;

    // Reads columns kColumn and chiColumn (1-based) of the whole file ("-" is standard input,
    // and pipes and devices are read too, up to maxBytes) and checks them before it
    // gives anything back. On failure returns false, leaves *out as it was, and sets *error to
    // one line naming the file, the line and the problem.
    static bool read(const QString &path, int kColumn, int chiColumn, MeasuredChi *out,
                     QString *error);
    // A file's bytes as UTF-8: UTF-16 with its byte-order mark converted, anything else as it is.
    static QByteArray toUtf8(const QByteArray &bytes);
    // The same for text already read; the problem is reported without a file name.
    static bool parse(const QByteArray &text, int kColumn, int chiColumn, MeasuredChi *out,
                      QString *error);
};
