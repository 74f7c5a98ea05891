// bench-import: times the exchange-file import over a generated 10,000-baseline file and,
// in the same run, pugixml parsing the same bytes into a DOM. pugixml is the yardstick: a
// line reader that keeps only what it needs should not be slower than a full DOM.
#include "exchangegenerator.h"
#include "import/exchangeimport.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>

#include <pugixml.hpp>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>

namespace {

// A field of /proc/self/status in KiB, or -1.
long long statusKiB(const char* field)
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

double mib(long long kib)
{
    return double(kib) / 1024.0;
}

struct Timing
{
    double wallMs = std::numeric_limits<double>::max();
    double cpuMs = std::numeric_limits<double>::max();
};

double cpuNowMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Keeps the best wall and processor time seen; the processor time stays honest when
// other jobs share the machine.
void timeOnce(Timing& best, const std::function<void()>& work)
{
    QElapsedTimer timer;
    const double cpuStart = cpuNowMs();
    timer.start();
    work();
    best.wallMs = std::min(best.wallMs, double(timer.nsecsElapsed()) / 1e6);
    best.cpuMs = std::min(best.cpuMs, cpuNowMs() - cpuStart);
}

// How far the resident set grows above its level at the start while `work` runs, measured
// in a child process so that neither side inherits the other's freed but kept heap.
long long peakGrowthKiB(const std::function<void()>& work)
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
        const long long before = statusKiB("VmRSS");
        work();
        const long long growth = statusKiB("VmHWM") - before;
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

struct Arguments
{
    int baselines = 10000;
    int runs = 5;
    unsigned long long seed = 2024;
};

bool parseArguments(int argc, char* argv[], Arguments& a)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (i + 1 >= argc)
            return false;
        bool ok = false;
        const QByteArray value(argv[++i]);
        if (arg == "--baselines")
            a.baselines = value.toInt(&ok);
        else if (arg == "--runs")
            a.runs = value.toInt(&ok);
        else if (arg == "--seed")
            a.seed = value.toULongLong(&ok);
        if (!ok)
            return false;
    }
    return a.runs > 0;
}

} // namespace

int main(int argc, char* argv[])
{
    Arguments args;
    if (!parseArguments(argc, argv, args)) {
        std::fprintf(stderr, "usage: bench-import [--baselines N] [--runs N] [--seed N]\n");
        return 2;
    }
    GeneratorOptions options;
    options.baselines = args.baselines;
    options.seed = args.seed;
    if (const QString problem = checkGeneratorOptions(options); !problem.isEmpty()) {
        std::fprintf(stderr, "bench-import: %s\n", qPrintable(problem));
        return 2;
    }
    QElapsedTimer generation;
    generation.start();
    const QByteArray bytes = generateExchangeFile(options);
    const double generationMs = double(generation.nsecsElapsed()) / 1e6;
    const double megabytes = double(bytes.size()) / 1e6;

    // One import first, to check that it reads what was generated.
    {
        ProjectModel model;
        const Outcome outcome = ImportExchangeBytes(bytes, model);
        if (!outcome.ok) {
            std::fprintf(stderr, "bench-import: the import refused the file: %s\n",
                         qPrintable(outcome.message));
            return 1;
        }
        int unmatched = 0;
        for (int i = 1; i <= model.baselineCount(); ++i) {
            unmatched += model.baselines[i].startOccupation > 0 ? 0 : 1;
            unmatched += model.baselines[i].endOccupation > 0 ? 0 : 1;
        }
        std::printf("input          %d baselines requested, %.1f MB, generated in %.0f ms\n",
                    args.baselines, megabytes, generationMs);
        std::printf("import read    %d baselines, %d occupations (copies included), %d satellites, "
                    "%d unmatched ends\n",
                    model.baselineCount(), model.occupationCount(), model.satelliteCount(), unmatched);
        if (model.baselineCount() != args.baselines)
            std::printf("WARNING        the import did not read every baseline\n");
    }

    const auto importOnce = [&] {
        ProjectModel model;
        const Outcome outcome = ImportExchangeBytes(bytes, model);
        if (!outcome.ok)
            std::abort();
    };
    const auto pugixmlOnce = [&] {
        pugi::xml_document doc;
        const pugi::xml_parse_result result = doc.load_buffer(bytes.constData(), size_t(bytes.size()));
        if (!result)
            std::abort();
    };

    // Best of several runs, alternating so that neither side gets the quieter machine.
    Timing import, dom;
    for (int i = 0; i < args.runs; ++i) {
        timeOnce(import, importOnce);
        timeOnce(dom, pugixmlOnce);
    }
    const long long importPeak = peakGrowthKiB(importOnce);
    const long long pugixmlPeak = peakGrowthKiB(pugixmlOnce);

    std::printf("import         best %8.1f ms wall, %8.1f ms cpu of %d runs  %6.1f MB/s  peak +%.1f MiB\n",
                import.wallMs, import.cpuMs, args.runs, megabytes / import.wallMs * 1e3, mib(importPeak));
    std::printf("pugixml DOM    best %8.1f ms wall, %8.1f ms cpu of %d runs  %6.1f MB/s  peak +%.1f MiB\n",
                dom.wallMs, dom.cpuMs, args.runs, megabytes / dom.wallMs * 1e3, mib(pugixmlPeak));
    const double ratio = import.wallMs / dom.wallMs;
    std::printf("ratio          import/pugixml %.2f wall, %.2f cpu (goal <= 1.00: %s)\n", ratio,
                import.cpuMs / dom.cpuMs, ratio <= 1.0 ? "met" : "not met");
    std::printf("memory         peak growth import/pugixml %.2f; process VmHWM %.1f MiB\n",
                double(importPeak) / double(pugixmlPeak), mib(statusKiB("VmHWM")));
    return 0;
}
