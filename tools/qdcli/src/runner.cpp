// Progress through the message pump, and wall-clock timing.
#include "runner.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <qd/memobj.h>

namespace qdcli {
namespace {

using Clock = std::chrono::steady_clock;

// The libraries pump once per row or column; the pump is a plain function,
// so its state lives here for the one run at a time.
struct Progress {
    const char* name = "";
    long long rows = 1;
    long long done = 0;
    bool shown = false;
    Clock::time_point last{};
} progress;

int32_t progressPump() {
    ++progress.done;
    const Clock::time_point now = Clock::now();
    if (now - progress.last >= std::chrono::milliseconds(100)) {
        progress.last = now;
        progress.shown = true;
        std::fprintf(stderr, "\r%s: %lld of %lld rows", progress.name,
                     std::min(progress.done, progress.rows), progress.rows);
        std::fflush(stderr);
    }
    return 0;
}

Product runOnce(const Run& run, double& ms) {
    progress.done = 0;
    const Clock::time_point start = Clock::now();
    Product p = run();
    ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return p;
}

} // namespace

Product runTimed(const Run& run, const RunSettings& settings) {
    if (settings.progress) {
        progress = Progress{settings.name.c_str(), std::max(settings.rows, 1), 0, false, Clock::now()};
        SetMessagePump(progressPump);
    }
    double ms = 0;
    Product product = runOnce(run, ms);
    std::vector<double> times;
    for (int i = 0; i < settings.timedRuns; ++i) {
        product = runOnce(run, ms);
        times.push_back(ms);
    }
    SetMessagePump(nullptr);
    if (progress.shown) std::fputs("\r\033[K", stderr);
    if (!times.empty()) {
        std::sort(times.begin(), times.end());
        const size_t n = times.size();
        const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
        std::fprintf(stderr, "%s: min %.3f ms, median %.3f ms over %zu runs\n", settings.name.c_str(),
                     times.front(), median, n);
    }
    return product;
}

} // namespace qdcli
