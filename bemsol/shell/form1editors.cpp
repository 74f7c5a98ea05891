// The editors of the data-edit menu: session, common data, point and equipment. The
// dialogs show values and hand back the user's choice; the Document makes the change,
// and the grid, which computes its cells from the project, shows it in place.

#include "form1.h"

#include "grid/baselinegridmodel.h"
#include "grid/baselinegridview.h"
#include "grid/form2.h"
#include "grid/form3.h"
#include "grid/form4.h"
#include "grid/form5.h"
#include "grid/gridcolumns.h"
#include "grid/gridselection.h"
#include "project/sessionselection.h"
#include "project/valuespresent.h"

#include <QAction>

#include <array>

namespace {

// The four fields of the equipment editor. Its title tells which one it edits.
struct EquipmentField
{
    const char* item;
    const char16_t* title;
    QString OccupationRecord::*field;
    int (Document::*update)(const QString&, const QString&);
};

const std::array<EquipmentField, 4> equipmentFields{{
    {"miReceiverName", u"受信機名称編集", &OccupationRecord::receiverName,
     &Document::UpdateReceiverName},
    {"miReceiverSN", u"受信機番号編集", &OccupationRecord::receiverSN, &Document::UpdateReceiverSN},
    {"miAntennaType", u"ｱﾝﾃﾅﾀｲﾌﾟ編集", &OccupationRecord::antennaName,
     &Document::UpdateAntennaType},
    {"miAntennaSN", u"ｱﾝﾃﾅ番号編集", &OccupationRecord::antennaSN, &Document::UpdateAntennaSN},
}};

constexpr int editorOffsetTwips = 1500;
constexpr double twipsPerInch = 1440.0;

} // namespace

Form2* Form1::sessionEditor() const
{
    return sessionEditor_;
}

Form3* Form1::commonEditor() const
{
    return commonEditor_;
}

Form4* Form1::pointEditor() const
{
    return pointEditor_;
}

Form5* Form1::equipmentEditor() const
{
    return equipmentEditor_;
}

void Form1::connectEditorCommands()
{
    connect(menuItem(QStringLiteral("miSession")), &QAction::triggered, this,
            &Form1::openSessionEditor);
    connect(menuItem(QStringLiteral("miCommon")), &QAction::triggered, this,
            &Form1::openCommonEditor);
    connect(menuItem(QStringLiteral("miPointName")), &QAction::triggered, this,
            &Form1::openPointEditor);
    for (int f = 0; f < int(equipmentFields.size()); ++f)
        connect(menuItem(QString::fromLatin1(equipmentFields[f].item)), &QAction::triggered, this,
                [this, f] { openEquipmentEditor(f); });
}

void Form1::closeEditors()
{
    for (QDialog* editor : std::initializer_list<QDialog*>{sessionEditor_, commonEditor_,
                                                           pointEditor_, equipmentEditor_})
        if (editor)
            editor->close();
}

QPoint Form1::editorPosition() const
{
    // Twips are 1/1440 inch at the screen's logical resolution: 100 pixels at 96 dpi.
    const int dx = qRound(editorOffsetTwips * logicalDpiX() / twipsPerInch);
    const int dy = qRound(editorOffsetTwips * logicalDpiY() / twipsPerInch);
    return frameGeometry().topLeft() + QPoint(dx, dy);
}

void Form1::showEditor(QDialog* editor)
{
    // One dialog of each kind: a command given while it is open has refilled it and
    // brings it to the front where the user left it.
    if (!editor->isVisible())
        editor->move(editorPosition());
    editor->show();
    editor->raise();
    editor->activateWindow();
}

void Form1::openSessionEditor()
{
    if (document_.model().baselineCount() == 0)
        return;
    const GridSelection selection = gridSelectionOf(*grid_->selectionModel());
    if (!selection.isValid() || !SessionSelectionAccepted(selection.col, selection.colSel)) {
        showOutcome(Outcome::failure(QStringLiteral("変更するセルを選択してください")));
        return;
    }
    sessionFirstRow_ = selection.firstRow();
    sessionLastRow_ = selection.lastRow();
    changeSessionStr_ = gridModel_->cellText(sessionFirstRow_, GridColumn::Session);

    if (!sessionEditor_) {
        sessionEditor_ = new Form2(this);
        sessionEditor_->setAttribute(Qt::WA_DeleteOnClose);
        connect(sessionEditor_, &Form2::changeRequested, this, &Form1::applySessionChange);
        connect(sessionEditor_, &Form2::cancelled, this, [this] { changeSessionStr_.clear(); });
    }
    sessionEditor_->setCurrentName(changeSessionStr_);
    showEditor(sessionEditor_);
}

void Form1::applySessionChange(const QString& newName)
{
    if (newName.isEmpty()) {
        showOutcome(Outcome::failure(QStringLiteral("変換後の名称を入力して下さい"), {},
                                     Outcome::Severity::Information));
        return;
    }
    changeSessionStr_ = newName;
    // The rows of the block as the grid shows them now; each row names its baseline.
    QList<int> baselines;
    const int last = std::min(sessionLastRow_, gridModel_->rowCount() - 1);
    for (int row = std::max(sessionFirstRow_, 0); row <= last; ++row)
        baselines.append(gridModel_->baselineAt(row));
    document_.ChangeSessionData(baselines, changeSessionStr_);
    if (sessionEditor_)
        sessionEditor_->accept();
}

void Form1::openCommonEditor()
{
    if (document_.model().baselineCount() == 0)
        return;
    if (!commonEditor_) {
        commonEditor_ = new Form3(this);
        commonEditor_->setAttribute(Qt::WA_DeleteOnClose);
        connect(commonEditor_, &Form3::changeRequested, &document_, &Document::UpdateCommonData);
    }
    commonEditor_->setValues(StoredCommonData(document_.model()));
    showEditor(commonEditor_);
}

void Form1::openPointEditor()
{
    if (document_.model().baselineCount() == 0)
        return;
    if (!pointEditor_) {
        pointEditor_ = new Form4(this);
        pointEditor_->setAttribute(Qt::WA_DeleteOnClose);
        connect(pointEditor_, &Form4::changeRequested, &document_, &Document::UpdatePoint);
    }
    pointEditor_->setPoints(PointsPresent(document_.model()));
    showEditor(pointEditor_);
}

void Form1::openEquipmentEditor(int field)
{
    if (document_.model().baselineCount() == 0)
        return;
    if (!equipmentEditor_) {
        equipmentEditor_ = new Form5(this);
        equipmentEditor_->setAttribute(Qt::WA_DeleteOnClose);
        connect(equipmentEditor_, &Form5::changeRequested, this, &Form1::applyEquipmentChange);
    }
    const EquipmentField& f = equipmentFields[field];
    equipmentEditor_->setEquipment(QString::fromUtf16(f.title),
                                   ValuesPresent(document_.model(), f.field));
    showEditor(equipmentEditor_);
}

void Form1::applyEquipmentChange(const QString& title, const QString& oldValue,
                                 const QString& newValue)
{
    for (const EquipmentField& f : equipmentFields) {
        if (title == QString::fromUtf16(f.title)) {
            (document_.*f.update)(oldValue, newValue);
            return;
        }
    }
}
