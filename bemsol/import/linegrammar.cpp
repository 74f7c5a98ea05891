#include "linegrammar.h"

#include <cstring>

namespace {

template <class Char> qsizetype find(const Char* s, qsizetype from, qsizetype n, char c)
{
    if constexpr (sizeof(Char) == 1) {
        if (from >= n)
            return -1;
        const void* hit = std::memchr(s + from, c, size_t(n - from));
        return hit ? static_cast<const Char*>(hit) - s : -1;
    } else {
        for (qsizetype i = from; i < n; ++i) {
            if (s[i] == Char(c))
                return i;
        }
        return -1;
    }
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
    for (qsizetype i = start; i < n; ++i) {
        if (s[i] == Char('>'))
            return {start, i - start};
        if (s[i] == Char(' '))
            return find(s, i + 1, n, '>') < 0 ? Span{} : Span{start, i - start};
    }
    return {};
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

QByteArrayView TagNameOf(QByteArrayView line)
{
    const Span t = tagSpan(line.data(), line.size());
    return line.sliced(t.start, t.size);
}

QStringView ValueOf(QStringView line)
{
    const Span v = valueSpan(line.utf16(), line.size());
    return line.sliced(v.start, v.size);
}

QByteArrayView ValueOf(QByteArrayView line)
{
    const Span v = valueSpan(line.data(), line.size());
    return line.sliced(v.start, v.size);
}
