#include "feffpathfile.h"

#include "model/inputfiles.h"

#include <QFileInfo>
#include <QList>
#include <QRegularExpression>

#include <charconv>
#include <cmath>

namespace {

// One number in the C locale; FEFF writes E exponents, older Fortran D ones.
bool toNumber(QByteArray token, double *v)
{
    token.replace('D', 'E').replace('d', 'e');
    const char *begin = token.constData();
    const char *end = begin + token.size();
    if (begin < end && *begin == '+')
        ++begin;
    const std::from_chars_result r = std::from_chars(begin, end, *v);
    if (r.ptr != end || begin == end)
        return false;
    if (r.ec == std::errc::result_out_of_range)
        *v = HUGE_VAL; // refused by the rules as not finite
    return r.ec == std::errc() || r.ec == std::errc::result_out_of_range;
}

QList<QByteArray> fields(const QByteArray &line)
{
    return line.simplified().split(' ');
}

bool isDashes(const QByteArray &line)
{
    const QByteArray t = line.trimmed();
    return t.size() >= 10 && t.count('-') == t.size();
}

bool isColumnHeads(const QByteArray &line)
{
    for (const char *head : { "real[2*phc]", "mag[feff]", "phase[feff]", "lambda", "real[p]" }) {
        if (!line.contains(head))
            return false;
    }
    return true;
}

} // namespace

bool FeffPathFile::isPathFileName(const QString &name)
{
    static const QRegularExpression form(QStringLiteral("^feff\\d+\\.dat$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return form.match(QFileInfo(name).fileName()).hasMatch();
}

bool FeffPathFile::read(const QString &path, FeffPath *out, QString *error)
{
    const auto fail = [&](const QString &problem) {
        *error = tr("%1: %2").arg(path, problem);
        return false;
    };
    QByteArray text;
    QString reason;
    switch (InputFiles::read(path, maxBytes, &text, &reason)) {
    case InputFiles::Folder:
        return fail(tr("this is a folder, not a FEFF path file"));
    case InputFiles::TooLarge:
        return fail(tr("larger than %1 MiB, too large for a FEFF path file").arg(maxBytes >> 20));
    case InputFiles::Unreadable:
        return fail(tr("cannot be read (%1)").arg(reason));
    case InputFiles::Read:
        break;
    }
    FeffPath result;
    QString problem;
    if (!parse(text, &result, &problem))
        return fail(problem);
    result.file = QFileInfo(path).fileName();
    *out = result;
    return true;
}

bool FeffPathFile::parse(const QByteArray &text, FeffPath *out, QString *error)
{
    const QList<QByteArray> lines = text.split('\n');
    const auto fail = [error](int index, const QString &problem) {
        *error = tr("line %1: %2").arg(index + 1).arg(problem);
        return false;
    };

    int i = 0;
    while (i < lines.size() && !isDashes(lines.at(i)))
        ++i;
    if (i == lines.size()) {
        *error = tr("not a FEFF path file: no line of dashes ends the header");
        return false;
    }
    ++i;
    if (i == lines.size()) {
        *error = tr("the file ends after the line of dashes");
        return false;
    }

    FeffPath p;
    const int headerLine = i;
    const QList<QByteArray> path = fields(lines.at(i));
    double values[3];
    bool numbers = path.size() >= 3;
    for (int f = 0; numbers && f < 3; ++f)
        numbers = toNumber(path.at(f), &values[f]);
    if (!numbers || values[0] != std::floor(values[0]))
        return fail(i, tr("expected the number of legs, the degeneracy and reff"));
    p.legs = values[0] >= 0 && values[0] <= 1000 ? int(values[0]) : -1;
    p.degeneracy = values[1];
    p.reff = values[2];

    while (i < lines.size() && !isColumnHeads(lines.at(i)))
        ++i;
    if (i == lines.size()) {
        *error = tr("no column heads \"k real[2*phc] mag[feff] phase[feff] red factor lambda "
                    "real[p]\" after the path's atoms");
        return false;
    }

    QVector<int> lineOf;
    for (++i; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        if (line.isEmpty())
            continue;
        const QList<QByteArray> row = fields(line);
        if (row.size() < 1 + FeffPath::ColumnCount)
            return fail(i, tr("a row needs %1 numbers, this line has %2")
                               .arg(1 + FeffPath::ColumnCount)
                               .arg(row.size()));
        double v[1 + FeffPath::ColumnCount];
        for (int c = 0; c <= FeffPath::ColumnCount; ++c) {
            if (!toNumber(row.at(c), &v[c]))
                return fail(i, tr("column %1 is not a number (“%2”)")
                                   .arg(c + 1)
                                   .arg(QString::fromUtf8(row.at(c).left(40))));
        }
        p.k.append(v[0]);
        for (int c = 0; c < FeffPath::ColumnCount; ++c)
            p.columns[c].append(v[c + 1]);
        lineOf.append(i);
        if (p.k.size() > FeffPath::maxRows)
            break;
    }

    int row;
    const QString problem = p.check(&row);
    if (!problem.isEmpty()) {
        if (row == FeffPath::header)
            fail(headerLine, problem);
        else if (row < 0)
            *error = problem;
        else
            fail(lineOf.at(row), problem);
        return false;
    }
    *out = p;
    return true;
}
