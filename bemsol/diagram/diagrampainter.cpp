#include "diagrampainter.h"

#include "diagramfurniture.h"
#include "diagramstyle.h"
#include "lineclip.h"
#include "sessiontablepainter.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double titleMm = 11;
constexpr double gapMm = 4;
constexpr double parallelMm = 0.8; // between repeated baselines of one pair of points
constexpr double labelPaddingMm = 0.4;

double distanceToSegment(const QPointF& p, const QLineF& s)
{
    const QPointF d = s.p2() - s.p1();
    const double length2 = QPointF::dotProduct(d, d);
    double t = length2 > 0 ? QPointF::dotProduct(p - s.p1(), d) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF nearest = s.p1() + t * d;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

// Only the part inside the map is stroked: zoomed far in, a dashed line many times the
// window's length would take long to draw. The pattern keeps its phase.
void drawBaseline(QPainter& painter, const QLineF& line, int session, const QRectF& map, double upm)
{
    const auto span = ClipLine(line, map.adjusted(-upm, -upm, upm, upm));
    if (!span)
        return;
    SetSessionPen(painter, session, upm);
    QPen pen = painter.pen();
    if (pen.style() != Qt::SolidLine && pen.widthF() > 0)
        pen.setDashOffset(span->first * line.length() / pen.widthF());
    painter.setPen(pen);
    painter.drawLine(QLineF(line.pointAt(span->first), line.pointAt(span->second)));
}

QPointF nearestOnBox(const QPointF& p, const QRectF& box)
{
    return {std::clamp(p.x(), box.left(), box.right()), std::clamp(p.y(), box.top(), box.bottom())};
}

} // namespace

struct DiagramPainter::MapGeometry
{
    QRectF map;
    double unitsPerMetre = 0;
    QPointF origin;            // where the plane's (0, 0) falls
    QList<QPointF> points;     // device positions of the layout's points
    QList<QLineF> lines;       // one per drawn baseline
};

DiagramPainter::DiagramPainter(DiagramLayout layout) : layout_(std::move(layout)) {}

void DiagramPainter::setLayout(DiagramLayout layout)
{
    layout_ = std::move(layout);
    labels_.clear();
    placedFor_ = {};
}

double DiagramPainter::labelHeightMm() const
{
    const qsizetype n = layout_.points.size();
    return n <= 60 ? 2.8 : (n <= 200 ? 2.3 : 2.0);
}

DiagramFrame DiagramPainter::frame(const QRectF& t, double upm) const
{
    const double widthMm = t.width() / upm;
    const double panelMm = std::min(std::clamp(widthMm * 0.3, 70.0, 110.0), widthMm * 0.45);
    DiagramFrame f;
    f.title = QRectF(t.left(), t.top(), t.width(), titleMm * upm);
    f.map = QRectF(t.left(), f.title.bottom() + 1 * upm, t.width() - (panelMm + gapMm) * upm,
                   t.height() - (titleMm + 1) * upm);
    const double panelLeft = f.map.right() + gapMm * upm;
    const double legendMm = LegendHeightMm(layout_, panelMm, 0.4 * f.map.height() / upm);
    f.legend = QRectF(panelLeft, f.map.top(), panelMm * upm, legendMm * upm);
    const double tableTop = f.legend.bottom() + gapMm * upm;
    f.table = QRectF(panelLeft, tableTop, panelMm * upm, std::max(0.0, f.map.bottom() - tableTop));
    return f;
}

DiagramViewport DiagramPainter::fittedViewport(const QRectF& map, double upm) const
{
    const PlaneExtents& e = layout_.extents;
    // Room round the points for the labels, the north arrow and the scale bar.
    qsizetype longest = 4;
    for (const DiagramPoint& p : layout_.points)
        longest = std::max({longest, p.number.size(), p.name.size()});
    const double mapW = map.width() / upm;
    const double mapH = map.height() / upm;
    const double padX = std::min(double(longest) * labelHeightMm() * 0.62 + 6, 0.25 * mapW);
    const double padY = std::min(16.0, 0.25 * mapH);
    const double spanEast = std::max(e.maxY - e.minY, 100.0);
    const double spanNorth = std::max(e.maxX - e.minX, 100.0);
    DiagramViewport v;
    v.unitsPerMetre = std::max(1e-9, std::min((mapW - 2 * padX) * upm / spanEast,
                                              (mapH - 2 * padY) * upm / spanNorth));
    v.centreX = (e.minX + e.maxX) / 2;
    v.centreY = (e.minY + e.maxY) / 2;
    return v;
}

DiagramPainter::MapGeometry DiagramPainter::mapGeometry(const QRectF& map, double upm,
                                                        const DiagramViewport& view) const
{
    MapGeometry g;
    g.map = map;
    g.unitsPerMetre = view.unitsPerMetre;
    const double s = view.unitsPerMetre;
    g.origin = map.center() + QPointF(-view.centreY * s, view.centreX * s);
    g.points.reserve(layout_.points.size());
    for (const DiagramPoint& p : layout_.points)
        g.points << g.origin + QPointF(p.y * s, -p.x * s);

    // Baselines repeated between the same two points are drawn side by side.
    QHash<QPair<int, int>, QList<int>> pairs;
    for (qsizetype i = 0; i < layout_.baselines.size(); ++i) {
        const DiagramBaseline& b = layout_.baselines[i];
        pairs[qMakePair(std::min(b.from, b.to), std::max(b.from, b.to))] << int(i);
    }
    g.lines.resize(layout_.baselines.size());
    for (auto it = pairs.cbegin(); it != pairs.cend(); ++it) {
        const QPointF a = g.points[it.key().first];
        const QPointF b = g.points[it.key().second];
        const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
        const QPointF normal = length > 0 ? QPointF(a.y() - b.y(), b.x() - a.x()) / length : QPointF();
        const QList<int>& group = it.value();
        for (qsizetype k = 0; k < group.size(); ++k) {
            const QPointF shift = normal * ((double(k) - double(group.size() - 1) / 2) * parallelMm * upm);
            const DiagramBaseline& d = layout_.baselines[group[k]];
            g.lines[group[k]] = QLineF(g.points[d.from] + shift, g.points[d.to] + shift);
        }
    }
    return g;
}

void DiagramPainter::placeLabels(QPainter& painter, const MapGeometry& g, double upm, bool insideMap,
                                 double labelMm)
{
    PlacementKey key;
    key.unitsPerMetre = g.unitsPerMetre;
    key.unitsPerMm = upm;
    key.dpi = painter.device()->logicalDpiY();
    key.map = g.map;
    key.origin = g.origin;
    key.insideMap = insideMap;
    key.labelMm = labelMm;
    if (key == placedFor_ && labels_.size() == layout_.points.size())
        return;
    const QFont font = DiagramFont(labelMm, upm, painter.device());
    const QFontMetricsF metrics(font, painter.device());
    const double lineH = metrics.height();
    // Zoomed in on screen, only the points in and near the view get labels: the rest
    // would cost time and never be seen.
    const QRectF near = g.map.adjusted(-30 * upm, -30 * upm, 30 * upm, 30 * upm);
    QList<LabelRequest> requests;
    QList<int> requested;
    for (qsizetype i = 0; i < layout_.points.size(); ++i) {
        if (!insideMap && !near.contains(g.points[i]))
            continue;
        const DiagramPoint& p = layout_.points[i];
        const double w = std::max(metrics.horizontalAdvance(p.number), metrics.horizontalAdvance(p.name));
        const int lines = p.name.isEmpty() ? 1 : 2;
        requests << LabelRequest{g.points[i], QSizeF(w + 2 * labelPaddingMm * upm, lines * lineH)};
        requested << int(i);
    }
    LabelPlacementOptions options;
    options.symbolRadius = symbolRadiusMm * upm;
    options.gap = 0.5 * upm;
    if (insideMap)
        options.bounds = g.map.adjusted(upm, upm, -upm, -upm);
    options.keepOut = {NorthArrowBox(g.map, upm), ScaleBarBox(painter, g.map, upm, g.unitsPerMetre)};
    const QList<PlacedLabel> placed = PlaceLabels(requests, g.lines, options);
    labels_ = QList<PlacedLabel>(layout_.points.size()); // the unlabelled ones with empty boxes
    for (qsizetype k = 0; k < placed.size(); ++k)
        labels_[requested[k]] = placed[k];
    placedFor_ = key;
}

int DiagramPainter::paint(QPainter& painter, const QRectF& target, double upm,
                          const DiagramPaintOptions& options)
{
    const DiagramFrame f = frame(target, upm);
    const DiagramViewport view = options.viewport ? *options.viewport : fittedViewport(f.map, upm);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawTitle(painter, f.title, upm, layout_.zone);

    const MapGeometry g = mapGeometry(f.map, upm, view);
    painter.save();
    painter.setClipRect(f.map);
    for (qsizetype i = 0; i < g.lines.size(); ++i)
        drawBaseline(painter, g.lines[i], layout_.baselines[i].session, f.map, upm);
    const double labelMm =
        std::clamp(labelHeightMm() * options.labelGrowth, labelHeightMm(), std::max(labelHeightMm(), largestLabelMm));
    placeLabels(painter, g, upm, options.labelsInsideMap, labelMm);
    drawLabels(painter, g, upm, labelMm);
    for (qsizetype i = 0; i < g.points.size(); ++i)
        DrawPointSymbol(painter, g.points[i], upm, layout_.points[i].control);
    painter.setPen(Qt::black);
    if (layout_.isEmpty()) {
        painter.setFont(DiagramFont(4, upm, painter.device()));
        painter.drawText(f.map, int(Qt::AlignCenter), QStringLiteral("描く基線がありません"));
    } else if (!layout_.pointsWithoutPosition.isEmpty()) {
        painter.setFont(DiagramFont(2.4, upm, painter.device()));
        painter.setPen(Qt::darkRed);
        painter.drawText(f.map.adjusted(2 * upm, 0, -2 * upm, -1.5 * upm),
                         int(Qt::AlignRight | Qt::AlignBottom),
                         QStringLiteral("座標のない点 (基線ごと省略): %1")
                             .arg(layout_.pointsWithoutPosition.join(QStringLiteral(", "))));
    }
    painter.restore();

    painter.setPen(QPen(Qt::black, 0.3 * upm));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(f.map);
    DrawNorthArrow(painter, f.map, upm);
    if (!layout_.isEmpty())
        DrawScaleBar(painter, f.map, upm, view.unitsPerMetre);
    DrawLegend(painter, f.legend, upm, layout_);
    const int rows = PaintSessionTable(painter, f.table, upm, layout_, 0, options.tableContinues);
    painter.restore();
    return rows;
}

void DiagramPainter::drawLabels(QPainter& painter, const MapGeometry& g, double upm, double labelMm) const
{
    const QFont font = DiagramFont(labelMm, upm, painter.device());
    const double lineH = QFontMetricsF(font, painter.device()).height();
    painter.setFont(font);
    const QRectF visible = g.map.adjusted(-20 * upm, -20 * upm, 20 * upm, 20 * upm);
    for (qsizetype i = 0; i < labels_.size(); ++i) {
        const PlacedLabel& l = labels_[i];
        if (!visible.intersects(l.box))
            continue;
        if (l.leader) {
            const QPointF from = g.points[i];
            const QPointF to = nearestOnBox(from, l.box);
            painter.setPen(QPen(QColor(90, 90, 90), 0.15 * upm));
            painter.drawLine(from, to);
        }
        painter.fillRect(l.box, QColor(255, 255, 255, 215));
        painter.setPen(Qt::black);
        const DiagramPoint& p = layout_.points[i];
        const QRectF first(l.box.left() + labelPaddingMm * upm, l.box.top(), l.box.width(), lineH);
        painter.drawText(first, int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip), p.number);
        if (!p.name.isEmpty())
            painter.drawText(first.translated(0, lineH), int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip),
                             p.name);
    }
}

int DiagramPainter::paintSessionTable(QPainter& painter, const QRectF& area, double upm, int first,
                                      bool continues) const
{
    return PaintSessionTable(painter, area, upm, layout_, first, continues);
}

int DiagramPainter::baselineAt(const QPointF& position, const QRectF& target, double upm,
                               const DiagramViewport& viewport, double toleranceMm) const
{
    const DiagramFrame f = frame(target, upm);
    if (!f.map.contains(position))
        return 0;
    const MapGeometry g = mapGeometry(f.map, upm, viewport);
    int found = 0;
    double best = toleranceMm * upm;
    for (qsizetype i = 0; i < g.lines.size(); ++i) {
        const double d = distanceToSegment(position, g.lines[i]);
        if (d <= best) {
            best = d;
            found = layout_.baselines[i].baseline;
        }
    }
    return found;
}
