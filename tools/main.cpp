// fourk-export: sets up Fourk's windows from the command line, without a display, and writes
// their tables and plots (see --help).

#include "model/filename.h"
#include "model/outputfiles.h"
#include "tools/exporter.h"
#include "tools/exportoptions.h"

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
    // File names in it as their own bytes, as the user typed them.
    std::fprintf(stderr, "fourk-export: %s\n", FileName::toNative(message).constData());
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qtHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);

    QCoreApplication::setApplicationVersion(QStringLiteral(FOURK_VERSION));

    // Read after QApplication has taken out the arguments that are Qt's own; a file name that is
    // not UTF-8 keeps its bytes.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(FileName::fromNative(argv[i]));

    ExportOptions options;
    switch (options.parse(arguments)) {
    case ExportOptions::Help:
        std::fputs(qPrintable(options.helpText()), stdout);
        return 0;
    case ExportOptions::Version:
        std::printf("fourk-export %s\n", FOURK_VERSION);
        return 0;
    case ExportOptions::Invalid:
        return failWith(options.error, 2);
    case ExportOptions::Run:
        break;
    }

    // Everything is made in memory first; then written all or nothing.
    Exporter exporter;
    OutputFiles out(&options.inputs);
    QString error;
    const Exporter::Outcome outcome = exporter.collect(options, &out, &error);
    if (outcome == Exporter::TooLarge || outcome == Exporter::BadInput)
        return failWith(error, outcome);
    // An output that is an input or another output is bad input.
    if (!out.write())
        return failWith(out.error, out.sameFile ? 2 : 1);
    // A failed fit still writes the report and the table that say why.
    if (outcome == Exporter::FitFailed)
        return failWith(error, outcome);
    return 0;
}
