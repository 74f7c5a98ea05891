#pragma once

// Whether a grid selection may be renamed by the session editor. `col` is the column
// where the selection began, `colSel` the column of its far corner. A block must start
// in the session column (it may reach into others), or span whole rows from the switch
// column: to column 16 as the editor always accepted, or to the last column 19, which
// is what selecting whole rows gives.
bool SessionSelectionAccepted(int col, int colSel);
