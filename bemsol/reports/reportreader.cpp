#include "reportreader.h"

#include "reportcolumns.h"


namespace {

QString qualified(const QString& table, const QString& column)
{
    return table + u'.' + column;
}

} // namespace

QString PrintedValue(const QVariant& value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

ReportReader::ReportReader(SqliteConnection& db) : db_(db)
{
}

Outcome ReportReader::start()
{
    // Explicit columns, each under its qualified name, so that the four names both tables
    // share stay apart.
    QStringList select;
    int index = 0;
    columnIndex_.clear();
    const auto add = [&](const QString& table, const QStringList& columns, const QStringList& other) {
        for (const QString& c : columns) {
            select << qualified(table, c);
            columnIndex_.insert(qualified(table, c), index);
            if (!other.contains(c))
                columnIndex_.insert(c, index);
            ++index;
        }
    };
    add(QStringLiteral("Common"), CommonColumns(), BaselineTableColumns());
    add(QStringLiteral("tblBaseLine"), BaselineTableColumns(), CommonColumns());
    const QString sql = QStringLiteral("SELECT %1 FROM Common, tblBaseLine ORDER BY tblBaseLine.rowid")
                            .arg(select.join(QStringLiteral(", ")));
    Result<SqliteStatement> joined = db_.prepare(sql);
    if (!joined)
        return joined.outcome();
    Result<SqliteStatement> satellites = db_.prepare(
        QStringLiteral("SELECT satname, l1, l2, health FROM SSatList WHERE BaseLineID = ? ORDER BY rowid"));
    if (!satellites)
        return satellites.outcome();
    joined_ = std::move(*joined);
    satellites_ = std::move(*satellites);
    return Outcome::success();
}

bool ReportReader::next()
{
    return joined_.next();
}

qint64 ReportReader::rowCount()
{
    Result<SqliteStatement> count = db_.prepare(QStringLiteral("SELECT COUNT(*) FROM tblBaseLine"));
    return count && count->next() ? count->value(0).toLongLong() : -1;
}

QVariant ReportReader::value(const QString& column) const
{
    const auto found = columnIndex_.constFind(column);
    Q_ASSERT_X(found != columnIndex_.cend(), "ReportReader::value", qPrintable(column));
    if (found == columnIndex_.cend())
        return {};
    return joined_.value(*found);
}

QString ReportReader::text(const QString& column) const
{
    return PrintedValue(value(column));
}

Result<QList<ReportReader::Satellite>> ReportReader::satellitesOf(const QVariant& id)
{
    QList<Satellite> list;
    satellites_.reset();
    satellites_.bind(1, id);
    while (satellites_.next())
        list.append({satellites_.value(0).toString(), satellites_.value(1).toString(),
                     satellites_.value(2).toString(), satellites_.value(3).toString()});
    if (!satellites_.steppedOutcome())
        return satellites_.steppedOutcome();
    return list;
}
