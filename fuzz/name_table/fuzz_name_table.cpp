// Feeds arbitrary bytes to the name table and applies what it reads to a small project.
// The lenient parser must take any bytes; a table that is accepted may only put its own
// replacement names into the project, never changes the project's shape, and never
// makes a project that could be saved unsaveable.
#include "model/projectmodel.h"
#include "project/nametable.h"
#include "project/projectfile.h"

#include <QByteArrayView>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void broken(const char* what)
{
    std::fprintf(stderr, "name table invariant broken: %s\n", what);
    std::abort();
}

// Two baselines over four set-ups with the names the seeds replace.
ProjectModel smallProject()
{
    ProjectModel m;
    m.swProgram = QStringLiteral("Trimble Total Control 2.71");
    for (int i = 1; i <= 4; ++i) {
        OccupationRecord o;
        o.pointName = QStringLiteral("P%1").arg(i);
        o.antennaName = i == 1 ? QStringLiteral("A") : QStringLiteral("TRM");
        o.antennaSN = QStringLiteral("SN%1").arg(i);
        o.receiverName = QStringLiteral("R");
        o.receiverSN = QStringLiteral("RSN");
        m.occupations.append(o);
    }
    m.baselines.append(BaselineRecord{.session = "1", .startOccupation = 1, .endOccupation = 2});
    m.baselines.append(BaselineRecord{.session = "", .startOccupation = 3, .endOccupation = 4});
    return m;
}

// A value after the table was applied is the value before or one of the table's names.
void checkReplaced(const QString& before, const QString& after, const QList<NameMapping>& map)
{
    if (after == before)
        return;
    for (const NameMapping& m : map) {
        if (after == m.to)
            return;
    }
    broken("a value the table does not hold");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)ParseNameTable(bytes);
    const Result<NameTable> table = DecodeNameTable(bytes);
    if (!table)
        return 0;

    const ProjectModel before = smallProject();
    ProjectModel after = before;
    ApplyNameTable(*table, after);
    if (after.baselineCount() != before.baselineCount() ||
        after.occupationCount() != before.occupationCount())
        broken("the project changed its shape");
    for (int b = 1; b <= before.baselineCount(); ++b)
        checkReplaced(before.baselines[b].session, after.baselines[b].session, table->sessionMap);
    for (int o = 1; o <= before.occupationCount(); ++o) {
        const OccupationRecord& x = before.occupations[o];
        const OccupationRecord& y = after.occupations[o];
        checkReplaced(x.antennaName, y.antennaName, table->antennaNameMap);
        checkReplaced(x.antennaSN, y.antennaSN, table->antennaSNMap);
        checkReplaced(x.receiverName, y.receiverName, table->receiverNameMap);
        checkReplaced(x.receiverSN, y.receiverSN, table->receiverSNMap);
        if (y.pointName != x.pointName)
            broken("a point name changed");
    }
    QByteArray file;
    if (!EncodeProjectFile(after, file))
        broken("an accepted table made the project unsaveable");
    return 0;
}
