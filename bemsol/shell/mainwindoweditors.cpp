// The editors of the data-edit menu: session, common data, point and equipment. The
// dialogs show values and hand back the user's choice; the Document makes the change,
// and the grid, which computes its cells from the project, shows it in place.

#include "mainwindow.h"

#include "grid/baselinegridmodel.h"
#include "grid/baselinegridview.h"
#include "grid/celleditdialog.h"
#include "grid/sessionnamedialog.h"
#include "grid/commondatadialog.h"
#include "grid/pointdialog.h"
#include "grid/equipmentdialog.h"
#include "grid/gridcolumns.h"
#include "grid/gridselection.h"
#include "grid/sessionselection.h"
#include "model/valuespresent.h"

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

SessionNameDialog* MainWindow::sessionEditor() const
{
    return sessionEditor_;
}

CommonDataDialog* MainWindow::commonEditor() const
{
    return commonEditor_;
}

PointDialog* MainWindow::pointEditor() const
{
    return pointEditor_;
}

EquipmentDialog* MainWindow::equipmentEditor() const
{
    return equipmentEditor_;
}

void MainWindow::connectEditorCommands()
{
    connect(menuItem(QStringLiteral("miSession")), &QAction::triggered, this,
            &MainWindow::openSessionEditor);
    connect(menuItem(QStringLiteral("miCommon")), &QAction::triggered, this,
            &MainWindow::openCommonEditor);
    connect(menuItem(QStringLiteral("miPointName")), &QAction::triggered, this,
            &MainWindow::openPointEditor);
    for (int f = 0; f < int(equipmentFields.size()); ++f)
        connect(menuItem(QString::fromLatin1(equipmentFields[f].item)), &QAction::triggered, this,
                [this, f] { openEquipmentEditor(f); });
}

void MainWindow::closeEditors()
{
    for (QDialog* editor : std::initializer_list<QDialog*>{sessionEditor_, commonEditor_,
                                                           pointEditor_, equipmentEditor_})
        if (editor)
            editor->close();
}

QPoint MainWindow::editorPosition() const
{
    // Twips are 1/1440 inch at the screen's logical resolution: 100 pixels at 96 dpi.
    const int dx = qRound(editorOffsetTwips * logicalDpiX() / twipsPerInch);
    const int dy = qRound(editorOffsetTwips * logicalDpiY() / twipsPerInch);
    return frameGeometry().topLeft() + QPoint(dx, dy);
}

void MainWindow::showEditor(QDialog* editor)
{
    // One dialog of each kind: a command given while it is open has refilled it and
    // brings it to the front where the user left it.
    if (!editor->isVisible())
        editor->move(editorPosition());
    editor->show();
    editor->raise();
    editor->activateWindow();
}

void MainWindow::openSessionEditor()
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
    sessionBeingRenamed_ = gridModel_->cellText(sessionFirstRow_, GridColumn::Session);

    if (!sessionEditor_) {
        sessionEditor_ = new SessionNameDialog(this);
        sessionEditor_->setAttribute(Qt::WA_DeleteOnClose);
        connect(sessionEditor_, &SessionNameDialog::changeRequested, this, &MainWindow::applySessionChange);
        connect(sessionEditor_, &SessionNameDialog::cancelled, this, [this] { sessionBeingRenamed_.clear(); });
    }
    sessionEditor_->setCurrentName(sessionBeingRenamed_);
    showEditor(sessionEditor_);
}

void MainWindow::applySessionChange(const QString& newName)
{
    if (newName.isEmpty()) {
        showOutcome(Outcome::failure(QStringLiteral("変換後の名称を入力して下さい"), {},
                                     Outcome::Severity::Information));
        return;
    }
    sessionBeingRenamed_ = newName;
    // The rows of the block as the grid shows them now; each row names its baseline.
    QList<int> baselines;
    const int last = std::min(sessionLastRow_, gridModel_->rowCount() - 1);
    for (int row = std::max(sessionFirstRow_, 0); row <= last; ++row)
        baselines.append(gridModel_->baselineAt(row));
    document_.ChangeSessionData(baselines, sessionBeingRenamed_);
    if (sessionEditor_)
        sessionEditor_->accept();
}

void MainWindow::openCommonEditor()
{
    if (document_.model().baselineCount() == 0)
        return;
    if (!commonEditor_) {
        commonEditor_ = new CommonDataDialog(this);
        commonEditor_->setAttribute(Qt::WA_DeleteOnClose);
        connect(commonEditor_, &CommonDataDialog::changeRequested, &document_, &Document::UpdateCommonData);
    }
    commonEditor_->setValues(StoredCommonData(document_.model()));
    showEditor(commonEditor_);
}

void MainWindow::openPointEditor()
{
    if (document_.model().baselineCount() == 0)
        return;
    if (!pointEditor_) {
        pointEditor_ = new PointDialog(this);
        pointEditor_->setAttribute(Qt::WA_DeleteOnClose);
        connect(pointEditor_, &PointDialog::changeRequested, this, &MainWindow::applyPointChange);
    }
    pointEditor_->setPoints(PointsPresent(document_.model()));
    showEditor(pointEditor_);
}

void MainWindow::applyPointChange(const std::optional<QString>& number,
                                  const std::optional<QString>& newNumber,
                                  const std::optional<QString>& newName)
{
    if (number) {
        document_.UpdatePoint(*number, newNumber, newName);
        return;
    }
    // No point chosen: nothing matches, but a checked change still counts as an edit.
    if (newNumber || newName)
        document_.confirmUnmatchedChange(QStringLiteral("点名編集"));
}

void MainWindow::openEquipmentEditor(int field)
{
    if (document_.model().baselineCount() == 0)
        return;
    if (!equipmentEditor_) {
        equipmentEditor_ = new EquipmentDialog(this);
        equipmentEditor_->setAttribute(Qt::WA_DeleteOnClose);
        connect(equipmentEditor_, &EquipmentDialog::changeRequested, this, &MainWindow::applyEquipmentChange);
    }
    equipmentField_ = field;
    const EquipmentField& f = equipmentFields[field];
    equipmentEditor_->setEquipment(QString::fromUtf16(f.title),
                                   ValuesPresent(document_.model(), f.field));
    showEditor(equipmentEditor_);
}

void MainWindow::applyEquipmentChange(const std::optional<QString>& oldValue, const QString& newValue)
{
    const EquipmentField& f = equipmentFields[equipmentField_];
    // No value chosen: nothing matches, but the change still counts as an edit.
    if (!oldValue) {
        document_.confirmUnmatchedChange(QString::fromUtf16(f.title));
        return;
    }
    (document_.*f.update)(*oldValue, newValue);
}

void MainWindow::refillEditors()
{
    // Another project replaced the one the open editors were filled from: what they show
    // and would write must come from the new one. The grid has been refilled already
    // (it was connected first) and its selection is gone, so the cell editor, whose text
    // came from a cell of the old project, has nothing left to act on.
    if (cellEditor_)
        cellEditor_->close();
    const ProjectModel& model = document_.model();
    if (model.baselineCount() == 0) {
        // The editors do not open on a project without baselines either.
        closeEditors();
        return;
    }
    if (sessionEditor_) {
        if (sessionFirstRow_ < gridModel_->rowCount()) {
            sessionBeingRenamed_ = gridModel_->cellText(sessionFirstRow_, GridColumn::Session);
            sessionEditor_->setCurrentName(sessionBeingRenamed_);
        } else {
            sessionEditor_->close();
        }
    }
    if (commonEditor_)
        commonEditor_->setValues(StoredCommonData(model));
    if (pointEditor_)
        pointEditor_->setPoints(PointsPresent(model));
    if (equipmentEditor_)
        equipmentEditor_->setEquipment(QString::fromUtf16(equipmentFields[equipmentField_].title),
                                       equipmentValues());
}

void MainWindow::refreshEditors()
{
    // Texts changed in place (an edit, its undo or redo): the open editors show them as
    // they are now and keep what the user chose or typed where it still exists, so a
    // "変更" after Ctrl+Z never acts on a value the project no longer holds. The rows
    // stay, so the session block and the cell editor's block are still there.
    if (cellEditor_ && cellEditor_->isVisible()) {
        const GridSelection block = gridSelectionOf(*grid_->selectionModel());
        if (block.isValid())
            cellEditor_->updateText(gridModel_->cellText(block.row, block.col));
    }
    if (sessionEditor_ && sessionEditor_->isVisible() && sessionFirstRow_ >= 0
        && sessionFirstRow_ < gridModel_->rowCount()) {
        sessionBeingRenamed_ = gridModel_->cellText(sessionFirstRow_, GridColumn::Session);
        sessionEditor_->updateCurrentName(sessionBeingRenamed_);
    }
    const ProjectModel& model = document_.model();
    if (commonEditor_ && commonEditor_->isVisible())
        commonEditor_->updateValues(StoredCommonData(model));
    if (pointEditor_ && pointEditor_->isVisible())
        pointEditor_->updatePoints(PointsPresent(model));
    if (equipmentEditor_ && equipmentEditor_->isVisible())
        equipmentEditor_->updateValues(equipmentValues());
}

QStringList MainWindow::equipmentValues() const
{
    return ValuesPresent(document_.model(), equipmentFields[equipmentField_].field);
}
