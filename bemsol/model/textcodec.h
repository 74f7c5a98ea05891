#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Shift-JIS as Windows writes it (code page 932), the encoding of every text file and
// project file the program exchanges besides the UTF-8 exchange file.

// Bytes that are no character (a lone or damaged double-byte sequence, an unassigned
// code) become U+FFFD, one for each, and decoding goes on at the next byte.
QString DecodeShiftJis(QByteArrayView bytes);

// The code page 932 bytes of `text`, or nothing when a character has no code there:
// such a text must be refused, never written as "?".
std::optional<QByteArray> EncodeShiftJis(QStringView text);
