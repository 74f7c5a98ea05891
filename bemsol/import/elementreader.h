#pragma once

#include "exchangereader.h"
#include "linegrammar.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstring>
#include <initializer_list>
#include <optional>
#include <span>

// Whether a line's tag is the element named by a literal; inlined to a length check and
// a fixed-size compare, since every line of the file passes through these tests.
template <std::size_t N> inline bool IsTag(QByteArrayView tag, const char (&name)[N])
{
    return tag.size() == qsizetype(N - 1) && std::memcmp(tag.data(), name, N - 1) == 0;
}

// The same test against a tag held in a table: the first bytes decide almost every case
// without a call.
inline bool SameTag(QByteArrayView tag, QByteArrayView name)
{
    return tag.size() == name.size() &&
           (tag.isEmpty() || (tag.front() == name.front() &&
                              std::memcmp(tag.data(), name.data(), size_t(tag.size())) == 0));
}

// Reads the lines of one element until one of its closing tags has been consumed (or
// the lines run out), handing every other line with its tag to `handle`.
template <class Handler>
void ReadElementLines(ExchangeReader& reader, std::initializer_list<QByteArrayView> closingTags,
                      Handler&& handle)
{
    while (!reader.atEnd()) {
        const QByteArrayView line = reader.nextLine();
        const QByteArrayView tag = TagNameOf(line);
        for (QByteArrayView closing : closingTags) {
            if (SameTag(tag, closing))
                return;
        }
        handle(tag, line);
    }
}

// A child element whose value is stored unchanged in a text field. Values that recur
// through a file (names, serial numbers, flags) are `shared`: one string for them all.
template <class Record> struct TextFieldTag
{
    QByteArrayView tag;
    QString Record::*field;
    bool shared = false;
};

// Stores the line's value when its tag is in `table`; tells whether it was.
template <class Record>
bool StoreTextField(ExchangeReader& reader, std::span<const TextFieldTag<Record>> table,
                    QByteArrayView tag, QByteArrayView line, Record& record)
{
    for (const TextFieldTag<Record>& entry : table) {
        if (SameTag(tag, entry.tag)) {
            const QByteArrayView value = ValueOf(line);
            record.*(entry.field) = entry.shared ? reader.sharedText(value) : TextOf(value);
            return true;
        }
    }
    return false;
}

// A value as a number, the way the exchange file writes them ("-3957199.123", "1e-6").
// Nothing for an empty or malformed value, or one that is not finite.
std::optional<double> NumberFromText(QStringView text);
std::optional<double> SearchedNumberFromText(QByteArrayView text);

// Tracking values are whole numbers of a few digits ("4740"), hundreds of thousands of
// them in a large file: those are read here without a call.
inline std::optional<double> NumberFromText(QByteArrayView text)
{
    const qsizetype n = text.size();
    if (n > 0 && n <= 9) {
        unsigned value = 0;
        qsizetype i = 0;
        for (; i < n; ++i) {
            const unsigned digit = unsigned(uchar(text[i])) - '0';
            if (digit > 9)
                break;
            value = value * 10 + digit;
        }
        if (i == n)
            return double(value);
    }
    return SearchedNumberFromText(text);
}
