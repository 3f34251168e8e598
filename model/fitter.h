#pragma once

#include "model/fitreport.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>

#include <functional>

// Least squares over named variables, each kept inside its range, by Eigen's Levenberg-Marquardt.
// Nothing here is shared between calls: several fits can run at once on worker threads, as long
// as each one's residual function can.
class Fitter
{
    Q_DECLARE_TR_FUNCTIONS(Fitter)

public:
    struct Variable
    {
        QString name;
        double start = 0.0;
        double min = 0.0;
        double max = 0.0;
    };

    // Fills residuals[0 … residualCount - 1] for values[0 … variables.size() - 1], in the order
    // of variables; or returns false and sets *problem to one line saying why it cannot.
    using Residuals
        = std::function<bool(const double *values, double *residuals, QString *problem)>;

    // Runs the fit. Every failure gives back the start values and says why.
    FitReport fit() const;

    QVector<Variable> variables;
    int residualCount = 0;
    Residuals residuals;
    // The number of independent points in the data, which the uncertainties are scaled by.
    double independentPoints = 0.0;
    // The sum of the squared data part of the residuals, which the R-factor is relative to.
    double dataSquares = 0.0;
    // Evaluations before the fit gives up; 0 for 100 per variable and one.
    int maxEvaluations = 0;
};
