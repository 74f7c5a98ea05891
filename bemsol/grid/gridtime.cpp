#include "gridtime.h"

#include "model/datetimetext.h"

namespace {

void appendTwoDigits(QString& out, int value)
{
    out.append(QChar(u'0' + value / 10 % 10));
    out.append(QChar(u'0' + value % 10));
}

} // namespace

QString gridTimeText(QStringView stored, TimeView view)
{
    std::optional<QDateTime> value = ParseDateTimeText(stored);
    if (!value)
        return stored.toString();
    if (view == TimeView::Japan)
        *value = value->addSecs(9 * 3600);
    const QDate date = value->date();
    const QTime time = value->time();
    QString out;
    out.reserve(17);
    appendTwoDigits(out, date.year() % 100);
    out.append(u'/');
    appendTwoDigits(out, date.month());
    out.append(u'/');
    appendTwoDigits(out, date.day());
    out.append(u' ');
    appendTwoDigits(out, time.hour());
    out.append(u':');
    appendTwoDigits(out, time.minute());
    out.append(u':');
    appendTwoDigits(out, time.second());
    return out;
}
