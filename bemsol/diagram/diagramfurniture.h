#pragma once

#include "diagramlayout.h"

#include <QRectF>

class QPainter;

// The parts of the diagram around the map: title with the zone's name, north arrow,
// scale bar and legend. Sizes are in millimetres, drawn at `unitsPerMm`.

// The longest round length (1, 2 or 5 times a power of ten metres) not above `metres`.
double ScaleBarLength(double metres);

void DrawTitle(QPainter& painter, const QRectF& area, double unitsPerMm, int zone);
// In the map's upper right corner.
void DrawNorthArrow(QPainter& painter, const QRectF& map, double unitsPerMm);
QRectF NorthArrowBox(const QRectF& map, double unitsPerMm);
// A bar of a round length near a fifth of the map's width, in its lower left corner, on
// a white ground.
void DrawScaleBar(QPainter& painter, const QRectF& map, double unitsPerMm, double unitsPerMetre);
QRectF ScaleBarBox(const QPainter& painter, const QRectF& map, double unitsPerMm, double unitsPerMetre);

// Height the legend needs in a panel `widthMm` wide, at most `maxHeightMm`.
double LegendHeightMm(const DiagramLayout& layout, double widthMm, double maxHeightMm);
void DrawLegend(QPainter& painter, const QRectF& area, double unitsPerMm, const DiagramLayout& layout);

// The two point symbols, centred on `centre`: a triangle for a control point, a circle
// for a new one.
void DrawPointSymbol(QPainter& painter, const QPointF& centre, double unitsPerMm, bool control);
// Half the side of the square a symbol covers, mm.
inline constexpr double symbolRadiusMm = 1.5;

// A line in a session's colour and pattern, `widthMm` wide.
void SetSessionPen(QPainter& painter, int session, double unitsPerMm, double widthMm = 0.35);
