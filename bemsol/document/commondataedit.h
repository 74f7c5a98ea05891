#pragma once

#include "model/projectmodel.h"

#include <QString>

// The four project-wide texts the common-data editor shows and changes.
struct CommonDataEdit
{
    QString interval;     // interval of common
    QString minElevation; // shown from baseline 1, written to every baseline
    QString ephType;      // ephType of common
    QString daen;         // daen of common

    bool operator==(const CommonDataEdit&) const = default;
};

// The texts as stored, before any formatting for the boxes. A project without
// baselines has no elevation mask to show.
CommonDataEdit StoredCommonData(const ProjectModel& model);

// The text to store from a number box that was filled with WholeNumberText(stored):
// what the user typed, or the stored text itself while the box still shows what it was
// filled with. Confirming the editor for another box therefore never rounds an
// interval of 0.2 away to nothing or turns a mask of 15.5 into 16.
QString NumberBoxResult(const QString& stored, const QString& boxText);
