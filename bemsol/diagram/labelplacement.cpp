#include "labelplacement.h"

#include "lineclip.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>
#include <unordered_map>
#include <vector>

namespace {

// Boxes or segments filed under the cells of a uniform grid they touch.
class CellIndex
{
public:
    explicit CellIndex(double cellSize = 1) : cell_(cellSize) {}

    void add(const QRectF& box, int id)
    {
        const auto [x0, y0] = cellOf(box.topLeft());
        const auto [x1, y1] = cellOf(box.bottomRight());
        for (qint64 y = y0; y <= y1; ++y)
            for (qint64 x = x0; x <= x1; ++x)
                cells_[key(x, y)].push_back(id);
    }

    // The cells a segment passes through, walked cell by cell.
    void add(const QLineF& line, int id)
    {
        const double x0 = line.x1() / cell_;
        const double y0 = line.y1() / cell_;
        const double dx = line.x2() / cell_ - x0;
        const double dy = line.y2() / cell_ - y0;
        auto [cx, cy] = cellOf(line.p1());
        const auto [ex, ey] = cellOf(line.p2());
        const int stepX = ex > cx ? 1 : (ex < cx ? -1 : 0);
        const int stepY = ey > cy ? 1 : (ey < cy ? -1 : 0);
        constexpr double never = std::numeric_limits<double>::infinity();
        double nextX = stepX == 0 ? never
                                  : ((stepX > 0 ? double(cx + 1) - x0 : x0 - double(cx)) / std::abs(dx));
        double nextY = stepY == 0 ? never
                                  : ((stepY > 0 ? double(cy + 1) - y0 : y0 - double(cy)) / std::abs(dy));
        const double deltaX = stepX == 0 ? never : 1 / std::abs(dx);
        const double deltaY = stepY == 0 ? never : 1 / std::abs(dy);
        qint64 steps = std::abs(ex - cx) + std::abs(ey - cy);
        cells_[key(cx, cy)].push_back(id);
        while (steps-- > 0) {
            if (nextX < nextY) {
                cx += stepX;
                nextX += deltaX;
            } else {
                cy += stepY;
                nextY += deltaY;
            }
            cells_[key(cx, cy)].push_back(id);
        }
    }

    // Calls `visit(id)` once for every id filed under a cell that `box` touches.
    template <class Visit> void forEachNear(const QRectF& box, Visit visit) const
    {
        ++stamp_;
        const auto [x0, y0] = cellOf(box.topLeft());
        const auto [x1, y1] = cellOf(box.bottomRight());
        for (qint64 y = y0; y <= y1; ++y) {
            for (qint64 x = x0; x <= x1; ++x) {
                const auto found = cells_.find(key(x, y));
                if (found == cells_.end())
                    continue;
                for (int id : found->second) {
                    if (id >= int(seen_.size()))
                        seen_.resize(std::size_t(id) + 1, 0);
                    if (seen_[std::size_t(id)] == stamp_)
                        continue;
                    seen_[std::size_t(id)] = stamp_;
                    visit(id);
                }
            }
        }
    }

private:
    std::pair<qint64, qint64> cellOf(const QPointF& p) const
    {
        constexpr double limit = 1e9;
        return {qint64(std::clamp(std::floor(p.x() / cell_), -limit, limit)),
                qint64(std::clamp(std::floor(p.y() / cell_), -limit, limit))};
    }
    static qint64 key(qint64 x, qint64 y) { return (x << 32) ^ (y & 0xffffffff); }

    double cell_;
    std::unordered_map<qint64, std::vector<int>> cells_;
    mutable std::vector<unsigned> seen_;
    mutable unsigned stamp_ = 0;
};

// Liang-Barsky: does the segment pass through the inside of the box?
bool crosses(const QLineF& line, const QRectF& box)
{
    double t0 = 0;
    double t1 = 1;
    const double dx = line.dx();
    const double dy = line.dy();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {line.x1() - box.left(), box.right() - line.x1(), line.y1() - box.top(),
                         box.bottom() - line.y1()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] <= 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 >= t1)
            return false;
    }
    return true;
}

// The part of a segment inside `box`, or nothing.
std::optional<QLineF> clipped(const QLineF& line, const QRectF& box)
{
    const auto span = ClipLine(line, box);
    if (!span)
        return std::nullopt;
    return QLineF(line.pointAt(span->first), line.pointAt(span->second));
}

// The eight places at distance `d` from the anchor, most preferred first: the upper
// right, then the other corners, then the sides.
std::array<QRectF, 8> candidates(const QPointF& a, const QSizeF& s, double d)
{
    const double w = s.width();
    const double h = s.height();
    return {{
        QRectF(a.x() + d, a.y() - d - h, w, h),         // NE
        QRectF(a.x() + d, a.y() + d, w, h),             // SE
        QRectF(a.x() - d - w, a.y() - d - h, w, h),     // NW
        QRectF(a.x() - d - w, a.y() + d, w, h),         // SW
        QRectF(a.x() + d, a.y() - h / 2, w, h),         // E
        QRectF(a.x() - d - w, a.y() - h / 2, w, h),     // W
        QRectF(a.x() - w / 2, a.y() - d - h, w, h),     // N
        QRectF(a.x() - w / 2, a.y() + d, w, h),         // S
    }};
}

double area(const QRectF& r)
{
    return r.isValid() ? r.width() * r.height() : 0;
}

class Placer
{
public:
    Placer(const QList<LabelRequest>& labels, const QList<QLineF>& lines,
           const LabelPlacementOptions& options)
        : labels_(labels), options_(options), boxes_(cellSize(labels, options))
    {
        const double r = options_.symbolRadius;
        for (qsizetype i = 0; i < labels_.size(); ++i) {
            const QPointF& a = labels_[i].anchor;
            obstacles_.push_back(QRectF(a.x() - r, a.y() - r, 2 * r, 2 * r));
            boxes_.add(obstacles_.back(), int(i));
        }
        symbols_ = obstacles_.size();
        for (const QRectF& box : options_.keepOut) {
            obstacles_.push_back(box);
            boxes_.add(box, int(obstacles_.size()) - 1);
        }
        indexLines(lines);
    }

    QList<PlacedLabel> run()
    {
        QList<PlacedLabel> placed(labels_.size());
        for (int i : crowdedFirst())
            placed[i] = place(labels_[i]);
        return placed;
    }

private:
    static double cellSize(const QList<LabelRequest>& labels, const LabelPlacementOptions& options)
    {
        double widest = 2 * options.symbolRadius;
        for (const LabelRequest& l : labels)
            widest = std::max({widest, l.size.width(), l.size.height()});
        return std::max(widest, 1e-9);
    }

    // Only the parts of the lines where a label can go are filed, in cells no smaller
    // than a 256th of that area: zoomed far in, a line would cross too many label-sized
    // cells.
    void indexLines(const QList<QLineF>& lines)
    {
        if (labels_.isEmpty())
            return;
        QRectF reach;
        for (const LabelRequest& l : labels_) {
            const double m = ringDistance(l, options_.rings - 1) + std::max(l.size.width(), l.size.height());
            reach |= QRectF(l.anchor.x() - m, l.anchor.y() - m, 2 * m, 2 * m);
        }
        lines_ = CellIndex(std::max(cellSize(labels_, options_), std::max(reach.width(), reach.height()) / 256));
        for (const QLineF& line : lines) {
            if (const auto part = clipped(line, reach)) {
                lineList_.push_back(*part);
                lines_.add(*part, int(lineList_.size()) - 1);
            }
        }
    }

    double ringDistance(const LabelRequest& l, int ring) const
    {
        return options_.symbolRadius + options_.gap + ring * std::max(l.size.height(), options_.symbolRadius);
    }

    // Labels with many symbols about them choose first, while they still have a choice.
    std::vector<int> crowdedFirst() const
    {
        std::vector<int> neighbours(std::size_t(labels_.size()), 0);
        for (qsizetype i = 0; i < labels_.size(); ++i) {
            const LabelRequest& l = labels_[i];
            const double m = l.size.width() + l.size.height();
            boxes_.forEachNear(QRectF(l.anchor.x() - m, l.anchor.y() - m, 2 * m, 2 * m),
                               [&](int id) {
                                   if (id < int(symbols_))
                                       ++neighbours[std::size_t(i)];
                               });
        }
        std::vector<int> order(std::size_t(labels_.size()));
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return neighbours[std::size_t(a)] > neighbours[std::size_t(b)]; });
        return order;
    }

    bool free(const QRectF& box) const
    {
        if (!options_.bounds.isEmpty() && !options_.bounds.contains(box))
            return false;
        bool hit = false;
        boxes_.forEachNear(box, [&](int id) {
            if (!hit && box.intersects(boxOf(id)))
                hit = true;
        });
        return !hit;
    }

    double overlap(const QRectF& box) const
    {
        double covered = 0;
        boxes_.forEachNear(box, [&](int id) { covered += area(box.intersected(boxOf(id))); });
        if (!options_.bounds.isEmpty())
            covered += area(box) - area(box.intersected(options_.bounds));
        return covered;
    }

    int crossings(const QRectF& box) const
    {
        int count = 0;
        lines_.forEachNear(box, [&](int id) {
            if (crosses(lineList_[std::size_t(id)], box))
                ++count;
        });
        return count;
    }

    const QRectF& boxOf(int id) const
    {
        return id < int(obstacles_.size()) ? obstacles_[std::size_t(id)]
                                           : placedBoxes_[std::size_t(id) - obstacles_.size()];
    }

    PlacedLabel place(const LabelRequest& l)
    {
        PlacedLabel result;
        bool found = false;
        for (int ring = 0; ring < options_.rings && !found; ++ring) {
            double bestCost = std::numeric_limits<double>::max();
            const auto places = candidates(l.anchor, l.size, ringDistance(l, ring));
            for (std::size_t k = 0; k < places.size(); ++k) {
                if (!free(places[k]))
                    continue;
                // Crossing a baseline costs more than going round to a less liked side.
                const double cost = double(k) + 4.0 * crossings(places[k]);
                if (cost < bestCost) {
                    bestCost = cost;
                    result.box = places[k];
                    result.leader = ring > 0;
                    found = true;
                }
            }
        }
        if (!found) {
            double least = std::numeric_limits<double>::max();
            for (const QRectF& box : candidates(l.anchor, l.size, ringDistance(l, 0))) {
                const double covered = overlap(box);
                if (covered < least) {
                    least = covered;
                    result.box = box;
                }
            }
            result.overlaps = true;
        }
        placedBoxes_.push_back(result.box);
        boxes_.add(result.box, int(obstacles_.size() + placedBoxes_.size()) - 1);
        return result;
    }

    const QList<LabelRequest>& labels_;
    const LabelPlacementOptions& options_;
    std::vector<QRectF> obstacles_; // the symbols, then the boxes kept free
    std::size_t symbols_ = 0;
    std::vector<QRectF> placedBoxes_;
    std::vector<QLineF> lineList_;
    CellIndex boxes_;
    CellIndex lines_;
};

} // namespace

QList<PlacedLabel> PlaceLabels(const QList<LabelRequest>& labels, const QList<QLineF>& lines,
                               const LabelPlacementOptions& options)
{
    return Placer(labels, lines, options).run();
}
