#pragma once

// Projects for the diagram tests, built in code: points given by latitude and longitude
// (written as earth-centred X, Y, Z on GRS80 as an exchange file has them), occupations
// naming them and baselines between them.

#include "model/projectmodel.h"

#include <GeographicLib/Geocentric.hpp>

#include <QString>

namespace diagramfixture {

struct Place
{
    double latitude;
    double longitude;
    double height = 50;
};

inline PointData endAt(const Place& place, const QString& type = QStringLiteral("Computed"))
{
    static const GeographicLib::Geocentric grs80(6378137.0, 1.0 / 298.257222101);
    double x = 0;
    double y = 0;
    double z = 0;
    grs80.Forward(place.latitude, place.longitude, place.height, x, y, z);
    PointData end;
    end.ptType = type;
    end.posX = QString::number(x, 'f', 4);
    end.posY = QString::number(y, 'f', 4);
    end.posZ = QString::number(z, 'f', 4);
    return end;
}

class ProjectBuilder
{
public:
    // An occupation of point `number` named `name`; returns its index.
    int occupation(const QString& number, const QString& name = {})
    {
        OccupationRecord o;
        o.pointName = number;
        o.ptCode = name.isEmpty() ? QStringLiteral("名") + number : name;
        model.occupations << o;
        return model.occupationCount();
    }

    // A baseline between two occupations with the ends' coordinates; returns its index.
    int baseline(const QString& session, int start, const PointData& startEnd, int end,
                 const PointData& endEnd, const QString& startTime = QStringLiteral("2020/07/06 0:30:00"),
                 const QString& endTime = QStringLiteral("2020/07/06 2:00:00"))
    {
        BaselineRecord b;
        b.session = session;
        b.startOccupation = start;
        b.endOccupation = end;
        b.startPoint = startEnd;
        b.endPoint = endEnd;
        b.startTime = startTime;
        b.endTime = endTime;
        model.baselines << b;
        return model.baselineCount();
    }

    // Both ends at their places, each point occupied afresh.
    int baseline(const QString& session, const QString& from, const Place& a, const QString& to,
                 const Place& b)
    {
        return baseline(session, occupation(from), endAt(a), occupation(to), endAt(b));
    }

    ProjectModel model;
};

} // namespace diagramfixture
