#pragma once

#include "model/projectfield.h"
#include "model/projectmodel.h"

#include <QList>
#include <QString>

// One text of the project, named by record and member, and its value before and after
// an edit. Named rather than pointed at: the model's lists share their data with copies,
// so a pointer kept across edits could write into someone else's copy.
struct TextEdit
{
    enum class Record { Baseline, Occupation, Common };

    Record record = Record::Baseline;
    int index = 0; // 1-based; unused for the common data
    QString BaselineRecord::*baselineMember = nullptr;
    QString OccupationRecord::*occupationMember = nullptr;
    QString CommonData::*commonMember = nullptr;
    QString before;
    QString after;

    static TextEdit ofBaseline(int index, QString BaselineRecord::*member, QString before,
                               QString after);
    static TextEdit ofOccupation(int index, QString OccupationRecord::*member, QString before,
                                 QString after);
    static TextEdit ofCommon(QString CommonData::*member, QString before, QString after);

    // Writes `after` (or `before` when undoing) into the model.
    void apply(ProjectModel& model, bool undoing) const;
};

// The baselines and fields a list of edits touches, for the change notice. An
// occupation's text shows in every baseline that starts or ends there.
ProjectChange ChangeOf(const ProjectModel& model, const QList<TextEdit>& edits);
