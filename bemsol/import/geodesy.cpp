#include "geodesy.h"

#include <cmath>

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
    if (!std::isfinite(d))
        return {};
    if (d < 0.0 && isAzimuth(kind))
        d += 360.0;
    const bool negative = d < 0.0;
    d = std::fabs(d);

    long long deg = static_cast<long long>(d);
    const double minutesExact = (d - double(deg)) * 60.0;
    int min = static_cast<int>(minutesExact);
    const double sec = (minutesExact - min) * 60.0;

    const int decimals = secondsDecimals(kind);
    QString secText = QString::asprintf("%0*.*f", decimals + 3, decimals, sec);
    if (secText.startsWith(QLatin1String("60"))) {
        secText = QString::asprintf("%0*.*f", decimals + 3, decimals, 0.0);
        if (++min == 60) {
            min = 0;
            ++deg;
        }
    }
    return QStringLiteral("%1%2°%3′%4″")
        .arg(negative ? QStringLiteral("-") : QString())
        .arg(deg)
        .arg(min, 2, 10, QLatin1Char('0'))
        .arg(secText);
}
