#pragma once

#include <QColor>
#include <QFont>
#include <QList>

class QPaintDevice;

// How the diagram tells its sessions apart: each its own colour and its own line
// pattern, so a black-and-white copy still separates them.
struct SessionLineStyle
{
    QColor colour;
    QList<qreal> dashes; // dash, gap, ... in line widths; empty: solid
};

// The style of the session at `index` (0 upwards). The first fifty pairs of colour and
// pattern are all different; later sessions get further hues.
SessionLineStyle SessionStyle(int index);

// A Japanese font whose characters are `heightMm` high on a device with `unitsPerMm`
// device units per millimetre.
QFont DiagramFont(double heightMm, double unitsPerMm, const QPaintDevice* device, bool bold = false);
