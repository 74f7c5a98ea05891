#include "textcodec.h"

#include <QMutex>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <atomic>
#include <memory>

// The double-byte characters come from ICU's "windows-31j" table, which is Microsoft's.
// ICU treats a few single bytes as an IBM code page does, though (0x1A, 0x1C and 0x7F
// trade places), so single bytes are decoded and encoded here.

namespace {

constexpr auto codePage932 = "windows-31j";
constexpr char16_t noCharacter = 0xFFFD;

bool isLeadByte(uchar b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrailByte(uchar b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

bool isHalfWidthKatakana(uchar b)
{
    return b >= 0xA1 && b <= 0xDF;
}

void requireValid(bool valid)
{
    if (!valid)
        qFatal("Qt was built without code page 932 (windows-31j) support");
}

// Every double-byte character, decoded a lead byte's row at a time when the row is first
// needed: a name table uses a few rows, and decoding all of them up front cost more than
// reading the table. Any thread may read; rows are filled under the lock.
class DoubleByteTable
{
public:
    char16_t at(uchar lead, uchar trail) const
    {
        if (!rowReady_[lead].load(std::memory_order_acquire))
            fillRow(lead);
        return chars_[index(lead, trail)];
    }

private:
    void fillRow(uchar lead) const
    {
        QMutexLocker lock(&mutex_);
        if (rowReady_[lead].load(std::memory_order_relaxed))
            return;
        QStringDecoder decoder(codePage932);
        requireValid(decoder.isValid());
        for (int trail = 0; trail < 256; ++trail) {
            char16_t& c = chars_[index(lead, uchar(trail))];
            c = noCharacter;
            if (!isLeadByte(lead) || !isTrailByte(uchar(trail)))
                continue;
            const char pair[2] = {char(lead), char(trail)};
            const QString one = decoder.decode(QByteArrayView(pair, 2));
            if (decoder.hasError()) {
                // The error stays with the converter: start a fresh one.
                decoder = QStringDecoder(codePage932);
                continue;
            }
            decoder.resetState();
            if (one.size() == 1 && !one[0].isSurrogate() && one[0] != QChar(u'\x1A') &&
                one[0] != QChar(noCharacter))
                c = one[0].unicode();
        }
        rowReady_[lead].store(true, std::memory_order_release);
    }

    static size_t index(uchar lead, uchar trail) { return size_t(lead) * 256 + trail; }

    mutable std::array<char16_t, 256 * 256> chars_{};
    mutable std::array<std::atomic<bool>, 256> rowReady_{};
    mutable QMutex mutex_;
};

const DoubleByteTable& doubleBytes()
{
    static const auto table = std::make_unique<DoubleByteTable>();
    return *table;
}

// The code of each character, found through ICU the first time the character is met: a
// converter takes long to open, and a project file holds many thousands of texts with
// a few hundred distinct characters among them. ASCII stands for itself (ICU would trade
// three control characters) and so does nothing else; the table serves any thread.
class EncodeTable
{
public:
    static constexpr quint32 unencodable = 0xFFFFFFFF;

    // One byte (up to 0xFF), two bytes (lead byte in the high half), or `unencodable`.
    quint32 codeOf(char16_t c) const
    {
        if (c < 0x80)
            return c;
        // Characters beyond the first plane have no code; a pair's halves have none either.
        if (QChar::isSurrogate(c))
            return unencodable;
        const quint32 known = codes_[c].load(std::memory_order_relaxed);
        return known != notYetKnown ? known : encode(c, codes_[c]);
    }

private:
    static constexpr quint32 notYetKnown = 0;

    static quint32 encode(char16_t c, std::atomic<quint32>& slot)
    {
        // A fresh converter for each character: after an error a converter is of no
        // further use, and characters are met once each.
        QStringEncoder encoder(codePage932);
        requireValid(encoder.isValid());
        const QByteArray bytes = encoder.encode(QStringView(&c, 1));
        quint32 code = unencodable;
        if (!encoder.hasError() && !bytes.isEmpty() && bytes.size() <= 2)
            code = bytes.size() == 1 ? uchar(bytes[0]) : quint32(uchar(bytes[0])) << 8 | uchar(bytes[1]);
        slot.store(code, std::memory_order_relaxed);
        return code;
    }

    mutable std::array<std::atomic<quint32>, 0x10000> codes_{};
};

const EncodeTable& encodeTable()
{
    static const auto table = std::make_unique<EncodeTable>();
    return *table;
}

} // namespace

QString DecodeShiftJis(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(text.data());
    char16_t* out = begin;
    const auto* in = reinterpret_cast<const uchar*>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const uchar b = in[i];
        if (b < 0x80) {
            *out++ = b;
        } else if (isHalfWidthKatakana(b)) {
            *out++ = char16_t(0xFF61 + (b - 0xA1));
        } else if (isLeadByte(b) && i + 1 < n && isTrailByte(in[i + 1])) {
            *out++ = doubleBytes().at(b, in[i + 1]);
            ++i;
        } else {
            *out++ = noCharacter;
        }
    }
    text.truncate(out - begin);
    return text;
}

std::optional<QByteArray> EncodeShiftJis(QStringView text)
{
    const EncodeTable& table = encodeTable();
    QByteArray bytes(2 * text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (QChar c : text) {
        const quint32 code = table.codeOf(c.unicode());
        if (code == EncodeTable::unencodable)
            return std::nullopt;
        if (code > 0xFF)
            *out++ = char(code >> 8);
        *out++ = char(code & 0xFF);
    }
    bytes.truncate(out - bytes.data());
    return bytes;
}
