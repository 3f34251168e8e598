#include "fitter.h"

#include <QElapsedTimer>
#include <QSet>
#include <QStringList>

#include <Eigen/Core>
#include <Eigen/SVD>
#include <unsupported/Eigen/LevenbergMarquardt>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const double pi = 3.141592653589793;

// Finite-difference step, as a fraction of the variable's range rather than of its value: zero
// is a common value (ΔE0, P0), and the range is the scale the user thinks in. sqrt(ε) balances
// the rounding of the residuals against the curvature the difference ignores; with R in 0 … 10
// it is 1.5e-7 Å, far below the 0.03 Å over which sin(2kR) bends at k = 16.
const double stepFraction = std::sqrt(std::numeric_limits<double>::epsilon());

// Stop when an iteration lowers chi² by less than this fraction, actually and as predicted.
// Then chi² is within ftol·chi² of its minimum, so each value is within sqrt(ν·ftol) of its
// uncertainty from the best one (ν = N_idp - N_var): under 1% of σ up to ν = 100. In practice
// the last step lands far closer: on a 60-sample path the values agree to 1e-7 σ with a fit run
// to 1e-14. 1e-8 takes the same evaluations, 1e-4 at most an iteration fewer, 1e-10 one more,
// 1e-14 twice as many, on every mouse move.
const double ftol = 1e-6;
// Stop when the step is this small against the (scaled) mapped values. It is what ends a fit of
// noise-free data, whose chi² goes on falling by large fractions. The mapped values lie near 2π
// (see toMapped), so the test does not hang on where in its range a value happens to be.
const double xtol = 1e-10;

// Singular values of the Jacobian with unit columns below this fraction of the largest mark
// combinations of parameters the residuals do not change with. Differences of sqrt(ε) steps
// are good to about 1e-8, so this is well above their noise; columns alike to 1 part in 1e12
// cannot be told apart by any data.
const double singularRatio = 1e-6;
// A parameter takes part in such a combination with at least this weight.
const double nullWeight = 0.1;

// How far from a bound the mapped start lies, in radians: at the bound itself the mapping's
// derivative, and so the variable's column of the Jacobian, is zero and the fit could never
// move it. 0.01 moves the start by 2.5e-5 of the range.
const double boundMargin = 0.01;

// The residuals in mapped variables for Eigen, and the Jacobian in the variables themselves.
//
// The mapping is x = min + (max - min)(1 + sin u)/2. Every u gives an x inside the range, so
// Levenberg-Marquardt steps freely and never has to be held back; unlike a logistic or tanh
// mapping, the bounds are reached at finite u, so a value that belongs on a bound gets there in
// a few steps; and it is smooth, unlike clipping, whose kinks break the Jacobian.
class Problem : public Eigen::DenseFunctor<double>
{
public:
    Problem(const Fitter &fitter, int variableCount)
        : Eigen::DenseFunctor<double>(variableCount, fitter.residualCount)
        , fitter(fitter)
        , point(variableCount)
        , probe(variableCount)
        , lastMapped(variableCount)
        , lastResiduals(fitter.residualCount)
    { }

    // The start on the branch of asin around 2π, so that Eigen's relative step test (xtol)
    // compares steps with a value of that size, and not with 0 for a value in mid-range.
    double toMapped(int i, double x) const
    {
        const Fitter::Variable &v = fitter.variables.at(i);
        const double s = std::clamp(2.0 * (x - v.min) / (v.max - v.min) - 1.0, -1.0, 1.0);
        const double limit = pi / 2 - boundMargin;
        return 2 * pi + std::clamp(std::asin(s), -limit, limit);
    }

    void toValues(const Eigen::VectorXd &u, Eigen::VectorXd &x) const
    {
        for (int i = 0; i < u.size(); ++i) {
            const Fitter::Variable &v = fitter.variables.at(i);
            x(i) = std::clamp(v.min + (v.max - v.min) * (1 + std::sin(u(i))) / 2, v.min, v.max);
        }
    }

    int operator()(const Eigen::VectorXd &u, Eigen::VectorXd &r)
    {
        toValues(u, point);
        if (!evaluate(point, r.data()))
            return -1;
        lastMapped = u;
        lastResiduals = r;
        haveLast = true;
        return 0;
    }

    // Returns the number of evaluations it made, which Eigen counts against its limit.
    int df(const Eigen::VectorXd &u, Eigen::MatrixXd &jacobian)
    {
        toValues(u, point);
        // Eigen asks at the point it last evaluated and kept.
        if (!haveLast || lastMapped != u) {
            if (!evaluate(point, lastResiduals.data()))
                return -1;
            lastMapped = u;
            haveLast = true;
        }
        if (!valueJacobian(point, lastResiduals, jacobian))
            return -1;
        for (int i = 0; i < u.size(); ++i) {
            const Fitter::Variable &v = fitter.variables.at(i);
            jacobian.col(i) *= (v.max - v.min) / 2 * std::cos(u(i));
        }
        return int(u.size());
    }

    // d r / d x at x, whose residuals are r, by one-sided differences that step towards the
    // inside of the range.
    bool valueJacobian(const Eigen::VectorXd &x, const Eigen::VectorXd &r, Eigen::MatrixXd &j)
    {
        probe = x;
        for (int i = 0; i < x.size(); ++i) {
            const Fitter::Variable &v = fitter.variables.at(i);
            const double h = stepFraction * (v.max - v.min);
            probe(i) = x(i) + h <= v.max ? x(i) + h : x(i) - h;
            const double step = probe(i) - x(i);
            if (!evaluate(probe, j.col(i).data()))
                return false;
            j.col(i) = (j.col(i) - r) / step;
            probe(i) = x(i);
        }
        return true;
    }

    int evaluations = 0;
    QString problem;

private:
    bool evaluate(const Eigen::VectorXd &x, double *r)
    {
        ++evaluations;
        QString reason;
        if (!fitter.residuals(x.data(), r, &reason)) {
            problem = Fitter::tr("The model cannot be computed at %1: %2")
                          .arg(valuesText(x),
                               reason.isEmpty() ? Fitter::tr("no reason given") : reason);
            return false;
        }
        for (int k = 0; k < fitter.residualCount; ++k) {
            if (!std::isfinite(r[k])) {
                problem = Fitter::tr("The model gives residual %1 that is not a finite number "
                                     "at %2.")
                              .arg(k + 1)
                              .arg(valuesText(x));
                return false;
            }
        }
        return true;
    }

    QString valuesText(const Eigen::VectorXd &x) const
    {
        QStringList parts;
        for (int i = 0; i < x.size(); ++i)
            parts
                << QStringLiteral("%1 = %2").arg(fitter.variables.at(i).name).arg(x(i), 0, 'g', 8);
        return parts.join(QStringLiteral(", "));
    }

    const Fitter &fitter;
    Eigen::VectorXd point;
    Eigen::VectorXd probe;
    Eigen::VectorXd lastMapped;
    Eigen::VectorXd lastResiduals;
    bool haveLast = false;
};

// The first problem with the input, or "".
QString checkInput(const Fitter &f)
{
    const int n = f.variables.size();
    if (n == 0)
        return Fitter::tr("No parameter is varied.");
    QSet<QString> names;
    for (const Fitter::Variable &v : f.variables) {
        if (names.contains(v.name))
            return Fitter::tr("%1 is varied twice.").arg(v.name);
        names.insert(v.name);
        if (!(std::isfinite(v.min) && std::isfinite(v.max) && v.min < v.max))
            return Fitter::tr("The range of %1, %2 … %3, is empty.")
                .arg(v.name)
                .arg(v.min)
                .arg(v.max);
        if (!(v.start >= v.min && v.start <= v.max))
            return Fitter::tr("%1 starts at %2, outside its range %3 … %4.")
                .arg(v.name)
                .arg(v.start)
                .arg(v.min)
                .arg(v.max);
    }
    if (!f.residuals)
        return Fitter::tr("There is no model to fit.");
    if (f.residualCount < n)
        return Fitter::tr("%1 parameters are varied but there are only %2 residuals to fit.")
            .arg(n)
            .arg(f.residualCount);
    if (!(f.independentPoints > n))
        return Fitter::tr("%1 parameters are varied but the data hold only %2 independent "
                          "points: vary fewer, or widen the ranges.")
            .arg(n)
            .arg(f.independentPoints, 0, 'g', 4);
    if (!(f.dataSquares > 0.0) || !std::isfinite(f.dataSquares))
        return Fitter::tr("The data are zero where they are fitted: there is nothing to fit.");
    return QString();
}

} // namespace

FitReport Fitter::fit() const
{
    QElapsedTimer timer;
    timer.start();
    FitReport report;
    report.independentPoints = independentPoints;
    for (const Variable &v : variables)
        report.parameters.append({ v.name, v.start, std::numeric_limits<double>::quiet_NaN() });
    const auto finish = [&](const QString &message) {
        report.message = message;
        report.seconds = timer.nsecsElapsed() * 1e-9;
        return report;
    };
    const QString badInput = checkInput(*this);
    if (!badInput.isEmpty())
        return finish(badInput);

    const int n = variables.size();
    // A fit that converges at all takes 4 to 10 iterations of n + 1 evaluations (20 to 40 for
    // a shell's four values); 100 iterations bound one that wanders, at 20 µs an evaluation to
    // 10 ms for four values.
    const int limit = maxEvaluations > 0 ? maxEvaluations : 100 * (n + 1);
    Problem problem(*this, n);
    Eigen::VectorXd u(n);
    for (int i = 0; i < n; ++i)
        u(i) = problem.toMapped(i, variables.at(i).start);
    Eigen::LevenbergMarquardt<Problem> lm(problem);
    lm.setFtol(ftol);
    lm.setXtol(xtol);
    lm.setGtol(0.0);
    lm.setMaxfev(limit);
    // Not lm.minimize(), which goes on to a step after the start could not be evaluated.
    Eigen::LevenbergMarquardtSpace::Status status = lm.minimizeInit(u);
    if (status == Eigen::LevenbergMarquardtSpace::NotStarted) {
        do
            status = lm.minimizeOneStep(u);
        while (status == Eigen::LevenbergMarquardtSpace::Running);
    }
    const auto failed = [&](const QString &message) {
        report.evaluations = problem.evaluations;
        return finish(message);
    };
    switch (status) {
    case Eigen::LevenbergMarquardtSpace::UserAsked:
        return failed(problem.problem);
    case Eigen::LevenbergMarquardtSpace::TooManyFunctionEvaluation:
        return failed(tr("The fit did not converge within %1 evaluations.").arg(limit));
    case Eigen::LevenbergMarquardtSpace::ImproperInputParameters:
    case Eigen::LevenbergMarquardtSpace::NotStarted:
    case Eigen::LevenbergMarquardtSpace::Running:
        return failed(tr("The fit broke down in a numerical problem."));
    default:
        break;
    }

    // The uncertainties come from the Jacobian in the variables themselves, at the minimum.
    Eigen::VectorXd x(n);
    problem.toValues(u, x);
    const Eigen::VectorXd r = lm.fvec();
    Eigen::MatrixXd j(residualCount, n);
    if (!problem.valueJacobian(x, r, j))
        return failed(problem.problem);
    // Columns of unit length, so that the singular values compare shapes, not units.
    const Eigen::VectorXd norms = j.colwise().norm().transpose();
    for (int i = 0; i < n; ++i) {
        if (norms(i) > 0.0)
            j.col(i) /= norms(i);
    }
    const Eigen::JacobiSVD<Eigen::MatrixXd> svd(j, Eigen::ComputeFullV);
    const Eigen::VectorXd &s = svd.singularValues();
    if (!(s(n - 1) > singularRatio * s(0))) {
        QStringList alike;
        for (int k = 0; k < n; ++k) {
            if (s(k) > singularRatio * s(0))
                continue;
            for (int i = 0; i < n; ++i) {
                if (std::fabs(svd.matrixV()(i, k)) >= nullWeight
                    && !alike.contains(variables.at(i).name))
                    alike << variables.at(i).name;
            }
        }
        return failed(alike.size() == 1
                          ? tr("The fit cannot determine %1: the residuals do not change with "
                               "it. Fix it.")
                                .arg(alike.first())
                          : tr("The fit cannot tell %1 apart: the residuals change the same way "
                               "with each. Fix all but one of them.")
                                .arg(alike.join(QStringLiteral(", "))));
    }

    // C = (JᵀJ)⁻¹ = D⁻¹ V S⁻² Vᵀ D⁻¹ with the column lengths D.
    const Eigen::MatrixXd unit = svd.matrixV() * s.array().square().inverse().matrix().asDiagonal()
                                 * svd.matrixV().transpose();
    const double chiSquare = r.squaredNorm();
    const double perFreedom = chiSquare / (independentPoints - n);
    for (int i = 0; i < n; ++i) {
        report.parameters[i].value = x(i);
        report.parameters[i].uncertainty = std::sqrt(unit(i, i) * perFreedom) / norms(i);
        for (int k = i + 1; k < n; ++k) {
            const double c = unit(i, k) / std::sqrt(unit(i, i) * unit(k, k));
            if (std::fabs(c) > FitReport::shownCorrelation)
                report.correlations.append({ variables.at(i).name, variables.at(k).name, c });
        }
    }
    report.chiSquare = chiSquare;
    report.rfactor = chiSquare / dataSquares;
    report.converged = true;
    report.evaluations = problem.evaluations;
    return finish(tr("The fit converged after %1 evaluations.").arg(problem.evaluations));
}
