#pragma once

#include "diagramlayout.h"
#include "labelplacement.h"

#include <QLineF>
#include <QList>
#include <QRectF>

class QPainter;

// Which part of the plane the map shows: its scale and the plane point at its centre.
struct DiagramViewport
{
    double unitsPerMetre = 0; // device units per metre on the plane
    double centreX = 0;       // metres north
    double centreY = 0;       // metres east
};

// Where the parts of the diagram go within a target rectangle, device units.
struct DiagramFrame
{
    QRectF title;
    QRectF map;
    QRectF legend;
    QRectF table;
};

struct DiagramPaintOptions
{
    // Null: every point fitted into the map.
    const DiagramViewport* viewport = nullptr;
    // Labels stay inside the map frame (paper); the window lets them run off its edge.
    bool labelsInsideMap = true;
    // Under a session table that does not fit: "続きは次ページ" (true) or how many rows
    // are left out (false).
    bool tableContinues = false;
    // Labels this many times their size on paper (the window grows them as it zooms in).
    double labelGrowth = 1;
};

// Draws the observation diagram of a layout onto any painter: the points as symbols with
// their numbers and names, the baselines in their sessions' colours and patterns, the
// legend, the north arrow, a scale bar, the zone's name and the session table. Keeps the
// label placement of the last paint, so a repaint of the same view does not place them
// again.
class DiagramPainter
{
public:
    explicit DiagramPainter(DiagramLayout layout = {});

    const DiagramLayout& layout() const { return layout_; }
    void setLayout(DiagramLayout layout);

    DiagramFrame frame(const QRectF& target, double unitsPerMm) const;
    // The viewport that shows every point in the map with room for the labels.
    DiagramViewport fittedViewport(const QRectF& map, double unitsPerMm) const;

    // Draws the diagram into `target` with `unitsPerMm` painter units to the millimetre.
    // Returns how many rows of the session table were drawn.
    int paint(QPainter& painter, const QRectF& target, double unitsPerMm,
              const DiagramPaintOptions& options = {});

    // The session table from row `first` within `area` (a continuation page); returns
    // the first row not drawn.
    int paintSessionTable(QPainter& painter, const QRectF& area, double unitsPerMm, int first,
                          bool continues) const;

    // The project index of the baseline drawn within `toleranceMm` of `position`, the
    // nearest one; 0 for none.
    int baselineAt(const QPointF& position, const QRectF& target, double unitsPerMm,
                   const DiagramViewport& viewport, double toleranceMm = 1.2) const;

    // The labels as last drawn, one per point, in the map's device units.
    const QList<PlacedLabel>& placedLabels() const { return labels_; }
    // The label font's height on paper, mm: smaller for larger networks.
    double labelHeightMm() const;
    // The largest a label grows to on screen, mm.
    static constexpr double largestLabelMm = 3.2;

private:
    struct MapGeometry;
    MapGeometry mapGeometry(const QRectF& map, double unitsPerMm, const DiagramViewport& viewport) const;
    void placeLabels(QPainter& painter, const MapGeometry& geometry, double unitsPerMm, bool insideMap,
                     double labelMm);
    void drawLabels(QPainter& painter, const MapGeometry& geometry, double unitsPerMm, double labelMm) const;

    DiagramLayout layout_;
    QList<PlacedLabel> labels_;
    // What the labels were placed for: another scale, place or page places them again.
    struct PlacementKey
    {
        double unitsPerMetre = -1;
        double unitsPerMm = -1;
        int dpi = 0;
        QRectF map;
        QPointF origin;
        bool insideMap = false;
        double labelMm = 0;
        bool operator==(const PlacementKey&) const = default;
    } placedFor_;
};
