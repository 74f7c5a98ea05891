// bench-checks: times the 点検計算 (loops, repeats, coverage, observation conditions) of a
// generated 10,000-baseline project and, in the same run, the import of that project. The
// import is the yardstick: the checks must take at most half of it, so that opening the
// checks window never feels slower than opening the file.
//
// The project has planted blunders and repeated baselines, and the run checks the known
// answers: a loop fails exactly when it goes through a blundered baseline, and every
// planted repeat is found and judged.
#include "benchsupport.h"
#include "checks/runchecks.h"
#include "exchangegenerator.h"
#include "import/exchangeimport.h"

#include <QByteArray>
#include <QSet>

#include <cstdio>
#include <cstdlib>

namespace {

// Baselines spread over the project, far enough apart that no loop holds two of them.
QList<int> spread(int count, int baselines, int offset)
{
    QList<int> numbers;
    for (int i = 0; i < count; ++i)
        numbers.append(offset + int((qint64(i) * baselines) / count));
    return numbers;
}

bool loopHas(const LoopCheck& loop, const QSet<int>& baselines)
{
    for (const LoopSide& side : loop.sides)
        if (baselines.contains(side.baseline))
            return true;
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    BenchOptions args;
    int planted = 10;
    args.addOption("--planted", &planted);
    if (!args.parse(argc, argv) || planted < 0) {
        std::fprintf(stderr, "usage: bench-checks [--baselines N] [--runs N] [--seed N] [--planted N]\n");
        return 2;
    }
    GeneratorOptions options;
    options.baselines = args.baselines;
    options.seed = args.seed;
    options.repeats = spread(planted, args.baselines, 1);
    for (int i = 0; i < options.repeats.size(); i += 2)
        options.repeats[i] = -options.repeats[i]; // every other one observed from its end
    options.blunders = spread(planted, args.baselines, 1 + args.baselines / (2 * std::max(1, planted)));
    if (const QString problem = checkGeneratorOptions(options); !problem.isEmpty()) {
        std::fprintf(stderr, "bench-checks: %s\n", qPrintable(problem));
        return 2;
    }
    const QByteArray bytes = generateExchangeFile(options);

    ProjectModel model;
    if (const Outcome outcome = ImportExchangeBytes(bytes, model); !outcome.ok) {
        std::fprintf(stderr, "bench-checks: the import refused the file: %s\n",
                     qPrintable(outcome.message));
        return 1;
    }
    const Result<CheckResult> checked = RunChecks(model, {});
    if (!checked) {
        std::fprintf(stderr, "bench-checks: %s\n", qPrintable(checked.message()));
        return 1;
    }

    // The known answers.
    const QSet<int> blunders(options.blunders.begin(), options.blunders.end());
    int wrongVerdicts = 0;
    int loopsThroughBlunders = 0;
    int sides = 0;
    for (const LoopCheck& loop : checked->loops) {
        const bool blundered = loopHas(loop, blunders);
        loopsThroughBlunders += blundered ? 1 : 0;
        wrongVerdicts += loop.closure.pass == blundered ? 1 : 0;
        sides += loop.sideCount();
    }
    QSet<int> repeatsFound;
    for (const RepeatCheck& r : checked->repeats) {
        repeatsFound.insert(r.other);
        const bool blundered = blunders.contains(r.first) || blunders.contains(r.other);
        wrongVerdicts += r.difference.pass == blundered ? 1 : 0;
    }
    int missedRepeats = 0;
    for (int i = 0; i < options.repeats.size(); ++i)
        missedRepeats += repeatsFound.contains(args.baselines + 1 + i) ? 0 : 1;
    std::printf("input          %d baselines + %d repeated, %d blunders, %.1f MB\n", args.baselines,
                int(options.repeats.size()), int(options.blunders.size()), double(bytes.size()) / 1e6);
    std::printf("checks found   %d loops (%.2f sides on average, %d through a blunder, %d failed), "
                "%d repeats (%d failed), %d unchecked, %d failing conditions\n",
                int(checked->loops.size()), checked->loops.isEmpty() ? 0.0 : double(sides) / checked->loops.size(),
                loopsThroughBlunders, checked->failedLoops(), int(checked->repeats.size()),
                checked->failedRepeats(), int(checked->unchecked.size()), checked->failedConditions());
    std::printf("known answers  %s (%d wrong verdicts, %d planted repeats not found)\n",
                wrongVerdicts == 0 && missedRepeats == 0 ? "met" : "NOT MET", wrongVerdicts, missedRepeats);

    const auto importOnce = [&] {
        ProjectModel m;
        if (!ImportExchangeBytes(bytes, m).ok)
            std::abort();
    };
    const auto checkOnce = [&] {
        if (!RunChecks(model, {}))
            std::abort();
    };
    // Best of several runs, alternating so that neither side gets the quieter machine.
    Timing import, checks;
    for (int i = 0; i < args.runs; ++i) {
        import.measure(importOnce);
        checks.measure(checkOnce);
    }
    std::printf("import         best %8.1f ms wall, %8.1f ms cpu of %d runs\n", import.wallMs,
                import.cpuMs, args.runs);
    std::printf("checks         best %8.1f ms wall, %8.1f ms cpu of %d runs\n", checks.wallMs,
                checks.cpuMs, args.runs);
    const double ratio = checks.wallMs / import.wallMs;
    std::printf("ratio          checks/import %.3f wall, %.3f cpu (goal <= 0.50: %s)\n", ratio,
                checks.cpuMs / import.cpuMs, ratio <= 0.5 ? "met" : "not met");
    return wrongVerdicts == 0 && missedRepeats == 0 ? 0 : 1;
}
