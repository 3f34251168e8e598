#pragma once

#include "app/chik.h"

#include <QSize>
#include <QString>

class ExportOptions;
class OutputFiles;
class Scenario;

// The program's own windows, built as the program builds them but never put on a screen, set
// from a scenario as the user would set them, and asked for the files the menus write.
class Exporter
{
public:
    // What collect() leaves to do: write the outputs (Done), or, without writing, fail with
    // exit status 1 or 2; or write them and then fail with status 3 (FitFailed).
    enum Outcome { Done = 0, TooLarge = 1, BadInput = 2, FitFailed = 3 };

    Exporter();

    // Everything the options ask for, made in memory; nothing is written yet. Anything but Done
    // comes with *error: a scenario too large to be read back, a fit the data or the model
    // refuse, or a fit that failed, of which only the report and the table are made.
    Outcome collect(const ExportOptions &o, OutputFiles *out, QString *error);

    // The plot drawn at the given size, as the File menu would save it from a window that size.
    QByteArray picture(ChiK::Plot plot, PlotImage::Format format, const QSize &size);

    // The window and everything it builds stay alive until the process ends, as in the program.
    ChiK *window;

private:
    // Fits the options' parameters: on Done, *s holds the fitted model and its report.
    Outcome fit(const ExportOptions &o, Scenario *s, OutputFiles *out, QString *error);
};
