#pragma once

#include "diagramlayout.h"

#include <QRectF>

class QPainter;

// Draws the session table (ｾｯｼｮﾝ, 観測日, 観測時間, 観測点, with each session's line) from
// row `first` within `area`, wrapping the point lists in their column. Rows that do not
// fit are left for the caller: a line under the table says either that the table goes on
// (`continues`) or how many sessions were left out. Returns the first row not drawn.
int PaintSessionTable(QPainter& painter, const QRectF& area, double unitsPerMm,
                      const DiagramLayout& layout, int first, bool continues);
