#pragma once

#include <QPointF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

// What fourk-export was asked to set and to write, read from its command line. Every value is
// checked here, before anything is built or written, so that bad input never leaves a file behind.
class ExportOptions
{
public:
    enum Outcome { Run, Help, Version, Invalid };

    // args without the program name. On Invalid, error holds one line naming the option and what
    // it accepts.
    Outcome parse(const QStringList &args);

    static QString usage();
    // The chi(R) selector names --show accepts, in the order of the window's bar.
    static const QStringList &selectorNames();

    int n = 2;
    double r = 2.0;
    double p0 = 0.0;
    double p2 = 0.0;
    double sigma = 0.05;
    QVector<double> window { 3.0, 4.0, 15.0, 16.0 };
    QVector<QPointF> envelope = defaultEnvelope();
    bool useEnvelope = true;
    bool useWindow = true;
    bool useDebye = true;
    bool pm = false;
    QStringList show { QStringLiteral("abs"), QStringLiteral("F"), QStringLiteral("W"),
                       QStringLiteral("wave"), QStringLiteral("total") };
    double pointer = 2.0;
    QString chiKFile;
    QString chiRFile;
    QString plotKFile;
    QString plotRFile;
    QSize size { 800, 600 };
    QString error;

    static constexpr int maxSide = 8192;

private:
    static QVector<QPointF> defaultEnvelope();
    bool take(const QString &name, const QString &value);
    bool checkOutputs();
};
