#include "linegrammar.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Index of the first of `a` or `b` in s[from, n), or -1. Lines are short, so the bytes
// are tested sixteen at a time without a library call.
template <class Char>
qsizetype findEither(const Char* s, qsizetype from, qsizetype n, char a, char b)
{
    qsizetype i = from;
#if defined(__SSE2__)
    if constexpr (sizeof(Char) == 1) {
        const __m128i va = _mm_set1_epi8(a);
        const __m128i vb = _mm_set1_epi8(b);
        for (; i + 16 <= n; i += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
            const int mask = _mm_movemask_epi8(
                _mm_or_si128(_mm_cmpeq_epi8(chunk, va), _mm_cmpeq_epi8(chunk, vb)));
            if (mask != 0)
                return i + __builtin_ctz(unsigned(mask));
        }
    }
#endif
    for (; i < n; ++i) {
        if (s[i] == Char(a) || s[i] == Char(b))
            return i;
    }
    return -1;
}

template <class Char> qsizetype find(const Char* s, qsizetype from, qsizetype n, char c)
{
    return findEither(s, from, n, c, c);
}

struct Span
{
    qsizetype start = 0;
    qsizetype size = 0;
};

template <class Char> Span tagSpan(const Char* s, qsizetype n)
{
    const qsizetype lt = find(s, 0, n, '<');
    const qsizetype start = lt < 0 ? 0 : lt + 1;
    // One pass to the first ">" or blank; after a blank the ">" must still follow.
    const qsizetype end = findEither(s, start, n, '>', ' ');
    if (end < 0)
        return {};
    if (s[end] == Char(' ') && find(s, end + 1, n, '>') < 0)
        return {};
    return {start, end - start};
}

template <class Char> Span valueSpan(const Char* s, qsizetype n)
{
    const qsizetype gt = find(s, 0, n, '>');
    if (gt < 0)
        return {};
    const qsizetype lt = find(s, gt + 1, n, '<');
    if (lt < 0)
        return {};
    qsizetype start = gt + 1;
    qsizetype end = lt;
    while (start < end && s[start] == Char(' '))
        ++start;
    while (end > start && s[end - 1] == Char(' '))
        --end;
    return {start, end - start};
}

} // namespace

QStringView TagNameOf(QStringView line)
{
    const Span t = tagSpan(line.utf16(), line.size());
    return line.sliced(t.start, t.size);
}

QByteArrayView LineGrammar::searchedTagName(QByteArrayView line)
{
    const Span t = tagSpan(line.data(), line.size());
    return line.sliced(t.start, t.size);
}

QStringView ValueOf(QStringView line)
{
    const Span v = valueSpan(line.utf16(), line.size());
    return line.sliced(v.start, v.size);
}

QByteArrayView LineGrammar::searchedValue(QByteArrayView line)
{
    const Span v = valueSpan(line.data(), line.size());
    return line.sliced(v.start, v.size);
}
