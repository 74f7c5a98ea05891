#include "outputrows.h"

QList<OutputRow> OutputRowsInBaselineOrder(int baselineCount, const QSet<int>& off)
{
    QList<OutputRow> rows;
    rows.reserve(qMax(0, baselineCount));
    for (int b = 1; b <= baselineCount; ++b)
        rows.append({b, !off.contains(b)});
    return rows;
}
