#pragma once

#include "diagram/diagrampainter.h"

#include <QWidget>

// The observation diagram on screen: the same drawing as on paper, with the map part
// zoomed by the wheel about the cursor and moved by dragging. A click near a baseline
// names it.
class DiagramCanvas : public QWidget
{
    Q_OBJECT

public:
    explicit DiagramCanvas(QWidget* parent = nullptr);

    const DiagramLayout& diagram() const { return painter_.layout(); }
    // Shows `layout`; the map is fitted again unless `keepView` and the zone is the same.
    void setDiagram(DiagramLayout layout, bool keepView);

    // Every point in view again.
    void fitAll();
    // Zooms by `factor`, keeping the plane point under `at` where it is.
    void zoomBy(double factor, const QPointF& at);
    const DiagramViewport& viewport() const { return view_; }
    // Where a point of the diagram is drawn, in the canvas's coordinates.
    QPointF positionOf(int point) const;
    QRectF mapRect() const;
    const DiagramPainter& diagramPainter() const { return painter_; }

signals:
    void baselineChosen(int baseline);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    double unitsPerMm() const;
    QRectF target() const;

    DiagramPainter painter_;
    DiagramViewport view_;
    double fittedScale_ = 0;
    bool fitted_ = true; // follows the window's size until the user zooms or drags
    QPointF pressAt_;
    DiagramViewport pressView_;
    bool pressed_ = false;
    bool dragged_ = false;
};
