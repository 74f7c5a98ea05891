#include "exchangereader.h"

#include "linegrammar.h"

ExchangeReader::ExchangeReader(QString text, ProjectModel& model)
    : text_(std::move(text)), model_(model)
{
}

QStringView ExchangeReader::nextLine()
{
    if (exhausted_)
        return {};
    const QStringView all(text_);
    const qsizetype lf = all.indexOf(u'\n', pos_);
    QStringView line;
    if (lf < 0) {
        line = all.mid(pos_);
        pos_ = all.size();
        exhausted_ = true;
    } else {
        line = all.mid(pos_, lf - pos_);
        pos_ = lf + 1;
    }
    if (!line.isEmpty() && line.back() == u'\r')
        line.chop(1);
    ++cursor_;
    return line;
}

void ExchangeReader::fail(const QString& message)
{
    if (failure_.isEmpty())
        failure_ = message;
}

void SkipToClosingTag(ExchangeReader& reader, QStringView closingTag)
{
    while (!reader.atEnd()) {
        if (TagNameOf(reader.nextLine()) == closingTag)
            return;
    }
}
