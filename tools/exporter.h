#pragma once

#include "app/chik.h"

#include <QSize>
#include <QString>

class ExportOptions;
class OutputFiles;

// The program's own windows, built as the program builds them but never put on a screen, set
// from a scenario as the user would set them, and asked for the files the menus write.
class Exporter
{
public:
    Exporter();

    // Everything the options ask for, made in memory; nothing is written yet. False, with *error
    // naming the file, when a scenario would be too large to be read back.
    bool collect(const ExportOptions &o, OutputFiles *out, QString *error);

    // The plot drawn at the given size, as the File menu would save it from a window that size.
    QByteArray picture(ChiK::Plot plot, PlotImage::Format format, const QSize &size);

    // The window and everything it builds stay alive until the process ends, as in the program.
    ChiK *window;
};
