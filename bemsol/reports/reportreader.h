#pragma once

#include "sqliteconnection.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

// The rows the two forms are drawn from: each tblBaseLine row joined with the one Common
// row, in insertion order, and a station's SSatList rows in insertion order.
class ReportReader
{
public:
    explicit ReportReader(SqliteConnection& db);

    // Starts over at the first joined row.
    Outcome start();
    // Moves to the next joined row; false after the last or on a failure, which
    // steppedOutcome() tells apart.
    bool next();
    const Outcome& steppedOutcome() const { return joined_.steppedOutcome(); }
    // How many rows the form has (the station or baseline rows); -1 when unknown.
    qint64 rowCount();

    // A value of the current row as printed: text as stored, a number in its shortest
    // exact form, null as an empty text. Columns both tables have are named with their
    // table ("tblBaseLine.minSVs", "Common.interval"); the others may be named plainly.
    QString text(const QString& column) const;
    QVariant value(const QString& column) const;

    struct Satellite
    {
        QString satname;
        QString l1;
        QString l2;
        QString health;
    };
    // The satellites printed under the station whose BaseLineID is `id`.
    Result<QList<Satellite>> satellitesOf(const QVariant& id);

private:
    SqliteConnection& db_;
    SqliteStatement joined_;
    SqliteStatement satellites_;
    QHash<QString, int> columnIndex_;
};

// How a stored value reads on a form.
QString PrintedValue(const QVariant& value);
