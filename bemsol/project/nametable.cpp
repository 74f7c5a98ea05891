#include "nametable.h"

#include "model/projectmodel.h"
#include "model/textcodec.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

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

namespace {

// A name longer than this is more than a project file can hold.
constexpr qsizetype maxLineBytes = 0xFFFF;

// Why a table must not be used, or nothing: a line too long for a name, a NUL byte (a
// binary file), or a record with bytes that are no Shift-JIS text (a table saved as
// UTF-8), whose replacement characters would be written into the project and make it
// unsaveable. Other lines that hold no record are passed by, as the parser does.
std::optional<QString> refusalOf(QByteArrayView bytes)
{
    int number = 0;
    for (qsizetype start = 0; start <= bytes.size();) {
        const qsizetype lf = bytes.indexOf('\n', start);
        const qsizetype end = lf < 0 ? bytes.size() : lf;
        const QByteArrayView line = bytes.sliced(start, end - start);
        start = end + 1;
        ++number;
        if (line.size() > maxLineBytes)
            return QStringLiteral("%1 行目が長すぎます（65535バイトを超えます）").arg(number);
        if (line.contains('\0'))
            return QStringLiteral("%1 行目にテキストでないバイト（NUL）があります").arg(number);
        QString text = DecodeShiftJis(line);
        if (!text.contains(QChar::ReplacementCharacter) || text.startsWith(u'/'))
            continue;
        NameTable scratch;
        if (listForKey(scratch, NextField(text)))
            return QStringLiteral("%1 行目にシフトJISで読めないバイトがあります").arg(number);
    }
    return std::nullopt;
}

} // namespace

Result<NameTable> DecodeNameTable(QByteArrayView bytes)
{
    if (const std::optional<QString> refusal = refusalOf(bytes))
        return Outcome::failure(*refusal);
    return ParseNameTable(bytes);
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
    Result<NameTable> table = DecodeNameTable(bytes);
    if (!table)
        return Outcome::failure(QStringLiteral("名前変換表を読み込めません: %1\n%2")
                                    .arg(QFileInfo(path).absoluteFilePath(), table.message()));
    return table;
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
