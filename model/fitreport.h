#pragma once

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>
#include <QVector>

#include <limits>

// What a fit gives back: each varied value with its uncertainty, the strongly correlated pairs,
// the figures of merit and a plain message. A failed fit holds the start values, unknown
// uncertainties and figures (NaN, null in JSON), and says why in the message. Its JSON form is
// written and read here and nowhere else.
class FitReport
{
    Q_DECLARE_TR_FUNCTIONS(FitReport)

public:
    struct Parameter
    {
        QString name;
        double value = 0.0;
        double uncertainty = std::numeric_limits<double>::quiet_NaN();
    };

    // Normalised covariance of two parameters, -1 … 1.
    struct Correlation
    {
        QString first;
        QString second;
        double value = 0.0;
    };

    // Pairs correlated more strongly than this, of either sign, are reported.
    static constexpr double shownCorrelation = 0.5;

    int variableCount() const { return parameters.size(); }

    QJsonObject toJson() const;
    // On failure returns false, leaves *report as it was, and sets *error to one line naming the
    // element that is wrong.
    static bool fromJson(const QJsonObject &json, FitReport *report, QString *error);

    // In the order the variables were given; read from JSON, in the order of their names.
    QVector<Parameter> parameters;
    QVector<Correlation> correlations;
    double rfactor = std::numeric_limits<double>::quiet_NaN();
    double chiSquare = std::numeric_limits<double>::quiet_NaN();
    double independentPoints = 0.0;
    int evaluations = 0;
    double seconds = 0.0;
    bool converged = false;
    QString message;
};
