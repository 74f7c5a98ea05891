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
inline QByteArrayView TagNameOf(QByteArrayView line);

// Text between the first ">" and the next "<", without leading and trailing blanks.
// Empty when either is missing. Returned verbatim: entities are not decoded.
QStringView ValueOf(QStringView line);
inline QByteArrayView ValueOf(QByteArrayView line);

// The reader hands over lines that start at their "<" (see ExchangeReader), whose tag and
// value are a few bytes each: those are looked at byte by byte here, inline, as every
// line of the file passes through these two; any other line takes the general search.
namespace LineGrammar {
QByteArrayView searchedTagName(QByteArrayView line);
QByteArrayView searchedValue(QByteArrayView line);
} // namespace LineGrammar

inline QByteArrayView TagNameOf(QByteArrayView line)
{
    const char* const s = line.data();
    const qsizetype n = line.size();
    if (n == 0 || s[0] != '<')
        return LineGrammar::searchedTagName(line);
    for (qsizetype i = 1; i < n; ++i) {
        if (s[i] == '>')
            return QByteArrayView(s + 1, i - 1);
        if (s[i] == ' ')
            return line.sliced(i + 1).contains('>') ? QByteArrayView(s + 1, i - 1) : QByteArrayView();
    }
    return {};
}

inline QByteArrayView ValueOf(QByteArrayView line)
{
    const char* const s = line.data();
    const qsizetype n = line.size();
    if (n == 0 || s[0] != '<')
        return LineGrammar::searchedValue(line);
    qsizetype start = 1;
    while (start < n && s[start] != '>')
        ++start;
    qsizetype end = ++start;
    while (end < n && s[end] != '<')
        ++end;
    if (end >= n)
        return {};
    while (start < end && s[start] == ' ')
        ++start;
    while (end > start && s[end - 1] == ' ')
        --end;
    return QByteArrayView(s + start, end - start);
}
