#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>

#include <optional>

// Date-time texts as a Japanese desktop writes them: "2004/10/12 9:05:30", and the date
// alone for a value exactly at midnight ("2005/01/01"). Times are GPS time, so no time
// zone is involved: values are kept as UTC.

QString DateTimeText(const QDateTime& value);

// Reads such a text back, with or without leading zeros ("2004/1/2 09:05:30" too).
std::optional<QDateTime> ParseDateTimeText(QStringView text);

// Seconds since 0001-01-01 00:00, for comparing date-time texts quickly.
std::optional<qint64> DateTimeTextKey(QStringView text);
