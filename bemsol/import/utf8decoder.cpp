#include "utf8decoder.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool isContinuation(uchar b)
{
    return b >= 0x80 && b <= 0xBF;
}

// Copies the run of ASCII bytes at `in`, sixteen at a time, and returns how many it
// copied. Exchange files are almost all ASCII, so this carries most of the decoding.
qsizetype copyAsciiRun(const uchar* in, qsizetype available, QChar* out)
{
    qsizetype done = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    while (available - done >= 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + done));
        if (_mm_movemask_epi8(chunk) != 0)
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + done), _mm_unpacklo_epi8(chunk, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + done + 8),
                         _mm_unpackhi_epi8(chunk, zero));
        done += 16;
    }
#endif
    while (done < available && in[done] < 0x80) {
        out[done] = QChar(in[done]);
        ++done;
    }
    return done;
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
            const qsizetype run = copyAsciiRun(in + i, n - i, pos);
            pos += run;
            i += run;
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
