#include "nametable.h"

#include "model/projectmodel.h"
#include "model/textcodec.h"

#include <QFile>
#include <QFileInfo>

bool NameTable::isEmpty() const
{
    return sessionMap.isEmpty() && antennaNameMap.isEmpty() && antennaSNMap.isEmpty() &&
           receiverNameMap.isEmpty() && receiverSNMap.isEmpty();
}

QString NextField(QString& line)
{
    const qsizetype comma = line.indexOf(u',');
    if (comma < 0)
        return line;
    QString field = line.left(comma);
    line.remove(0, comma + 1);
    return field;
}

namespace {

QList<NameMapping>* listForKey(NameTable& table, const QString& key)
{
    if (key == u"SS")
        return &table.sessionMap;
    if (key == u"AN")
        return &table.antennaNameMap;
    if (key == u"AS")
        return &table.antennaSNMap;
    if (key == u"RN")
        return &table.receiverNameMap;
    if (key == u"RS")
        return &table.receiverSNMap;
    return nullptr;
}

void replaceByTable(QString& value, const QList<NameMapping>& map)
{
    for (const NameMapping& m : map) {
        if (value == m.from)
            value = m.to;
    }
}

using OccupationField = QString OccupationRecord::*;

void applyToBaselineEnds(ProjectModel& model, const QList<NameMapping>& map,
                         OccupationField field)
{
    if (map.isEmpty())
        return;
    for (int b = 1; b <= model.baselineCount(); ++b) {
        const BaselineRecord& baseline = model.baselines[b];
        for (const NameMapping& m : map) {
            // Each end separately: both may be the same record after a damaged file.
            if (OccupationRecord* s = model.editableOccupation(baseline.startOccupation);
                s && s->*field == m.from)
                s->*field = m.to;
            if (OccupationRecord* e = model.editableOccupation(baseline.endOccupation);
                e && e->*field == m.from)
                e->*field = m.to;
        }
    }
}

} // namespace

NameTable ParseNameTable(QByteArrayView bytes)
{
    NameTable table;
    const QString text = DecodeShiftJis(bytes);
    for (QStringView rawLine : QStringView(text).split(u'\n')) {
        if (rawLine.endsWith(u'\r'))
            rawLine.chop(1);
        if (rawLine.startsWith(u'/'))
            continue;
        QString line = rawLine.toString();
        const QString key = NextField(line);
        QList<NameMapping>* list = listForKey(table, key);
        if (!list)
            continue;
        NameMapping pair;
        pair.from = NextField(line);
        pair.to = NextField(line);
        list->append(pair);
    }
    return table;
}

Result<NameTable> LoadNameTable(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return NameTable{};
    auto unreadable = [&] {
        return Outcome::failure(QStringLiteral("名前変換表を読み込めません: %1\n%2")
                                    .arg(QFileInfo(path).absoluteFilePath(), file.errorString()));
    };
    if (!file.open(QIODevice::ReadOnly))
        return unreadable();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return unreadable();
    return ParseNameTable(bytes);
}

void ApplyNameTable(const NameTable& table, ProjectModel& model)
{
    for (int b = 1; b <= model.baselineCount(); ++b)
        replaceByTable(model.baselines[b].session, table.sessionMap);
    applyToBaselineEnds(model, table.antennaNameMap, &OccupationRecord::antennaName);
    applyToBaselineEnds(model, table.antennaSNMap, &OccupationRecord::antennaSN);
    applyToBaselineEnds(model, table.receiverNameMap, &OccupationRecord::receiverName);
    applyToBaselineEnds(model, table.receiverSNMap, &OccupationRecord::receiverSN);
}
