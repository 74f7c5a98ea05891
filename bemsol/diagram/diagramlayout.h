#pragma once

#include "model/outcome.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

class ProjectModel;

// The observation diagram (観測図) as numbers on the plane, before anything is drawn:
// the points of the drawn baselines in a zone of the plane rectangular coordinate
// system, the baselines with their sessions, and the session table.
//
// A baseline is drawn when it is switched on and both its ends are matched to
// occupations that name a point (pointName). A point takes its number and name from
// the first drawn end that names it (baselines in order, the start before the end), and
// its position from the first such end whose X, Y, Z can be read.

struct DiagramPoint
{
    QString number; // 点番号 (pointName)
    QString name;   // 点名称 (ptCode)
    bool control = false; // a published control point (既知点) rather than a new one
    double latitude = 0;  // degrees, GRS80
    double longitude = 0;
    double x = 0; // metres north of the zone's origin
    double y = 0; // metres east of the zone's origin
};

struct DiagramBaseline
{
    int baseline = 0; // index in the project
    int from = 0;     // index into DiagramLayout::points
    int to = 0;
    int session = 0; // index into DiagramLayout::sessions
};

// One row of the session table, sessions in order of their first drawn baseline.
struct DiagramSession
{
    QString name;
    QString date;  // Japan date of the first start, "2005/07/28"
    QString start; // Japan time, "09:36"
    QString end;   // "11:06", with the date ("07/29 00:10") when it is another day
    QStringList points; // numbers, in order of first appearance in the session
};

struct PlaneExtents
{
    double minX = 0;
    double maxX = 0;
    double minY = 0;
    double maxY = 0;
};

struct DiagramLayout
{
    int zone = 0;        // the zone drawn; 0 with no point to draw and no zone chosen
    int defaultZone = 0; // nearest to the mean of the drawn points; 0 without points
    QList<DiagramPoint> points;
    QList<DiagramBaseline> baselines;
    QList<DiagramSession> sessions;
    PlaneExtents extents;
    // Points named by drawn baselines whose coordinates could not be read anywhere;
    // they and their baselines are left out.
    QStringList pointsWithoutPosition;

    bool isEmpty() const { return baselines.isEmpty(); }
};

// The layout of the project's diagram with the baselines of `switchedOff` left out, in
// `zone` (1..19) or else the default zone. A zone outside 1..19 is refused.
Result<DiagramLayout> BuildDiagramLayout(const ProjectModel& model, const QSet<int>& switchedOff,
                                         std::optional<int> zone = std::nullopt);
