#include "exchangereader.h"

#include "utf8decoder.h"

ExchangeReader::ExchangeReader(QByteArrayView bytes, ProjectModel& model, ProgressCallback progress)
    : bytes_(bytes), model_(model), progress_(std::move(progress))
{
    if (!progress_)
        nextProgressAt_ = std::numeric_limits<qsizetype>::max();
}

qsizetype ExchangeReader::findLineFeed(const char* s, qsizetype from, qsizetype size)
{
    if (from >= size)
        return -1;
    const void* lf = std::memchr(s + from, '\n', size_t(size - from));
    return lf ? static_cast<const char*>(lf) - s : -1;
}

ExchangeReader::LineBounds ExchangeReader::scanBytewise(const char* s, qsizetype from, qsizetype size)
{
    qsizetype i = from;
    while (i < size && s[i] == ' ')
        ++i;
    return {i, findLineFeed(s, i, size)};
}

void ExchangeReader::reportProgress()
{
    constexpr qsizetype step = 1 << 20;
    nextProgressAt_ = pos_ + step;
    if (exhausted_ || progress_(pos_, bytes_.size()))
        return;
    cancelled_ = true;
    exhausted_ = true;
    nextProgressAt_ = std::numeric_limits<qsizetype>::max();
}

QString TextOf(QByteArrayView utf8)
{
    for (char c : utf8) {
        if (uchar(c) >= 0x80)
            return Utf8BytesToText(utf8, u"?");
    }
    return QString::fromLatin1(utf8);
}
