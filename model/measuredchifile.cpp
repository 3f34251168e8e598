#include "measuredchifile.h"

#include "model/inputfiles.h"

#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

bool isSeparator(char c)
{
    return isBlank(c) || c == ',' || c == ';';
}

// A whole token as a double, in the C locale whatever the user's is; Fortran's exponent letter
// D is read as E. A number beyond the double range is kept as an infinity (or 0 below it), for
// the rules to refuse by name.
bool toNumber(const char *begin, const char *end, double *v)
{
    if (begin < end && *begin == '+') {
        ++begin;
        // from_chars takes a minus after the plus that it does not see.
        if (begin < end && *begin == '-')
            return false;
    }
    const char *d = std::find_if(begin, end, [](char c) { return c == 'd' || c == 'D'; });
    std::string fortran;
    if (d != end) {
        fortran.assign(begin, end);
        fortran[size_t(d - begin)] = 'e';
        begin = fortran.data();
        end = begin + fortran.size();
    }
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

// The tokens of one line, split at the separators: the first `wanted` of them into tokens.
// With allNumbers, all are looked at, and it tells whether every one is a number; without, the
// split stops at the wanted ones. Returns how many it found.
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
        if (allNumbers && *allNumbers && !toNumber(start, p, &v))
            *allNumbers = false;
    }
    return found;
}

// A number written with a comma as its decimal separator: digits, one comma, digits, and
// perhaps an exponent.
bool isDecimalComma(const char *p, const char *end)
{
    const char *comma = std::find(p, end, ',');
    double v;
    if (comma == end || comma == p || comma + 1 == end || !std::isdigit(uchar(comma[-1]))
        || !std::isdigit(uchar(comma[1])) || std::find(comma + 1, end, ',') != end)
        return false;
    std::string dotted(p, end);
    dotted[size_t(comma - p)] = '.';
    return toNumber(dotted.data(), dotted.data() + dotted.size(), &v);
}

// Whether the line's first fields, split at blanks and semicolons only, are numbers and at
// least one of them has a decimal comma: "1,5 0,25" is not four numbers. *which is that one.
bool hasDecimalComma(const char *p, const char *end, int wanted, Token *which)
{
    if (!std::memchr(p, ',', size_t(end - p)))
        return false;
    int fields = 0;
    bool comma = false;
    while (p < end && fields < std::max(wanted, 2)) {
        while (p < end && (isBlank(*p) || *p == ';'))
            ++p;
        if (p == end)
            break;
        const char *start = p;
        while (p < end && !isBlank(*p) && *p != ';')
            ++p;
        ++fields;
        double v;
        if (isDecimalComma(start, p)) {
            if (!comma)
                *which = { start, p };
            comma = true;
        } else if (!toNumber(start, p, &v)) {
            return false;
        }
    }
    return comma && fields >= 2;
}

QString quoted(const Token &t)
{
    const QString text
        = QString::fromUtf8(t.begin, int(std::min<std::ptrdiff_t>(t.end - t.begin, 40)));
    return QStringLiteral("“") + text + QStringLiteral("”");
}

} // namespace

QByteArray MeasuredChiFile::toUtf8(const QByteArray &text)
{
    const bool little = text.startsWith("\xFF\xFE"), big = text.startsWith("\xFE\xFF");
    if (!little && !big)
        return text;
    QString units;
    units.reserve(text.size() / 2);
    const auto *b = reinterpret_cast<const uchar *>(text.constData());
    for (int i = 2; i + 1 < text.size(); i += 2)
        units.append(QChar(little ? ushort(b[i] | b[i + 1] << 8) : ushort(b[i] << 8 | b[i + 1])));
    return units.toUtf8();
}

bool MeasuredChiFile::read(const QString &path, int kColumn, int chiColumn, MeasuredChi *out,
                           QString *error)
{
    const auto fail = [&](const QString &problem) {
        *error = tr("%1: %2").arg(path, problem);
        return false;
    };
    QByteArray text;
    QString reason;
    switch (InputFiles::read(path, maxBytes, &text, &reason)) {
    case InputFiles::Folder:
        return fail(tr("this is a folder, not a chi(k) file"));
    case InputFiles::TooLarge:
        return fail(tr("larger than %1 MiB, too large for a measured chi(k)").arg(maxBytes >> 20));
    case InputFiles::Unreadable:
        return fail(tr("cannot be read (%1)").arg(reason));
    case InputFiles::Read:
        break;
    }
    MeasuredChi result;
    QString problem;
    if (!parse(text, kColumn, chiColumn, &result, &problem))
        return fail(problem);
    result.file = QFileInfo(path).fileName();
    *out = result;
    return true;
}

bool MeasuredChiFile::parse(const QByteArray &bytes, int kColumn, int chiColumn, MeasuredChi *out,
                            QString *error)
{
    if (!MeasuredChi::isValidColumn(kColumn) || !MeasuredChi::isValidColumn(chiColumn)) {
        *error = tr("the columns must be whole numbers from 1 to %1").arg(MeasuredChi::maxColumn);
        return false;
    }
    const int wanted = std::max(kColumn, chiColumn);
    const int columns[2] = { kColumn, chiColumn };
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
    // Why the line's columns are not a row, or "" when they are.
    const auto notARow = [&](int found) {
        if (found < wanted)
            return tr("column %1 is asked for, but the line has only %2")
                .arg(found < kColumn ? kColumn : chiColumn)
                .arg(found);
        for (int column : columns) {
            const Token &t = tokens.at(column - 1);
            double v;
            if (!toNumber(t.begin, t.end, &v))
                return tr("column %1 is not a number (%2)").arg(column).arg(quoted(t));
        }
        return QString();
    };

    const QByteArray text = toUtf8(bytes);
    const char *p = text.constData();
    const char *const end = p + text.size();
    if (text.startsWith("\xEF\xBB\xBF"))
        p += 3;
    int line = 0;
    // Before the rows: the first line that looks like one and is not, and why; the first text.
    int nearRow = 0, firstText = 0;
    QString nearRowProblem, firstTextShown;
    while (p < end && s.k.size() <= MeasuredChi::maxRows) {
        ++line;
        // Lines end in LF, CR LF or CR alone.
        const char *eol = p;
        while (eol < end && *eol != '\n' && *eol != '\r')
            ++eol;
        const char *first = p;
        p = eol < end && *eol == '\r' && eol + 1 < end && eol[1] == '\n' ? eol + 2 : eol + 1;
        while (first < eol && isBlank(*first))
            ++first;
        if (first == eol || std::memchr("#!%;", *first, 4))
            continue;
        // A comment after the numbers.
        eol = std::find(first, eol, '#');
        Token comma {};
        if (hasDecimalComma(first, eol, wanted, &comma))
            return fail(
                line,
                tr("%1 has a decimal comma; numbers need a decimal point").arg(quoted(comma)));
        const bool started = !s.k.isEmpty();
        bool allNumbers = false;
        const int found = split(first, eol, tokens.data(), wanted, started ? nullptr : &allNumbers);
        const QString problem = notARow(found);
        // A line is a row when its columns are numbers, or when all it holds are numbers (and
        // then it lacks a column); before the first row, anything else is a header.
        if (!started && !problem.isEmpty() && !(allNumbers && found > 0)) {
            double v;
            if (!nearRow && found > 0 && toNumber(tokens[0].begin, tokens[0].end, &v))
                nearRow = line, nearRowProblem = problem;
            if (!firstText)
                firstText = line, firstTextShown = quoted({ first, eol });
            continue;
        }
        if (!problem.isEmpty())
            return fail(line, problem);
        double v[2];
        for (int c = 0; c < 2; ++c)
            toNumber(tokens.at(columns[c] - 1).begin, tokens.at(columns[c] - 1).end, &v[c]);
        s.k.append(v[0]);
        s.chi.append(v[1]);
        lineOf.append(line);
    }
    if (s.k.isEmpty()) {
        *error = nearRow ? tr("no rows of numbers: line %1 is not one: %2")
                               .arg(nearRow)
                               .arg(nearRowProblem)
                 : firstText
                     ? tr("no rows of numbers: from line %1 (%2) on, every line is text or a "
                          "comment")
                           .arg(firstText)
                           .arg(firstTextShown)
                     : tr("no rows of numbers: the file has only blank and comment lines");
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
