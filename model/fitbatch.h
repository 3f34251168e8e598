#pragma once

#include "model/chicalculator.h"
#include "model/fitreport.h"
#include "model/fitsettings.h"
#include "model/shell.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// Fits one starting model to each of several measured chi(k) files: every file is read and
// fitted on a worker thread by a ShellFit of its own, the files spread over the cores.
class FitBatch
{
public:
    // One report per file, in their order. A file that cannot be read, or whose fit is refused
    // or fails, gives a report that did not converge and says why; the others are fitted all the
    // same. progress(done) runs on the calling thread each time files are done.
    QVector<FitReport> run(const QStringList &files,
                           const std::function<void(int done)> &progress = {}) const;

    // The starting model and the fit, as ShellFit::setUp() takes them, and the files' columns.
    ChiCalculator grid;
    ChiCalculator::Settings settings;
    QVector<Shell> shells;
    FitSettings fit;
    QVector<double> edges;
    int kColumn = 1;
    int chiColumn = 2;
    // Worker threads; 0 for one a core.
    int threads = 0;
};
