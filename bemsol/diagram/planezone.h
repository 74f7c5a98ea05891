#pragma once

#include <QString>

// The nineteen zones of the Japan plane rectangular coordinate system (平面直角座標系):
// transverse Mercator on GRS80 about each zone's origin, scale 0.9999 on its meridian.

inline constexpr int planeZoneCount = 19;

struct PlaneZoneOrigin
{
    double latitude;  // degrees north
    double longitude; // degrees east
};

// The origin of zone 1..19; the caller checks the number.
PlaneZoneOrigin PlaneZoneOriginOf(int zone);

bool IsPlaneZone(int zone);

// "IX" for zone 9.
QString PlaneZoneNumeral(int zone);
// "平面直角座標系 第IX系".
QString PlaneZoneName(int zone);

// The zone whose origin is nearest, by great-circle angle, to the given place; the lower
// number on a tie.
int NearestPlaneZone(double latitude, double longitude);
