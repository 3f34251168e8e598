#include "exporter.h"

#include "model/awave.h"
#include "model/csvtables.h"
#include "model/fitbatch.h"
#include "model/outputfiles.h"
#include "model/scenariofile.h"
#include "model/shellfit.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/disparea.h"
#include "tools/exportoptions.h"

#include <QCoreApplication>
#include <QJsonDocument>

#include <cstdio>

#include <unistd.h>

Exporter::Exporter()
    : window(new ChiK)
{
    // Shown (offscreen) before the first paint, as the program shows it: the chi(k) plot shows
    // both windows while it paints, which must not lay them out in the middle of a frame.
    window->show();
    QCoreApplication::processEvents();
}

QByteArray Exporter::picture(ChiK::Plot plot, PlotImage::Format format, const QSize &size)
{
    // Only the surface takes the size: the plots are drawn to the surface's own rectangle. The
    // minimum height that keeps a plot readable in a window does not bind a picture.
    window->surface(plot)->setMinimumSize(0, 0);
    window->surface(plot)->resize(size);
    return window->picture(plot, format);
}

Exporter::Outcome Exporter::fit(const ExportOptions &o, Scenario *s, OutputFiles *out,
                                QString *error)
{
    const AWave *wave = window->waves.constFirst();
    const QVector<double> &edges = wave->ctrl->WindowCtrl->positions;
    if (!ShellFit::check(wave->grid(), wave->settings(), s->shells, s->fit, error)) {
        *error = QStringLiteral("--fit: ") + *error;
        return BadInput;
    }
    if (o.dataFiles.size() > 1) {
        FitBatch batch;
        batch.grid = wave->grid();
        batch.settings = wave->settings();
        batch.shells = s->shells;
        batch.fit = s->fit;
        batch.edges = edges;
        batch.kColumn = o.kColumn;
        batch.chiColumn = o.chiColumn;
        const int total = o.dataFiles.size();
        const bool terminal = ::isatty(STDERR_FILENO);
        const QVector<FitReport> reports = batch.run(o.dataFiles, [terminal, total](int done) {
            if (terminal)
                std::fprintf(stderr, "\rfourk-export: fitted %d of %d%s", done, total,
                             done == total ? "\n" : "");
        });
        out->add(o.fitTableFile, CsvTables::fits(s->fit.vary, o.dataFiles, reports),
                 QStringLiteral("--fit-table"));
        const int failed = int(std::count_if(reports.begin(), reports.end(),
                                             [](const FitReport &r) { return !r.converged; }));
        if (failed == 0)
            return Done;
        *error = QStringLiteral("%1 of %2 fits failed; their rows in '%3' say why")
                     .arg(failed)
                     .arg(total)
                     .arg(o.fitTableFile);
        return FitFailed;
    }

    ShellFit fit;
    if (!fit.setUp(wave->grid(), wave->settings(), s->shells, s->data, s->fit, edges, error)) {
        *error = QStringLiteral("--fit: ") + *error;
        return BadInput;
    }
    const FitReport report = fit.run();
    if (!o.fitReportFile.isEmpty())
        out->add(o.fitReportFile, QJsonDocument(report.toJson()).toJson(),
                 QStringLiteral("--fit-report"));
    if (!o.fitTableFile.isEmpty()) {
        const QString file = o.dataFiles.isEmpty() ? s->data.file : o.dataFiles.constFirst();
        out->add(o.fitTableFile, CsvTables::fits(s->fit.vary, { file }, { report }),
                 QStringLiteral("--fit-table"));
    }
    if (!ShellFit::apply(report, &s->shells, &s->s02, &s->e0)) {
        *error = QStringLiteral("the fit failed: ") + report.message;
        return FitFailed;
    }
    s->fitReport = report;
    return Done;
}

Exporter::Outcome Exporter::collect(const ExportOptions &o, OutputFiles *out, QString *error)
{
    Scenario s = o.scenario;
    window->applyScenario(s);
    if (o.fit) {
        const Outcome fitted = fit(o, &s, out, error);
        // The other outputs show the fitted model, or nothing.
        if (fitted != Done || o.dataFiles.size() > 1)
            return fitted;
        window->applyScenario(s);
    }
    if (!o.chiKFile.isEmpty())
        out->add(o.chiKFile, window->table(ChiK::ChiKPlot), QStringLiteral("--chik"));
    if (!o.chiRFile.isEmpty())
        out->add(o.chiRFile, window->table(ChiK::ChiRPlot), QStringLiteral("--chir"));
    const struct
    {
        const QString &file;
        ChiK::Plot plot;
        const char *what;
    } plots[] = { { o.plotKFile, ChiK::ChiKPlot, "--plot-k" },
                  { o.plotRFile, ChiK::ChiRPlot, "--plot-r" } };
    for (const auto &p : plots) {
        if (p.file.isEmpty())
            continue;
        const QByteArray data = picture(p.plot, PlotImage::formatOf(p.file), o.size);
        // Only memory can fail it: the size is checked.
        if (data.isEmpty()) {
            *error = QStringLiteral("cannot write '%1': a picture of %2x%3 pixels does not fit "
                                    "in memory")
                         .arg(p.file)
                         .arg(o.size.width())
                         .arg(o.size.height());
            return TooLarge;
        }
        out->add(p.file, data, QLatin1String(p.what));
    }
    if (!o.scenarioFile.isEmpty()) {
        // The fit's settings and last report as the options and the fit left them.
        Scenario saved = window->scenario();
        saved.fit = s.fit;
        saved.fitReport = s.fitReport;
        QByteArray json;
        if (!ScenarioFile::encode(saved, o.scenarioFile, &json, error))
            return TooLarge;
        out->add(o.scenarioFile, json, QStringLiteral("--save-scenario"), true);
    }
    return Done;
}
