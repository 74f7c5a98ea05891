#include "diagramfurniture.h"

#include "diagramstyle.h"
#include "planezone.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr double legendFontMm = 2.6;
constexpr double legendRowMm = 4.2;
constexpr double legendHeadingMm = 5.5;
constexpr double sampleMm = 9;

// Symbols and session entries share the legend's rows and columns.
struct LegendGrid
{
    int columns = 1;
    int rows = 0;       // session rows
    int shown = 0;      // sessions with an entry
    double columnMm = 0;
};

LegendGrid legendGrid(const DiagramLayout& layout, double widthMm, double maxHeightMm)
{
    LegendGrid grid;
    qsizetype longest = 2;
    for (const DiagramSession& s : layout.sessions)
        longest = std::max(longest, s.name.size());
    grid.columnMm = sampleMm + 1.5 + double(longest) * legendFontMm * 0.65 + 3;
    grid.columns = std::max(1, int(widthMm / grid.columnMm));
    const int sessions = int(layout.sessions.size());
    const int wanted = (sessions + grid.columns - 1) / grid.columns;
    // One row holds the two symbols; the rest hold sessions.
    const int room = std::max(1, int((maxHeightMm - legendHeadingMm) / legendRowMm) - 1);
    grid.rows = std::min(wanted, room);
    grid.shown = std::min(sessions, grid.rows * grid.columns);
    if (grid.shown < sessions)
        grid.shown = std::max(0, grid.shown - 1); // the last place says how many are left
    return grid;
}

QPointF mm(const QRectF& area, double upm, double x, double y)
{
    return {area.left() + x * upm, area.top() + y * upm};
}

void drawText(QPainter& painter, const QRectF& box, const QString& text, Qt::Alignment align)
{
    painter.drawText(box, int(align | Qt::TextDontClip), text);
}

} // namespace

double ScaleBarLength(double metres)
{
    if (!(metres > 0) || !std::isfinite(metres))
        return 0;
    const double power = std::pow(10.0, std::floor(std::log10(metres)));
    for (double step : {5.0, 2.0, 1.0}) {
        if (step * power <= metres * (1 + 1e-12))
            return step * power;
    }
    return power;
}

void SetSessionPen(QPainter& painter, int session, double unitsPerMm, double widthMm)
{
    const SessionLineStyle style = SessionStyle(session);
    QPen pen(style.colour, widthMm * unitsPerMm);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (!style.dashes.isEmpty())
        pen.setDashPattern(style.dashes);
    painter.setPen(pen);
}

void DrawPointSymbol(QPainter& painter, const QPointF& c, double upm, bool control)
{
    painter.setPen(QPen(Qt::black, 0.25 * upm));
    painter.setBrush(Qt::white);
    if (control) {
        const double r = symbolRadiusMm * upm;
        const QPointF triangle[3] = {c + QPointF(0, -r), c + QPointF(0.866 * r, 0.5 * r),
                                     c + QPointF(-0.866 * r, 0.5 * r)};
        painter.drawPolygon(triangle, 3);
    } else {
        const double r = 1.1 * upm;
        painter.drawEllipse(c, r, r);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(c, 0.3 * upm, 0.3 * upm);
    painter.setBrush(Qt::NoBrush);
}

void DrawTitle(QPainter& painter, const QRectF& area, double upm, int zone)
{
    painter.setPen(Qt::black);
    painter.setFont(DiagramFont(6, upm, painter.device(), true));
    drawText(painter, area, QStringLiteral("観測図"), Qt::AlignHCenter | Qt::AlignTop);
    if (zone == 0)
        return;
    painter.setFont(DiagramFont(3.5, upm, painter.device()));
    drawText(painter, area, PlaneZoneName(zone), Qt::AlignRight | Qt::AlignBottom);
}

namespace {

QPointF northArrowTip(const QRectF& map, double upm)
{
    return QPointF(map.right() - 9 * upm, map.top() + 4 * upm);
}

// The bar's parts: where it starts, how long it is and what it says.
struct ScaleBar
{
    double metres = 0;
    QPointF start;
    double length = 0;
    QString unit;
    double unitWidth = 0;
    QRectF ground;
};

std::optional<ScaleBar> scaleBar(const QPaintDevice* device, const QRectF& map, double upm, double unitsPerMetre)
{
    if (!(unitsPerMetre > 0))
        return std::nullopt;
    ScaleBar bar;
    bar.metres = ScaleBarLength(map.width() * 0.2 / unitsPerMetre);
    if (bar.metres <= 0)
        return std::nullopt;
    bar.length = bar.metres * unitsPerMetre;
    bar.start = QPointF(map.left() + 5 * upm, map.bottom() - 6 * upm);
    bar.unit = QStringLiteral("%1 m").arg(bar.metres, 0, 'f', bar.metres < 1 ? 1 : 0);
    bar.unitWidth = QFontMetricsF(DiagramFont(2.6, upm, device), device).horizontalAdvance(bar.unit);
    bar.ground = QRectF(bar.start.x() - 2 * upm, bar.start.y() - 5 * upm,
                        bar.length + bar.unitWidth / 2 + 6 * upm, 8.2 * upm);
    return bar;
}

} // namespace

QRectF NorthArrowBox(const QRectF& map, double upm)
{
    const QPointF tip = northArrowTip(map, upm);
    return QRectF(tip.x() - 5 * upm, tip.y() - 1 * upm, 10 * upm, 17 * upm);
}

void DrawNorthArrow(QPainter& painter, const QRectF& map, double upm)
{
    // Grid north: the plane's x axis points up the page.
    const QPointF tip = northArrowTip(map, upm);
    const double h = 11 * upm;
    const double w = 3 * upm;
    QPainterPath left;
    left.moveTo(tip);
    left.lineTo(tip + QPointF(-w, h));
    left.lineTo(tip + QPointF(0, h * 0.72));
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(tip);
    right.lineTo(tip + QPointF(w, h));
    right.lineTo(tip + QPointF(0, h * 0.72));
    right.closeSubpath();
    painter.setPen(QPen(Qt::black, 0.25 * upm));
    painter.setBrush(Qt::black);
    painter.drawPath(left);
    painter.setBrush(Qt::white);
    painter.drawPath(right);
    painter.setBrush(Qt::NoBrush);
    painter.setFont(DiagramFont(3.5, upm, painter.device(), true));
    drawText(painter, QRectF(tip.x() - 5 * upm, tip.y() + h + 0.5 * upm, 10 * upm, 4 * upm),
             QStringLiteral("N"), Qt::AlignHCenter | Qt::AlignTop);
}

QRectF ScaleBarBox(const QPainter& painter, const QRectF& map, double upm, double unitsPerMetre)
{
    const auto bar = scaleBar(painter.device(), map, upm, unitsPerMetre);
    return bar ? bar->ground : QRectF();
}

void DrawScaleBar(QPainter& painter, const QRectF& map, double upm, double unitsPerMetre)
{
    const auto bar = scaleBar(painter.device(), map, upm, unitsPerMetre);
    if (!bar)
        return;
    const double barH = 1.2 * upm;
    // A white ground keeps the bar readable over lines.
    painter.fillRect(bar->ground, QColor(255, 255, 255, 220));
    painter.setPen(QPen(Qt::black, 0.2 * upm));
    for (int i = 0; i < 4; ++i) {
        painter.setBrush(i % 2 == 0 ? Qt::black : Qt::white);
        painter.drawRect(QRectF(bar->start.x() + i * bar->length / 4, bar->start.y(), bar->length / 4, barH));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setFont(DiagramFont(2.6, upm, painter.device()));
    const double textY = bar->start.y() - 4.2 * upm;
    drawText(painter, QRectF(bar->start.x() - 3 * upm, textY, 6 * upm, 3.5 * upm), QStringLiteral("0"),
             Qt::AlignHCenter | Qt::AlignBottom);
    drawText(painter, QRectF(bar->start.x() + bar->length - bar->unitWidth / 2, textY, bar->unitWidth, 3.5 * upm),
             bar->unit, Qt::AlignHCenter | Qt::AlignBottom);
}

double LegendHeightMm(const DiagramLayout& layout, double widthMm, double maxHeightMm)
{
    const LegendGrid grid = legendGrid(layout, widthMm, maxHeightMm);
    return legendHeadingMm + (1 + grid.rows) * legendRowMm + 1;
}

void DrawLegend(QPainter& painter, const QRectF& area, double upm, const DiagramLayout& layout)
{
    const LegendGrid grid = legendGrid(layout, area.width() / upm, area.height() / upm);
    painter.setPen(QPen(Qt::black, 0.2 * upm));
    painter.drawRect(area);
    painter.setFont(DiagramFont(3, upm, painter.device(), true));
    drawText(painter, QRectF(mm(area, upm, 2, 0.8), QSizeF(area.width(), 4 * upm)),
             QStringLiteral("凡例"), Qt::AlignLeft | Qt::AlignTop);
    painter.setFont(DiagramFont(legendFontMm, upm, painter.device()));

    const auto rowBox = [&](int column, int row) {
        return QRectF(mm(area, upm, 2 + column * grid.columnMm, legendHeadingMm + row * legendRowMm),
                      QSizeF(grid.columnMm * upm, legendRowMm * upm));
    };
    const auto label = [&](const QRectF& box, double offsetMm, const QString& text) {
        painter.setPen(Qt::black);
        drawText(painter, box.adjusted(offsetMm * upm, 0, 0, 0), text, Qt::AlignLeft | Qt::AlignVCenter);
    };
    const QRectF symbols = rowBox(0, 0);
    const double y = symbols.center().y();
    DrawPointSymbol(painter, QPointF(symbols.left() + 2 * upm, y), upm, true);
    label(symbols, 5, QStringLiteral("既知点"));
    DrawPointSymbol(painter, QPointF(symbols.left() + 24 * upm, y), upm, false);
    label(symbols, 27, QStringLiteral("新点"));

    for (int i = 0; i < grid.shown; ++i) {
        const QRectF box = rowBox(i / grid.rows, 1 + i % grid.rows);
        SetSessionPen(painter, i, upm);
        const double lineY = box.center().y();
        painter.drawLine(QPointF(box.left(), lineY), QPointF(box.left() + sampleMm * upm, lineY));
        label(box, sampleMm + 1.5, layout.sessions[i].name);
    }
    const int left = int(layout.sessions.size()) - grid.shown;
    if (left > 0) {
        const QRectF box = rowBox(grid.shown / grid.rows, 1 + grid.shown % grid.rows);
        label(box, 0, QStringLiteral("ほか %1 ｾｯｼｮﾝ").arg(left));
    }
}
