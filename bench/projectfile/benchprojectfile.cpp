// bench-projectfile: saves and loads the project imported from a generated exchange file of
// 10,000 baselines and, in the same run, imports that exchange file again. Reopening a saved
// project is the point of the project file: it should take at most a quarter of the import.
#include "benchgenerator.h"
#include "exchangegenerator.h"
#include "import/exchangeimport.h"
#include "project/projectfile.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>

namespace {

constexpr double goalRatio = 0.25;

// A model that the work fills is freed after the clocks stop: freeing it is the same
// work on both sides and belongs to neither.
void measure(Timing& best, const std::function<void(ProjectModel&)>& work)
{
    ProjectModel model;
    best.measure([&] { work(model); });
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

double megabytes(const QString& path)
{
    return double(QFileInfo(path).size()) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    BenchOptions args;
    if (!args.parse(argc, argv)) {
        std::fprintf(stderr, "usage: bench-projectfile [--baselines N] [--runs N] [--seed N]\n");
        return 2;
    }
    const GeneratorOptions options = BenchGeneratorOptions(args, "bench-projectfile");
    QTemporaryDir dir;
    const QString exchangePath = dir.filePath(QStringLiteral("survey.xml"));
    const QString projectPath = dir.filePath(QStringLiteral("survey.dat"));
    if (!dir.isValid() || !writeFile(exchangePath, generateExchangeFile(options))) {
        std::fprintf(stderr, "bench-projectfile: cannot write the exchange file\n");
        return 1;
    }

    ProjectModel imported;
    if (const Outcome o = ReadExchangeFile(exchangePath, imported); !o) {
        std::fprintf(stderr, "bench-projectfile: the import refused the file: %s\n", qPrintable(o.message));
        return 1;
    }
    if (const Outcome o = SaveProjectFile(imported, projectPath); !o) {
        std::fprintf(stderr, "bench-projectfile: the save was refused: %s\n", qPrintable(o.message));
        return 1;
    }
    // The loaded project must be the imported one (its software text blank-filled to the
    // header's 30 bytes), or the timings compare different work.
    {
        ProjectModel loaded;
        ProjectModel expected = imported;
        expected.swProgram = expected.swProgram.leftJustified(30, u' ', true);
        if (!LoadProjectFile(projectPath, loaded) || !(loaded == expected)) {
            std::fprintf(stderr, "bench-projectfile: the loaded project differs from the saved one\n");
            return 1;
        }
    }
    std::printf("project        %d baselines, %d occupations, %d satellites\n", imported.baselineCount(),
                imported.occupationCount(), imported.satelliteCount());
    std::printf("files          exchange %.1f MB, project %.1f MB\n", megabytes(exchangePath),
                megabytes(projectPath));

    const auto importOnce = [&](ProjectModel& model) {
        if (!ReadExchangeFile(exchangePath, model))
            std::abort();
    };
    const auto loadOnce = [&](ProjectModel& model) {
        if (!LoadProjectFile(projectPath, model))
            std::abort();
    };
    const auto saveOnce = [&](ProjectModel&) {
        if (!SaveProjectFile(imported, projectPath))
            std::abort();
    };

    // Best of several runs, alternating so that no side gets the quieter machine.
    Timing import, load, save;
    for (int i = 0; i < args.runs; ++i) {
        measure(import, importOnce);
        measure(load, loadOnce);
        measure(save, saveOnce);
    }
    std::printf("best of %d      wall ms   cpu ms\n", args.runs);
    std::printf("import .xml    %8.1f %8.1f\n", import.wallMs, import.cpuMs);
    std::printf("load .dat      %8.1f %8.1f\n", load.wallMs, load.cpuMs);
    std::printf("save .dat      %8.1f %8.1f\n", save.wallMs, save.cpuMs);
    const double wallRatio = load.wallMs / import.wallMs;
    const double cpuRatio = load.cpuMs / import.cpuMs;
    std::printf("ratio          load/import wall %.3f, cpu %.3f (goal <= %.2f: %s)\n", wallRatio,
                cpuRatio, goalRatio, std::max(wallRatio, cpuRatio) <= goalRatio ? "met" : "not met");
    return 0;
}
