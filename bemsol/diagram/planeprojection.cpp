#include "planeprojection.h"

#include "model/geodesy.h"
#include "planezone.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/TransverseMercator.hpp>

namespace {

constexpr double planeScale = 0.9999;

const GeographicLib::Geocentric& grs80Geocentric()
{
    static const GeographicLib::Geocentric earth(Grs80::a, Grs80::f);
    return earth;
}

const GeographicLib::TransverseMercator& planeMercator()
{
    static const GeographicLib::TransverseMercator projection(Grs80::a, Grs80::f, planeScale);
    return projection;
}

} // namespace

GeodeticPosition GeodeticFromGeocentric(double x, double y, double z)
{
    GeodeticPosition p;
    double height = 0;
    grs80Geocentric().Reverse(x, y, z, p.latitude, p.longitude, height);
    return p;
}

PlanePosition PlaneFromGeodetic(const GeodeticPosition& position, int zone)
{
    const PlaneZoneOrigin origin = PlaneZoneOriginOf(zone);
    // The library measures northing from the equator; the zone's x starts at the
    // origin's latitude on its meridian.
    double east = 0;
    double north = 0;
    planeMercator().Forward(origin.longitude, position.latitude, position.longitude, east, north);
    double originEast = 0;
    double originNorth = 0;
    planeMercator().Forward(origin.longitude, origin.latitude, origin.longitude, originEast,
                            originNorth);
    return {north - originNorth, east};
}
