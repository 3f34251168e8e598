#pragma once

#include "panels/parameter.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// What a fit varies and compares: the parameters by name ("s02", "e0", or "SHELL.KEY" with the
// shells counted from 1 and KEY one of degen, r, sigma, p0, p2), the space the model and the
// data are compared in, the R range of that comparison, and whether the fit follows every change.
class FitSettings
{
    Q_DECLARE_TR_FUNCTIONS(FitSettings)

public:
    enum Space { RSpace, KSpace };

    // The spaces' names, in the order of Space: "r" and "k".
    static const QStringList &spaceNames();
    // The name of a parameter: of the model (shell < 0: S0² or E0) or of shell number
    // shell + 1.
    static QString name(int shell, Parameter::Id id);
    // The shell (0-based, -1 for the model's own) and the parameter a name gives, or false for
    // a name that is none of them; shellCount bounds the shells' numbers.
    static bool parseName(const QString &name, int shellCount, int *shell, Parameter::Id *id);
    // The rule for the R range's ends, and whether a range keeps it (Rmin below Rmax).
    static bool isValidRange(double rMin, double rMax);
    static QString acceptedRange();

    QStringList vary;
    Space space = RSpace;
    double rMin = 1.0;
    double rMax = 3.0;
    bool live = false;
};
