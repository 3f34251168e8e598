#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

// Our benchmarks that have a yardstick: after the run, the time of each is divided by that of
// the yardstick with the same arguments.
struct Comparison
{
    const char *ours;
    const char *reference;
};

const Comparison comparisons[] = {
    { "BM_RealFFT", "BM_FftwR2c" },
};

// Hands everything to the reporter the command line asked for, keeping the CPU time per
// iteration of every run for the ratios: on a shared machine it is the steadier of the two.
class RecordingReporter : public benchmark::BenchmarkReporter
{
public:
    explicit RecordingReporter(std::unique_ptr<benchmark::BenchmarkReporter> display)
        : display(std::move(display))
    { }

    bool ReportContext(const Context &context) override { return display->ReportContext(context); }

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                seconds[run.run_name.str()].push_back(
                    run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit));
        }
        display->ReportRuns(runs);
    }

    void Finalize() override { display->Finalize(); }

    // Median over the repetitions; false when the benchmark did not run.
    bool median(const std::string &name, double *value) const
    {
        const auto it = seconds.find(name);
        if (it == seconds.end() || it->second.empty())
            return false;
        std::vector<double> v = it->second;
        std::sort(v.begin(), v.end());
        const std::size_t m = v.size() / 2;
        *value = v.size() % 2 != 0 ? v[m] : (v[m - 1] + v[m]) / 2;
        return true;
    }

    std::map<std::string, std::vector<double>> seconds;

private:
    std::unique_ptr<benchmark::BenchmarkReporter> display;
};

void printRatios(const RecordingReporter &reporter, FILE *out)
{
    for (const Comparison &c : comparisons) {
        const std::string prefix = std::string(c.ours) + "/";
        for (const auto &entry : reporter.seconds) {
            if (entry.first.compare(0, prefix.size(), prefix) != 0)
                continue;
            const std::string args = entry.first.substr(prefix.size());
            const std::string reference = std::string(c.reference) + "/" + args;
            double ours, theirs;
            if (reporter.median(entry.first, &ours) && reporter.median(reference, &theirs))
                std::fprintf(out, "CPU time %s / %s = %.2f\n", entry.first.c_str(),
                             reference.c_str(), ours / theirs);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    // The reporter is ours, so that the ratios can be taken; it still follows the format asked
    // for, and with JSON the ratios go to stderr to keep stdout valid JSON.
    std::string format = "console";
    const char flag[] = "--benchmark_format=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], flag, sizeof flag - 1) == 0)
            format = argv[i] + sizeof flag - 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    std::unique_ptr<benchmark::BenchmarkReporter> display;
    if (format == "json") {
        display.reset(new benchmark::JSONReporter);
    } else if (format == "console") {
        display.reset(new benchmark::ConsoleReporter(isatty(STDOUT_FILENO)
                                                         ? benchmark::ConsoleReporter::OO_Color
                                                         : benchmark::ConsoleReporter::OO_None));
    } else {
        std::fprintf(stderr, "Unsupported --benchmark_format=%s: use console or json\n",
                     format.c_str());
        return 1;
    }

    RecordingReporter reporter(std::move(display));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatios(reporter, format == "json" ? stderr : stdout);
    benchmark::Shutdown();
    return 0;
}
