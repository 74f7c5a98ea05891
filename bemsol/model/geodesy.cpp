#include "geodesy.h"

#include <charconv>
#include <cmath>
#include <string_view>

double LatitudeFromXYZ(double x, double y, double z)
{
    using namespace Grs80;
    const double p = std::sqrt(x * x + y * y);
    if (p == 0.0)
        return z < 0.0 ? -decimalPi / 2.0 : decimalPi / 2.0;
    const double r = std::sqrt(p * p + z * z);
    const double mu = std::atan((z / p) * ((1.0 - f) + e2 * a / r));
    const double sinMu = std::sin(mu);
    const double cosMu = std::cos(mu);
    return std::atan((z * (1.0 - f) + e2 * a * sinMu * sinMu * sinMu) /
                     ((1.0 - f) * (p - e2 * a * cosMu * cosMu * cosMu)));
}

double LongitudeFromXY(double x, double y)
{
    return LongitudeDegreesFromXY(x, y) / 180.0 * decimalPi;
}

double LongitudeDegreesFromXY(double x, double y)
{
    if (x == 0.0)
        return y > 0.0 ? 90.0 : (y < 0.0 ? -90.0 : 0.0);
    const double d = std::atan(y / x) / decimalPi * 180.0;
    if (x > 0.0)
        return d;
    return y >= 0.0 ? d + 180.0 : d - 180.0;
}

namespace {

int secondsDecimals(AngleKind kind)
{
    return kind == AngleKind::Latitude || kind == AngleKind::Longitude ? 5 : 2;
}

bool isAzimuth(AngleKind kind)
{
    return kind == AngleKind::ForwardAzimuth || kind == AngleKind::BackwardAzimuth;
}

} // namespace

QString AngleText(double radians, AngleKind kind)
{
    return AngleTextFromDegrees(radians / decimalPi * 180.0, kind);
}

QString AngleTextFromDegrees(double d, AngleKind kind)
{
    // Beyond a billion degrees the value is no angle, and its whole degrees would not fit.
    if (!std::isfinite(d) || std::fabs(d) > 1.0e9)
        return {};
    if (d < 0.0 && isAzimuth(kind))
        d += 360.0;
    const bool negative = d < 0.0;
    d = std::fabs(d);

    long long deg = static_cast<long long>(d);
    const double minutesExact = (d - double(deg)) * 60.0;
    int min = static_cast<int>(minutesExact);
    const double sec = (minutesExact - min) * 60.0;

    // Seconds rounded to their decimals exactly as a number pattern rounds them; a value
    // that rounds to 60 is carried into the minutes.
    const int decimals = secondsDecimals(kind);
    char secText[32];
    const auto written = std::to_chars(secText, secText + sizeof secText, sec,
                                       std::chars_format::fixed, decimals);
    std::string_view seconds(secText, size_t(written.ptr - secText));
    if (seconds.starts_with("60")) {
        seconds = decimals == 5 ? "0.00000" : "0.00";
        if (++min == 60) {
            min = 0;
            ++deg;
        }
    }

    // Put together in place: one allocation for the text.
    char16_t text[48];
    qsizetype n = 0;
    if (negative)
        text[n++] = u'-';
    char degText[24];
    const auto degWritten = std::to_chars(degText, degText + sizeof degText, deg);
    for (const char* c = degText; c != degWritten.ptr; ++c)
        text[n++] = char16_t(*c);
    text[n++] = u'°';
    text[n++] = char16_t(u'0' + min / 10);
    text[n++] = char16_t(u'0' + min % 10);
    text[n++] = u'′';
    if (seconds.find('.') < 2)
        text[n++] = u'0';
    for (char c : seconds)
        text[n++] = char16_t(c);
    text[n++] = u'″';
    return QString(reinterpret_cast<const QChar*>(text), n);
}
