#include "scenariofile.h"

#include "model/inputfiles.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <cmath>

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
        return ScenarioFile::tr("a list");
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

    // The value of key, or an undefined value after reporting it missing.
    QJsonValue take(const QString &key)
    {
        if (!problem.isEmpty())
            return QJsonValue::Undefined;
        const QJsonValue v = object.value(key);
        if (v.isUndefined())
            problem = ScenarioFile::tr("%1 is missing").arg(quotedKey(key));
        return v;
    }

    bool fail(const QString &key, const QString &accepted, const QJsonValue &v)
    {
        if (problem.isEmpty())
            problem = ScenarioFile::tr("%1 must be %2, not %3")
                          .arg(quotedKey(key), accepted, describe(v));
        return false;
    }

    bool number(Scenario::Number which, Scenario *s)
    {
        const QString key = Scenario::key(which);
        const QJsonValue v = take(key);
        if (v.isUndefined())
            return false;
        if (!v.isDouble() || !Scenario::isValid(which, v.toDouble()))
            return fail(key, Scenario::accepted(which), v);
        s->setNumber(which, v.toDouble());
        return true;
    }

    bool window(Scenario *s)
    {
        const QJsonValue v = take(QStringLiteral("window"));
        if (v.isUndefined())
            return false;
        QVector<double> edges;
        for (const QJsonValue &e : v.toArray())
            edges.append(e.isDouble() ? e.toDouble() : NAN);
        if (!v.isArray() || !Scenario::isValidWindow(edges))
            return fail(QStringLiteral("window"), Scenario::acceptedWindow(), v);
        s->window = edges;
        return true;
    }

    bool envelope(Scenario *s)
    {
        const QJsonValue v = take(QStringLiteral("envelope"));
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
                QStringLiteral("envelope"),
                ScenarioFile::tr("a list of [k, F] pairs, %1").arg(Scenario::acceptedEnvelope()),
                v);
        s->envelope = nodes;
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
            strings = strings && name.isString();
            names.append(name.toString());
        }
        if (!strings || !Scenario::isValidShow(names))
            return fail(QStringLiteral("show"),
                        ScenarioFile::tr("a list of %1").arg(Scenario::acceptedShow()), v);
        s->show = names;
        return true;
    }

    // Optional: a scenario without it has no measured chi(k).
    bool data(Scenario *s)
    {
        const QJsonValue v = object.value(QStringLiteral("data"));
        if (v.isUndefined())
            return true;
        if (!v.isObject())
            return fail(QStringLiteral("data"),
                        ScenarioFile::tr("an object with \"file\", \"columns\", \"k\" and \"chi\""),
                        v);
        const QJsonObject d = v.toObject();
        MeasuredChi spectrum;
        const QJsonValue file = member(d, QStringLiteral("file"));
        if (!problem.isEmpty())
            return false;
        if (!file.isString())
            return fail(QStringLiteral("data.file"), ScenarioFile::tr("a file name"), file);
        spectrum.file = QFileInfo(file.toString()).fileName();

        const QJsonValue columns = member(d, QStringLiteral("columns"));
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

        if (!numbers(d, QStringLiteral("k"), &spectrum.k)
            || !numbers(d, QStringLiteral("chi"), &spectrum.chi))
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

    QString problem;

private:
    QJsonValue member(const QJsonObject &d, const QString &key)
    {
        const QJsonValue v = d.value(key);
        if (v.isUndefined())
            problem
                = ScenarioFile::tr("%1 is missing").arg(quotedKey(QStringLiteral("data.") + key));
        return v;
    }

    bool numbers(const QJsonObject &d, const QString &key, QVector<double> *out)
    {
        const QJsonValue v = member(d, key);
        if (!problem.isEmpty())
            return false;
        const QString name = QStringLiteral("data.") + key;
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
        *error = tr("not a Fourk scenario: the JSON text breaks off or is broken at %1 (%2)")
                     .arg(lineAndColumn(json, parseError.offset), parseError.errorString());
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
    bool ok = true;
    for (Scenario::Number which : Scenario::numbers())
        ok = ok && reader.number(which, &result);
    ok = ok && reader.window(&result) && reader.envelope(&result) && reader.factors(&result)
         && reader.show(&result) && reader.data(&result);
    if (!ok) {
        *error = reader.problem;
        return false;
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
    // One setting a line, in the order of the windows, so that a teacher can read and edit the
    // file; each value as Qt writes it, which reads back to the same doubles.
    QVector<QPair<QString, QJsonValue>> members {
        { QStringLiteral("format"), formatName },
        { QStringLiteral("version"), version },
    };
    for (Scenario::Number which : Scenario::numbers()) {
        if (which != Scenario::Pointer)
            members.append({ Scenario::key(which), s.number(which) });
    }
    QJsonArray window;
    for (double edge : s.window)
        window.append(edge);
    QJsonArray envelope;
    for (const QPointF &node : s.envelope)
        envelope.append(QJsonArray { node.x(), node.y() });
    members.append({ QStringLiteral("window"), window });
    members.append({ QStringLiteral("envelope"), envelope });
    members.append(
        { QStringLiteral("factors"), QJsonObject { { QStringLiteral("envelope"), s.useEnvelope },
                                                   { QStringLiteral("window"), s.useWindow },
                                                   { QStringLiteral("debye"), s.useDebye },
                                                   { QStringLiteral("pm"), s.pm } } });
    members.append({ QStringLiteral("show"), QJsonArray::fromStringList(s.show) });
    members.append({ Scenario::key(Scenario::Pointer), s.pointer });
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

    QByteArray text("{\n");
    for (int i = 0; i < members.size(); ++i) {
        // A document holds only arrays and objects, so a single value travels in an array.
        const QByteArray value
            = QJsonDocument(QJsonArray { members.at(i).second }).toJson(QJsonDocument::Compact);
        text += "    "
                + QJsonDocument(QJsonArray { members.at(i).first })
                      .toJson(QJsonDocument::Compact)
                      .chopped(1)
                      .mid(1)
                + ": " + value.chopped(1).mid(1) + (i + 1 < members.size() ? ",\n" : "\n");
    }
    return text + "}\n";
}
