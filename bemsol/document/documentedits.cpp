#include "document.h"

namespace {

// Grid columns 9 to 16: receiver and antenna of the start end, then of the end end.
QString OccupationRecord::*occupationField(int column)
{
    switch ((column - 9) % 4) {
    case 0: return &OccupationRecord::receiverName;
    case 1: return &OccupationRecord::receiverSN;
    case 2: return &OccupationRecord::antennaName;
    default: return &OccupationRecord::antennaSN;
    }
}

QString BaselineRecord::*baselineField(int column)
{
    switch (column) {
    case 17: return &BaselineRecord::minSVs;
    case 18: return &BaselineRecord::frequency;
    default: return &BaselineRecord::ppMode;
    }
}

} // namespace

bool Document::UpdateCellData(int column, const QList<int>& baselines, const QString& text)
{
    if (column < 9 || column > 19)
        return false;
    bool applied = false;
    for (const int b : baselines) {
        if (b < 1 || b > model_.baselineCount())
            continue;
        BaselineRecord& baseline = model_.baselines[b];
        if (column >= 17) {
            baseline.*baselineField(column) = text;
            applied = true;
            continue;
        }
        // An end without an occupation of its own shows empty cells and has nothing to
        // change: element 0 is never written.
        const int occupation = column <= 12 ? baseline.startOccupation : baseline.endOccupation;
        if (OccupationRecord* o = model_.editableOccupation(occupation)) {
            o->*occupationField(column) = text;
            applied = true;
        }
    }
    if (!applied)
        return false;
    // An edit must never be lost without the save question.
    setModified(true);
    emit modelEdited();
    return true;
}
