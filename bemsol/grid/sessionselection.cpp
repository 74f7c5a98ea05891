#include "sessionselection.h"

bool SessionSelectionAccepted(int col, int colSel)
{
    constexpr int switchColumn = 1;
    constexpr int sessionColumn = 2;
    if (col == sessionColumn)
        return true;
    return col == switchColumn && (colSel == 16 || colSel == 19);
}
