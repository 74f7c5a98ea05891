#include "gpstimetext.h"

#include "elementreader.h"
#include "model/datetimetext.h"

#include <cmath>
#include <limits>

namespace {

// The GPS week is reckoned in the serial day count whose day 0 is 30 December 1899;
// day 36226 (Sunday 7 March 1999) is the first day of GPS week 1000.
constexpr qint64 firstDayOfWeek1000 = 36226;
// 1970-01-01 in that count.
constexpr qint64 serialDayOfEpoch = 25569;

// A 32-bit whole number, rounding halves to even.
std::optional<qint32> roundedInt32(QByteArrayView text)
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

QString GpsWeekSecondsText(QByteArrayView week, QByteArrayView seconds)
{
    const std::optional<double> weekNumber = NumberFromText(week);
    const std::optional<qint32> secs = roundedInt32(seconds);
    if (!weekNumber || !secs || *weekNumber != std::floor(*weekNumber) ||
        std::fabs(*weekNumber) > 1.0e6)
        return {};
    const qint64 serialDay = firstDayOfWeek1000 + (qint64(*weekNumber) - 1000) * 7;
    return DateTimeTextFromEpochSeconds((serialDay - serialDayOfEpoch) * 86400 + *secs);
}

QString GpsTimeText(ExchangeReader& reader)
{
    const QByteArrayView week = ValueOf(reader.nextLine());
    const QByteArrayView seconds = ValueOf(reader.nextLine());
    return GpsWeekSecondsText(week, seconds);
}
