#include "gridselection.h"

#include <QItemSelectionModel>

#include <algorithm>

GridSelection gridSelectionOf(const QItemSelectionModel& selection)
{
    const QModelIndex current = selection.currentIndex();
    if (!current.isValid())
        return {};
    const int r = current.row();
    const int c = current.column();

    // One block, though the view may hand it over in pieces (around hidden columns, for
    // instance): its bounding box.
    int top = r, bottom = r, left = c, right = c;
    bool any = false;
    for (const QItemSelectionRange& range : selection.selection()) {
        if (!range.isValid())
            continue;
        top = any ? std::min(top, range.top()) : range.top();
        bottom = any ? std::max(bottom, range.bottom()) : range.bottom();
        left = any ? std::min(left, range.left()) : range.left();
        right = any ? std::max(right, range.right()) : range.right();
        any = true;
    }
    if (!any || r < top || r > bottom || c < left || c > right)
        return {r, c, r, c};
    return {.row = r == top ? bottom : top,
            .col = c == left ? right : left,
            .rowSel = r,
            .colSel = c};
}
