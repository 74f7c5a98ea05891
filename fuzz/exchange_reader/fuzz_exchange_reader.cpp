// Feeds arbitrary bytes to the exchange-file import. Besides crashes and undefined
// behaviour it checks what the rest of the program relies on after an import: no set-up
// shared by two baselines, satellite runs inside the satellite array, and track bars of
// the one fixed width; and that a refused file leaves the open project as it was. (An
// occupation index may point past the occupations when a later occupation list replaced
// them; the model's lookup answers such an index with the empty record, so that is not
// checked here.)
#include "import/exchangeimport.h"

#include <QByteArrayView>
#include <QHash>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void broken(const char* what, int index)
{
    std::fprintf(stderr, "import invariant broken: %s (record %d)\n", what, index);
    std::abort();
}

bool validBar(const QString& bar)
{
    if (bar.isEmpty()) // a satellite list cut off before its end is never finished
        return true;
    return (bar.size() == 2 || bar.size() == 91) && bar.front() == u'|' && bar.back() == u'|';
}

void checkModel(const ProjectModel& m)
{
    if (m.baselines.isEmpty() || m.occupations.isEmpty() || m.satellites.isEmpty())
        broken("element 0 missing", 0);
    if (m.baselineCount() > maxBaselineCount)
        broken("more baselines than a project holds", m.baselineCount());

    QHash<int, int> ownerOf; // occupation index -> baseline that refers to it
    for (int i = 1; i <= m.baselineCount(); ++i) {
        for (int index : {m.baselines[i].startOccupation, m.baselines[i].endOccupation}) {
            const auto owner = ownerOf.constFind(index);
            if (owner != ownerOf.cend() && owner.value() != i)
                broken("two baselines share an occupation", i);
            ownerOf.insert(index, i);
        }
    }
    for (int i = 0; i <= m.occupationCount(); ++i) {
        const OccupationRecord& o = m.occupations[i];
        if (o.satCount < 0 || (o.satCount > 0 && (o.firstSat < 1
                                                  || qint64(o.firstSat) + o.satCount - 1
                                                         > m.satelliteCount())))
            broken("satellite run outside the satellites", i);
    }
    for (int i = 0; i <= m.satelliteCount(); ++i) {
        if (!validBar(m.satellites[i].l1) || !validBar(m.satellites[i].l2))
            broken("track bar of the wrong shape", i);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ProjectModel model;
    model.swProgram = QStringLiteral("open project");
    model.baselines.append(BaselineRecord{.session = QStringLiteral("S")});
    const ProjectModel before = model;
    const Outcome outcome =
        ImportExchangeBytes(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), model);
    if (outcome.ok)
        checkModel(model);
    else if (!(model == before))
        broken("a refused file changed the project", 0);
    return 0;
}
