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
        out->add(o.chiKFile, window->table(ChiK::ChiKPlot));
    if (!o.chiRFile.isEmpty())
        out->add(o.chiRFile, window->table(ChiK::ChiRPlot));
    if (!o.plotKFile.isEmpty())
        out->add(o.plotKFile, picture(ChiK::ChiKPlot, PlotImage::formatOf(o.plotKFile), o.size));
    if (!o.plotRFile.isEmpty())
        out->add(o.plotRFile, picture(ChiK::ChiRPlot, PlotImage::formatOf(o.plotRFile), o.size));
    if (!o.scenarioFile.isEmpty()) {
        QByteArray json;
        if (!ScenarioFile::encode(window->scenario(), o.scenarioFile, &json, error))
            return false;
        out->add(o.scenarioFile, json);
    }
    return true;
}
