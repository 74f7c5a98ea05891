#include "datetimetext.h"

#include <algorithm>

namespace {

struct CivilDate
{
    qint64 year;
    int month;
    int day;
};

// Day counts of the proleptic Gregorian calendar, from H. Hinnant's algorithms: plain
// integer arithmetic, because the import turns every time element into a text.
qint64 daysFromCivil(qint64 y, int m, int d)
{
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const qint64 yoe = y - era * 400;
    const qint64 doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate civilFromDays(qint64 z)
{
    z += 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    const int d = int(doy - (153 * mp + 2) / 5 + 1);
    const int m = int(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (m <= 2), m, d};
}

// Writes `value` with at least `width` digits at `out`; returns the end.
char16_t* writeDigits(char16_t* out, qint64 value, int width)
{
    char16_t digits[20];
    int n = 0;
    do {
        digits[n++] = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int i = n; i < width; ++i)
        *out++ = u'0';
    while (n > 0)
        *out++ = digits[--n];
    return out;
}

// Splits "a<sep>b<sep>c" (the characters from `p` to `end`) into three non-negative
// numbers of one to `maxDigits` digits, in one pass: the import reads two such texts
// for every set-up and every baseline.
bool splitThree(const char16_t* p, const char16_t* end, char16_t separator, int (&parts)[3],
                int maxDigits)
{
    for (int i = 0; i < 3; ++i) {
        int value = 0;
        int digits = 0;
        // The last field runs to the end; a separator there is no digit.
        for (; p != end && (i == 2 || *p != separator); ++p) {
            if (*p < u'0' || *p > u'9' || ++digits > maxDigits)
                return false;
            value = value * 10 + (*p - u'0');
        }
        if (digits == 0 || (i < 2 && p == end))
            return false;
        parts[i] = value;
        if (i < 2)
            ++p; // the separator
    }
    return true;
}

} // namespace

QString DateTimeTextFromEpochSeconds(qint64 seconds)
{
    const qint64 days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
    const qint64 secondOfDay = seconds - days * 86400;
    const CivilDate date = civilFromDays(days);
    if (date.year < 1 || date.year > 9999)
        return {};
    // Put together in place: one allocation for the text.
    char16_t text[40];
    char16_t* out = writeDigits(text, date.year, 4);
    *out++ = u'/';
    out = writeDigits(out, date.month, 2);
    *out++ = u'/';
    out = writeDigits(out, date.day, 2);
    if (secondOfDay != 0) {
        *out++ = u' ';
        out = writeDigits(out, secondOfDay / 3600, 1);
        *out++ = u':';
        out = writeDigits(out, secondOfDay % 3600 / 60, 2);
        *out++ = u':';
        out = writeDigits(out, secondOfDay % 60, 2);
    }
    return QString(reinterpret_cast<const QChar*>(text), out - text);
}

QString DateTimeText(const QDateTime& value)
{
    return DateTimeTextFromEpochSeconds(value.toSecsSinceEpoch());
}

std::optional<qint64> DateTimeTextKey(QStringView text)
{
    const auto* const begin = reinterpret_cast<const char16_t*>(text.data());
    const char16_t* const end = begin + text.size();
    const char16_t* const blank = std::find(begin, end, u' ');
    int ymd[3];
    if (!splitThree(begin, blank, u'/', ymd, 4) || !QDate::isValid(ymd[0], ymd[1], ymd[2]) ||
        ymd[0] < 1)
        return std::nullopt;
    qint64 secondOfDay = 0;
    if (blank != end) {
        int hms[3];
        if (!splitThree(blank + 1, end, u':', hms, 2) || !QTime::isValid(hms[0], hms[1], hms[2]))
            return std::nullopt;
        secondOfDay = hms[0] * 3600 + hms[1] * 60 + hms[2];
    }
    return daysFromCivil(ymd[0], ymd[1], ymd[2]) * 86400 + secondOfDay;
}

std::optional<QDateTime> ParseDateTimeText(QStringView text)
{
    const std::optional<qint64> key = DateTimeTextKey(text);
    if (!key)
        return std::nullopt;
    return QDateTime::fromSecsSinceEpoch(*key, Qt::UTC);
}
