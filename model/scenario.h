#pragma once

#include "model/measuredchi.h"

#include <QCoreApplication>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

// Everything a user can set in the windows, as plain values: the shell parameters, the window
// edges, the envelope nodes, the factor switches, the chi(R) selectors, the pointer and the
// measured chi(k) shown beside the simulation. Scenario
// files and fourk-export's options are read into one, with the same rules; a default-constructed
// scenario is the program at start-up.
class Scenario
{
    Q_DECLARE_TR_FUNCTIONS(Scenario)

public:
    // The single numbers, named as fourk-export's options and a scenario file's keys.
    enum Number { N, R, P0, P2, Sigma, Pointer };
    static const QVector<Number> &numbers();
    static QString key(Number which);

    // The rules every reader of a scenario applies. Each accepted...() says what a value must
    // be ("a number from 0 to 10"), for the reader's message naming the option or key.
    static bool isValid(Number which, double v);
    static QString accepted(Number which);
    static bool isValidWindow(const QVector<double> &edges);
    static QString acceptedWindow();
    static bool isValidEnvelope(const QVector<QPointF> &nodes);
    static QString acceptedEnvelope();
    static bool isValidShow(const QStringList &names);
    static QString acceptedShow();

    double number(Number which) const;
    // Takes what isValid() accepts; n ignores anything else.
    void setNumber(Number which, double v);

    // The chi(R) selectors' names, in the order of the window's bar.
    static const QStringList &selectorNames();
    static constexpr int maxNodes = 1000;

    int n = 2;
    double r = 2.0;
    double p0 = 0.0;
    double p2 = 0.0;
    double sigma = 0.05;
    // Any order: the window panel sorts them.
    QVector<double> window { 3.0, 4.0, 15.0, 16.0 };
    QVector<QPointF> envelope = flatEnvelope();
    bool useEnvelope = true;
    bool useWindow = true;
    bool useDebye = true;
    bool pm = false;
    QStringList show { QStringLiteral("abs"), QStringLiteral("F"), QStringLiteral("W"),
                       QStringLiteral("wave"), QStringLiteral("total") };
    double pointer = 2.0;
    // Empty when no measured chi(k) is loaded.
    MeasuredChi data;

private:
    static QVector<QPointF> flatEnvelope();
};
