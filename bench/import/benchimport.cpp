// bench-import: times the exchange-file import over a generated 10,000-baseline file and,
// in the same run, pugixml parsing the same bytes into a DOM. pugixml is the yardstick: a
// line reader that keeps only what it needs should not be slower than a full DOM.
#include "benchgenerator.h"
#include "exchangegenerator.h"
#include "import/exchangeimport.h"
#include "model/modelfields.h"

#include <QByteArray>
#include <QElapsedTimer>

#include <pugixml.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

namespace {

// The lengths of the strings of a model that have storage of their own (a shared string
// counted once): the heap blocks an import allocates and the model's end releases.
class StringStorage
{
public:
    void text(const char*, const QString& s)
    {
        if (!s.isEmpty() && blocks_.insert(s.constData()).second)
            lengths.push_back(s.size());
    }
    void index(const char*, int) {}
    void raw(const char*, quint32) {}
    template <class R> void record(const char*, const R& nested) { visitFields(nested, *this); }

    template <class R> void add(const QList<R>& records)
    {
        for (const R& r : records)
            visitFields(r, *this);
    }

    std::vector<qsizetype> lengths;

private:
    std::set<const QChar*> blocks_;
};

} // namespace

int main(int argc, char* argv[])
{
    BenchOptions args;
    // For a profiler: only the import, this many times, and no comparison.
    int profileRuns = 0;
    args.addOption("--profile-import", &profileRuns);
    if (!args.parse(argc, argv)) {
        std::fprintf(stderr, "usage: bench-import [--baselines N] [--runs N] [--seed N] "
                             "[--profile-import N]\n");
        return 2;
    }
    const GeneratorOptions options = BenchGeneratorOptions(args, "bench-import");
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
    if (profileRuns > 0) {
        for (int i = 0; i < profileRuns; ++i)
            importOnce();
        return 0;
    }
    const auto pugixmlOnce = [&] {
        pugi::xml_document doc;
        const pugi::xml_parse_result result = doc.load_buffer(bytes.constData(), size_t(bytes.size()));
        if (!result)
            std::abort();
    };

    // Best of several runs, alternating so that neither side gets the quieter machine.
    Timing import, dom;
    for (int i = 0; i < args.runs; ++i) {
        import.measure(importOnce);
        dom.measure(pugixmlOnce);
    }
    // What the strings alone cost: as many allocated and released, of the same lengths.
    StringStorage storage;
    {
        ProjectModel model;
        ImportExchangeBytes(bytes, model);
        storage.add(model.baselines);
        storage.add(model.occupations);
        storage.add(model.satellites);
    }
    Timing strings;
    for (int i = 0; i < args.runs; ++i) {
        strings.measure([&] {
            std::vector<QString> all;
            all.reserve(storage.lengths.size());
            for (qsizetype n : storage.lengths)
                all.emplace_back(n, Qt::Uninitialized);
        });
    }

    const long long importPeak = PeakGrowthKiB(importOnce);
    const long long pugixmlPeak = PeakGrowthKiB(pugixmlOnce);

    std::printf("import         best %8.1f ms wall, %8.1f ms cpu of %d runs  %6.1f MB/s  peak +%.1f MiB\n",
                import.wallMs, import.cpuMs, args.runs, megabytes / import.wallMs * 1e3, KiBToMiB(importPeak));
    std::printf("pugixml DOM    best %8.1f ms wall, %8.1f ms cpu of %d runs  %6.1f MB/s  peak +%.1f MiB\n",
                dom.wallMs, dom.cpuMs, args.runs, megabytes / dom.wallMs * 1e3, KiBToMiB(pugixmlPeak));
    std::printf("of the import  %zu strings of their own, allocated and released alone in %.1f ms "
                "cpu (%.0f%% of the import)\n",
                storage.lengths.size(), strings.cpuMs, 100.0 * strings.cpuMs / import.cpuMs);
    const double ratio = import.wallMs / dom.wallMs;
    std::printf("ratio          import/pugixml %.2f wall, %.2f cpu (goal <= 1.00: %s)\n", ratio,
                import.cpuMs / dom.cpuMs, ratio <= 1.0 ? "met" : "not met");
    std::printf("memory         peak growth import/pugixml %.2f; process VmHWM %.1f MiB\n",
                double(importPeak) / double(pugixmlPeak), KiBToMiB(StatusKiB("VmHWM")));
    return 0;
}
