#include "shiftjis.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr auto codePage932 = "windows-31j";
}

QString decodeShiftJis(QByteArrayView bytes)
{
    QStringDecoder decoder(codePage932, QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        qFatal("Qt was built without code page 932 (windows-31j) support");
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        // ICU stands U+001A in for a bad byte and drops a lead byte cut off at the end;
        // neither may reach the output looking like text.
        text.replace(QChar(0x1A), QChar::ReplacementCharacter);
        if (!text.contains(QChar::ReplacementCharacter))
            text.append(QChar::ReplacementCharacter);
    }
    return text;
}

std::optional<QByteArray> encodeShiftJis(QStringView text)
{
    QStringEncoder encoder(codePage932);
    if (!encoder.isValid())
        qFatal("Qt was built without code page 932 (windows-31j) support");
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}
