#include "occupationsharing.h"

#include "projectmodel.h"

#include <QSet>

namespace {

// Appends a copy of the occupation at `index` (the empty element for an index outside
// the array) and returns the copy's index.
int appendCopy(ProjectModel& model, int index)
{
    model.occupations.append(OccupationRecord(model.occupationAt(index)));
    return model.occupationCount();
}

} // namespace

// One pass with a set of the indices that the baselines before the current one hold.
// A later end whose index is in the set moves to a fresh copy; the copy's index is new,
// so the outcome equals comparing each end with every earlier baseline in turn.
void SeparateSharedOccupations(ProjectModel& model)
{
    const int count = model.baselineCount();
    if (count <= 1)
        return;
    QSet<int> heldBefore;
    heldBefore.reserve(2 * count);
    heldBefore.insert(model.baselines[1].startOccupation);
    heldBefore.insert(model.baselines[1].endOccupation);
    for (int i = 2; i <= count; ++i) {
        BaselineRecord& b = model.baselines[i];
        if (heldBefore.contains(b.startOccupation))
            b.startOccupation = appendCopy(model, b.startOccupation);
        if (heldBefore.contains(b.endOccupation))
            b.endOccupation = appendCopy(model, b.endOccupation);
        heldBefore.insert(b.startOccupation);
        heldBefore.insert(b.endOccupation);
    }
}
