#include "fakeuserdialogs.h"
#include "gridmouse.h"
#include "modelbuilder.h"
#include "grid/baselinegridmodel.h"
#include "grid/baselinegridview.h"
#include "grid/sessionnamedialog.h"
#include "grid/commondatadialog.h"
#include "grid/pointdialog.h"
#include "grid/equipmentdialog.h"
#include "grid/celleditdialog.h"
#include "grid/gridcolumns.h"
#include "shell/mainwindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// One baseline per session name. Baseline i runs from S<i> (named 始<i>) to E<i> (終<i>)
// on set-ups of its own, with receiver R<i % 2> (so R1 and R0 alternate), receiver
// serial N1 at the start and N2 at the end, and antenna A at both ends.
ProjectModel modelOf(const QStringList& sessions)
{
    ModelBuilder b;
    for (int i = 1; i <= sessions.size(); ++i) {
        const QString receiver = QStringLiteral("R%1").arg(i % 2);
        b.baseline(QStringLiteral("S%1").arg(i), QStringLiteral("E%1").arg(i),
                   {.session = sessions[i - 1], .startTime = "2004/12/31 20:00:00",
                    .endTime = "2004/12/31 21:00:00", .minElevation = i == 1 ? "0" : "15"},
                   {.ptCode = QStringLiteral("始%1").arg(i), .receiverName = receiver,
                    .receiverSN = "N1", .antennaName = "A", .antennaSN = "AN"},
                   {.ptCode = QStringLiteral("終%1").arg(i), .receiverName = receiver,
                    .receiverSN = "N2", .antennaName = "A", .antennaSN = "AN"});
    }
    b.model().common = {.interval = "30.0", .minSVs = "4", .ephType = "放送暦", .daen = "GRS80"};
    return b.build();
}

QStringList column(const MainWindow& w, int c)
{
    QStringList texts;
    for (int r = 0; r < w.gridModel()->rowCount(); ++r)
        texts << w.gridModel()->index(r, c).data().toString();
    return texts;
}

QStringList items(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

void clickHeader(QHeaderView* header, int section)
{
    const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

// Typing, with the box's length limit; QTest types only Latin-1 keys.
void type(QLineEdit* box, const QString& text)
{
    box->insert(text);
}

void clickCell(BaselineGridView* grid, int row, int col)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(row, col)).center());
}

} // namespace

class TestEditors : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void nothingOpensWithoutBaselines();
    void opensModelessBesideTheWindowAndCancels_data();
    void opensModelessBesideTheWindowAndCancels();
    void equipmentEditorKeepsTheGridAsArranged();
    void equipmentEditorIsOneDialogForFourFields();
    void pointEditorNumberAndName();
    void sessionEditorOverUpwardSelectionAfterSort();
    void sessionSelectionShapes_data();
    void sessionSelectionShapes();
    void sessionEditorRefusesEmptyName();
    void sessionEditorOverRowsChosenByNumber();
    void nothingChosenChangesNothing_data();
    void nothingChosenChangesNothing();
    void editorsFollowAReplacedProject();
    void editorsFollowUndoAndRedo();
    void commonEditorFromCtrlF1();

private:
    void open(const QStringList& sessions);
    void openCommand(const QString& item);
    // The one editor dialog that is open, whichever it is.
    QDialog* openEditor() const;

    std::unique_ptr<QTemporaryDir> programDir_;
    std::unique_ptr<FakeUserDialogs> dialogs_;
    std::unique_ptr<MainWindow> window_;
};

void TestEditors::init()
{
    programDir_ = std::make_unique<QTemporaryDir>();
    dialogs_ = std::make_unique<FakeUserDialogs>();
    window_ = std::make_unique<MainWindow>(programDir_->path(), QStringLiteral("山田"), *dialogs_);
    window_->move(40, 30);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void TestEditors::cleanup()
{
    window_.reset();
    dialogs_.reset();
    programDir_.reset();
}

void TestEditors::open(const QStringList& sessions)
{
    window_->document().adoptImported(modelOf(sessions), "/x/survey.xml");
    window_->grid()->setFocus();
}

// A menu item, or for the items the menu does not show, the grid's key.
void TestEditors::openCommand(const QString& item)
{
    const QHash<QString, Qt::Key> keys{{"miCommon", Qt::Key_F1},
                                       {"miReceiverSN", Qt::Key_F11},
                                       {"miAntennaSN", Qt::Key_F12}};
    if (keys.contains(item)) {
        QVERIFY(!window_->menuItem(item)->isVisible());
        QTest::keyClick(window_->grid(), keys[item], Qt::ControlModifier);
    } else {
        QVERIFY(window_->menuItem(item)->isVisible());
        window_->menuItem(item)->trigger();
    }
}

QDialog* TestEditors::openEditor() const
{
    QDialog* open = nullptr;
    for (QDialog* d : std::initializer_list<QDialog*>{
             window_->sessionEditor(), window_->commonEditor(), window_->pointEditor(),
             window_->equipmentEditor()}) {
        if (d && d->isVisible()) {
            if (open)
                return nullptr;
            open = d;
        }
    }
    return open;
}

void TestEditors::nothingOpensWithoutBaselines()
{
    window_->grid()->setFocus();
    for (const char* item : {"miSession", "miCommon", "miPointName", "miReceiverName",
                             "miReceiverSN", "miAntennaType", "miAntennaSN"})
        openCommand(QString::fromLatin1(item));
    QVERIFY(!openEditor());
    QVERIFY(window_->findChildren<QDialog*>().isEmpty());
    QVERIFY(dialogs_->messages.isEmpty());
}

void TestEditors::opensModelessBesideTheWindowAndCancels_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("title");

    QTest::newRow("session") << "miSession" << "Form2" << "ｾｯｼｮﾝ名編集";
    QTest::newRow("common data, Ctrl+F1") << "miCommon" << "Form3" << "共通ﾃﾞｰﾀ編集";
    QTest::newRow("point") << "miPointName" << "Form4" << "点名編集";
    QTest::newRow("receiver name") << "miReceiverName" << "Form5" << "受信機名称編集";
    QTest::newRow("receiver serial, Ctrl+F11") << "miReceiverSN" << "Form5" << "受信機番号編集";
    QTest::newRow("antenna type") << "miAntennaType" << "Form5" << "ｱﾝﾃﾅﾀｲﾌﾟ編集";
    QTest::newRow("antenna serial, Ctrl+F12") << "miAntennaSN" << "Form5" << "ｱﾝﾃﾅ番号編集";
}

void TestEditors::opensModelessBesideTheWindowAndCancels()
{
    QFETCH(QString, item);
    QFETCH(QString, form);
    QFETCH(QString, title);
    open({"1", "2", "3"});
    clickCell(window_->grid(), 0, GridColumn::Session);
    const ProjectModel before = window_->document().model();

    openCommand(item);
    QDialog* dialog = openEditor();
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName(), form);
    QCOMPARE(dialog->windowTitle(), title);
    QVERIFY(!dialog->isModal());
    // 1500 twips are 100 pixels at 96 dpi.
    if (window_->logicalDpiX() == 96 && window_->logicalDpiY() == 96)
        QCOMPARE(dialog->pos(), window_->frameGeometry().topLeft() + QPoint(100, 100));
    QCOMPARE(window_->editorPosition(), dialog->pos());

    // Given again while open: the same dialog, refilled and in front, where the user
    // moved it.
    dialog->move(dialog->pos() + QPoint(30, 20));
    const QPoint moved = dialog->pos();
    openCommand(item);
    QCOMPARE(openEditor(), dialog);
    QCOMPARE(dialog->pos(), moved);
    QCOMPARE(window_->findChildren<QDialog*>().size(), 1);

    // Something typed, then ｷｬﾝｾﾙ: nothing changes.
    for (QLineEdit* box : dialog->findChildren<QLineEdit*>())
        if (box->isEnabled() && !box->isReadOnly())
            box->setText(QStringLiteral("typed"));
    auto* cancel = dialog->findChild<QPushButton*>(QStringLiteral("Command2"));
    QCOMPARE(cancel->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    QCOMPARE(dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->text(),
             QStringLiteral("変更"));
    QTest::mouseClick(cancel, Qt::LeftButton);
    QTRY_VERIFY(!openEditor());
    QVERIFY(window_->document().model() == before);
    QVERIFY(!window_->document().modified());
    QVERIFY(dialogs_->messages.isEmpty());
}

void TestEditors::equipmentEditorKeepsTheGridAsArranged()
{
    open({"B", "A", "C", "A"});
    BaselineGridView* grid = window_->grid();
    clickHeader(grid->horizontalHeader(), GridColumn::Session);
    clickCell(grid, 0, GridColumn::SW); // baseline 2 off
    window_->menuItem("miDispTime1")->trigger();
    const QStringList order = column(*window_, GridColumn::No);
    const QStringList switches = column(*window_, GridColumn::SW);
    const QStringList times = column(*window_, GridColumn::StartTime);
    QCOMPARE(order, (QStringList{"2", "4", "1", "3"}));
    QCOMPARE(times.first(), QStringLiteral("05/01/01 05:00:00"));

    window_->menuItem("miReceiverName")->trigger();
    EquipmentDialog* editor = window_->equipmentEditor();
    QVERIFY(editor);
    QCOMPARE(items(editor->valueList()), (QStringList{"R1", "R0"}));
    QCOMPARE(editor->valueList()->currentIndex(), -1);
    editor->valueList()->setCurrentIndex(1);
    type(editor->newValueBox(), QStringLiteral("ﾄﾘﾝﾌﾞﾙ R8"));
    QTest::mouseClick(editor->changeButton(), Qt::LeftButton);
    QTRY_VERIFY(!window_->equipmentEditor());

    // Baselines 2 and 4 had R0 at both ends; the rows keep their order, switches and
    // time view.
    const QString r8 = QStringLiteral("ﾄﾘﾝﾌﾞﾙ R8");
    QCOMPARE(column(*window_, GridColumn::StartReceiverName), (QStringList{r8, r8, "R1", "R1"}));
    QCOMPARE(column(*window_, GridColumn::EndReceiverName), (QStringList{r8, r8, "R1", "R1"}));
    QCOMPARE(column(*window_, GridColumn::No), order);
    QCOMPARE(column(*window_, GridColumn::SW), switches);
    QCOMPARE(column(*window_, GridColumn::StartTime), times);
    QVERIFY(window_->document().modified());
}

void TestEditors::equipmentEditorIsOneDialogForFourFields()
{
    open({"1", "2"});
    window_->grid()->setFocus();
    QTest::keyClick(window_->grid(), Qt::Key_F11, Qt::ControlModifier);
    EquipmentDialog* editor = window_->equipmentEditor();
    QVERIFY(editor);
    QCOMPARE(items(editor->valueList()), (QStringList{"N1", "N2"}));
    QTest::keyClicks(editor->newValueBox(), QStringLiteral("typed"));

    // Another equipment command retitles and refills the open dialog from the top; its
    // "変更" then changes the field of the new title.
    window_->menuItem("miAntennaType")->trigger();
    QCOMPARE(window_->equipmentEditor(), editor);
    QCOMPARE(editor->windowTitle(), QStringLiteral("ｱﾝﾃﾅﾀｲﾌﾟ編集"));
    QCOMPARE(items(editor->valueList()), QStringList{"A"});
    QCOMPARE(editor->newValue(), QString());

    editor->valueList()->setCurrentIndex(0);
    QTest::keyClicks(editor->newValueBox(), QStringLiteral("a"));
    QTest::mouseClick(editor->changeButton(), Qt::LeftButton);
    QCOMPARE(column(*window_, GridColumn::StartAntennaName), (QStringList{"a", "a"}));
    QCOMPARE(column(*window_, GridColumn::EndAntennaName), (QStringList{"a", "a"}));
    QCOMPARE(column(*window_, GridColumn::StartReceiverSN), (QStringList{"N1", "N1"}));

    // Ctrl+F12: the antenna serials, both ends.
    QTest::keyClick(window_->grid(), Qt::Key_F12, Qt::ControlModifier);
    editor = window_->equipmentEditor();
    QVERIFY(editor);
    QCOMPARE(editor->windowTitle(), QStringLiteral("ｱﾝﾃﾅ番号編集"));
    editor->valueList()->setCurrentIndex(0);
    QTest::keyClicks(editor->newValueBox(), QStringLiteral("S/N 7"));
    QTest::mouseClick(editor->changeButton(), Qt::LeftButton);
    QCOMPARE(column(*window_, GridColumn::StartAntennaSN), (QStringList{"S/N 7", "S/N 7"}));
    QCOMPARE(column(*window_, GridColumn::EndAntennaSN), (QStringList{"S/N 7", "S/N 7"}));
}

void TestEditors::pointEditorNumberAndName()
{
    open({"1", "2", "3"});
    // Baseline 3 ends where baseline 1 starts, under another name.
    window_->document().UpdatePointName("E3", "S1");
    window_->menuItem("miPointName")->trigger();
    PointDialog* editor = window_->pointEditor();
    QVERIFY(editor);
    QCOMPARE(items(editor->numberList()), (QStringList{"S1", "E1", "S2", "E2", "S3"}));
    editor->numberList()->setCurrentIndex(3);
    QCOMPARE(editor->nameLabel()->text(), QStringLiteral("終2"));
    editor->numberList()->setCurrentIndex(0);

    QVERIFY(!editor->newNumberBox()->isEnabled());
    QVERIFY(!editor->newNameBox()->isEnabled());
    QTest::mouseClick(editor->numberCheck(), Qt::LeftButton);
    QVERIFY(editor->newNumberBox()->isEnabled());
    QTRY_VERIFY(editor->newNumberBox()->hasFocus());
    QTest::keyClicks(editor->newNumberBox(), QStringLiteral("K-0001-99")); // 8 at most
    QTest::mouseClick(editor->nameCheck(), Qt::LeftButton);
    type(editor->newNameBox(), QStringLiteral("ｶﾞｯｺｳﾉｷﾀﾉｵｶﾉｳｴﾉﾃﾝ")); // 16 at most
    QTest::mouseClick(editor->changeButton(), Qt::LeftButton);
    QTRY_VERIFY(!window_->pointEditor());

    // Both the number and the name of the chosen point, at every end that shows it.
    const QString number = QStringLiteral("K-0001-9");
    const QString name = QStringLiteral("ｶﾞｯｺｳﾉｷﾀﾉｵｶﾉｳｴﾉﾃ");
    QCOMPARE(column(*window_, GridColumn::StartPointName), (QStringList{number, "S2", "S3"}));
    QCOMPARE(column(*window_, GridColumn::StartPtCode), (QStringList{name, "始2", "始3"}));
    QCOMPARE(column(*window_, GridColumn::EndPointName), (QStringList{"E1", "E2", number}));
    QCOMPARE(column(*window_, GridColumn::EndPtCode), (QStringList{"終1", "終2", name}));

    // Unchecking a box leaves its field alone even with text in it.
    window_->menuItem("miPointName")->trigger();
    editor = window_->pointEditor();
    QVERIFY(!editor->numberCheck()->isChecked());
    QVERIFY(editor->newNameBox()->text().isEmpty());
    editor->numberList()->setCurrentIndex(items(editor->numberList()).indexOf("S2"));
    editor->numberCheck()->setChecked(true);
    QTest::keyClicks(editor->newNumberBox(), QStringLiteral("Z"));
    editor->numberCheck()->setChecked(false);
    QVERIFY(!editor->newNumberBox()->isEnabled());
    editor->nameCheck()->setChecked(true);
    type(editor->newNameBox(), QStringLiteral("二"));
    QTest::mouseClick(editor->changeButton(), Qt::LeftButton);
    QCOMPARE(column(*window_, GridColumn::StartPointName), (QStringList{number, "S2", "S3"}));
    QCOMPARE(column(*window_, GridColumn::StartPtCode), (QStringList{name, "二", "始3"}));
}

void TestEditors::sessionEditorOverUpwardSelectionAfterSort()
{
    open({"E", "A", "D", "B", "C", "A"});
    BaselineGridView* grid = window_->grid();
    clickHeader(grid->horizontalHeader(), GridColumn::Session);
    QCOMPARE(column(*window_, GridColumn::No), (QStringList{"2", "6", "4", "5", "3", "1"}));

    // Rows 5 to 3 of the session column, dragged upwards: baselines 3, 5 and 4.
    clickCell(grid, 4, GridColumn::Session);
    QTest::keyClick(grid, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Up, Qt::ShiftModifier);
    window_->menuItem("miSession")->trigger();
    SessionNameDialog* editor = window_->sessionEditor();
    QVERIFY(editor);
    // The name of the block's first row.
    QCOMPARE(editor->currentName(), QStringLiteral("B"));
    QVERIFY(editor->currentNameBox()->isReadOnly());
    QCOMPARE(window_->sessionBeingRenamed(), QStringLiteral("B"));
    QCOMPARE(editor->newName(), QString());

    type(editor->newNameBox(), QStringLiteral("ｾｯｼｮﾝ2"));
    QTest::mouseClick(editor->changeButton(), Qt::LeftButton);
    QTRY_VERIFY(!window_->sessionEditor());
    QCOMPARE(window_->sessionBeingRenamed(), QStringLiteral("ｾｯｼｮﾝ2"));
    const QString s2 = QStringLiteral("ｾｯｼｮﾝ2");
    QCOMPARE(column(*window_, GridColumn::Session), (QStringList{"A", "A", s2, s2, s2, "E"}));
    QCOMPARE(column(*window_, GridColumn::No), (QStringList{"2", "6", "4", "5", "3", "1"}));
    QStringList sessions;
    for (int b = 1; b <= 6; ++b)
        sessions << window_->document().model().baselines[b].session;
    // The other baseline named A stays A: the editor works on rows, not on names.
    QCOMPARE(sessions, (QStringList{"E", "A", s2, s2, s2, "A"}));
    QVERIFY(window_->document().modified());
}

void TestEditors::sessionSelectionShapes_data()
{
    QTest::addColumn<int>("startColumn");
    QTest::addColumn<int>("rightSteps"); // Shift+Right from there, negative for Left
    QTest::addColumn<bool>("accepted");

    QTest::newRow("session column") << 2 << 0 << true;
    QTest::newRow("from session into others") << 2 << 4 << true;
    QTest::newRow("switch to 16") << 1 << 15 << true;
    QTest::newRow("whole rows, switch to 19") << 1 << 18 << true;
    QTest::newRow("switch to 15") << 1 << 14 << false;
    QTest::newRow("ending in the session column") << 6 << -4 << false;
    QTest::newRow("point column") << 5 << 0 << false;
}

void TestEditors::sessionSelectionShapes()
{
    QFETCH(int, startColumn);
    QFETCH(int, rightSteps);
    QFETCH(bool, accepted);
    open({"1", "2", "3"});
    BaselineGridView* grid = window_->grid();
    clickCell(grid, 0, startColumn);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    for (int i = 0; i < std::abs(rightSteps); ++i)
        QTest::keyClick(grid, rightSteps > 0 ? Qt::Key_Right : Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(grid->currentIndex().column(), startColumn + rightSteps);

    window_->menuItem("miSession")->trigger();
    if (!accepted) {
        QVERIFY(!window_->sessionEditor());
        QCOMPARE(dialogs_->messages.size(), 1);
        QCOMPARE(dialogs_->messages[0].message, QStringLiteral("変更するセルを選択してください"));
        QCOMPARE(dialogs_->messages[0].severity, Outcome::Severity::Warning);
        return;
    }
    QVERIFY(dialogs_->messages.isEmpty());
    SessionNameDialog* editor = window_->sessionEditor();
    QVERIFY(editor && editor->isVisible());
    QTest::keyClicks(editor->newNameBox(), QStringLiteral("N"));
    QTest::mouseClick(editor->changeButton(), Qt::LeftButton);
    QCOMPARE(column(*window_, GridColumn::Session), (QStringList{"N", "N", "3"}));
}

void TestEditors::sessionEditorRefusesEmptyName()
{
    open({"1", "2"});
    clickCell(window_->grid(), 1, GridColumn::Session);
    window_->menuItem("miSession")->trigger();
    SessionNameDialog* editor = window_->sessionEditor();
    QVERIFY(editor);

    QTest::mouseClick(editor->changeButton(), Qt::LeftButton);
    QCOMPARE(dialogs_->messages.size(), 1);
    QCOMPARE(dialogs_->messages[0].message, QStringLiteral("変換後の名称を入力して下さい"));
    QVERIFY(editor->isVisible());
    QCOMPARE(column(*window_, GridColumn::Session), (QStringList{"1", "2"}));
    QVERIFY(!window_->document().modified());

    QTest::mouseClick(editor->cancelButton(), Qt::LeftButton);
    QTRY_VERIFY(!window_->sessionEditor());
    QCOMPARE(window_->sessionBeingRenamed(), QString());
    QVERIFY(!window_->document().modified());
}

void TestEditors::sessionEditorOverRowsChosenByNumber()
{
    open({"E", "A", "D", "B", "C"});
    BaselineGridView* grid = window_->grid();
    clickHeader(grid->horizontalHeader(), GridColumn::Session);
    QCOMPARE(column(*window_, GridColumn::No), (QStringList{"2", "4", "5", "3", "1"}));

    // Whole rows 4 to 2, dragged up the "No" column.
    gridmouse::drag(grid->fixedColumnView(), 3, GridColumn::No, 1, GridColumn::No);
    window_->menuItem("miSession")->trigger();
    QVERIFY(dialogs_->messages.isEmpty());
    SessionNameDialog* editor = window_->sessionEditor();
    QVERIFY(editor);
    QCOMPARE(editor->currentName(), QStringLiteral("B"));
    type(editor->newNameBox(), QStringLiteral("W"));
    QTest::mouseClick(editor->changeButton(), Qt::LeftButton);
    QCOMPARE(column(*window_, GridColumn::Session), (QStringList{"A", "W", "W", "W", "E"}));
    QCOMPARE(window_->document().model().baselines[3].session, QStringLiteral("W"));
    QCOMPARE(window_->document().model().baselines[2].session, QStringLiteral("A"));
}

void TestEditors::nothingChosenChangesNothing_data()
{
    QTest::addColumn<QString>("item");
    QTest::newRow("point") << "miPointName";
    QTest::newRow("receiver name") << "miReceiverName";
    QTest::newRow("receiver serial") << "miReceiverSN";
    QTest::newRow("antenna type") << "miAntennaType";
    QTest::newRow("antenna serial") << "miAntennaSN";
}

void TestEditors::nothingChosenChangesNothing()
{
    QFETCH(QString, item);
    // The second set-up holds empty values, which an empty choice would match.
    ProjectModel m = modelOf({"1", "2"});
    m.occupations[2] = OccupationRecord{};
    window_->document().adoptImported(m, "/x/survey.xml");
    window_->grid()->setFocus();
    const ProjectModel before = window_->document().model();

    openCommand(item);
    QDialog* editor = openEditor();
    QVERIFY(editor);
    auto* list = editor->findChild<QComboBox*>(QStringLiteral("Combo1"));
    QVERIFY(list->count() >= 2);
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(list->currentText(), QString());
    if (auto* point = qobject_cast<PointDialog*>(editor)) {
        QCOMPARE(point->nameLabel()->text(), QString());
        point->numberCheck()->setChecked(true);
        type(point->newNumberBox(), QStringLiteral("N"));
        point->nameCheck()->setChecked(true);
        type(point->newNameBox(), QStringLiteral("名"));
    } else {
        type(editor->findChild<QLineEdit*>(QStringLiteral("Text1")), QStringLiteral("new"));
    }
    QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QTRY_VERIFY(!openEditor());

    QVERIFY(window_->document().model() == before);
    // Nothing matched, yet the user confirmed a change, as with a value no set-up holds.
    QVERIFY(window_->document().modified());
}

void TestEditors::editorsFollowAReplacedProject()
{
    open({"1", "2", "3"});
    BaselineGridView* grid = window_->grid();
    clickCell(grid, 1, GridColumn::Session);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    window_->menuItem("miSession")->trigger();
    QTest::keyClick(grid, Qt::Key_F1, Qt::ControlModifier);
    window_->menuItem("miPointName")->trigger();
    window_->menuItem("miReceiverName")->trigger();
    QTest::keyClick(grid, Qt::Key_F2, Qt::ControlModifier);
    window_->menuItem("miCellEdit")->trigger();
    for (QDialog* d : std::initializer_list<QDialog*>{window_->sessionEditor(), window_->commonEditor(),
                                                      window_->pointEditor(), window_->equipmentEditor(),
                                                      window_->cellEditor()})
        QVERIFY(d && d->isVisible());

    // Another project, of other sessions, points, receivers and common data.
    ProjectModel other = modelOf({"X", "Y", "Z", "W"});
    for (int i = 1; i <= other.occupationCount(); ++i) {
        other.occupations[i].pointName = QStringLiteral("P%1").arg(i);
        other.occupations[i].receiverName = QStringLiteral("Q%1").arg(i % 3);
    }
    for (int b = 1; b <= other.baselineCount(); ++b)
        other.baselines[b].minElevation = QStringLiteral("10");
    other.common = {.interval = "15", .minSVs = "5", .ephType = "精密暦", .daen = "ﾍﾞｯｾﾙ"};
    window_->document().adoptImported(other, "/x/other.xml");
    const ProjectModel replaced = window_->document().model();
    // The cell editor's text came from a cell of the old project; no cell is chosen now.
    QTRY_VERIFY(!window_->cellEditor());

    QCOMPARE(window_->sessionEditor()->currentName(), QStringLiteral("Y"));
    QCOMPARE(window_->sessionBeingRenamed(), QStringLiteral("Y"));
    CommonDataDialog* common = window_->commonEditor();
    QCOMPARE(common->intervalBox()->text(), QStringLiteral("15"));
    QCOMPARE(common->elevationBox()->text(), QStringLiteral("10"));
    QCOMPARE(common->ephemerisBox()->text(), QStringLiteral("精密暦"));
    QCOMPARE(common->ellipsoidBox()->text(), QStringLiteral("ﾍﾞｯｾﾙ"));
    QCOMPARE(items(window_->pointEditor()->numberList()),
             (QStringList{"P1", "P2", "P3", "P4", "P5", "P6", "P7", "P8"}));
    EquipmentDialog* equipment = window_->equipmentEditor();
    QCOMPARE(equipment->windowTitle(), QStringLiteral("受信機名称編集"));
    QCOMPARE(items(equipment->valueList()), (QStringList{"Q1", "Q2", "Q0"}));

    // The common data shown is the new project's: "変更" as it stands changes nothing.
    QTest::mouseClick(common->changeButton(), Qt::LeftButton);
    QVERIFY(window_->document().model() == replaced);
    // The session editor renames the rows of the block in the new project.
    type(window_->sessionEditor()->newNameBox(), QStringLiteral("V"));
    QTest::mouseClick(window_->sessionEditor()->changeButton(), Qt::LeftButton);
    QCOMPARE(column(*window_, GridColumn::Session), (QStringList{"X", "V", "V", "W"}));

    // A project without baselines closes them: they do not open on one either.
    window_->menuItem("miPointName")->trigger();
    window_->document().adoptImported(ProjectModel{}, "/x/empty.xml");
    QTRY_VERIFY(!openEditor());
    QTRY_VERIFY(window_->findChildren<QDialog*>().isEmpty());
}

void TestEditors::editorsFollowUndoAndRedo()
{
    open({"1", "2", "3"});
    Document& document = window_->document();
    document.UpdatePoint("S1", QStringLiteral("K1"), QStringLiteral("新1"));
    document.UpdateReceiverName("R1", "T1");
    document.UpdateCommonData({.interval = "15", .minElevation = "10", .ephType = "精密暦",
                               .daen = "ﾍﾞｯｾﾙ"});
    document.ChangeSessionData({2}, "B");
    const int edits = document.undoStack().count();
    QCOMPARE(edits, 4);

    // Every editor open at once over the edited project, each with a choice or typing.
    BaselineGridView* grid = window_->grid();
    clickCell(grid, 1, GridColumn::Session);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    window_->menuItem("miSession")->trigger();
    SessionNameDialog* session = window_->sessionEditor();
    QCOMPARE(session->currentName(), QStringLiteral("B"));
    type(session->newNameBox(), QStringLiteral("V"));

    QTest::keyClick(grid, Qt::Key_F2, Qt::ControlModifier);
    clickCell(grid, 2, GridColumn::StartReceiverName);
    window_->menuItem("miCellEdit")->trigger();
    CellEditDialog* cell = window_->cellEditor();
    QCOMPARE(cell->text(), QStringLiteral("T1"));

    QTest::keyClick(grid, Qt::Key_F1, Qt::ControlModifier);
    CommonDataDialog* common = window_->commonEditor();
    QCOMPARE(common->intervalBox()->text(), QStringLiteral("15"));
    common->ellipsoidBox()->clear();
    type(common->ellipsoidBox(), QStringLiteral("ｸﾗｰｸ"));

    window_->menuItem("miPointName")->trigger();
    PointDialog* point = window_->pointEditor();
    QCOMPARE(items(point->numberList()), (QStringList{"K1", "E1", "S2", "E2", "S3", "E3"}));
    point->numberList()->setCurrentIndex(0);
    point->numberCheck()->setChecked(true);
    type(point->newNumberBox(), QStringLiteral("N9"));

    window_->menuItem("miReceiverName")->trigger();
    EquipmentDialog* equipment = window_->equipmentEditor();
    QCOMPARE(items(equipment->valueList()), (QStringList{"T1", "R0"}));
    equipment->valueList()->setCurrentIndex(1);
    type(equipment->newValueBox(), QStringLiteral("new"));

    QAction* undo = window_->menuItem("miUndo");
    for (int i = 0; i < edits; ++i)
        undo->trigger();
    QVERIFY(!document.modified());

    QCOMPARE(session->currentName(), QStringLiteral("2"));
    QCOMPARE(window_->sessionBeingRenamed(), QStringLiteral("2"));
    QCOMPARE(session->newName(), QStringLiteral("V"));
    QCOMPARE(cell->text(), QStringLiteral("R1"));
    // Boxes left alone show the restored texts; the typed one keeps its typing, and the
    // interval box still showing its fill gives back the stored text, unrounded.
    QCOMPARE(common->intervalBox()->text(), QStringLiteral("30"));
    QCOMPARE(common->ephemerisBox()->text(), QStringLiteral("放送暦"));
    QCOMPARE(common->ellipsoidBox()->text(), QStringLiteral("ｸﾗｰｸ"));
    QCOMPARE(common->values(), (CommonDataEdit{.interval = "30.0", .minElevation = "0",
                                               .ephType = "放送暦", .daen = "ｸﾗｰｸ"}));
    // K1 is gone: nothing is chosen, as on a fresh open, but the typing stays.
    QCOMPARE(items(point->numberList()), (QStringList{"S1", "E1", "S2", "E2", "S3", "E3"}));
    QCOMPARE(point->chosenNumber(), std::nullopt);
    QCOMPARE(point->nameLabel()->text(), QString());
    QCOMPARE(point->newNumber(), std::optional<QString>(QStringLiteral("N9")));
    QCOMPARE(items(equipment->valueList()), (QStringList{"R1", "R0"}));
    QCOMPARE(equipment->chosenValue(), std::optional<QString>(QStringLiteral("R0")));
    QCOMPARE(equipment->newValue(), QStringLiteral("new"));

    point->numberList()->setCurrentIndex(0);
    QCOMPARE(point->nameLabel()->text(), QStringLiteral("始1"));

    QAction* redo = window_->menuItem("miRedo");
    for (int i = 0; i < edits; ++i)
        redo->trigger();
    QCOMPARE(session->currentName(), QStringLiteral("B"));
    QCOMPARE(window_->sessionBeingRenamed(), QStringLiteral("B"));
    QCOMPARE(cell->text(), QStringLiteral("T1"));
    QCOMPARE(common->intervalBox()->text(), QStringLiteral("15"));
    QCOMPARE(common->elevationBox()->text(), QStringLiteral("10"));
    QCOMPARE(common->ellipsoidBox()->text(), QStringLiteral("ｸﾗｰｸ"));
    QCOMPARE(items(point->numberList()), (QStringList{"K1", "E1", "S2", "E2", "S3", "E3"}));
    QCOMPARE(point->chosenNumber(), std::nullopt); // S1 is K1 again
    QCOMPARE(point->nameLabel()->text(), QString());
    QCOMPARE(items(equipment->valueList()), (QStringList{"T1", "R0"}));
    QCOMPARE(equipment->chosenValue(), std::optional<QString>(QStringLiteral("R0")));

    // A typed cell text is the user's, whatever an undo does to the cell.
    type(cell->textBox(), QStringLiteral("X")); // over the selected text
    undo->trigger();
    QCOMPARE(cell->text(), QStringLiteral("X"));
    // All editors still open: an undo closes none of them.
    for (QDialog* d : std::initializer_list<QDialog*>{session, cell, common, point, equipment})
        QVERIFY(d->isVisible());
}

void TestEditors::commonEditorFromCtrlF1()
{
    open({"1", "2"});
    QTest::keyClick(window_->grid(), Qt::Key_F1, Qt::ControlModifier);
    CommonDataDialog* editor = window_->commonEditor();
    QVERIFY(editor);
    // 30.0 shows as 30, the mask 0 of baseline 1 as an empty box.
    QCOMPARE(editor->intervalBox()->text(), QStringLiteral("30"));
    QCOMPARE(editor->elevationBox()->text(), QString());
    QCOMPARE(editor->ephemerisBox()->text(), QStringLiteral("放送暦"));
    QCOMPARE(editor->ellipsoidBox()->text(), QStringLiteral("GRS80"));
    QTest::keyClicks(editor->elevationBox(), QStringLiteral("1050"));
    QCOMPARE(editor->elevationBox()->text(), QStringLiteral("105"));
    editor->ellipsoidBox()->clear();
    type(editor->ellipsoidBox(), QStringLiteral("ﾍﾞｯｾﾙ"));
    QTest::mouseClick(editor->changeButton(), Qt::LeftButton);
    QTRY_VERIFY(!window_->commonEditor());

    const ProjectModel& m = window_->document().model();
    QCOMPARE(m.common.interval, QStringLiteral("30.0")); // untouched, not rounded
    QCOMPARE(m.baselines[1].minElevation, QStringLiteral("105"));
    QCOMPARE(m.baselines[2].minElevation, QStringLiteral("105"));
    QCOMPARE(m.common.daen, QStringLiteral("ﾍﾞｯｾﾙ"));
    QVERIFY(window_->document().modified());

    // A stored interval longer than the box's limit is shown whole, not cut to it.
    window_->document().UpdateCommonData({.interval = "120", .minElevation = "15"});
    QTest::keyClick(window_->grid(), Qt::Key_F1, Qt::ControlModifier);
    editor = window_->commonEditor();
    QCOMPARE(editor->intervalBox()->text(), QStringLiteral("120"));
    QTest::mouseClick(editor->cancelButton(), Qt::LeftButton);
    QCOMPARE(window_->document().model().common.interval, QStringLiteral("120"));
}

QTEST_MAIN(TestEditors)
#include "tst_editors.moc"
