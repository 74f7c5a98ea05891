#include "linegrammar.h"

namespace {

template <class Char> qsizetype find(const Char* s, qsizetype from, qsizetype n, char c)
{
    for (qsizetype i = from; i < n; ++i) {
        if (s[i] == Char(c))
            return i;
    }
    return -1;
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
    const qsizetype gt = find(s, start, n, '>');
    if (gt < 0)
        return {};
    const qsizetype space = find(s, start, gt, ' ');
    return {start, (space < 0 ? gt : space) - start};
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
