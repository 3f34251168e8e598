#pragma once

#include <QCoreApplication>
#include <QString>
#include <QVector>

// A measured chi(k): the rows k (Å⁻¹) and chi (unweighted) as read, the name of the file they
// came from (for display, without its folder) and the 1-based columns they were taken from.
// Text files and scenario files are read into one and checked by the same rules.
class MeasuredChi
{
    Q_DECLARE_TR_FUNCTIONS(MeasuredChi)

public:
    static constexpr int minRows = 4;
    static constexpr int maxRows = 1000000;
    static constexpr int maxColumn = 999;
    static constexpr double maxMagnitude = 1e100;

    // The first problem of the rows, or "" when there is none. *row is the 0-based row it is in
    // (for too many rows, the first one too many), or -1 when it is in no row.
    static QString check(const QVector<double> &k, const QVector<double> &chi, int *row);
    static bool isValidColumn(int column) { return column >= 1 && column <= maxColumn; }

    bool isEmpty() const { return k.isEmpty(); }

    QVector<double> k;
    QVector<double> chi;
    QString file;
    int kColumn = 1;
    int chiColumn = 2;
};
