#include "benchsupport.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {

double cpuNowMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

} // namespace

long long StatusKiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

void Timing::measure(const std::function<void()>& work)
{
    QElapsedTimer timer;
    const double cpuStart = cpuNowMs();
    timer.start();
    work();
    wallMs = std::min(wallMs, double(timer.nsecsElapsed()) / 1e6);
    cpuMs = std::min(cpuMs, cpuNowMs() - cpuStart);
}

Timing BestOf(int runs, const std::function<void()>& work)
{
    return BestOf(runs, [] {}, work);
}

Timing BestOf(int runs, const std::function<void()>& prepare, const std::function<void()>& work)
{
    Timing best;
    for (int i = 0; i < runs; ++i) {
        prepare();
        best.measure(work);
    }
    return best;
}

long long PeakGrowthKiB(const std::function<void()>& work)
{
    int channel[2];
    if (pipe(channel) != 0)
        return -1;
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        close(channel[0]);
        // The high-water mark starts at the inherited resident set; reset it to be sure.
        if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
            std::fputs("5", f);
            std::fclose(f);
        }
        const long long before = StatusKiB("VmRSS");
        work();
        const long long growth = StatusKiB("VmHWM") - before;
        const ssize_t written = write(channel[1], &growth, sizeof growth);
        _exit(written == sizeof growth ? 0 : 1);
    }
    close(channel[1]);
    long long growth = -1;
    if (read(channel[0], &growth, sizeof growth) != sizeof growth)
        growth = -1;
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? growth : -1;
}

double KiBToMiB(long long kib)
{
    return double(kib) / 1024.0;
}

void BenchOptions::addOption(const char* name, int* target)
{
    if (extraCount_ < int(std::size(extras_)))
        extras_[extraCount_++] = {name, target};
}

bool BenchOptions::parse(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (i + 1 >= argc)
            return false;
        bool ok = false;
        const QByteArray value(argv[++i]);
        if (arg == "--baselines") {
            baselines = value.toInt(&ok);
        } else if (arg == "--runs") {
            runs = value.toInt(&ok);
        } else if (arg == "--seed") {
            seed = value.toULongLong(&ok);
        } else {
            for (int e = 0; e < extraCount_; ++e) {
                if (arg == extras_[e].name)
                    *extras_[e].target = value.toInt(&ok);
            }
        }
        if (!ok)
            return false;
    }
    return runs > 0 && baselines > 0;
}
