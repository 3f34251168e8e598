#pragma once

#include <QByteArray>
#include <QString>

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

// Bin spacing in R, computed as the chi(R) plot computes it.
double binSpacing(const AWave &w);

QString number(double v);

} // namespace CsvTables
