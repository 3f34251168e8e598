#include "measuredchifile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

bool isSeparator(char c)
{
    return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\r' || c == '\v' || c == '\f';
}

// A whole token as a double, in the C locale whatever the user's is. A number beyond the double
// range is kept as an infinity (or 0 below it), for the rules to refuse by name.
bool toNumber(const char *begin, const char *end, double *v)
{
    if (begin < end && *begin == '+')
        ++begin;
    const std::from_chars_result r = std::from_chars(begin, end, *v);
    if (r.ptr != end || begin == end)
        return false;
    if (r.ec == std::errc::result_out_of_range) {
        const char *e = std::find_if(begin, end, [](char c) { return c == 'e' || c == 'E'; });
        const bool tiny = e + 1 < end && e[1] == '-';
        *v = tiny ? 0.0 : *begin == '-' ? -HUGE_VAL : HUGE_VAL;
        return true;
    }
    return r.ec == std::errc();
}

struct Token
{
    const char *begin;
    const char *end;
};

// The tokens of one line. With allNumbers, all of them are looked at, and it tells whether every
// one is a number; without, the split stops at the wanted ones. Returns how many it found.
int split(const char *p, const char *end, Token *tokens, int wanted, bool *allNumbers)
{
    int found = 0;
    if (allNumbers)
        *allNumbers = true;
    while (p < end && (allNumbers || found < wanted)) {
        while (p < end && isSeparator(*p))
            ++p;
        if (p == end)
            break;
        const char *start = p;
        while (p < end && !isSeparator(*p))
            ++p;
        if (found < wanted)
            tokens[found] = { start, p };
        ++found;
        double v;
        if (allNumbers && !toNumber(start, p, &v)) {
            *allNumbers = false;
            break;
        }
    }
    return found;
}

QString quoted(const Token &t)
{
    const QString text
        = QString::fromUtf8(t.begin, int(std::min<std::ptrdiff_t>(t.end - t.begin, 40)));
    return QStringLiteral("“") + text + QStringLiteral("”");
}

} // namespace

bool MeasuredChiFile::read(const QString &path, int kColumn, int chiColumn, MeasuredChi *out,
                           QString *error)
{
    const auto fail = [&](const QString &problem) {
        *error = tr("%1: %2").arg(path, problem);
        return false;
    };
    const QFileInfo info(path);
    if (info.isDir())
        return fail(tr("this is a folder, not a chi(k) file"));
    if (info.exists() && !info.isFile())
        return fail(tr("not a regular file"));
    const QString tooLarge
        = tr("larger than %1 MiB, too large for a measured chi(k)").arg(maxBytes >> 20);
    if (info.size() > maxBytes)
        return fail(tooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(tr("cannot be read (%1)").arg(file.errorString()));
    // Read with a limit, in case the file grew since it was measured.
    const QByteArray text = file.read(maxBytes + 1);
    if (text.size() > maxBytes)
        return fail(tooLarge);
    if (file.error() != QFileDevice::NoError)
        return fail(tr("cannot be read (%1)").arg(file.errorString()));
    MeasuredChi result;
    QString problem;
    if (!parse(text, kColumn, chiColumn, &result, &problem))
        return fail(problem);
    result.file = info.fileName();
    *out = result;
    return true;
}

bool MeasuredChiFile::parse(const QByteArray &text, int kColumn, int chiColumn, MeasuredChi *out,
                            QString *error)
{
    if (!MeasuredChi::isValidColumn(kColumn) || !MeasuredChi::isValidColumn(chiColumn)) {
        *error = tr("the columns must be whole numbers from 1 to %1").arg(MeasuredChi::maxColumn);
        return false;
    }
    const int wanted = std::max(kColumn, chiColumn);
    QVector<Token> tokens(wanted);
    MeasuredChi s;
    s.kColumn = kColumn;
    s.chiColumn = chiColumn;
    // The file's line of each row, for the rules' messages.
    QVector<int> lineOf;
    const auto fail = [error](int line, const QString &problem) {
        *error = tr("line %1: %2").arg(line).arg(problem);
        return false;
    };

    const char *p = text.constData();
    const char *const end = p + text.size();
    if (text.startsWith("\xEF\xBB\xBF"))
        p += 3;
    int line = 0;
    bool started = false;
    while (p < end && s.k.size() <= MeasuredChi::maxRows) {
        ++line;
        const char *eol = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        if (!eol)
            eol = end;
        const char *first = p;
        p = eol + 1;
        while (first < eol && (*first == ' ' || *first == '\t' || *first == '\r'))
            ++first;
        if (first == eol || std::memchr("#!%;", *first, 4))
            continue;
        bool allNumbers = true;
        const int found = split(first, eol, tokens.data(), wanted, started ? nullptr : &allNumbers);
        if (!allNumbers)
            continue; // a header line
        if (found < wanted)
            return fail(line, tr("column %1 is asked for, but the line has only %2")
                                  .arg(found < kColumn ? kColumn : chiColumn)
                                  .arg(found));
        started = true;
        double v[2];
        const int columns[2] = { kColumn, chiColumn };
        for (int c = 0; c < 2; ++c) {
            const Token &t = tokens.at(columns[c] - 1);
            if (!toNumber(t.begin, t.end, &v[c]))
                return fail(line,
                            tr("column %1 is not a number (%2)").arg(columns[c]).arg(quoted(t)));
        }
        s.k.append(v[0]);
        s.chi.append(v[1]);
        lineOf.append(line);
    }
    if (s.k.isEmpty()) {
        *error = tr("no rows of numbers");
        return false;
    }
    int row;
    const QString problem = MeasuredChi::check(s.k, s.chi, &row);
    if (!problem.isEmpty()) {
        if (row < 0)
            *error = problem;
        else
            fail(lineOf.at(row), problem);
        return false;
    }
    *out = s;
    return true;
}
