#pragma once

#include <QString>

// GRS80, and the decimal π that all angle texts are computed with: texts must come out
// digit for digit as the surveyors' earlier documents have them.
namespace Grs80 {
inline constexpr double a = 6378137.0;
inline constexpr double f = 1.0 / 298.257222101;
inline constexpr double e2 = (2.0 - f) * f;
} // namespace Grs80
inline constexpr double decimalPi = 3.14159265358979;

enum class AngleKind : short {
    Latitude = 0,
    Longitude = 1,
    ForwardAzimuth = 2,
    BackwardAzimuth = 3,
    ForwardInclination = 4,
    BackwardInclination = 5,
};

// Geodetic latitude in radians by Bowring's closed formula (no iteration). A point on
// the polar axis gets ±90°.
double LatitudeFromXYZ(double x, double y, double z);

// Longitude in radians, east positive, west negative, from the quadrant of X and Y.
double LongitudeFromXY(double x, double y);

// The same longitude in degrees, computed as the one-argument arctangent converted to
// degrees with a half turn added in degrees: every point with Y > 0 thus gets exactly
// the text that surveyors' earlier documents show, down to the last digit.
double LongitudeDegreesFromXY(double x, double y);

// "36°06′20.44216″": sign, degrees, two-digit minutes, seconds with five decimals
// (latitude, longitude) or two (azimuths, inclinations). Negative azimuths are raised
// by 360°. Seconds that round to 60 carry into the minutes. Empty for a value that is
// not a finite number.
QString AngleText(double radians, AngleKind kind);
QString AngleTextFromDegrees(double degrees, AngleKind kind);
