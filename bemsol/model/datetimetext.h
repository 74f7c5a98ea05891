#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>

#include <optional>

// Date-time texts as a Japanese desktop writes them: "2004/10/12 9:05:30", and the date
// alone for a value exactly at midnight ("2005/01/01"). Times are GPS time, so no time
// zone is involved: values are kept as UTC.

QString DateTimeText(const QDateTime& value);

// The text of a moment given as seconds since 1970-01-01 00:00 (proleptic Gregorian);
// empty outside the years 1 to 9999.
QString DateTimeTextFromEpochSeconds(qint64 seconds);

// Reads such a text back, with or without leading zeros ("2004/1/2 09:05:30" too).
std::optional<QDateTime> ParseDateTimeText(QStringView text);

// Seconds since 1970-01-01 00:00 of a date-time text, for comparing texts quickly.
std::optional<qint64> DateTimeTextKey(QStringView text);
