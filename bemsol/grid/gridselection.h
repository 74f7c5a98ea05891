#pragma once

class QItemSelectionModel;

// The grid's selection block as the editors speak of it: the cell where the block
// began (row, col) and its far corner (rowSel, colSel). The view moves its current
// cell along while the user drags or extends with Shift, so the current cell is the far
// corner and the beginning is the opposite corner of the block.
struct GridSelection
{
    int row = -1;
    int col = -1;
    int rowSel = -1;
    int colSel = -1;

    bool isValid() const { return row >= 0 && col >= 0; }
    int firstRow() const { return row < rowSel ? row : rowSel; }
    int lastRow() const { return row < rowSel ? rowSel : row; }
};

// Without a current cell, an invalid selection; a current cell outside every selected
// range is a block of its own.
GridSelection gridSelectionOf(const QItemSelectionModel& selection);
