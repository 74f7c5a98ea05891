#include "diagramcanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr double marginMm = 4;
constexpr double dragThreshold = 4; // pixels before a press becomes a drag
// How far the user can zoom, relative to the fitted view.
constexpr double zoomOutLimit = 0.25;
constexpr double zoomInLimit = 500;

} // namespace

DiagramCanvas::DiagramCanvas(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("diagramCanvas"));
    setMinimumSize(480, 320);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setMouseTracking(false);
}

double DiagramCanvas::unitsPerMm() const
{
    return logicalDpiX() / 25.4;
}

QRectF DiagramCanvas::target() const
{
    const double m = marginMm * unitsPerMm();
    return QRectF(rect()).adjusted(m, m, -m, -m);
}

QRectF DiagramCanvas::mapRect() const
{
    return painter_.frame(target(), unitsPerMm()).map;
}

void DiagramCanvas::setDiagram(DiagramLayout layout, bool keepView)
{
    const bool sameZone = layout.zone == painter_.layout().zone;
    painter_.setLayout(std::move(layout));
    if (!keepView || !sameZone || fitted_)
        fitAll();
    update();
}

void DiagramCanvas::fitAll()
{
    view_ = painter_.fittedViewport(mapRect(), unitsPerMm());
    fittedScale_ = view_.unitsPerMetre;
    fitted_ = true;
    update();
}

void DiagramCanvas::zoomBy(double factor, const QPointF& at)
{
    const QRectF map = mapRect();
    const double s = view_.unitsPerMetre;
    const double wanted = std::clamp(s * factor, fittedScale_ * zoomOutLimit, fittedScale_ * zoomInLimit);
    if (!(s > 0) || wanted == s)
        return;
    // The plane point under the cursor stays under it.
    const double east = view_.centreY + (at.x() - map.center().x()) / s;
    const double north = view_.centreX - (at.y() - map.center().y()) / s;
    view_.unitsPerMetre = wanted;
    view_.centreY = east - (at.x() - map.center().x()) / wanted;
    view_.centreX = north + (at.y() - map.center().y()) / wanted;
    fitted_ = false;
    update();
}

QPointF DiagramCanvas::positionOf(int point) const
{
    const DiagramPoint& p = painter_.layout().points[point];
    const QRectF map = mapRect();
    const double s = view_.unitsPerMetre;
    return map.center() + QPointF((p.y - view_.centreY) * s, -(p.x - view_.centreX) * s);
}

void DiagramCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DiagramPaintOptions options;
    options.viewport = &view_;
    options.labelsInsideMap = false;
    // Zoomed in, there is room for larger labels.
    if (fittedScale_ > 0)
        options.labelGrowth = std::sqrt(view_.unitsPerMetre / fittedScale_);
    painter_.paint(painter, target(), unitsPerMm(), options);
}

void DiagramCanvas::resizeEvent(QResizeEvent*)
{
    if (fitted_)
        fitAll();
}

void DiagramCanvas::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0)
        zoomBy(std::pow(1.25, steps), event->position());
    event->accept();
}

void DiagramCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = true;
    dragged_ = false;
    pressAt_ = event->position();
    pressView_ = view_;
}

void DiagramCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressed_)
        return;
    const QPointF moved = event->position() - pressAt_;
    if (!dragged_ && std::hypot(moved.x(), moved.y()) < dragThreshold)
        return;
    dragged_ = true;
    setCursor(Qt::ClosedHandCursor);
    const double s = pressView_.unitsPerMetre;
    view_.centreY = pressView_.centreY - moved.x() / s;
    view_.centreX = pressView_.centreX + moved.y() / s;
    fitted_ = false;
    update();
}

void DiagramCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    unsetCursor();
    if (dragged_)
        return;
    const int baseline = painter_.baselineAt(event->position(), target(), unitsPerMm(), view_);
    if (baseline > 0)
        emit baselineChosen(baseline);
}
