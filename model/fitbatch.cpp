#include "fitbatch.h"

#include "model/measuredchifile.h"
#include "model/shellfit.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

QVector<FitReport> FitBatch::run(const QStringList &files,
                                 const std::function<void(int done)> &progress) const
{
    const int total = files.size();
    std::vector<FitReport> reports(static_cast<size_t>(total));
    std::atomic<int> next { 0 };
    std::mutex mutex;
    std::condition_variable finished;
    int done = 0;
    const auto work = [&] {
        ShellFit fitter;
        for (int i = next++; i < total; i = next++) {
            FitReport report;
            MeasuredChi data;
            if (MeasuredChiFile::read(files.at(i), kColumn, chiColumn, &data, &report.message)
                && fitter.setUp(grid, settings, shells, data, fit, edges, &report.message))
                report = fitter.run();
            const std::lock_guard<std::mutex> lock(mutex);
            reports[size_t(i)] = report;
            ++done;
            finished.notify_one();
        }
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const int count = std::min(total, threads > 0 ? threads : int(cores));
    std::vector<std::thread> workers;
    for (int t = 0; t < count; ++t)
        workers.emplace_back(work);
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (int seen = 0; seen < total;) {
            finished.wait(lock, [&] { return done > seen; });
            seen = done;
            if (progress) {
                lock.unlock();
                progress(seen);
                lock.lock();
            }
        }
    }
    for (std::thread &t : workers)
        t.join();
    return QVector<FitReport>(reports.begin(), reports.end());
}
