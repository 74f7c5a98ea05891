#include "shiftjis.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace {

constexpr auto codePage932 = "windows-31j";

// ICU's table treats three control bytes as an IBM code page does: 0x1A reads as U+001C,
// 0x1C as U+007F and 0x7F as U+001A. Windows keeps them as they are.
char16_t icuControlFor(char16_t c)
{
    switch (c) {
    case 0x1A:
        return 0x1C;
    case 0x1C:
        return 0x7F;
    case 0x7F:
        return 0x1A;
    default:
        return c;
    }
}

} // namespace

QString decodeShiftJis(QByteArrayView bytes)
{
    // Reports are read a line at a time; opening the converter for each line cost more
    // than decoding it. After damage it is opened afresh: resetState() leaves the error set.
    thread_local std::optional<QStringDecoder> decoder;
    if (!decoder)
        decoder.emplace(codePage932, QStringDecoder::Flag::Stateless);
    if (!decoder->isValid())
        qFatal("Qt was built without code page 932 (windows-31j) support");
    QString text = decoder->decode(bytes);
    const bool damaged = decoder->hasError();
    if (damaged)
        decoder.reset();
    for (QChar& c : text) {
        if (c.unicode() == 0x1C) {
            c = QChar(0x1A);
        } else if (c.unicode() == 0x7F) {
            c = QChar(0x1C);
        } else if (c.unicode() == 0x1A) {
            // ICU stands U+001A in for a bad byte too: with damage about, it is one.
            c = damaged ? QChar(QChar::ReplacementCharacter) : QChar(0x7F);
        }
    }
    // A lead byte cut off at the end is dropped without a character of its own.
    if (damaged && !text.contains(QChar::ReplacementCharacter))
        text.append(QChar::ReplacementCharacter);
    return text;
}

std::optional<QByteArray> encodeShiftJis(QStringView text)
{
    // The numeric data file is written a field at a time: one converter for them all,
    // opened afresh after a refused field.
    thread_local std::optional<QStringEncoder> encoder;
    if (!encoder)
        encoder.emplace(codePage932, QStringEncoder::Flag::Stateless);
    if (!encoder->isValid())
        qFatal("Qt was built without code page 932 (windows-31j) support");
    QString swapped = text.toString();
    for (QChar& c : swapped)
        c = QChar(icuControlFor(c.unicode()));
    QByteArray bytes = encoder->encode(swapped);
    if (encoder->hasError()) {
        encoder.reset();
        return std::nullopt;
    }
    return bytes;
}
