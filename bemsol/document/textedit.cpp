#include "textedit.h"

#include <algorithm>

TextEdit TextEdit::ofBaseline(int index, QString BaselineRecord::*member, QString before,
                              QString after)
{
    return {.record = Record::Baseline, .index = index, .baselineMember = member,
            .before = std::move(before), .after = std::move(after)};
}

TextEdit TextEdit::ofOccupation(int index, QString OccupationRecord::*member, QString before,
                                QString after)
{
    return {.record = Record::Occupation, .index = index, .occupationMember = member,
            .before = std::move(before), .after = std::move(after)};
}

TextEdit TextEdit::ofCommon(QString CommonData::*member, QString before, QString after)
{
    return {.record = Record::Common, .commonMember = member, .before = std::move(before),
            .after = std::move(after)};
}

void TextEdit::apply(ProjectModel& model, bool undoing) const
{
    const QString& value = undoing ? before : after;
    switch (record) {
    case Record::Baseline:
        if (model.hasBaseline(index))
            model.baselines[index].*baselineMember = value;
        break;
    case Record::Occupation:
        if (OccupationRecord* o = model.editableOccupation(index))
            o->*occupationMember = value;
        break;
    case Record::Common:
        model.common.*commonMember = value;
        break;
    }
}

namespace {

struct OccupationFields
{
    QString OccupationRecord::*member;
    ProjectField atStart;
    ProjectField atEnd;
};

constexpr OccupationFields occupationFields[] = {
    {&OccupationRecord::pointName, ProjectField::StartPointName, ProjectField::EndPointName},
    {&OccupationRecord::ptCode, ProjectField::StartPtCode, ProjectField::EndPtCode},
    {&OccupationRecord::receiverName, ProjectField::StartReceiverName, ProjectField::EndReceiverName},
    {&OccupationRecord::receiverSN, ProjectField::StartReceiverSN, ProjectField::EndReceiverSN},
    {&OccupationRecord::antennaName, ProjectField::StartAntennaName, ProjectField::EndAntennaName},
    {&OccupationRecord::antennaSN, ProjectField::StartAntennaSN, ProjectField::EndAntennaSN},
};

struct BaselineFields
{
    QString BaselineRecord::*member;
    ProjectField field;
};

constexpr BaselineFields baselineFields[] = {
    {&BaselineRecord::session, ProjectField::Session},
    {&BaselineRecord::minSVs, ProjectField::MinSVs},
    {&BaselineRecord::frequency, ProjectField::Frequency},
    {&BaselineRecord::ppMode, ProjectField::PpMode},
    {&BaselineRecord::minElevation, ProjectField::MinElevation},
};

const OccupationFields* occupationFieldsOf(QString OccupationRecord::*member)
{
    for (const OccupationFields& f : occupationFields)
        if (f.member == member)
            return &f;
    return nullptr;
}

} // namespace

ProjectChange ChangeOf(const ProjectModel& model, const QList<TextEdit>& edits)
{
    ProjectChange change;
    QSet<int> baselines;
    // Occupation index -> the members changed there, looked up once per baseline end.
    QHash<int, QList<const OccupationFields*>> atOccupation;
    for (const TextEdit& e : edits) {
        switch (e.record) {
        case TextEdit::Record::Baseline:
            baselines.insert(e.index);
            for (const BaselineFields& f : baselineFields)
                if (f.member == e.baselineMember)
                    change.fields.insert(f.field);
            break;
        case TextEdit::Record::Occupation:
            if (const OccupationFields* f = occupationFieldsOf(e.occupationMember))
                atOccupation[e.index].append(f);
            break;
        case TextEdit::Record::Common:
            change.fields.insert(ProjectField::CommonData);
            break;
        }
    }
    if (!atOccupation.isEmpty()) {
        for (int b = 1; b <= model.baselineCount(); ++b) {
            const BaselineRecord& r = model.baselines[b];
            for (const bool atStart : {true, false}) {
                const auto found = atOccupation.constFind(atStart ? r.startOccupation : r.endOccupation);
                if (found == atOccupation.constEnd())
                    continue;
                baselines.insert(b);
                for (const OccupationFields* f : *found)
                    change.fields.insert(atStart ? f->atStart : f->atEnd);
            }
        }
    }
    change.baselines = QList<int>(baselines.begin(), baselines.end());
    std::sort(change.baselines.begin(), change.baselines.end());
    return change;
}
