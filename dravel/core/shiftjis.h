#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Code page 932, the encoding of the report pages and of the numeric data file.

// Bytes that are not code page 932 come out as U+FFFD, which cannot be encoded again, so a
// damaged value is refused when written instead of being passed on as something else.
QString decodeShiftJis(QByteArrayView bytes);

// Nothing when a character has no code in code page 932: such text must be refused, never
// written as "?".
std::optional<QByteArray> encodeShiftJis(QStringView text);
