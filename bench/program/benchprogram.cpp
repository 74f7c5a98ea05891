// bench-program: the whole program against the least a program can do with the same file.
// Writes a generated 10,000-baseline exchange file, then runs, alternating, `bemsol-cli
// save FILE OUT.dat` (start-up, reading, import, the name table beside the program,
// writing the project) and `pugixml-load FILE` (reading it into a DOM) as processes of
// their own, and times each from outside: wall time, processor time and peak resident set
// of the child as the kernel accounts them (what /usr/bin/time reports).
#include "benchgenerator.h"
#include "exchangegenerator.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct ProcessRun
{
    double wallMs = 0;
    double cpuMs = 0;
    long maxRssKiB = 0;
    bool ok = false;
};

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double msOf(const timeval& t)
{
    return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
}

ProcessRun runProcess(const QStringList& command)
{
    std::vector<QByteArray> bytes;
    for (const QString& a : command)
        bytes.push_back(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);

    ProcessRun run;
    const double start = nowMs();
    const pid_t child = fork();
    if (child < 0)
        return run;
    if (child == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child)
        return run;
    run.wallMs = nowMs() - start;
    run.cpuMs = msOf(usage.ru_utime) + msOf(usage.ru_stime);
    run.maxRssKiB = usage.ru_maxrss;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

struct Summary
{
    double bestWall = 0, medianWall = 0, bestCpu = 0, medianCpu = 0;
    long peakKiB = 0;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

Summary summarise(const QList<ProcessRun>& runs)
{
    std::vector<double> wall, cpu;
    Summary s;
    for (const ProcessRun& r : runs) {
        wall.push_back(r.wallMs);
        cpu.push_back(r.cpuMs);
        s.peakKiB = std::max(s.peakKiB, r.maxRssKiB);
    }
    s.bestWall = *std::min_element(wall.begin(), wall.end());
    s.bestCpu = *std::min_element(cpu.begin(), cpu.end());
    s.medianWall = median(wall);
    s.medianCpu = median(cpu);
    return s;
}

void print(const char* name, const Summary& s, int runs)
{
    std::printf("%-15s best %7.1f ms wall %7.1f ms cpu, median %7.1f ms wall %7.1f ms cpu "
                "of %d runs, peak %.1f MiB\n",
                name, s.bestWall, s.bestCpu, s.medianWall, s.medianCpu, runs,
                double(s.peakKiB) / 1024.0);
}

QString besideThisProgram(const char* name)
{
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).dir().filePath(QLatin1String(name));
}

} // namespace

int main(int argc, char* argv[])
{
    BenchOptions args;
    args.runs = 7;
    if (!args.parse(argc, argv)) {
        std::fprintf(stderr, "usage: bench-program [--baselines N] [--runs N] [--seed N]\n");
        return 2;
    }
    const GeneratorOptions options = BenchGeneratorOptions(args, "bench-program");
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("survey.xml"));
    const QString output = dir.filePath(QStringLiteral("survey.dat"));
    {
        QFile file(input);
        const QByteArray bytes = generateExchangeFile(options);
        if (!dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "bench-program: cannot write %s\n", qPrintable(input));
            return 1;
        }
        std::printf("input           %d baselines, %.1f MB\n", args.baselines, double(bytes.size()) / 1e6);
    }
    const QStringList save{besideThisProgram("bemsol-cli"), QStringLiteral("save"), input, output};
    const QStringList yardstick{besideThisProgram("pugixml-load"), input};

    // One run of each first, to check that both do their work and to warm the file cache.
    for (const QStringList& command : {save, yardstick}) {
        if (!runProcess(command).ok) {
            std::fprintf(stderr, "bench-program: failed: %s\n", qPrintable(command.join(u' ')));
            return 1;
        }
    }
    std::printf("project file    %.1f MB written by bemsol-cli save\n",
                double(QFileInfo(output).size()) / 1e6);

    // Alternating, so that neither side gets the quieter machine.
    QList<ProcessRun> ours, theirs;
    for (int i = 0; i < args.runs; ++i) {
        ours.append(runProcess(save));
        theirs.append(runProcess(yardstick));
        if (!ours.last().ok || !theirs.last().ok) {
            std::fprintf(stderr, "bench-program: a run failed\n");
            return 1;
        }
    }
    const Summary s = summarise(ours);
    const Summary y = summarise(theirs);
    print("bemsol-cli save", s, args.runs);
    print("pugixml-load", y, args.runs);
    const double ratio = s.bestWall / y.bestWall;
    std::printf("ratio           save/pugixml best %.2f wall, %.2f cpu; median %.2f wall, %.2f cpu "
                "(goal <= 1.50: %s)\n",
                ratio, s.bestCpu / y.bestCpu, s.medianWall / y.medianWall, s.medianCpu / y.medianCpu,
                ratio <= 1.5 ? "met" : "not met");
    std::printf("memory          peak save/pugixml %.2f\n", double(s.peakKiB) / double(y.peakKiB));
    return 0;
}
