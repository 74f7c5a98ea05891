#pragma once

#include <QLineF>
#include <QRectF>

#include <algorithm>
#include <optional>
#include <utility>

// The stretch of a segment inside a box, as the parameters t0 <= t1 of QLineF::pointAt
// (Liang-Barsky); nothing when it misses the box.
inline std::optional<std::pair<double, double>> ClipLine(const QLineF& line, const QRectF& box)
{
    double t0 = 0;
    double t1 = 1;
    const double p[4] = {-line.dx(), line.dx(), -line.dy(), line.dy()};
    const double q[4] = {line.x1() - box.left(), box.right() - line.x1(), line.y1() - box.top(),
                         box.bottom() - line.y1()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return std::nullopt;
    }
    return std::make_pair(t0, t1);
}
