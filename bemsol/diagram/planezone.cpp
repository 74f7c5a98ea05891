#include "planezone.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double degrees(int d, int m) { return d + m / 60.0; }

// The origins of the notice (平成十四年国土交通省告示第九号, last amended by 告示第二百八十九号
// of 2010), from the Geospatial Information Authority's copy of it,
// http://web1.gsi.go.jp/LAW/heimencho.html ; zones XI–XIX as tabulated at
// https://mail.seis.nagoya-u.ac.jp/~maeda/ymaeda_opentools_doc/include/coordinate.h/JapanCoordinateZone2refNE.html
constexpr std::array<PlaneZoneOrigin, planeZoneCount> origins{{
    {33, degrees(129, 30)}, // I
    {33, degrees(131, 0)},  // II
    {36, degrees(132, 10)}, // III
    {33, degrees(133, 30)}, // IV
    {36, degrees(134, 20)}, // V
    {36, degrees(136, 0)},  // VI
    {36, degrees(137, 10)}, // VII
    {36, degrees(138, 30)}, // VIII
    {36, degrees(139, 50)}, // IX
    {40, degrees(140, 50)}, // X
    {44, degrees(140, 15)}, // XI
    {44, degrees(142, 15)}, // XII
    {44, degrees(144, 15)}, // XIII
    {26, degrees(142, 0)},  // XIV
    {26, degrees(127, 30)}, // XV
    {26, degrees(124, 0)},  // XVI
    {26, degrees(131, 0)},  // XVII
    {20, degrees(136, 0)},  // XVIII
    {26, degrees(154, 0)},  // XIX
}};

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

// Central angle between two places on the sphere, in the form that stays exact for
// short and long distances alike.
double greatCircleAngle(double lat1, double lon1, double lat2, double lon2)
{
    const double p1 = radians(lat1);
    const double p2 = radians(lat2);
    const double dl = radians(lon2 - lon1);
    const double a = std::cos(p2) * std::sin(dl);
    const double b = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl);
    const double c = std::sin(p1) * std::sin(p2) + std::cos(p1) * std::cos(p2) * std::cos(dl);
    return std::atan2(std::hypot(a, b), c);
}

} // namespace

bool IsPlaneZone(int zone)
{
    return zone >= 1 && zone <= planeZoneCount;
}

PlaneZoneOrigin PlaneZoneOriginOf(int zone)
{
    return origins[std::size_t(zone - 1)];
}

QString PlaneZoneNumeral(int zone)
{
    static const char* const numerals[planeZoneCount] = {
        "I",  "II",  "III",  "IV", "V",  "VI",  "VII",  "VIII",  "IX", "X",
        "XI", "XII", "XIII", "XIV", "XV", "XVI", "XVII", "XVIII", "XIX"};
    return IsPlaneZone(zone) ? QString::fromLatin1(numerals[zone - 1]) : QString();
}

QString PlaneZoneName(int zone)
{
    return QStringLiteral("平面直角座標系 第%1系").arg(PlaneZoneNumeral(zone));
}

int NearestPlaneZone(double latitude, double longitude)
{
    int best = 1;
    double bestAngle = greatCircleAngle(latitude, longitude, origins[0].latitude, origins[0].longitude);
    for (int zone = 2; zone <= planeZoneCount; ++zone) {
        const PlaneZoneOrigin& o = origins[std::size_t(zone - 1)];
        const double angle = greatCircleAngle(latitude, longitude, o.latitude, o.longitude);
        if (angle < bestAngle) {
            best = zone;
            bestAngle = angle;
        }
    }
    return best;
}
