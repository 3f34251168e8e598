#include "fitreport.h"

#include <QJsonArray>
#include <QLocale>

#include <climits>
#include <cmath>

namespace {

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The value as the JSON has it, for messages.
QString describe(const QJsonValue &v)
{
    switch (v.type()) {
    case QJsonValue::Double:
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QJsonValue::String:
        return quoted(v.toString().left(40));
    case QJsonValue::Bool:
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Array:
        return FitReport::tr("a list");
    case QJsonValue::Object:
        return FitReport::tr("an object");
    case QJsonValue::Undefined:
        return FitReport::tr("nothing");
    default:
        return QStringLiteral("null");
    }
}

// JSON has no NaN: an unknown figure is null.
QJsonValue numberOrNull(double v)
{
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
}

// Reads values, keeping the first problem; every method returns false once there is one.
class Reader
{
public:
    // The member key of object, which the messages call what.
    bool take(const QJsonObject &object, const QString &key, const QString &what, QJsonValue *v)
    {
        *v = object.value(key);
        if (v->isUndefined())
            problem = FitReport::tr("%1 is missing").arg(what);
        return problem.isEmpty();
    }

    bool fail(const QString &what, const QString &accepted, const QJsonValue &v)
    {
        problem = FitReport::tr("%1 must be %2, not %3").arg(what, accepted, describe(v));
        return false;
    }

    // A finite number of at least min; null (read as NaN) too where unknown is allowed.
    bool number(const QJsonValue &v, const QString &what, double min, bool nullable, double *out)
    {
        if (nullable && v.isNull()) {
            *out = std::numeric_limits<double>::quiet_NaN();
            return true;
        }
        const double d = v.toDouble();
        if (!v.isDouble() || !std::isfinite(d) || d < min) {
            const QString accepted = std::isinf(min)
                                         ? FitReport::tr("a number")
                                         : FitReport::tr("a number of at least %1").arg(min);
            return fail(
                what, nullable ? FitReport::tr("%1, or null when unknown").arg(accepted) : accepted,
                v);
        }
        *out = d;
        return true;
    }

    bool count(const QJsonValue &v, const QString &what, int *out)
    {
        const double d = v.toDouble(-1);
        if (!v.isDouble() || !(d >= 0 && d <= INT_MAX) || d != std::floor(d))
            return fail(what, FitReport::tr("a whole number of at least 0"), v);
        *out = int(d);
        return true;
    }

    bool parameters(const QJsonValue &v, bool nullable, QVector<FitReport::Parameter> *out)
    {
        if (!v.isObject())
            return fail(quoted(QStringLiteral("parameters")),
                        FitReport::tr("an object of names, each with \"value\" and "
                                      "\"uncertainty\""),
                        v);
        const QJsonObject all = v.toObject();
        for (auto it = all.begin(); it != all.end(); ++it) {
            const QString name = FitReport::tr("parameter %1").arg(quoted(it.key()));
            if (!it.value().isObject())
                return fail(name, FitReport::tr("an object with \"value\" and \"uncertainty\""),
                            it.value());
            const QJsonObject p = it.value().toObject();
            FitReport::Parameter parameter;
            parameter.name = it.key();
            QJsonValue value, uncertainty;
            const auto of = [&name](const char *key) {
                return FitReport::tr("%1 of %2").arg(quoted(QLatin1String(key)), name);
            };
            if (!take(p, QStringLiteral("value"), of("value"), &value)
                || !number(value, of("value"), -INFINITY, false, &parameter.value)
                || !take(p, QStringLiteral("uncertainty"), of("uncertainty"), &uncertainty)
                || !number(uncertainty, of("uncertainty"), 0.0, nullable, &parameter.uncertainty))
                return false;
            out->append(parameter);
        }
        return true;
    }

    bool correlations(const QJsonValue &v, const QVector<FitReport::Parameter> &parameters,
                      QVector<FitReport::Correlation> *out)
    {
        if (!v.isArray())
            return fail(quoted(QStringLiteral("correlations")),
                        FitReport::tr("a list of objects with \"names\" and \"value\""), v);
        const auto known = [&parameters](const QJsonValue &name) {
            for (const FitReport::Parameter &p : parameters) {
                if (name.isString() && p.name == name.toString())
                    return true;
            }
            return false;
        };
        const QJsonArray all = v.toArray();
        for (int i = 0; i < all.size(); ++i) {
            const QString what = FitReport::tr("correlation %1").arg(i + 1);
            if (!all.at(i).isObject())
                return fail(what, FitReport::tr("an object with \"names\" and \"value\""),
                            all.at(i));
            const QJsonObject c = all.at(i).toObject();
            const QString namesWhat = FitReport::tr("\"names\" of %1").arg(what);
            const QString valueWhat = FitReport::tr("\"value\" of %1").arg(what);
            QJsonValue names, value;
            if (!take(c, QStringLiteral("names"), namesWhat, &names))
                return false;
            const QJsonArray pair = names.toArray();
            if (!names.isArray() || pair.size() != 2 || !known(pair.at(0)) || !known(pair.at(1))
                || pair.at(0) == pair.at(1))
                return fail(namesWhat, FitReport::tr("two different names of \"parameters\""),
                            names);
            FitReport::Correlation correlation;
            correlation.first = pair.at(0).toString();
            correlation.second = pair.at(1).toString();
            if (!take(c, QStringLiteral("value"), valueWhat, &value)
                || !number(value, valueWhat, -1.0, false, &correlation.value))
                return false;
            if (correlation.value > 1.0)
                return fail(valueWhat, FitReport::tr("a number from -1 to 1"), value);
            out->append(correlation);
        }
        return true;
    }

    QString problem;
};

} // namespace

QJsonObject FitReport::toJson() const
{
    QJsonObject values;
    for (const Parameter &p : parameters)
        values.insert(
            p.name, QJsonObject { { QStringLiteral("value"), p.value },
                                  { QStringLiteral("uncertainty"), numberOrNull(p.uncertainty) } });
    QJsonArray pairs;
    for (const Correlation &c : correlations)
        pairs.append(QJsonObject { { QStringLiteral("names"), QJsonArray { c.first, c.second } },
                                   { QStringLiteral("value"), c.value } });
    return QJsonObject {
        { QStringLiteral("parameters"), values },
        { QStringLiteral("correlations"), pairs },
        { QStringLiteral("rfactor"), numberOrNull(rfactor) },
        { QStringLiteral("n_idp"), numberOrNull(independentPoints) },
        { QStringLiteral("n_var"), variableCount() },
        { QStringLiteral("chi_square"), numberOrNull(chiSquare) },
        { QStringLiteral("evaluations"), evaluations },
        { QStringLiteral("seconds"), seconds },
        { QStringLiteral("converged"), converged },
        { QStringLiteral("message"), message },
    };
}

bool FitReport::fromJson(const QJsonObject &json, FitReport *report, QString *error)
{
    Reader r;
    FitReport result;
    QJsonValue v;
    const auto key = [&](const char *name) {
        return r.take(json, QLatin1String(name), quoted(QLatin1String(name)), &v);
    };
    const auto what = [](const char *name) { return quoted(QLatin1String(name)); };
    int variables = 0;
    // Unknown figures are allowed only in a fit that failed; "seconds" is optional.
    bool ok = key("converged") && (v.isBool() || r.fail(what("converged"), tr("true or false"), v));
    result.converged = v.toBool();
    const bool nullable = !result.converged;
    ok = ok && key("parameters") && r.parameters(v, nullable, &result.parameters)
         && key("correlations") && r.correlations(v, result.parameters, &result.correlations)
         && key("rfactor") && r.number(v, what("rfactor"), 0.0, nullable, &result.rfactor)
         && key("n_idp")
         && r.number(v, what("n_idp"), -INFINITY, nullable, &result.independentPoints)
         && key("n_var") && r.count(v, what("n_var"), &variables) && key("chi_square")
         && r.number(v, what("chi_square"), 0.0, nullable, &result.chiSquare) && key("evaluations")
         && r.count(v, what("evaluations"), &result.evaluations) && key("message")
         && (v.isString() || r.fail(what("message"), tr("a text"), v));
    result.message = v.toString();
    if (ok && json.contains(QLatin1String("seconds")))
        ok = r.number(json.value(QLatin1String("seconds")), what("seconds"), 0.0, false,
                      &result.seconds);
    if (ok && variables != result.variableCount()) {
        r.problem = tr("\"n_var\" is %1, but \"parameters\" has %2")
                        .arg(variables)
                        .arg(result.variableCount());
        ok = false;
    }
    if (!ok) {
        *error = r.problem;
        return false;
    }
    *report = result;
    return true;
}
