#pragma once

#include <QByteArrayView>
#include <QStringView>

// The two ways the exchange-file readers look at a line. The file is not parsed as
// XML: indentation, attributes and anything after a value are ignored.
//
// Both work on decoded text and, with the same result, on the file's UTF-8 bytes: the
// characters they look for ("<", ">", blank) are single bytes that never occur inside
// a multi-byte sequence, so the reader can cut lines and tags before decoding.

// Element name of the line's first tag: "Baseline", "/Baseline", "?xml", "Sat/" for a
// self-closing tag. Empty when the line has no ">" after its first "<" (or, without
// any "<", no ">" at all), so such a line matches no tag and is skipped.
QStringView TagNameOf(QStringView line);
QByteArrayView TagNameOf(QByteArrayView line);

// Text between the first ">" and the next "<", without leading and trailing blanks.
// Empty when either is missing. Returned verbatim: entities are not decoded.
QStringView ValueOf(QStringView line);
QByteArrayView ValueOf(QByteArrayView line);
