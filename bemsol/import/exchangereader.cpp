#include "exchangereader.h"

#include "utf8decoder.h"

#include <cstring>

ExchangeReader::ExchangeReader(QByteArrayView bytes, ProjectModel& model)
    : bytes_(bytes), model_(model)
{
}

QByteArrayView ExchangeReader::nextLine()
{
    if (exhausted_)
        return {};
    const char* const begin = bytes_.data() + pos_;
    const qsizetype remaining = bytes_.size() - pos_;
    const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', size_t(remaining)));
    QByteArrayView line;
    if (!lf) {
        line = QByteArrayView(begin, remaining);
        pos_ = bytes_.size();
        exhausted_ = true;
    } else {
        line = QByteArrayView(begin, lf - begin);
        pos_ += line.size() + 1;
    }
    if (!line.isEmpty() && line.back() == '\r')
        line.chop(1);
    ++cursor_;
    return line;
}

void ExchangeReader::fail(const QString& message)
{
    if (failure_.isEmpty())
        failure_ = message;
}

QString TextOf(QByteArrayView utf8)
{
    for (char c : utf8) {
        if (uchar(c) >= 0x80)
            return Utf8BytesToText(utf8, u"?");
    }
    return QString::fromLatin1(utf8);
}
