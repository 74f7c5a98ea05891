#pragma once

// Earth-centred coordinates to latitude and longitude, and those to the plane of a zone
// of the Japan plane rectangular coordinate system, both on GRS80.

struct GeodeticPosition
{
    double latitude = 0;  // degrees
    double longitude = 0; // degrees, east positive
};

struct PlanePosition
{
    double x = 0; // metres north of the zone's origin
    double y = 0; // metres east of the zone's origin
};

GeodeticPosition GeodeticFromGeocentric(double x, double y, double z);

// `zone` must be 1..19.
PlanePosition PlaneFromGeodetic(const GeodeticPosition& position, int zone);
