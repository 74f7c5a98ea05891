// The editors of the data-edit menu: point, equipment, session and common data.

#include "document.h"

int Document::replaceOccupationValue(QString OccupationRecord::*compared,
                                     QString OccupationRecord::*written, const QString& oldValue,
                                     const QString& newValue)
{
    // Marked even when nothing held the old value: the user confirmed a change.
    setModified(true);
    int changed = 0;
    // From 1: element 0 stands for "no set-up" and must stay empty, so an empty old
    // value never gives unmatched baseline ends a value.
    for (int i = 1; i <= model_.occupationCount(); ++i) {
        OccupationRecord& o = model_.occupations[i];
        if (o.*compared == oldValue) {
            o.*written = newValue;
            ++changed;
        }
    }
    emit modelEdited();
    return changed;
}

int Document::UpdatePointName(const QString& oldNumber, const QString& newNumber)
{
    return replaceOccupationValue(&OccupationRecord::pointName, &OccupationRecord::pointName,
                                  oldNumber, newNumber);
}

int Document::UpdatePtCode(const QString& number, const QString& newName)
{
    return replaceOccupationValue(&OccupationRecord::pointName, &OccupationRecord::ptCode, number,
                                  newName);
}

int Document::UpdatePoint(const QString& number, const std::optional<QString>& newNumber,
                          const std::optional<QString>& newName)
{
    if (!newNumber && !newName)
        return 0;
    // The name first: both changes choose the set-ups by the number as it was, and
    // after renumbering that number would find nothing.
    int changed = 0;
    if (newName)
        changed = UpdatePtCode(number, *newName);
    if (newNumber)
        changed = UpdatePointName(number, *newNumber);
    return changed;
}

int Document::UpdateReceiverName(const QString& oldValue, const QString& newValue)
{
    return replaceOccupationValue(&OccupationRecord::receiverName,
                                  &OccupationRecord::receiverName, oldValue, newValue);
}

int Document::UpdateReceiverSN(const QString& oldValue, const QString& newValue)
{
    return replaceOccupationValue(&OccupationRecord::receiverSN, &OccupationRecord::receiverSN,
                                  oldValue, newValue);
}

int Document::UpdateAntennaType(const QString& oldValue, const QString& newValue)
{
    return replaceOccupationValue(&OccupationRecord::antennaName, &OccupationRecord::antennaName,
                                  oldValue, newValue);
}

int Document::UpdateAntennaSN(const QString& oldValue, const QString& newValue)
{
    return replaceOccupationValue(&OccupationRecord::antennaSN, &OccupationRecord::antennaSN,
                                  oldValue, newValue);
}

int Document::ChangeSessionData(const QList<int>& baselines, const QString& session)
{
    setModified(true);
    int changed = 0;
    for (const int b : baselines) {
        // A row range kept from before a reload may name baselines that are gone.
        if (b < 1 || b > model_.baselineCount())
            continue;
        model_.baselines[b].session = session;
        ++changed;
    }
    emit modelEdited();
    return changed;
}

void Document::UpdateCommonData(const CommonDataEdit& edit)
{
    model_.common.interval = edit.interval;
    for (int b = 1; b <= model_.baselineCount(); ++b)
        model_.baselines[b].minElevation = edit.minElevation;
    model_.common.ephType = edit.ephType;
    model_.common.daen = edit.daen;
    // Common data is saved with the project: the change must not be lost without the
    // save question.
    setModified(true);
    emit modelEdited();
}
