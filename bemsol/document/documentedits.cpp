// The edits of the open project: the cell editor and the editors of the data-edit menu.
// Each one becomes a single command on the undo stack.

#include "document.h"

#include "textedit.h"

#include <QUndoCommand>

// One edit on the undo stack: its texts before and after.
class ProjectEditCommand : public QUndoCommand
{
public:
    ProjectEditCommand(Document& document, const QString& text, QList<TextEdit> edits)
        : QUndoCommand(text), document_(document), edits_(std::move(edits))
    {
    }

    void redo() override { document_.applyEdits(edits_, false); }
    void undo() override { document_.applyEdits(edits_, true); }

private:
    Document& document_;
    QList<TextEdit> edits_;
};

void Document::pushEdit(const QString& actionText, QList<TextEdit> edits)
{
    // Pushed even when no text changed: the user confirmed a change, and the save
    // question must follow it as it always has; undoing it is harmless.
    undoStack_.push(new ProjectEditCommand(*this, actionText, std::move(edits)));
}

void Document::applyEdits(const QList<TextEdit>& edits, bool undoing)
{
    if (undoing) {
        for (auto e = edits.crbegin(); e != edits.crend(); ++e)
            e->apply(model_, true);
    } else {
        for (const TextEdit& e : edits)
            e.apply(model_, false);
    }
    emit projectEdited(ChangeOf(model_, edits));
}

namespace {

// The set-up member a cell of either end shows.
QString OccupationRecord::*occupationMemberOf(ProjectField field, bool* atStart)
{
    *atStart = true;
    switch (field) {
    case ProjectField::StartReceiverName: return &OccupationRecord::receiverName;
    case ProjectField::StartReceiverSN: return &OccupationRecord::receiverSN;
    case ProjectField::StartAntennaName: return &OccupationRecord::antennaName;
    case ProjectField::StartAntennaSN: return &OccupationRecord::antennaSN;
    default: break;
    }
    *atStart = false;
    switch (field) {
    case ProjectField::EndReceiverName: return &OccupationRecord::receiverName;
    case ProjectField::EndReceiverSN: return &OccupationRecord::receiverSN;
    case ProjectField::EndAntennaName: return &OccupationRecord::antennaName;
    case ProjectField::EndAntennaSN: return &OccupationRecord::antennaSN;
    default: return nullptr;
    }
}

QString BaselineRecord::*cellBaselineMemberOf(ProjectField field)
{
    switch (field) {
    case ProjectField::MinSVs: return &BaselineRecord::minSVs;
    case ProjectField::Frequency: return &BaselineRecord::frequency;
    case ProjectField::PpMode: return &BaselineRecord::ppMode;
    default: return nullptr;
    }
}

} // namespace

bool Document::UpdateCellData(ProjectField field, const QList<int>& baselines, const QString& text)
{
    bool atStart = true;
    QString OccupationRecord::*occupationMember = occupationMemberOf(field, &atStart);
    QString BaselineRecord::*baselineMember = cellBaselineMemberOf(field);
    if (!occupationMember && !baselineMember)
        return false;
    QList<TextEdit> edits;
    for (const int b : baselines) {
        if (!model_.hasBaseline(b))
            continue;
        const BaselineRecord& baseline = model_.baselines[b];
        if (baselineMember) {
            edits << TextEdit::ofBaseline(b, baselineMember, baseline.*baselineMember, text);
            continue;
        }
        // An end without an occupation of its own shows empty cells and has nothing to
        // change: element 0 is never written.
        const int occupation = atStart ? baseline.startOccupation : baseline.endOccupation;
        if (model_.hasOccupation(occupation))
            edits << TextEdit::ofOccupation(occupation, occupationMember,
                                            model_.occupations[occupation].*occupationMember, text);
    }
    if (edits.isEmpty())
        return false;
    pushEdit(QStringLiteral("ｾﾙ編集"), std::move(edits));
    return true;
}

int Document::replaceOccupationValue(const QString& actionText,
                                     QString OccupationRecord::*compared,
                                     QString OccupationRecord::*written, const QString& oldValue,
                                     const QString& newValue)
{
    QList<TextEdit> edits;
    // From 1: element 0 stands for "no set-up" and must stay empty, so an empty old
    // value never gives unmatched baseline ends a value.
    for (int i = 1; i <= model_.occupationCount(); ++i) {
        const OccupationRecord& o = model_.occupations[i];
        if (o.*compared == oldValue)
            edits << TextEdit::ofOccupation(i, written, o.*written, newValue);
    }
    const int changed = int(edits.size());
    pushEdit(actionText, std::move(edits));
    return changed;
}

int Document::UpdatePointName(const QString& oldNumber, const QString& newNumber)
{
    return replaceOccupationValue(QStringLiteral("点番号の変更"), &OccupationRecord::pointName,
                                  &OccupationRecord::pointName, oldNumber, newNumber);
}

int Document::UpdatePtCode(const QString& number, const QString& newName)
{
    return replaceOccupationValue(QStringLiteral("点名称の変更"), &OccupationRecord::pointName,
                                  &OccupationRecord::ptCode, number, newName);
}

int Document::UpdatePoint(const QString& number, const std::optional<QString>& newNumber,
                          const std::optional<QString>& newName)
{
    if (!newNumber && !newName)
        return 0;
    // One command for both: a single 元に戻す takes back what one 変更 did.
    undoStack_.beginMacro(QStringLiteral("点名編集"));
    // The name first: both changes choose the set-ups by the number as it was, and
    // after renumbering that number would find nothing.
    int changed = 0;
    if (newName)
        changed = UpdatePtCode(number, *newName);
    if (newNumber)
        changed = UpdatePointName(number, *newNumber);
    undoStack_.endMacro();
    return changed;
}

int Document::UpdateReceiverName(const QString& oldValue, const QString& newValue)
{
    return replaceOccupationValue(QStringLiteral("受信機名称の変更"), &OccupationRecord::receiverName,
                                  &OccupationRecord::receiverName, oldValue, newValue);
}

int Document::UpdateReceiverSN(const QString& oldValue, const QString& newValue)
{
    return replaceOccupationValue(QStringLiteral("受信機番号の変更"), &OccupationRecord::receiverSN,
                                  &OccupationRecord::receiverSN, oldValue, newValue);
}

int Document::UpdateAntennaType(const QString& oldValue, const QString& newValue)
{
    return replaceOccupationValue(QStringLiteral("ｱﾝﾃﾅﾀｲﾌﾟの変更"), &OccupationRecord::antennaName,
                                  &OccupationRecord::antennaName, oldValue, newValue);
}

int Document::UpdateAntennaSN(const QString& oldValue, const QString& newValue)
{
    return replaceOccupationValue(QStringLiteral("ｱﾝﾃﾅ番号の変更"), &OccupationRecord::antennaSN,
                                  &OccupationRecord::antennaSN, oldValue, newValue);
}

void Document::confirmUnmatchedChange(const QString& actionText)
{
    pushEdit(actionText, {});
}

int Document::ChangeSessionData(const QList<int>& baselines, const QString& session)
{
    QList<TextEdit> edits;
    for (const int b : baselines) {
        // A row range kept from before a reload may name baselines that are gone.
        if (model_.hasBaseline(b))
            edits << TextEdit::ofBaseline(b, &BaselineRecord::session, model_.baselines[b].session,
                                          session);
    }
    const int changed = int(edits.size());
    pushEdit(QStringLiteral("ｾｯｼｮﾝ名の変更"), std::move(edits));
    return changed;
}

void Document::UpdateCommonData(const CommonDataEdit& edit)
{
    QList<TextEdit> edits;
    edits << TextEdit::ofCommon(&CommonData::interval, model_.common.interval, edit.interval);
    for (int b = 1; b <= model_.baselineCount(); ++b)
        edits << TextEdit::ofBaseline(b, &BaselineRecord::minElevation,
                                      model_.baselines[b].minElevation, edit.minElevation);
    edits << TextEdit::ofCommon(&CommonData::ephType, model_.common.ephType, edit.ephType);
    edits << TextEdit::ofCommon(&CommonData::daen, model_.common.daen, edit.daen);
    // Common data is saved with the project: the change must not be lost without the
    // save question.
    pushEdit(QStringLiteral("共通ﾃﾞｰﾀの変更"), std::move(edits));
}
