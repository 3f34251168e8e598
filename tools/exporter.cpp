#include "exporter.h"

#include "model/outputfiles.h"
#include "model/scenariofile.h"
#include "plot/disparea.h"
#include "tools/exportoptions.h"

#include <QCoreApplication>

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
    // Only the surface takes the size: the plots are drawn to the surface's own rectangle.
    window->surface(plot)->resize(size);
    return window->picture(plot, format);
}

bool Exporter::collect(const ExportOptions &o, OutputFiles *out, QString *error)
{
    window->applyScenario(o.scenario);
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
            return false;
        }
        out->add(p.file, data, QLatin1String(p.what));
    }
    if (!o.scenarioFile.isEmpty()) {
        QByteArray json;
        if (!ScenarioFile::encode(window->scenario(), o.scenarioFile, &json, error))
            return false;
        out->add(o.scenarioFile, json, QStringLiteral("--save-scenario"), true);
    }
    return true;
}
