#pragma once

#include <QCoreApplication>
#include <QString>
#include <QVector>

// One scattering path as FEFF computes it (a feffNNNN.dat file): the path's legs, degeneracy and
// half path length reff, and its table over k of the central atom's phase shift real[2*phc], the
// effective scattering amplitude mag[feff] and phase[feff], the reduction factor, the mean free
// path lambda and the real part of the complex wave number p. Files and scenarios are read into
// one and checked by the same rules.
class FeffPath
{
    Q_DECLARE_TR_FUNCTIONS(FeffPath)

public:
    enum Column { RealPhc, MagFeff, PhaseFeff, RedFactor, Lambda, RealP, ColumnCount };
    static constexpr int minRows = 4;
    static constexpr int maxRows = 100000;

    // The first problem, or "" when there is none. *row is the 0-based table row it is in, header
    // when it is in the legs, degeneracy or reff, or -1.
    static constexpr int header = -2;
    QString check(int *row) const;

    bool isEmpty() const { return k.isEmpty(); }
    int rows() const { return k.size(); }

    // The name of each column as FEFF heads it, and as scenarios key it.
    static QString columnTitle(Column c);
    static QString columnKey(Column c);

    // The file it came from, without its folder, for display.
    QString file;
    int legs = 2;
    double degeneracy = 1.0;
    double reff = 0.0;
    QVector<double> k;
    QVector<double> columns[ColumnCount];
};
