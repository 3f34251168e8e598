// What the File menu costs the user: opening a scenario (read, checked, applied, both plots
// painted again), opening a measured chi(k) likewise, and each export, at the windows' start-up
// size.

#include "app/chik.h"
#include "app/chir.h"
#include "plot/disparea.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Windows
{
    Windows()
    {
        chik.show();
        QCoreApplication::processEvents();
    }

    // Paints both plots now, as the event loop would after the command.
    void paint()
    {
        chik.surface(ChiK::ChiKPlot)->repaint();
        chik.surface(ChiK::ChiRPlot)->repaint();
    }

    ChiK chik;
    QTemporaryDir dir;
};

void BM_OpenScenario(benchmark::State &state)
{
    Windows w;
    const QString path = w.dir.filePath("lesson.fourk");
    if (!w.chik.saveScenarioFile(path))
        state.SkipWithError("cannot save the scenario");
    for (auto _ : state) {
        w.chik.openScenarioFile(path);
        w.paint();
    }
}
BENCHMARK(BM_OpenScenario)->Unit(benchmark::kMillisecond);

// Argument: the rows of the file, written as k, chi and two more columns, as exports have them.
void BM_OpenMeasured(benchmark::State &state)
{
    Windows w;
    const QString path = w.dir.filePath("measured.chi");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        state.SkipWithError("cannot write the file");
    file.write("# k chi chi*k chi*k^2\n");
    const auto rows = state.range(0);
    for (qint64 i = 0; i < rows; ++i) {
        const double k = 0.5 + 15.5 * double(i) / double(rows);
        file.write(QByteArray::number(k, 'f', 7) + ' ' + QByteArray::number(0.1 / k, 'e', 8)
                   + " 0.1 0.1\n");
    }
    file.close();
    for (auto _ : state) {
        if (!w.chik.openMeasuredFile(path, 1, 2))
            state.SkipWithError("the file was refused");
        w.paint();
    }
}
BENCHMARK(BM_OpenMeasured)->Arg(400)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SaveScenario(benchmark::State &state)
{
    Windows w;
    const QString path = w.dir.filePath("lesson.fourk");
    for (auto _ : state)
        benchmark::DoNotOptimize(w.chik.saveScenarioFile(path));
}
BENCHMARK(BM_SaveScenario)->Unit(benchmark::kMillisecond);

// Arguments: the plot (0 chi(k), 1 chi(R)) and what is written (0 table, 1 PNG, 2 SVG).
void BM_Export(benchmark::State &state)
{
    Windows w;
    const auto plot = ChiK::Plot(state.range(0));
    const char *suffix[] = { "csv", "png", "svg" };
    const QString path = w.dir.filePath(QStringLiteral("out.") + suffix[state.range(1)]);
    for (auto _ : state) {
        const bool written = state.range(1) == 0 ? w.chik.exportTableFile(plot, path)
                                                 : w.chik.savePlotFile(plot, path);
        benchmark::DoNotOptimize(written);
    }
}
BENCHMARK(BM_Export)
    ->ArgsProduct({ { 0, 1 }, { 0, 1, 2 } })
    ->ArgNames({ "plot", "format" })
    ->Unit(benchmark::kMillisecond);

} // namespace
