#include "utf8decoder.h"

namespace {

bool isContinuation(uchar b)
{
    return b >= 0x80 && b <= 0xBF;
}

} // namespace

QString Utf8BytesToText(QByteArrayView bytes, QStringView replacement)
{
    const qsizetype n = bytes.size();
    const qsizetype perByte = replacement.isEmpty() ? 1 : replacement.size();
    QString out(n * perByte, Qt::Uninitialized);
    QChar* const begin = out.data();
    QChar* pos = begin;
    const auto* in = reinterpret_cast<const uchar*>(bytes.data());

    qsizetype i = 0;
    while (i < n) {
        const uchar b0 = in[i];
        if (b0 < 0x80) {
            *pos++ = QChar(b0);
            i += 1;
            continue;
        }
        if (b0 >= 0xC2 && b0 <= 0xDF && i + 1 < n && isContinuation(in[i + 1])) {
            *pos++ = QChar(char16_t(((b0 & 0x1F) << 6) | (in[i + 1] & 0x3F)));
            i += 2;
            continue;
        }
        if (b0 >= 0xE0 && b0 <= 0xEF && i + 2 < n && isContinuation(in[i + 1]) &&
            isContinuation(in[i + 2])) {
            *pos++ = QChar(
                char16_t(((b0 & 0x0F) << 12) | ((in[i + 1] & 0x3F) << 6) | (in[i + 2] & 0x3F)));
            i += 3;
            continue;
        }
        for (QChar c : replacement)
            *pos++ = c;
        i += 1;
    }
    out.truncate(pos - begin);
    return out;
}
