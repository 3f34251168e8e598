// fourk-export: sets up Fourk's windows from the command line, without a display, and writes
// their tables and plots (see --help).

#include "tools/exporter.h"
#include "tools/exportoptions.h"
#include "tools/outputfiles.h"

#include <QApplication>

#include <cstdio>

namespace {

QtMessageHandler qtHandler = nullptr;

// Qt's warnings about fonts or the platform say nothing about the export and would bury its own
// error line; only serious messages get through, and only ever to standard error.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        qtHandler(type, context, message);
}

int failWith(const QString &message, int status)
{
    std::fprintf(stderr, "fourk-export: %s\n", qPrintable(message));
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qtHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);

    // Read after QApplication has taken out the arguments that are Qt's own.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    ExportOptions options;
    switch (options.parse(arguments)) {
    case ExportOptions::Help:
        std::fputs(qPrintable(ExportOptions::usage()), stdout);
        return 0;
    case ExportOptions::Version:
        std::printf("fourk-export %s\n", FOURK_VERSION);
        return 0;
    case ExportOptions::Invalid:
        return failWith(options.error, 2);
    case ExportOptions::Run:
        break;
    }

    Exporter exporter;
    exporter.apply(options);

    // Everything is made in memory first; then written all or nothing.
    OutputFiles out;
    if (!options.chiKFile.isEmpty())
        out.add(options.chiKFile, exporter.chiKTable());
    if (!options.chiRFile.isEmpty())
        out.add(options.chiRFile, exporter.chiRTable());
    const auto plot = [&](const QString &file, Exporter::Plot which) {
        if (file.isEmpty())
            return;
        const bool svg = file.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
        out.add(file, svg ? exporter.svg(which, options.size) : exporter.png(which, options.size));
    };
    plot(options.plotKFile, Exporter::ChiKPlot);
    plot(options.plotRFile, Exporter::ChiRPlot);
    if (!out.write())
        return failWith(out.error, 1);
    return 0;
}
