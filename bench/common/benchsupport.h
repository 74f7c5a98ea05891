#pragma once

// What every benchmark needs: best-of timings that stay honest on a shared machine,
// peak memory of a piece of work, and the common command-line options.

#include <functional>
#include <limits>

// Best wall-clock and best processor time over several runs. On a shared machine the
// processor time shows the work itself when the wall time includes waiting for a core.
struct Timing
{
    double wallMs = std::numeric_limits<double>::max();
    double cpuMs = std::numeric_limits<double>::max();

    // One run of `work`, kept when it beats the best so far. Alternating calls time two
    // sides under the same load.
    void measure(const std::function<void()>& work);
};

inline constexpr int defaultBenchRuns = 5;

// The best of `runs` runs of `work`; `prepare`, untimed, sets up each run.
Timing BestOf(int runs, const std::function<void()>& work);
Timing BestOf(int runs, const std::function<void()>& prepare, const std::function<void()>& work);

// How far the resident set grows above its level at the start while `work` runs,
// measured in a child process so that no side inherits another's freed but kept heap.
// -1 when it cannot be measured.
long long PeakGrowthKiB(const std::function<void()>& work);

double KiBToMiB(long long kib);

// A field of /proc/self/status ("VmHWM", "VmRSS") in KiB, or -1.
long long StatusKiB(const char* field);

// "--baselines N --runs N --seed N" and any further whole-number options a benchmark adds.
struct BenchOptions
{
    int baselines = 10000;
    int runs = defaultBenchRuns;
    unsigned long long seed = 2024;

    void addOption(const char* name, int* target);
    bool parse(int argc, char* argv[]);

private:
    struct Extra
    {
        const char* name;
        int* target;
    };
    Extra extras_[4] = {};
    int extraCount_ = 0;
};
