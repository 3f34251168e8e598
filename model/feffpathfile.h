#pragma once

#include "model/feffpath.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// A FEFF path file (feffNNNN.dat): a free header ending in a line of dashes; the line after it
// starting with the number of legs, the degeneracy and reff; the atoms of the path; the column
// heads "k real[2*phc] mag[feff] phase[feff] red factor lambda real[p]"; then a row of seven
// numbers for each k.
class FeffPathFile
{
    Q_DECLARE_TR_FUNCTIONS(FeffPathFile)

public:
    static constexpr qint64 maxBytes = 16 * 1024 * 1024;

    // Reads and checks the whole file before it gives anything back. On failure returns false,
    // leaves *out as it was, and sets *error to one line naming the file, the line and the problem.
    static bool read(const QString &path, FeffPath *out, QString *error);
    // The same for text already read; the problem is reported without a file name.
    static bool parse(const QByteArray &text, FeffPath *out, QString *error);

    // Whether a file name looks like one of FEFF's path files, feffNNNN.dat.
    static bool isPathFileName(const QString &name);
};
