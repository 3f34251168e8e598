#pragma once

#include "model/inputfiles.h"
#include "model/scenario.h"

#include <QSize>
#include <QString>
#include <QStringList>

// What fourk-export was asked to set and to write, read from its command line. Every value is
// checked here, before anything is built or written, so that bad input never leaves a file behind.
class ExportOptions
{
public:
    enum Outcome { Run, Help, Version, Invalid };

    // The whole command line, the program name first. On Invalid, error holds one line naming
    // the option or file and what is wrong.
    Outcome parse(const QStringList &arguments);

    QString helpText() const { return help; }

    // --scenario first, then every other setting given, wherever it stands.
    Scenario scenario;
    QString chiKFile;
    QString chiRFile;
    QString plotKFile;
    QString plotRFile;
    QString scenarioFile;
    // --fit: the parameters scenario.fit.vary names are fitted, to the one measured chi(k) of
    // the scenario (--data or --scenario), or to each of several --data files, which are then
    // read by the fits themselves (dataFiles, with their columns).
    bool fit = false;
    QStringList dataFiles;
    int kColumn = 1;
    int chiColumn = 2;
    QString fitReportFile;
    QString fitTableFile;
    QSize size { 800, 600 };
    // --scenario and --data, which no output may replace (but --save-scenario the scenario).
    InputFiles inputs;
    QString error;

    static constexpr int maxSide = 8192;

private:
    QString help;
};
