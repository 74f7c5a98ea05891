#include "diagramlayout.h"

#include "import/elementreader.h"
#include "planeprojection.h"
#include "planezone.h"
#include "model/projectmodel.h"
#include "sessiontable.h"

#include <QHash>

#include <algorithm>

namespace {

struct PointDraft
{
    DiagramPoint point;
    bool placed = false; // its position was read
};

std::optional<GeodeticPosition> positionOf(const PointData& end)
{
    const std::optional<double> x = NumberFromText(end.posX);
    const std::optional<double> y = NumberFromText(end.posY);
    const std::optional<double> z = NumberFromText(end.posZ);
    // The earth's centre is no place on the ground: an end written as zeros is unread.
    if (!x || !y || !z || (*x == 0 && *y == 0 && *z == 0))
        return std::nullopt;
    return GeodeticFromGeocentric(*x, *y, *z);
}

class PointCollector
{
public:
    // The index of the point that `occupation` names, made on its first appearance.
    int add(const OccupationRecord& occupation, const PointData& end)
    {
        auto found = index_.constFind(occupation.pointName);
        if (found == index_.cend()) {
            found = index_.insert(occupation.pointName, int(drafts_.size()));
            PointDraft draft;
            draft.point.number = occupation.pointName;
            draft.point.name = occupation.ptCode;
            draft.point.control = end.ptType.compare(u"Control", Qt::CaseInsensitive) == 0;
            drafts_ << draft;
        }
        PointDraft& draft = drafts_[*found];
        if (!draft.placed) {
            if (const auto position = positionOf(end)) {
                draft.point.latitude = position->latitude;
                draft.point.longitude = position->longitude;
                draft.placed = true;
            }
        }
        return *found;
    }

    const QList<PointDraft>& drafts() const { return drafts_; }

private:
    QHash<QString, int> index_;
    QList<PointDraft> drafts_;
};

// Leaves out the points without a position and the baselines that reach them,
// renumbering the rest in their order.
void dropUnplaced(const QList<PointDraft>& drafts, DiagramLayout& layout)
{
    QList<int> newIndex(drafts.size(), -1);
    for (qsizetype i = 0; i < drafts.size(); ++i) {
        if (drafts[i].placed) {
            newIndex[i] = int(layout.points.size());
            layout.points << drafts[i].point;
        } else {
            layout.pointsWithoutPosition << drafts[i].point.number;
        }
    }
    QList<DiagramBaseline> kept;
    for (DiagramBaseline b : std::as_const(layout.baselines)) {
        if (newIndex[b.from] < 0 || newIndex[b.to] < 0)
            continue;
        b.from = newIndex[b.from];
        b.to = newIndex[b.to];
        kept << b;
    }
    layout.baselines = kept;
}

int defaultZoneOf(const QList<DiagramPoint>& points)
{
    if (points.isEmpty())
        return 0;
    double latitude = 0;
    double longitude = 0;
    for (const DiagramPoint& p : points) {
        latitude += p.latitude;
        longitude += p.longitude;
    }
    return NearestPlaneZone(latitude / double(points.size()), longitude / double(points.size()));
}

void project(DiagramLayout& layout)
{
    for (DiagramPoint& p : layout.points) {
        const PlanePosition plane = PlaneFromGeodetic({p.latitude, p.longitude}, layout.zone);
        p.x = plane.x;
        p.y = plane.y;
    }
    if (layout.points.isEmpty())
        return;
    PlaneExtents& e = layout.extents;
    e = {layout.points[0].x, layout.points[0].x, layout.points[0].y, layout.points[0].y};
    for (const DiagramPoint& p : std::as_const(layout.points)) {
        e.minX = std::min(e.minX, p.x);
        e.maxX = std::max(e.maxX, p.x);
        e.minY = std::min(e.minY, p.y);
        e.maxY = std::max(e.maxY, p.y);
    }
}

} // namespace

Result<DiagramLayout> BuildDiagramLayout(const ProjectModel& model, const QSet<int>& switchedOff,
                                         std::optional<int> zone)
{
    if (zone && !IsPlaneZone(*zone))
        return Outcome::failure(QStringLiteral("座標系の番号が違います: %1 (1..%2)")
                                    .arg(*zone)
                                    .arg(planeZoneCount));
    DiagramLayout layout;
    PointCollector points;
    for (int i = 1; i <= model.baselineCount(); ++i) {
        if (switchedOff.contains(i))
            continue;
        const BaselineRecord& b = model.baselines[i];
        const OccupationRecord& start = model.startOccupationOf(b);
        const OccupationRecord& end = model.endOccupationOf(b);
        if (start.pointName.isEmpty() || end.pointName.isEmpty())
            continue;
        DiagramBaseline drawn;
        drawn.baseline = i;
        drawn.from = points.add(start, b.startPoint);
        drawn.to = points.add(end, b.endPoint);
        layout.baselines << drawn;
    }
    dropUnplaced(points.drafts(), layout);
    layout.defaultZone = defaultZoneOf(layout.points);
    layout.zone = zone.value_or(layout.defaultZone);
    if (layout.zone != 0)
        project(layout);
    layout.sessions = BuildSessionTable(model, layout.baselines, layout.points);
    return layout;
}
