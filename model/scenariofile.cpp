#include "scenariofile.h"

#include "model/inputfiles.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const QString formatName = QStringLiteral("fourk-scenario");

QString quotedKey(const QString &key)
{
    return QLatin1Char('"') + key + QLatin1Char('"');
}

// The value as the file has it, for messages.
QString describe(const QJsonValue &v)
{
    switch (v.type()) {
    case QJsonValue::Double:
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QJsonValue::String: {
        const QString s = v.toString();
        return QLatin1Char('"') + (s.size() > 40 ? s.left(40) + QStringLiteral("…") : s)
               + QLatin1Char('"');
    }
    case QJsonValue::Bool:
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Array:
        return ScenarioFile::tr("a list of %n value(s)", nullptr, v.toArray().size());
    case QJsonValue::Object:
        return ScenarioFile::tr("an object");
    default:
        return QStringLiteral("null");
    }
}

// Reads the keys of one object into a scenario, stopping at the first problem.
class Reader
{
public:
    explicit Reader(const QJsonObject &object)
        : object(object)
    { }

    // The value of key, which is then one the reader knows.
    QJsonValue lookup(const QString &key)
    {
        known.insert(key);
        return object.value(key);
    }

    // The value of key, or an undefined value after reporting it missing.
    QJsonValue take(const QString &key)
    {
        if (!problem.isEmpty())
            return QJsonValue::Undefined;
        const QJsonValue v = lookup(key);
        if (v.isUndefined())
            problem = ScenarioFile::tr("%1 is missing").arg(quotedKey(key));
        return v;
    }

    // Value i (0-based) of the list under key is not what it must be.
    bool element(const QString &key, int i, const QString &accepted, const QJsonValue &v)
    {
        problem = ScenarioFile::tr("value %1 of %2 must be %3, not %4")
                      .arg(i + 1)
                      .arg(quotedKey(key), accepted, describe(v));
        return false;
    }

    bool fail(const QString &key, const QString &accepted, const QJsonValue &v)
    {
        if (problem.isEmpty())
            problem = ScenarioFile::tr("%1 must be %2, not %3")
                          .arg(quotedKey(key), accepted, describe(v));
        return false;
    }

    bool number(Parameter::Id which, double *out)
    {
        const Parameter &rule = Parameter::of(which);
        const QString key = QString::fromLatin1(rule.key);
        const QJsonValue v = take(key);
        if (v.isUndefined())
            return false;
        if (!v.isDouble() || !rule.isValid(v.toDouble()))
            return fail(key, rule.accepted(), v);
        *out = v.toDouble();
        return true;
    }

    bool number(Parameter::Id which, Scenario *s)
    {
        double v = 0.0;
        if (!number(which, &v))
            return false;
        s->setNumber(which, v);
        return true;
    }

    bool scale(Scenario *s)
    {
        const QJsonValue v = take(QStringLiteral("scale"));
        if (v.isUndefined())
            return false;
        const int i = Scenario::scaleNames().indexOf(v.toString());
        if (!v.isString() || i < 0)
            return fail(
                QStringLiteral("scale"),
                ScenarioFile::tr("one of %1").arg(Scenario::scaleNames().join(QLatin1String(", "))),
                v);
        s->scale = ChiArrays::Scale(i);
        return true;
    }

    bool flag(const QString &key, bool *out, bool required)
    {
        const QJsonValue v = required ? take(key) : lookup(key);
        if (v.isUndefined())
            return !required;
        if (!v.isBool())
            return fail(key, ScenarioFile::tr("true or false"), v);
        *out = v.toBool();
        return true;
    }

    // The shells' list: each an object with every parameter, and an envelope (a drawn shell)
    // or a FEFF path's table (a path shell).
    bool shells(Scenario *s)
    {
        const QJsonValue v = take(QStringLiteral("shells"));
        if (v.isUndefined())
            return false;
        const QJsonArray list = v.toArray();
        if (!v.isArray() || list.isEmpty() || list.size() > Shell::maxCount)
            return fail(QStringLiteral("shells"),
                        ScenarioFile::tr("a list of 1 to %1 shells").arg(Shell::maxCount), v);
        QVector<Shell> result;
        for (int i = 0; i < list.size(); ++i) {
            Shell shell;
            if (!this->shell(list.at(i), QStringLiteral("shells[%1]").arg(i + 1), &shell))
                return false;
            result.append(shell);
        }
        s->shells = result;
        return true;
    }

    bool envelope(const QJsonValue &v, const QString &key, QVector<QPointF> *out)
    {
        if (v.isUndefined())
            return false;
        QVector<QPointF> nodes;
        bool pairs = v.isArray();
        for (const QJsonValue &node : v.toArray()) {
            const QJsonArray kf = node.toArray();
            pairs = pairs && kf.size() == 2 && kf.at(0).isDouble() && kf.at(1).isDouble();
            nodes.append(QPointF(kf.at(0).toDouble(), kf.at(1).toDouble()));
        }
        if (!pairs || !Scenario::isValidEnvelope(nodes))
            return fail(
                key,
                ScenarioFile::tr("a list of [k, F] pairs, %1").arg(Scenario::acceptedEnvelope()),
                v);
        *out = nodes;
        return true;
    }

    QString problem;
    // The keys the reader looked up; the others are for a later version to read.
    QSet<QString> known { QStringLiteral("format"), QStringLiteral("version") };

private:
    bool shell(const QJsonValue &v, const QString &where, Shell *out)
    {
        if (!v.isObject())
            return fail(where, ScenarioFile::tr("an object"), v);
        Reader inner(v.toObject());
        const auto done = [&](bool ok) {
            if (!ok)
                problem = where + QStringLiteral(": ") + inner.problem;
            return ok;
        };
        Shell s;
        const QJsonValue name = inner.take(QStringLiteral("name"));
        if (name.isUndefined())
            return done(false);
        if (!name.isString() || name.toString().trimmed().isEmpty())
            return done(inner.fail(QStringLiteral("name"), ScenarioFile::tr("a name"), name));
        s.name = name.toString().trimmed();
        if (!inner.flag(QStringLiteral("on"), &s.on, true))
            return done(false);
        for (Parameter::Id id : Shell::parameters()) {
            double value = 0.0;
            if (!inner.number(id, &value))
                return done(false);
            s.setValue(id, value);
        }
        const QJsonObject o = v.toObject();
        const bool drawn = o.contains(QStringLiteral("envelope"));
        if (drawn == o.contains(QStringLiteral("feff")))
            return done(inner.fail(QStringLiteral("envelope"),
                                   ScenarioFile::tr("given for a drawn shell, or \"feff\" for a "
                                                    "path shell, not both"),
                                   o.value(QStringLiteral("envelope"))));
        if (drawn
            && !inner.envelope(o.value(QStringLiteral("envelope")), QStringLiteral("envelope"),
                               &s.envelope))
            return done(false);
        if (!drawn && !inner.path(o.value(QStringLiteral("feff")), &s.path))
            return done(false);
        *out = s;
        return done(true);
    }

    bool path(const QJsonValue &v, FeffPath *out)
    {
        const QString key = QStringLiteral("feff");
        if (!v.isObject())
            return fail(key, ScenarioFile::tr("an object"), v);
        const QJsonObject o = v.toObject();
        FeffPath p;
        const QJsonValue file = member(o, key, QStringLiteral("file"));
        if (!problem.isEmpty())
            return false;
        if (!file.isString())
            return fail(key + QStringLiteral(".file"), ScenarioFile::tr("a file name"), file);
        p.file = QFileInfo(file.toString()).fileName();
        double header[3];
        const char *const headerKeys[] = { "legs", "degeneracy", "reff" };
        for (int i = 0; i < 3; ++i) {
            const QJsonValue h = member(o, key, QString::fromLatin1(headerKeys[i]));
            if (!problem.isEmpty())
                return false;
            if (!h.isDouble())
                return fail(key + QLatin1Char('.') + QLatin1String(headerKeys[i]),
                            ScenarioFile::tr("a number"), h);
            header[i] = h.toDouble();
        }
        // Anything but a whole number of legs in range counts as none, for the rules to refuse.
        p.legs = header[0] >= 0 && header[0] <= 1000 && header[0] == std::floor(header[0])
                     ? int(header[0])
                     : -1;
        p.degeneracy = header[1];
        p.reff = header[2];
        if (!numbers(o, key, QStringLiteral("k"), &p.k))
            return false;
        for (int c = 0; c < FeffPath::ColumnCount; ++c) {
            if (!numbers(o, key, FeffPath::columnKey(FeffPath::Column(c)), &p.columns[c]))
                return false;
        }
        int row;
        const QString rowProblem = p.check(&row);
        if (!rowProblem.isEmpty()) {
            problem = row < 0
                          ? ScenarioFile::tr("\"feff\": %1").arg(rowProblem)
                          : ScenarioFile::tr("\"feff\", row %1: %2").arg(row + 1).arg(rowProblem);
            return false;
        }
        *out = p;
        return true;
    }

public:
    // One drawn shell, as the program had before it had several: its parameters at the top.
    bool version1(Scenario *s)
    {
        Shell &shell = s->shells.first();
        for (Parameter::Id which : { Parameter::N, Parameter::R, Parameter::P0, Parameter::P2,
                                     Parameter::Sigma, Parameter::Pointer }) {
            if (!number(which, s))
                return false;
        }
        return window(s)
               && envelope(take(QStringLiteral("envelope")), QStringLiteral("envelope"),
                           &shell.envelope)
               && factors(s) && show(s) && data(s);
    }

    bool version2(Scenario *s)
    {
        for (Parameter::Id which :
             { Parameter::N, Parameter::S02, Parameter::E0, Parameter::Pointer }) {
            if (!number(which, s))
                return false;
        }
        return scale(s) && shells(s) && window(s) && windowShape(s) && factors(s) && show(s)
               && flag(QStringLiteral("shell_curves"), &s->shellCurves, false)
               && flag(QStringLiteral("labels"), &s->labels, false) && data(s) && fit(s);
    }

    bool window(Scenario *s)
    {
        const QJsonValue v = take(QStringLiteral("window"));
        if (v.isUndefined())
            return false;
        QVector<double> edges;
        const QJsonArray list = v.toArray();
        if (v.isArray() && list.size() != 4) {
            problem = ScenarioFile::tr("\"window\" needs 4 numbers, got %1").arg(list.size());
            return false;
        }
        for (const QJsonValue &e : list) {
            if (!e.isDouble() && v.isArray())
                return element(QStringLiteral("window"), edges.size(), ScenarioFile::tr("a number"),
                               e);
            edges.append(e.toDouble());
        }
        if (!v.isArray() || !Scenario::isValidWindow(edges))
            return fail(QStringLiteral("window"), Scenario::acceptedWindow(), v);
        s->window = edges;
        return true;
    }

    bool factors(Scenario *s)
    {
        const QJsonValue v = take(QStringLiteral("factors"));
        if (v.isUndefined())
            return false;
        if (!v.isObject())
            return fail(QStringLiteral("factors"), ScenarioFile::tr("an object"), v);
        const QJsonObject f = v.toObject();
        const QVector<QPair<QString, bool *>> switches {
            { QStringLiteral("envelope"), &s->useEnvelope },
            { QStringLiteral("window"), &s->useWindow },
            { QStringLiteral("debye"), &s->useDebye },
            { QStringLiteral("pm"), &s->pm },
        };
        for (const auto &sw : switches) {
            const QString key = QStringLiteral("factors.") + sw.first;
            const QJsonValue on = f.value(sw.first);
            if (on.isUndefined()) {
                problem = ScenarioFile::tr("%1 is missing").arg(quotedKey(key));
                return false;
            }
            if (!on.isBool())
                return fail(key, ScenarioFile::tr("true or false"), on);
            *sw.second = on.toBool();
        }
        return true;
    }

    bool show(Scenario *s)
    {
        const QJsonValue v = take(QStringLiteral("show"));
        if (v.isUndefined())
            return false;
        QStringList names;
        bool strings = v.isArray();
        for (const QJsonValue &name : v.toArray()) {
            if (!name.isString())
                return element(QStringLiteral("show"), names.size(), ScenarioFile::tr("a name"),
                               name);
            if (!Scenario::selectorNames().contains(name.toString())) {
                problem
                    = ScenarioFile::tr("\"show\": %1 is not one of %2")
                          .arg(describe(name), Scenario::selectorNames().join(QLatin1String(", ")));
                return false;
            }
            names.append(name.toString());
        }
        if (!strings || !Scenario::isValidShow(names))
            return fail(QStringLiteral("show"),
                        ScenarioFile::tr("a list of %1").arg(Scenario::acceptedShow()), v);
        s->show = names;
        return true;
    }

    // Optional: Hanning without it.
    bool windowShape(Scenario *s)
    {
        const QString key = QStringLiteral("window_shape");
        const QJsonValue v = lookup(key);
        if (v.isUndefined())
            return true;
        const int i = WindowFunc::shapeNames().indexOf(v.toString());
        if (!v.isString() || i < 0)
            return fail(key,
                        ScenarioFile::tr("one of %1")
                            .arg(WindowFunc::shapeNames().join(QLatin1String(", "))),
                        v);
        s->windowShape = WindowFunc::Shape(i);
        return true;
    }

    // Optional: a scenario without it varies nothing, in R from 1 to 3.
    bool fit(Scenario *s)
    {
        const QString key = QStringLiteral("fit");
        const QJsonValue v = lookup(key);
        if (v.isUndefined())
            return true;
        if (!v.isObject())
            return fail(key, ScenarioFile::tr("an object"), v);
        Reader inner(v.toObject());
        FitSettings f;
        const auto done = [&](bool ok) {
            if (!ok)
                problem = key + QLatin1Char('.') + inner.problem;
            return ok;
        };
        const QJsonValue vary = inner.take(QStringLiteral("vary"));
        if (vary.isUndefined())
            return done(false);
        for (const QJsonValue &name : vary.toArray()) {
            int shell;
            Parameter::Id id;
            if (!name.isString()
                || !FitSettings::parseName(name.toString(), s->shells.size(), &shell, &id))
                return done(inner.fail(
                    QStringLiteral("vary"),
                    ScenarioFile::tr("a list of s02, e0 and SHELL.KEY, SHELL a shell's number and "
                                     "KEY one of degen, r, sigma, p0, p2"),
                    name));
            if (!f.vary.contains(name.toString()))
                f.vary.append(name.toString());
        }
        if (!vary.isArray())
            return done(
                inner.fail(QStringLiteral("vary"), ScenarioFile::tr("a list of names"), vary));
        const QJsonValue space = inner.take(QStringLiteral("space"));
        if (space.isUndefined())
            return done(false);
        const int i = FitSettings::spaceNames().indexOf(space.toString());
        if (!space.isString() || i < 0)
            return done(
                inner.fail(QStringLiteral("space"), ScenarioFile::tr("\"r\" or \"k\""), space));
        f.space = FitSettings::Space(i);
        const QJsonValue range = inner.take(QStringLiteral("r_range"));
        if (range.isUndefined())
            return done(false);
        const QJsonArray ends = range.toArray();
        if (ends.size() != 2 || !ends.at(0).isDouble() || !ends.at(1).isDouble()
            || !FitSettings::isValidRange(ends.at(0).toDouble(), ends.at(1).toDouble()))
            return done(inner.fail(QStringLiteral("r_range"), FitSettings::acceptedRange(), range));
        f.rMin = ends.at(0).toDouble();
        f.rMax = ends.at(1).toDouble();
        if (!inner.flag(QStringLiteral("live"), &f.live, true))
            return done(false);
        std::optional<FitReport> report;
        if (!inner.report(s->shells.size(), &report))
            return done(false);
        s->fit = f;
        s->fitReport = report;
        return done(true);
    }

    // Optional: the last fit's report, its values named as the shells have them.
    bool report(int shellCount, std::optional<FitReport> *out)
    {
        const QString key = QStringLiteral("report");
        const QJsonValue v = lookup(key);
        if (v.isUndefined())
            return true;
        if (!v.isObject())
            return fail(key, ScenarioFile::tr("an object"), v);
        FitReport r;
        QString error;
        if (!FitReport::fromJson(v.toObject(), &r, &error)) {
            problem = quotedKey(key) + QStringLiteral(": ") + error;
            return false;
        }
        for (const FitReport::Parameter &p : qAsConst(r.parameters)) {
            int shell;
            Parameter::Id id;
            if (!FitSettings::parseName(p.name, shellCount, &shell, &id)) {
                problem = ScenarioFile::tr("%1: %2 is not a parameter of the shells")
                              .arg(quotedKey(key), quotedKey(p.name));
                return false;
            }
        }
        *out = r;
        return true;
    }

    // Optional: a scenario without it has no measured chi(k).
    bool data(Scenario *s)
    {
        const QJsonValue v = lookup(QStringLiteral("data"));
        if (v.isUndefined())
            return true;
        if (!v.isObject())
            return fail(QStringLiteral("data"),
                        ScenarioFile::tr("an object with \"file\", \"columns\", \"k\" and \"chi\""),
                        v);
        const QJsonObject d = v.toObject();
        MeasuredChi spectrum;
        const QJsonValue file = member(d, QStringLiteral("data"), QStringLiteral("file"));
        if (!problem.isEmpty())
            return false;
        if (!file.isString())
            return fail(QStringLiteral("data.file"), ScenarioFile::tr("a file name"), file);
        spectrum.file = QFileInfo(file.toString()).fileName();

        const QJsonValue columns = member(d, QStringLiteral("data"), QStringLiteral("columns"));
        if (!problem.isEmpty())
            return false;
        const QJsonArray pair = columns.toArray();
        // -1 for anything but a whole number in range, without converting a huge double.
        const auto column = [&pair](int i) {
            const double c = pair.at(i).toDouble(-1);
            return c >= 1 && c <= MeasuredChi::maxColumn && c == std::floor(c) ? int(c) : -1;
        };
        if (!columns.isArray() || pair.size() != 2 || column(0) < 0 || column(1) < 0)
            return fail(QStringLiteral("data.columns"),
                        ScenarioFile::tr("two whole numbers [k, chi], each from 1 to %1")
                            .arg(MeasuredChi::maxColumn),
                        columns);
        spectrum.kColumn = column(0);
        spectrum.chiColumn = column(1);

        if (!numbers(d, QStringLiteral("data"), QStringLiteral("k"), &spectrum.k)
            || !numbers(d, QStringLiteral("data"), QStringLiteral("chi"), &spectrum.chi))
            return false;
        int row;
        const QString rowProblem = MeasuredChi::check(spectrum.k, spectrum.chi, &row);
        if (!rowProblem.isEmpty()) {
            problem = row < 0
                          ? ScenarioFile::tr("\"data\": %1").arg(rowProblem)
                          : ScenarioFile::tr("\"data\", row %1: %2").arg(row + 1).arg(rowProblem);
            return false;
        }
        s->data = spectrum;
        return true;
    }

private:
    QJsonValue member(const QJsonObject &d, const QString &parent, const QString &key)
    {
        const QJsonValue v = d.value(key);
        if (v.isUndefined())
            problem = ScenarioFile::tr("%1 is missing").arg(quotedKey(parent + '.' + key));
        return v;
    }

    bool numbers(const QJsonObject &d, const QString &parent, const QString &key,
                 QVector<double> *out)
    {
        const QJsonValue v = member(d, parent, key);
        if (!problem.isEmpty())
            return false;
        const QString name = parent + '.' + key;
        if (!v.isArray())
            return fail(name, ScenarioFile::tr("a list of numbers"), v);
        const QJsonArray values = v.toArray();
        out->reserve(values.size());
        for (const QJsonValue &value : values) {
            if (!value.isDouble()) {
                problem = ScenarioFile::tr("value %1 of %2 must be a number, not %3")
                              .arg(out->size() + 1)
                              .arg(quotedKey(name), describe(value));
                return false;
            }
            out->append(value.toDouble());
        }
        return true;
    }

    QJsonObject object;
};

QString lineAndColumn(const QByteArray &text, int offset)
{
    const QByteArray before = text.left(offset);
    const int line = before.count('\n') + 1;
    const int column = offset - (before.lastIndexOf('\n') + 1) + 1;
    return ScenarioFile::tr("line %1, column %2").arg(line).arg(column);
}

// What a JSON syntax error means, in words a teacher editing the file understands.
QString syntaxError(QJsonParseError::ParseError error)
{
    switch (error) {
    case QJsonParseError::UnterminatedObject:
        return ScenarioFile::tr("an object is not closed with }, or a , is missing");
    case QJsonParseError::MissingNameSeparator:
        return ScenarioFile::tr("a : is missing after a key");
    case QJsonParseError::UnterminatedArray:
        return ScenarioFile::tr("a list is not closed with ], or a , is missing");
    case QJsonParseError::MissingValueSeparator:
        return ScenarioFile::tr("a , is missing between two values");
    case QJsonParseError::IllegalValue:
        return ScenarioFile::tr("this is no value: text needs double quotes, and true, false "
                                "and null are written in lower case");
    case QJsonParseError::TerminationByNumber:
        return ScenarioFile::tr("the file ends in a number");
    case QJsonParseError::IllegalNumber:
        return ScenarioFile::tr("a number is written wrongly or is too large");
    case QJsonParseError::IllegalEscapeSequence:
        return ScenarioFile::tr("a text holds a backslash that JSON does not know");
    case QJsonParseError::IllegalUTF8String:
        return ScenarioFile::tr("a text is not valid UTF-8");
    case QJsonParseError::UnterminatedString:
        return ScenarioFile::tr("a text is not closed with a double quote");
    case QJsonParseError::MissingObject:
        return ScenarioFile::tr("the file does not start with {");
    case QJsonParseError::GarbageAtEnd:
        return ScenarioFile::tr("more text follows the last }");
    default:
        return ScenarioFile::tr("too deeply nested or too large");
    }
}

// JSON text that QJsonDocument has taken, walked again for what it does not tell: a key given
// twice in one object (it keeps the last), and where each member of the outer object stands.
class Members
{
public:
    explicit Members(const QByteArray &text)
        : p(text.constData())
        , begin(p)
        , end(p + text.size())
    {
        value(0);
    }

    QString duplicate; // the first key given twice, "" if none
    int duplicateAt = 0;
    // The outer object's members as written: key, and the value's text.
    QVector<QPair<QString, QByteArray>> outer;

private:
    void blank()
    {
        while (p < end && (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r'))
            ++p;
    }

    QString string()
    {
        const char *start = ++p;
        bool escaped = false;
        while (p < end && *p != '"')
            escaped = escaped || *p == '\\', p += *p == '\\' ? 2 : 1;
        const QByteArray raw(start, int(p - start));
        ++p;
        // The escapes decoded, so that "a" and "\u0061" are one key.
        return escaped ? QJsonDocument::fromJson("[\"" + raw + "\"]").array().at(0).toString()
                       : QString::fromUtf8(raw);
    }

    void value(int depth)
    {
        blank();
        if (p >= end)
            return;
        if (*p == '"') {
            string();
        } else if (*p == '{' || *p == '[') {
            const bool object = *p++ == '{';
            QSet<QString> keys;
            for (blank(); p < end && *p != '}' && *p != ']'; blank()) {
                if (*p == ',')
                    ++p, blank();
                if (object) {
                    const char *at = p;
                    const QString key = string();
                    if (keys.contains(key) && duplicate.isEmpty())
                        duplicate = key, duplicateAt = int(at - begin);
                    keys.insert(key);
                    blank();
                    ++p; // the colon
                    blank();
                    const char *start = p;
                    value(depth + 1);
                    if (depth == 0)
                        outer.append({ key, QByteArray(start, int(p - start)) });
                } else {
                    value(depth + 1);
                }
            }
            ++p;
        } else {
            while (p < end && !std::strchr(",]} \t\r\n", *p))
                ++p;
        }
    }

    const char *p;
    const char *begin;
    const char *end;
};

} // namespace

bool ScenarioFile::read(const QString &path, Scenario *scenario, QString *error)
{
    const auto fail = [&](const QString &problem) {
        *error = tr("%1: %2").arg(path, problem);
        return false;
    };
    QByteArray text;
    QString reason;
    switch (InputFiles::read(path, maxBytes, &text, &reason)) {
    case InputFiles::Folder:
        return fail(tr("this is a folder, not a scenario file"));
    case InputFiles::TooLarge:
        return fail(tr("larger than %1 MiB, too large for a scenario").arg(maxBytes >> 20));
    case InputFiles::Unreadable:
        return fail(tr("cannot be read (%1)").arg(reason));
    case InputFiles::Read:
        break;
    }
    QString problem;
    if (!parse(text, scenario, &problem))
        return fail(problem);
    return true;
}

bool ScenarioFile::parse(const QByteArray &json, Scenario *scenario, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = tr("not a Fourk scenario: the JSON text is broken at %1: %2")
                     .arg(lineAndColumn(json, parseError.offset), syntaxError(parseError.error));
        return false;
    }
    const Members members(json);
    if (!members.duplicate.isEmpty()) {
        *error = tr("the key %1 is given twice in one object (%2)")
                     .arg(quotedKey(members.duplicate), lineAndColumn(json, members.duplicateAt));
        return false;
    }
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(QStringLiteral("format")).toString() != formatName) {
        *error = tr("not a Fourk scenario (it has no \"format\": \"%1\")").arg(formatName);
        return false;
    }
    const QJsonValue v = root.value(QStringLiteral("version"));
    const double fileVersion = v.toDouble();
    if (!v.isDouble() || fileVersion < 1 || fileVersion != std::floor(fileVersion)) {
        *error = tr("\"version\" must be a whole number from 1, not %1").arg(describe(v));
        return false;
    }
    if (fileVersion > version) {
        *error = tr("written by a newer Fourk (scenario version %1; this one reads version %2)")
                     .arg(describe(v))
                     .arg(version);
        return false;
    }

    Reader reader(root);
    Scenario result;
    const bool ok = fileVersion == 1 ? reader.version1(&result) : reader.version2(&result);
    if (!ok) {
        *error = reader.problem;
        return false;
    }
    // Kept as written, to be saved again.
    for (const auto &m : members.outer) {
        if (!reader.known.contains(m.first))
            result.laterKeys.append(m);
    }
    *scenario = result;
    return true;
}

bool ScenarioFile::encode(const Scenario &scenario, const QString &path, QByteArray *json,
                          QString *error)
{
    const QByteArray text = toJson(scenario);
    if (text.size() > maxBytes) {
        // Saved, it could never be opened again.
        *error = tr("%1: not saved: with its measured chi(k) of %2 rows the scenario would be "
                    "%3 MiB, more than the %4 MiB a scenario may have")
                     .arg(path)
                     .arg(scenario.data.k.size())
                     .arg((text.size() + (1 << 20) - 1) >> 20)
                     .arg(maxBytes >> 20);
        return false;
    }
    *json = text;
    return true;
}

QByteArray ScenarioFile::toJson(const Scenario &s)
{
    // One setting a line and one shell a line, in the order of the windows, so that a teacher
    // can read and edit the file; each value as Qt writes it, which reads back to the same
    // doubles.
    using Members = QVector<QPair<QString, QJsonValue>>;
    Members members {
        { QStringLiteral("format"), formatName },
        { QStringLiteral("version"), version },
    };
    for (Parameter::Id which : { Parameter::N, Parameter::S02, Parameter::E0 })
        members.append({ QString::fromLatin1(Parameter::of(which).key), s.number(which) });
    members.append({ QStringLiteral("scale"), Scenario::scaleNames().at(s.scale) });
    QJsonArray window;
    for (double edge : s.window)
        window.append(edge);
    members.append({ QStringLiteral("window"), window });
    members.append({ QStringLiteral("window_shape"), WindowFunc::shapeNames().at(s.windowShape) });
    members.append(
        { QStringLiteral("factors"), QJsonObject { { QStringLiteral("envelope"), s.useEnvelope },
                                                   { QStringLiteral("window"), s.useWindow },
                                                   { QStringLiteral("debye"), s.useDebye },
                                                   { QStringLiteral("pm"), s.pm } } });
    members.append({ QStringLiteral("show"), QJsonArray::fromStringList(s.show) });
    members.append({ QStringLiteral("shell_curves"), s.shellCurves });
    // Written only when on, so that the files of those who never switch them on stay as they were.
    if (s.labels)
        members.append({ QStringLiteral("labels"), true });
    members.append({ QString::fromLatin1(Parameter::of(Parameter::Pointer).key), s.pointer });
    QJsonObject fit { { QStringLiteral("vary"), QJsonArray::fromStringList(s.fit.vary) },
                      { QStringLiteral("space"), FitSettings::spaceNames().at(s.fit.space) },
                      { QStringLiteral("r_range"), QJsonArray { s.fit.rMin, s.fit.rMax } },
                      { QStringLiteral("live"), s.fit.live } };
    if (s.fitReport)
        fit.insert(QStringLiteral("report"), s.fitReport->toJson());
    members.append({ QStringLiteral("fit"), fit });
    if (!s.data.isEmpty()) {
        QJsonArray k;
        QJsonArray chi;
        for (double v : s.data.k)
            k.append(v);
        for (double v : s.data.chi)
            chi.append(v);
        members.append({ QStringLiteral("data"),
                         QJsonObject { { QStringLiteral("file"), s.data.file },
                                       { QStringLiteral("columns"),
                                         QJsonArray { s.data.kColumn, s.data.chiColumn } },
                                       { QStringLiteral("k"), k },
                                       { QStringLiteral("chi"), chi } } });
    }

    // A document holds only arrays and objects, so a single value travels in an array.
    const auto compact = [](const QJsonValue &v) {
        return QJsonDocument(QJsonArray { v }).toJson(QJsonDocument::Compact).chopped(1).mid(1);
    };
    const auto member = [&compact](const QPair<QString, QJsonValue> &m) {
        return compact(m.first) + ": " + compact(m.second);
    };
    QVector<QByteArray> lines;
    for (const auto &m : qAsConst(members))
        lines.append("    " + member(m));
    // The shells after the settings they share, each object's keys in the shell list's order.
    QByteArray shells = "    \"shells\": [\n";
    for (int i = 0; i < s.shells.size(); ++i) {
        const Shell &shell = s.shells.at(i);
        Members keys { { QStringLiteral("name"), shell.name }, { QStringLiteral("on"), shell.on } };
        for (Parameter::Id id : Shell::parameters())
            keys.append({ QString::fromLatin1(Parameter::of(id).key), shell.value(id) });
        if (shell.kind() == Shell::Drawn) {
            QJsonArray envelope;
            for (const QPointF &node : shell.envelope)
                envelope.append(QJsonArray { node.x(), node.y() });
            keys.append({ QStringLiteral("envelope"), envelope });
        } else {
            const FeffPath &p = shell.path;
            QByteArray table = "{\"file\": " + compact(p.file) + ", \"legs\": " + compact(p.legs)
                               + ", \"degeneracy\": " + compact(p.degeneracy)
                               + ", \"reff\": " + compact(p.reff);
            const auto column = [&](const QString &key, const QVector<double> &values) {
                QJsonArray a;
                for (double v : values)
                    a.append(v);
                table += ", " + compact(key) + ": " + compact(a);
            };
            column(QStringLiteral("k"), p.k);
            for (int c = 0; c < FeffPath::ColumnCount; ++c)
                column(FeffPath::columnKey(FeffPath::Column(c)), p.columns[c]);
            keys.append({ QStringLiteral("feff"), QJsonValue() });
            QByteArray line = "        {";
            for (int k = 0; k + 1 < keys.size(); ++k)
                line += member(keys.at(k)) + ", ";
            shells += line + "\"feff\": " + table + "}}";
            shells += i + 1 < s.shells.size() ? ",\n" : "\n";
            continue;
        }
        QByteArray line = "        {";
        for (int k = 0; k < keys.size(); ++k)
            line += member(keys.at(k)) + (k + 1 < keys.size() ? ", " : "}");
        shells += line + (i + 1 < s.shells.size() ? ",\n" : "\n");
    }
    // After the pointer, before the data, which can be long.
    lines.insert(s.data.isEmpty() ? lines.size() : lines.size() - 1, shells + "    ]");
    // Keys of a later version, as they were read, unless this version writes them itself
    // (labels, only when on, but a version 1 file's "labels" is never this version's).
    for (const auto &m : s.laterKeys) {
        const bool written = m.first == QLatin1String("shells")
                             || m.first == QLatin1String("labels")
                             || std::any_of(members.begin(), members.end(),
                                            [&m](const auto &w) { return w.first == m.first; });
        if (!written)
            lines.append("    " + compact(m.first) + ": " + m.second);
    }

    QByteArray text("{\n");
    for (int i = 0; i < lines.size(); ++i)
        text += lines.at(i) + (i + 1 < lines.size() ? ",\n" : "\n");
    return text + "}\n";
}
