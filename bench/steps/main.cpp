// The step cases on their own, as scripts/bench-compare runs them against each of two builds.

#include <QApplication>
#include <QByteArray>
#include <QString>

#include <benchmark/benchmark.h>

namespace {

QtMessageHandler defaultMessageHandler = nullptr;

// The offscreen platform notes every minimum size the cases pin; that is not news.
void filterMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    defaultMessageHandler(type, context, text);
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    defaultMessageHandler = qInstallMessageHandler(filterMessages);
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
