#pragma once

#include "model/chiarrays.h"
#include "model/fitreport.h"
#include "model/fitsettings.h"
#include "model/measuredchi.h"
#include "model/shell.h"
#include "panels/parameter.h"
#include "panels/windowfunc.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QPair>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// Everything a user can set in the windows, as plain values: the shells, the k-weight, S0², E0
// and the scale, the window edges, the factor switches, the chi(R) selectors, the pointer, the
// measured chi(k) shown beside the simulation, and the fit's settings and last report. Scenario
// files and fourk-export's options are read into one, with the same rules; a default-constructed
// scenario is the program at start-up.
class Scenario
{
    Q_DECLARE_TR_FUNCTIONS(Scenario)

public:
    // The single numbers a scenario and fourk-export's options name: the k-weight, the first
    // shell's R, P0, P2 and Sigma (as the one shell of older files had them), S0², E0 and the
    // pointer.
    static const QVector<Parameter::Id> &numbers();
    double number(Parameter::Id which) const;
    // Takes what Parameter::isValid() accepts; n ignores anything else.
    void setNumber(Parameter::Id which, double v);

    // The rules every reader of a scenario applies. Each accepted...() says what a value must
    // be, for the reader's message naming the option or key.
    static bool isValidWindow(const QVector<double> &edges);
    static QString acceptedWindow();
    static bool isValidEnvelope(const QVector<QPointF> &nodes);
    static QString acceptedEnvelope();
    static bool isValidShow(const QStringList &names);
    static QString acceptedShow();
    // A name of the shells' list, from 1 to Shell::maxCount.
    static QString shellName(int number);

    // The chi(R) selectors' names, in the order of the window's bar.
    static const QStringList &selectorNames();
    // The scales' names, in the order of ChiArrays::Scale.
    static const QStringList &scaleNames();
    static constexpr int maxNodes = 1000;
    // Envelope nodes are amplitudes, as measured values are; far beyond this they would only
    // overflow the sums.
    static constexpr double maxMagnitude = MeasuredChi::maxMagnitude;

    int n = 2;
    double s02 = 1.0;
    double e0 = 0.0;
    ChiArrays::Scale scale = ChiArrays::Normalised;
    QVector<Shell> shells { Shell::drawn(shellName(1)) };
    // Any order: the window panel sorts them.
    QVector<double> window { 3.0, 4.0, 15.0, 16.0 };
    WindowFunc::Shape windowShape = WindowFunc::Hanning;
    bool useEnvelope = true;
    bool useWindow = true;
    bool useDebye = true;
    bool pm = false;
    // The shells' own thin curves in the chi(k) plot.
    bool shellCurves = true;
    QStringList show { QStringLiteral("abs"),  QStringLiteral("F"),     QStringLiteral("W"),
                       QStringLiteral("wave"), QStringLiteral("total"), QStringLiteral("shells") };
    double pointer = 2.0;
    // Axis titles, round values and a legend around both plots; saved only when on.
    bool labels = false;
    // Empty when no measured chi(k) is loaded.
    MeasuredChi data;
    FitSettings fit;
    // The last fit's report, if there was one: saved under "fit" as "report".
    std::optional<FitReport> fitReport;
    // Keys of a scenario file that this version does not read, with their values' JSON text as
    // the file had it, in its order: saved again as they were, for the version that wrote them.
    QVector<QPair<QString, QByteArray>> laterKeys;
};
