#include "reportreader.h"

#include "reportcolumns.h"

#include <QSqlError>

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

ReportReader::ReportReader(QSqlDatabase db)
    : db_(std::move(db)), joined_(db_), satellites_(db_)
{
    joined_.setForwardOnly(true);
    satellites_.setForwardOnly(true);
}

bool ReportReader::start()
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
    if (!joined_.exec(sql)) {
        lastError_ = joined_.lastError().text();
        return false;
    }
    if (!satellites_.prepare(QStringLiteral("SELECT satname, l1, l2, health FROM SSatList "
                                            "WHERE BaseLineID = ? ORDER BY rowid"))) {
        lastError_ = satellites_.lastError().text();
        return false;
    }
    return true;
}

bool ReportReader::next()
{
    return joined_.next();
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

QList<ReportReader::Satellite> ReportReader::satellitesOf(const QVariant& id)
{
    QList<Satellite> list;
    satellites_.bindValue(0, id);
    if (!satellites_.exec()) {
        lastError_ = satellites_.lastError().text();
        return list;
    }
    while (satellites_.next())
        list.append({satellites_.value(0).toString(), satellites_.value(1).toString(),
                     satellites_.value(2).toString(), satellites_.value(3).toString()});
    return list;
}
