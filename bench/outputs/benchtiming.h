#pragma once

#include <QElapsedTimer>

#include <time.h>

#include <algorithm>
#include <functional>
#include <limits>

inline constexpr int benchRuns = 5;

struct Timing
{
    double wallMs = std::numeric_limits<double>::max();
    double cpuMs = std::numeric_limits<double>::max();
};

inline double cpuNowMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Best of several runs, wall and processor time: the machine is shared, and the
// processor time stays honest when other jobs run beside the benchmark.
inline Timing bestOf(const std::function<void()>& work)
{
    Timing t;
    for (int i = 0; i < benchRuns; ++i) {
        QElapsedTimer timer;
        const double cpuStart = cpuNowMs();
        timer.start();
        work();
        t.wallMs = std::min(t.wallMs, double(timer.nsecsElapsed()) / 1e6);
        t.cpuMs = std::min(t.cpuMs, cpuNowMs() - cpuStart);
    }
    return t;
}
