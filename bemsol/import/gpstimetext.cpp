#include "gpstimetext.h"

#include "elementreader.h"
#include "project/datetimetext.h"

#include <cmath>
#include <limits>

namespace {

// Day 0 of the serial day count the GPS week is reckoned from; day 36226 (Sunday
// 7 March 1999) is the first day of GPS week 1000.
const QDate serialDayZero(1899, 12, 30);
constexpr qint64 firstDayOfWeek1000 = 36226;

// A 32-bit whole number, rounding halves to even.
std::optional<qint32> roundedInt32(QStringView text)
{
    const std::optional<double> value = NumberFromText(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value);
    if (rounded < std::numeric_limits<qint32>::min() ||
        rounded > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(rounded);
}

} // namespace

QString GpsWeekSecondsText(QStringView week, QStringView seconds)
{
    const std::optional<double> weekNumber = NumberFromText(week);
    const std::optional<qint32> secs = roundedInt32(seconds);
    if (!weekNumber || !secs || *weekNumber != std::floor(*weekNumber) ||
        std::fabs(*weekNumber) > 1.0e6)
        return {};
    const qint64 day = firstDayOfWeek1000 + (qint64(*weekNumber) - 1000) * 7;
    const QDateTime value =
        QDateTime(serialDayZero.addDays(day), QTime(0, 0), Qt::UTC).addSecs(*secs);
    if (value.date().year() < 1 || value.date().year() > 9999)
        return {};
    return DateTimeText(value);
}

QString GpsTimeText(ExchangeReader& reader)
{
    const QStringView week = ValueOf(reader.nextLine());
    const QStringView seconds = ValueOf(reader.nextLine());
    return GpsWeekSecondsText(week, seconds);
}
