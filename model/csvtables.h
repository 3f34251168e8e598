#pragma once

#include "model/fitreport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class AWave;

// The wave's arrays as CSV text: one header line, one row per sample or bin, '\n' line ends.
// Numbers carry 17 significant digits with '.' as decimal point, so they read back to the same
// double whatever the locale.
namespace CsvTables {

// k,chi,wave,envelope,window for each computed sample (the first nValid), data (the
// measured chi(k) as drawn) while one is loaded, and shell1 … (each shell's part of chi as
// drawn) when there are several shells.
QByteArray chiK(const AWave &w);

// R,chi_re,chi_im,chi_abs,chi_phase,wave_abs,envelope_abs,window_abs for bins 0 … count/2 − 1,
// at the R the chi(R) plot puts them; data_re,data_im,data_abs, the measured chi(k)'s
// transform, while one is loaded; and shell1_re,shell1_im,shell1_abs … with several shells.
QByteArray chiR(const AWave &w);

// One row per file, in order: file, a column of values and one of uncertainties for each name
// (NAME and NAME_uncertainty), rfactor, converged, message. A fit that did not converge leaves
// its values, uncertainties and R-factor empty; its message says why. Texts with a comma, a
// quote or a line break are quoted.
QByteArray fits(const QStringList &names, const QStringList &files,
                const QVector<FitReport> &reports);

// Bin spacing in R, computed as the chi(R) plot computes it.
double binSpacing(const AWave &w);

QString number(double v);

} // namespace CsvTables
