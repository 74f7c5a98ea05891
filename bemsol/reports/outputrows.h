#pragma once

#include <QList>
#include <QSet>

// One row of the baseline grid as the reports see it: which baseline it shows and
// whether its output switch is on ("○"). The reports take the rows in the grid's order;
// a row's position (from 1) is the record's BaseLineID.
struct OutputRow
{
    int baselineIndex = 0;
    bool switchedOn = true;

    bool operator==(const OutputRow&) const = default;
};

// Rows 1..baselineCount in baseline order, switched off where the index is in `off`:
// the grid just after it was filled, then edited by switches only.
QList<OutputRow> OutputRowsInBaselineOrder(int baselineCount, const QSet<int>& off = {});
