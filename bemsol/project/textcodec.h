#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Shift-JIS as Windows writes it (code page 932), the encoding of every text file and
// project file the program exchanges besides the UTF-8 exchange file.

QString DecodeShiftJis(QByteArrayView bytes);

// The code page 932 bytes of `text`, or nothing when a character has no code there:
// such a text must be refused, never written as "?".
std::optional<QByteArray> EncodeShiftJis(QStringView text);
