#include "shiftjistable.h"

#include "textcodec.h"

#include <array>
#include <memory>

namespace {

constexpr char16_t noEntry = 0xFFFF;

// Every single byte and every byte pair decoded once by the converter itself, so the
// table can never disagree with it.
struct Table
{
    std::array<char16_t, 256> single;
    std::array<bool, 256> lead;
    std::array<char16_t, 256 * 256> pair; // noEntry: not one character, use the converter

    Table()
    {
        pair.fill(noEntry);
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString one = DecodeShiftJis(QByteArrayView(&byte, 1));
            // A lead byte alone decodes to nothing: it waits for its second byte.
            lead[b] = one.isEmpty();
            single[b] = one.size() == 1 && one[0] != QChar::ReplacementCharacter ? one[0].unicode() : noEntry;
        }
        for (int l = 0; l < 256; ++l) {
            if (!lead[l])
                continue;
            for (int t = 0; t < 256; ++t) {
                const char bytes[2] = {char(l), char(t)};
                const QString one = DecodeShiftJis(QByteArrayView(bytes, 2));
                if (one.size() == 1 && one[0] != QChar::ReplacementCharacter && !one[0].isSurrogate())
                    pair[l * 256 + t] = one[0].unicode();
            }
        }
    }
};

const Table& table()
{
    static const std::unique_ptr<Table> instance = std::make_unique<Table>();
    return *instance;
}

} // namespace

QString DecodeShiftJisByTable(QByteArrayView bytes)
{
    const Table& t = table();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    qsizetype n = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        char16_t c = noEntry;
        if (!t.lead[b])
            c = t.single[b];
        else if (i + 1 < bytes.size())
            c = t.pair[b * 256 + static_cast<unsigned char>(bytes[++i])];
        // Anything the table does not hold (a damaged sequence, an unmapped code) goes to
        // the converter whole, which decides how to show it.
        if (c == noEntry)
            return DecodeShiftJis(bytes);
        out[n++] = c;
    }
    text.truncate(n);
    return text;
}
