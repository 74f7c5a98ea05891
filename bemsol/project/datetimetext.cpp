#include "datetimetext.h"

namespace {

// Splits "a<sep>b<sep>c" into three non-negative numbers.
bool splitThree(QStringView text, QChar separator, int (&parts)[3], int maxDigits)
{
    qsizetype start = 0;
    for (int i = 0; i < 3; ++i) {
        const qsizetype end = i < 2 ? text.indexOf(separator, start) : text.size();
        if (end < 0)
            return false;
        const QStringView field = text.mid(start, end - start);
        if (field.isEmpty() || field.size() > maxDigits)
            return false;
        int value = 0;
        for (QChar c : field) {
            if (c < u'0' || c > u'9')
                return false;
            value = value * 10 + (c.unicode() - u'0');
        }
        parts[i] = value;
        start = end + 1;
    }
    return true;
}

} // namespace

QString DateTimeText(const QDateTime& value)
{
    const QTime t = value.time();
    const QString date = value.date().toString(QStringLiteral("yyyy/MM/dd"));
    if (t.hour() == 0 && t.minute() == 0 && t.second() == 0)
        return date;
    return date + u' ' + t.toString(QStringLiteral("H:mm:ss"));
}

std::optional<QDateTime> ParseDateTimeText(QStringView text)
{
    const qsizetype blank = text.indexOf(u' ');
    const QStringView datePart = blank < 0 ? text : text.left(blank);
    int ymd[3];
    if (!splitThree(datePart, u'/', ymd, 4))
        return std::nullopt;
    const QDate date(ymd[0], ymd[1], ymd[2]);
    if (!date.isValid())
        return std::nullopt;
    QTime time(0, 0);
    if (blank >= 0) {
        int hms[3];
        if (!splitThree(text.mid(blank + 1), u':', hms, 2))
            return std::nullopt;
        time = QTime(hms[0], hms[1], hms[2]);
        if (!time.isValid())
            return std::nullopt;
    }
    return QDateTime(date, time, Qt::UTC);
}

std::optional<qint64> DateTimeTextKey(QStringView text)
{
    const std::optional<QDateTime> value = ParseDateTimeText(text);
    if (!value)
        return std::nullopt;
    static const QDate origin(1, 1, 1);
    return origin.daysTo(value->date()) * 86400 + value->time().msecsSinceStartOfDay() / 1000;
}
