#pragma once

#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

// Places the labels of point symbols so that they cover neither each other nor any
// symbol where there is room: eight places around each symbol, then the same eight
// further out (with a leader line back to the symbol). Among the free places the one
// crossing the fewest lines wins, then the preferred side (upper right first). A label
// with no free place anywhere goes next to its symbol where it covers the least.
//
// Greedy over a uniform grid of the boxes already placed, so a network of a few hundred
// points is placed in milliseconds. Units are the caller's (device units, y downwards).

struct LabelRequest
{
    QPointF anchor; // centre of the point's symbol
    QSizeF size;    // the label's box
};

struct PlacedLabel
{
    QRectF box;
    bool leader = false;   // placed away from its symbol: draw a line back to it
    bool overlaps = false; // no free place was found
};

struct LabelPlacementOptions
{
    double symbolRadius = 1; // half the side of the square a symbol covers
    double gap = 0.5;        // between a symbol and its label
    int rings = 4;           // places tried: the ring next to the symbol and rings-1 further out
    // Where labels must stay (e.g. inside the map frame); empty: anywhere.
    QRectF bounds;
    // Boxes no label may cover (the north arrow, the scale bar).
    QList<QRectF> keepOut;
};

// One placement per request, in the same order. `lines` (the baselines) are not
// obstacles, but a place that crosses fewer of them is preferred.
QList<PlacedLabel> PlaceLabels(const QList<LabelRequest>& labels, const QList<QLineF>& lines,
                               const LabelPlacementOptions& options);
