#include "textcodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr auto codePage932 = "windows-31j";
}

QString DecodeShiftJis(QByteArrayView bytes)
{
    QStringDecoder decoder(codePage932);
    if (!decoder.isValid())
        qFatal("Qt was built without code page 932 (windows-31j) support");
    return decoder.decode(bytes);
}

std::optional<QByteArray> EncodeShiftJis(QStringView text)
{
    QStringEncoder encoder(codePage932);
    if (!encoder.isValid())
        qFatal("Qt was built without code page 932 (windows-31j) support");
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}
