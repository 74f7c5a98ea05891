#include "fakeuserdialogs.h"
#include "gridmouse.h"
#include "modelbuilder.h"
#include "grid/baselinegridmodel.h"
#include "grid/baselinegridview.h"
#include "grid/celleditdialog.h"
#include "grid/gridcolumns.h"
#include "shell/mainwindow.h"
#include "shell/aboutdialog.h"
#include "shell/checkswindow.h"
#include "shell/diagramwindow.h"

#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QSignalSpy>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString smallSurvey = QStringLiteral(TEST_DATA_DIR "/small-survey.xml");

// One baseline per entry, from S<row> with receiver R<row> to E<row>, each end with a
// set-up of its own.
ProjectModel modelOf(const QStringList& sessions, const QStringList& startTimes = {})
{
    ModelBuilder b;
    for (int i = 1; i <= sessions.size(); ++i) {
        const QString time = i <= startTimes.size() ? startTimes[i - 1] : QString();
        b.baseline(QStringLiteral("S%1").arg(i), QStringLiteral("E%1").arg(i),
                   {.session = sessions[i - 1], .startTime = time, .endTime = time},
                   {.receiverName = QStringLiteral("R%1").arg(i)}, {});
    }
    return b.build();
}

QStringList column(const MainWindow& w, int c)
{
    QStringList texts;
    for (int r = 0; r < w.gridModel()->rowCount(); ++r)
        texts << w.gridModel()->index(r, c).data().toString();
    return texts;
}

QPoint cellCentre(BaselineGridView* grid, int row, int col)
{
    return grid->visualRect(grid->model()->index(row, col)).center();
}

void clickCell(BaselineGridView* grid, int row, int col, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(grid->viewport(), button, {}, cellCentre(grid, row, col));
}

void clickHeader(QHeaderView* header, int section, Qt::MouseButton button = Qt::LeftButton)
{
    const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), button, {}, at);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void menuTree_data();
    void menuTree();
    void opensExchangeFileWithNameTable();
    void opensProjectFileAndRefusesBadOnes();
    void saveQuestionCancelPaths();
    void switchColumn();
    void sortingFromTheHeader();
    void timeViewAcrossMidnight();
    void columnHideShowAcrossReopen();
    void cellEditOverBlockSelectedUpwards();
    void cellEditFromTheBlockStart_data();
    void cellEditFromTheBlockStart();
    void functionKeysNeedCtrl();
    void aboutBoxOpensOnce();
    void undoAndRedoFromTheMenuAndKeys();
    void checksAndDiagramFollowTheGrid();

private:
    std::unique_ptr<QTemporaryDir> programDir_;
    std::unique_ptr<FakeUserDialogs> dialogs_;
    std::unique_ptr<MainWindow> window_;
};

void TestMainWindow::init()
{
    programDir_ = std::make_unique<QTemporaryDir>();
    QFile table(programDir_->filePath("ChangeName.ini"));
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write("// sessions of the field crew\r\nSS,1,A1\r\nRN,R2,RX\r\n");
    table.close();
    dialogs_ = std::make_unique<FakeUserDialogs>();
    window_ = std::make_unique<MainWindow>(programDir_->path(), QStringLiteral("山田"), *dialogs_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void TestMainWindow::cleanup()
{
    window_.reset();
    dialogs_.reset();
    programDir_.reset();
}

void TestMainWindow::menuTree_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("visible");

    const QList<std::tuple<const char*, const char*, bool>> items{
        {"miOpen", "開く(&O)", true},
        {"miUpdate", "上書き保存(&V)", true},
        {"miNamed", "名前を付けて保存(&E)", true},
        {"miEnd", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", true},
        {"miCommon", "共通ﾃﾞｰﾀ編集", false},
        {"miSession", "ｾｯｼｮﾝ名編集(&S)", true},
        {"miPointName", "点名編集(&P)", true},
        {"miReceiverName", "受信機名称編集(&R)", true},
        {"miReceiverSN", "受信機番号編集", false},
        {"miAntennaType", "ｱﾝﾃﾅﾀｲﾌﾟ編集(&A)", true},
        {"miAntennaSN", "ｱﾝﾃﾅ番号編集", false},
        {"miCell", "セル編集", false},
        {"miDisp0", "No", false},
        {"miDisp3", "開始日時", true},
        {"miDisp19", "解析ﾓｰﾄﾞ", true},
        {"miSyuboSession", "ｾｯｼｮﾝを考慮して出力", true},
        {"miSyuboAll", "全て出力", true},
        {"miKibo", "GPS測量観測記簿(&K)", true},
        {"miChecks", "点検計算(&C)", true},
        {"miDiagram", "観測図(&D)", true},
        {"miTenkenKatei", "点検計算書（仮定網）", true},
        {"miTenkenTyoufuku", "点検計算書（重複基線較差）", true},
        {"miTenkenKanheigou", "点検計算書（環閉合）", true},
        {"miTenkenDensi", "点検計算書（電子基準点）", true},
        {"miSeido", "精度管理表", true},
        {"miSeidoTenken", "精度管理計算書（点検測量）", true},
        {"miSeidoKatei", "精度管理計算書（仮定・実用_偏差）", true},
        {"miKijuntenSeika", "基準点成果表", true},
        {"miSuutiSeika", "数値成果ファイル出力", true},
        {"AllOn", "全○", true},
        {"AllOff", "全×", true},
        {"miDispTime0", "UTC", true},
        {"miDispTime1", "UTC+09:00(日本）", true},
        {"miCellEdit", "編集", true},
        {"miVersion", "ﾊﾞｰｼﾞｮﾝ情報(&A)", true},
    };
    for (const auto& [name, caption, visible] : items)
        QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(caption) << visible;
}

void TestMainWindow::menuTree()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, visible);
    QAction* item = window_->menuItem(name);
    QVERIFY(item);
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->isVisible(), visible);

    // The menu bar shows six menus; the three popups of the grid are not among them.
    QStringList bar;
    for (QAction* a : window_->menuBar()->actions())
        bar << a->text();
    QCOMPARE(bar, (QStringList{"ﾌｧｲﾙ(&F)", "ﾃﾞｰﾀ編集(&E)", "表示(&V)", "帳票出力(&P)", "成果出力(&A)",
                               "ﾍﾙﾌﾟ(&H)"}));
    QCOMPARE(window_->menu("miSyubo")->title(), QStringLiteral("GPS測量観測手簿(&S)"));
    QVERIFY(window_->menuItem("miDisp5")->isChecked());
    QVERIFY(window_->menuItem("miDispTime0")->isChecked());
    QVERIFY(!window_->menuItem("miDispTime1")->isChecked());
}

void TestMainWindow::opensExchangeFileWithNameTable()
{
    QCOMPARE(window_->windowTitle(), QStringLiteral("Bemsol Ver1.21"));
    QCOMPARE(window_->gridModel()->rowCount(), 0);

    dialogs_->openAnswers = {smallSurvey};
    window_->menuItem("miOpen")->trigger();

    QCOMPARE(dialogs_->openAsked, 1);
    QCOMPARE(dialogs_->saveQuestionAsked, 0); // nothing was changed
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(window_->windowTitle(), QStringLiteral("Bemsol Ver1.21 - ") + smallSurvey);
    QCOMPARE(column(*window_, GridColumn::No), (QStringList{"1", "2", "3"}));
    QCOMPARE(column(*window_, GridColumn::SW), (QStringList{"○", "○", "○"}));
    // ChangeName.ini beside the program was read at start and applied to the import.
    QCOMPARE(column(*window_, GridColumn::Session), (QStringList{"A1", "A1", "2"}));
    QCOMPARE(column(*window_, GridColumn::EndReceiverName), (QStringList{"RX", "R3", ""}));
    QCOMPARE(column(*window_, GridColumn::StartTime),
             (QStringList{"05/01/02 01:00:00", "05/01/02 01:00:00", "05/01/02 00:59:59"}));
    QVERIFY(window_->document().notYetSaved());
    QVERIFY(!window_->document().modified());
}

void TestMainWindow::opensProjectFileAndRefusesBadOnes()
{
    QTemporaryDir dir;
    const QString project = dir.filePath("survey.dat");
    dialogs_->openAnswers = {smallSurvey};
    window_->menuItem("miOpen")->trigger();
    dialogs_->saveAnswers = {project};
    window_->menuItem("miNamed")->trigger();
    QVERIFY(QFile::exists(project));
    QCOMPARE(window_->windowTitle(), QStringLiteral("Bemsol Ver1.21 - ") + project);

    window_->document().adoptImported(modelOf({"x"}), "/elsewhere/other.xml");
    QCOMPARE(window_->gridModel()->rowCount(), 1);

    dialogs_->openAnswers = {project};
    window_->menuItem("miOpen")->trigger();
    QCOMPARE(window_->windowTitle(), QStringLiteral("Bemsol Ver1.21 - ") + project);
    QCOMPARE(window_->document().projectFileName(), project);
    QVERIFY(!window_->document().notYetSaved());
    // A project file is not converted again: the sessions are the saved ones.
    QCOMPARE(column(*window_, GridColumn::Session), (QStringList{"A1", "A1", "2"}));

    // A refused project file and a name in capitals change nothing.
    QFile bad(dir.filePath("bad.dat"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(60, 'x'));
    bad.close();
    QVERIFY(QFile::copy(smallSurvey, dir.filePath("SURVEY.XML")));
    const QString caption = window_->windowTitle();
    dialogs_->openAnswers = {dir.filePath("bad.dat"), dir.filePath("SURVEY.XML")};
    window_->menuItem("miOpen")->trigger();
    QCOMPARE(dialogs_->messages.size(), 1);
    QCOMPARE(dialogs_->messages[0].message, QStringLiteral("読込できません"));
    window_->menuItem("miOpen")->trigger();
    QCOMPARE(dialogs_->messages.size(), 1);
    QCOMPARE(window_->windowTitle(), caption);
    QCOMPARE(window_->gridModel()->rowCount(), 3);
}

void TestMainWindow::saveQuestionCancelPaths()
{
    window_->document().adoptImported(modelOf({"1", "2"}), "/x/survey.xml");
    QVERIFY(window_->document().UpdateCellData(ProjectField::StartReceiverName, {1}, "edited"));
    QVERIFY(window_->document().modified());

    // Cancel on open: no open dialog, the project stays.
    dialogs_->saveQuestionAnswers = {DocumentView::SaveAnswer::Cancel};
    dialogs_->openAnswers = {smallSurvey};
    window_->menuItem("miOpen")->trigger();
    QCOMPARE(dialogs_->saveQuestionAsked, 1);
    QCOMPARE(dialogs_->openAsked, 0);
    QCOMPARE(window_->gridModel()->rowCount(), 2);

    // Cancel on close, and Yes with the save dialog cancelled: the window stays.
    dialogs_->saveQuestionAnswers = {DocumentView::SaveAnswer::Cancel,
                                     DocumentView::SaveAnswer::Yes};
    QVERIFY(!window_->close());
    QVERIFY(!window_->close());
    QCOMPARE(dialogs_->saveAsked, 1);
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->document().model().occupations[1].receiverName, QStringLiteral("edited"));

    // No on open drops the changes; a cancelled open dialog then changes nothing.
    dialogs_->saveQuestionAnswers = {DocumentView::SaveAnswer::No};
    dialogs_->openAnswers = {QString()};
    window_->menuItem("miOpen")->trigger();
    QCOMPARE(dialogs_->openAsked, 1);
    QCOMPARE(window_->windowTitle(), QStringLiteral("Bemsol Ver1.21 - /x/survey.xml"));
    QCOMPARE(window_->gridModel()->rowCount(), 2);

    dialogs_->saveQuestionAnswers = {DocumentView::SaveAnswer::No};
    QVERIFY(window_->close());
    QVERIFY(!window_->isVisible());
}

void TestMainWindow::switchColumn()
{
    window_->document().adoptImported(modelOf({"1", "2", "3"}), "/x.xml");
    BaselineGridView* grid = window_->grid();

    clickCell(grid, 1, GridColumn::SW);
    QCOMPARE(column(*window_, GridColumn::SW), (QStringList{"○", "×", "○"}));
    clickCell(grid, 1, GridColumn::SW);
    QCOMPARE(column(*window_, GridColumn::SW), (QStringList{"○", "○", "○"}));
    clickCell(grid, 1, GridColumn::Session); // other cells only select
    QCOMPARE(column(*window_, GridColumn::SW), (QStringList{"○", "○", "○"}));

    clickHeader(grid->horizontalHeader(), GridColumn::SW, Qt::RightButton);
    QMenu* popup = window_->menu("AllSw");
    QVERIFY(popup->isVisible());
    window_->menuItem("AllOff")->trigger();
    popup->close();
    QCOMPARE(column(*window_, GridColumn::SW), (QStringList{"×", "×", "×"}));
    QVERIFY(window_->gridModel()->switchedOnBaselines().isEmpty());

    // A right click elsewhere on the header opens nothing.
    clickHeader(grid->horizontalHeader(), GridColumn::Session, Qt::RightButton);
    QVERIFY(!popup->isVisible());
    QVERIFY(!window_->menu("mnDispTime")->isVisible());
}

void TestMainWindow::sortingFromTheHeader()
{
    window_->document().adoptImported(modelOf({"A2", "A10", "A2", "B"}), "/x.xml");
    BaselineGridView* grid = window_->grid();
    clickCell(grid, 2, GridColumn::Session);
    clickCell(grid, 0, GridColumn::SW); // baseline 1 off

    clickHeader(grid->horizontalHeader(), GridColumn::Session);
    QCOMPARE(column(*window_, GridColumn::No), (QStringList{"2", "1", "3", "4"}));
    QCOMPARE(column(*window_, GridColumn::SW), (QStringList{"○", "×", "○", "○"}));
    QCOMPARE(column(*window_, GridColumn::StartPointName), (QStringList{"S2", "S1", "S3", "S4"}));

    // Clicking a column that does not sort changes nothing.
    clickHeader(grid->horizontalHeader(), GridColumn::StartPtCode);
    QCOMPARE(column(*window_, GridColumn::No), (QStringList{"2", "1", "3", "4"}));

    // "No" sits in the fixed column; its header restores the baseline order and makes
    // column 0 current.
    clickHeader(grid->fixedColumnView()->horizontalHeader(), GridColumn::No);
    QCOMPARE(column(*window_, GridColumn::No), (QStringList{"1", "2", "3", "4"}));
    QCOMPARE(column(*window_, GridColumn::SW), (QStringList{"×", "○", "○", "○"}));
    QCOMPARE(grid->currentIndex().column(), int(GridColumn::No));
}

void TestMainWindow::timeViewAcrossMidnight()
{
    const ProjectModel m = modelOf({"2", "1"}, {"2004/12/31 20:00:00", "2005/01/01 1:00:00"});
    window_->document().adoptImported(m, "/x.xml");
    BaselineGridView* grid = window_->grid();
    QCOMPARE(column(*window_, GridColumn::StartTime),
             (QStringList{"04/12/31 20:00:00", "05/01/01 01:00:00"}));

    clickHeader(grid->horizontalHeader(), GridColumn::EndTime, Qt::RightButton);
    QMenu* popup = window_->menu("mnDispTime");
    QVERIFY(popup->isVisible());
    window_->menuItem("miDispTime1")->trigger();
    popup->close();
    QVERIFY(window_->menuItem("miDispTime1")->isChecked());
    QVERIFY(!window_->menuItem("miDispTime0")->isChecked());
    QCOMPARE(column(*window_, GridColumn::StartTime),
             (QStringList{"05/01/01 05:00:00", "05/01/01 10:00:00"}));

    // Reopening keeps the checked view; sorted rows keep their own times.
    window_->document().adoptImported(m, "/x.xml");
    clickHeader(grid->horizontalHeader(), GridColumn::Session);
    QCOMPARE(column(*window_, GridColumn::EndTime),
             (QStringList{"05/01/01 10:00:00", "05/01/01 05:00:00"}));

    window_->menuItem("miDispTime0")->trigger();
    QVERIFY(window_->menuItem("miDispTime0")->isChecked());
    QVERIFY(!window_->menuItem("miDispTime1")->isChecked());
    QCOMPARE(column(*window_, GridColumn::EndTime),
             (QStringList{"05/01/01 01:00:00", "04/12/31 20:00:00"}));
}

void TestMainWindow::columnHideShowAcrossReopen()
{
    window_->document().adoptImported(modelOf({"1"}), "/x.xml");
    BaselineGridView* grid = window_->grid();
    grid->setColumnWidth(GridColumn::StartPtCode, 77);
    QAction* item = window_->menuItem("miDisp6");

    item->trigger();
    QVERIFY(!item->isChecked());
    QVERIFY(grid->isColumnHidden(GridColumn::StartPtCode));

    dialogs_->openAnswers = {smallSurvey};
    window_->menuItem("miOpen")->trigger();
    QCOMPARE(window_->gridModel()->rowCount(), 3);
    QVERIFY(grid->isColumnHidden(GridColumn::StartPtCode));
    QVERIFY(!grid->isColumnHidden(GridColumn::EndPtCode));

    item->trigger();
    QVERIFY(item->isChecked());
    QVERIFY(!grid->isColumnHidden(GridColumn::StartPtCode));
    QCOMPARE(grid->columnWidth(GridColumn::StartPtCode), 77);
}

void TestMainWindow::cellEditOverBlockSelectedUpwards()
{
    window_->document().adoptImported(modelOf({"1", "2", "3", "4", "5", "6"}), "/x.xml");
    BaselineGridView* grid = window_->grid();
    grid->setFocus();
    QMenu* popup = window_->menu("mnCellEdit");

    // Select rows 5 to 3 of the start receiver column, from the bottom up.
    clickCell(grid, 4, GridColumn::StartReceiverName);
    QTest::keyClick(grid, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(grid->currentIndex().row(), 2);
    QCOMPARE(grid->selectedRowRange(), std::make_pair(2, 4));

    // Cell-edit mode off: a right click opens nothing.
    clickCell(grid, 0, GridColumn::Session, Qt::RightButton);
    QVERIFY(!popup->isVisible());

    const QColor normal = grid->fixedCellColor();
    QTest::keyClick(grid, Qt::Key_F2, Qt::ControlModifier);
    QVERIFY(grid->cellEditMode());
    QVERIFY(grid->fixedCellColor() != normal);

    // The popup depends on the current cell, not on the clicked one, and the right click
    // leaves the selection alone.
    clickCell(grid, 0, GridColumn::Session, Qt::RightButton);
    QVERIFY(popup->isVisible());
    popup->close();
    QCOMPARE(grid->selectedRowRange(), std::make_pair(2, 4));
    QCOMPARE(grid->currentIndex().column(), int(GridColumn::StartReceiverName));

    window_->menuItem("miCellEdit")->trigger();
    CellEditDialog* editor = window_->cellEditor();
    QVERIFY(editor && editor->isVisible());
    QCOMPARE(editor->windowTitle(), QStringLiteral("編集"));
    // The text of the cell where the selection began, at the bottom of the block.
    QCOMPARE(editor->text(), QStringLiteral("R5"));
    editor->textBox()->setText(QStringLiteral("ﾄﾘﾝﾌﾞﾙ 5700"));
    QTest::mouseClick(editor->changeButton(), Qt::LeftButton);

    QCOMPARE(column(*window_, GridColumn::StartReceiverName),
             (QStringList{"R1", "R2", "ﾄﾘﾝﾌﾞﾙ 5700", "ﾄﾘﾝﾌﾞﾙ 5700", "ﾄﾘﾝﾌﾞﾙ 5700", "R6"}));
    QCOMPARE(window_->document().model().occupations[5].receiverName,
             QStringLiteral("ﾄﾘﾝﾌﾞﾙ 5700"));
    QVERIFY(window_->document().modified());
    QTRY_VERIFY(!window_->cellEditor());

    // The current column moved to a column the editor does not change while it was
    // open: neither the project nor the grid changes.
    window_->menuItem("miCellEdit")->trigger();
    editor = window_->cellEditor();
    clickCell(grid, 3, GridColumn::StartPointName);
    editor->textBox()->setText(QStringLiteral("X"));
    QTest::mouseClick(editor->changeButton(), Qt::LeftButton);
    QCOMPARE(column(*window_, GridColumn::StartPointName),
             (QStringList{"S1", "S2", "S3", "S4", "S5", "S6"}));

    // Ctrl+F2 again ends cell-edit mode.
    QTest::keyClick(grid, Qt::Key_F2, Qt::ControlModifier);
    QVERIFY(!grid->cellEditMode());
    QCOMPARE(grid->fixedCellColor(), normal);
}

void TestMainWindow::cellEditFromTheBlockStart_data()
{
    QTest::addColumn<int>("fromRow");
    QTest::addColumn<int>("fromColumn");
    QTest::addColumn<int>("toRow");
    QTest::addColumn<int>("toColumn");
    QTest::addColumn<int>("written"); // the column the editor writes; -1: no popup

    QTest::newRow("receiver to antenna serial") << 0 << 9 << 2 << 12 << 9;
    QTest::newRow("antenna serial back to receiver, upwards") << 2 << 12 << 0 << 9 << 12;
    QTest::newRow("point number into receiver") << 0 << 5 << 2 << 9 << -1;
    QTest::newRow("processing mode back to point number") << 1 << 19 << 0 << 5 << 19;
}

void TestMainWindow::cellEditFromTheBlockStart()
{
    QFETCH(int, fromRow);
    QFETCH(int, fromColumn);
    QFETCH(int, toRow);
    QFETCH(int, toColumn);
    QFETCH(int, written);
    ProjectModel m = modelOf({"1", "2", "3", "4"});
    for (int b = 1; b <= 4; ++b) {
        m.occupations[2 * b - 1].antennaSN = QStringLiteral("A%1").arg(b);
        m.baselines[b].ppMode = QStringLiteral("P%1").arg(b);
    }
    window_->document().adoptImported(m, "/x.xml");
    BaselineGridView* grid = window_->grid();
    // Columns in between hidden, so that both ends of every drag are in view.
    for (int c : {3, 4, 6, 8, 10, 11, 13, 14, 15, 16, 17, 18})
        window_->menuItem(QStringLiteral("miDisp%1").arg(c))->trigger();
    QTest::keyClick(grid, Qt::Key_F2, Qt::ControlModifier);
    QVERIFY(grid->cellEditMode());

    gridmouse::drag(grid, fromRow, fromColumn, toRow, toColumn);
    QCOMPARE(grid->currentIndex(), grid->model()->index(toRow, toColumn));

    QMenu* popup = window_->menu("mnCellEdit");
    clickCell(grid, 3, GridColumn::Session, Qt::RightButton);
    QCOMPARE(popup->isVisible(), written >= 0);
    if (written < 0)
        return;
    popup->close();

    const QList<QStringList> before{column(*window_, 9), column(*window_, 12), column(*window_, 19)};
    window_->menuItem("miCellEdit")->trigger();
    CellEditDialog* editor = window_->cellEditor();
    QVERIFY(editor);
    // The text of the cell where the drag began.
    QCOMPARE(editor->text(), column(*window_, written)[fromRow]);
    editor->textBox()->setText(QStringLiteral("new"));
    QTest::mouseClick(editor->changeButton(), Qt::LeftButton);

    const auto [top, bottom] = std::minmax(fromRow, toRow);
    for (int c : {9, 12, 19}) {
        QStringList expected = before[c == 9 ? 0 : c == 12 ? 1 : 2];
        if (c == written)
            for (int r = top; r <= bottom; ++r)
                expected[r] = QStringLiteral("new");
        QCOMPARE(column(*window_, c), expected);
    }
}

void TestMainWindow::functionKeysNeedCtrl()
{
    BaselineGridView* grid = window_->grid();
    grid->setFocus();
    QSignalSpy common(window_->menuItem("miCommon"), &QAction::triggered);
    QSignalSpy receiverSN(window_->menuItem("miReceiverSN"), &QAction::triggered);
    QSignalSpy antennaSN(window_->menuItem("miAntennaSN"), &QAction::triggered);

    QTest::keyClick(grid, Qt::Key_F1);
    QTest::keyClick(grid, Qt::Key_F2);
    QTest::keyClick(grid, Qt::Key_F11);
    QCOMPARE(common.count() + receiverSN.count() + antennaSN.count(), 0);
    QVERIFY(!grid->cellEditMode());

    QTest::keyClick(grid, Qt::Key_F1, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_F11, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_F12, Qt::ControlModifier);
    QCOMPARE(common.count(), 1);
    QCOMPARE(receiverSN.count(), 1);
    QCOMPARE(antennaSN.count(), 1);
}

void TestMainWindow::aboutBoxOpensOnce()
{
    QCOMPARE(AboutVersionText(1, 2, 0), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.20"));

    window_->menuItem("miVersion")->trigger();
    AboutDialog* about = window_->aboutBox();
    QVERIFY(about && about->isVisible());
    QVERIFY(!about->isModal());
    QCOMPARE(about->windowTitle(), QStringLiteral("Bemsolのﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(about->titleLabel()->text(), QStringLiteral("Bemsol"));
    QCOMPARE(about->versionLabel()->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.21"));
    QCOMPARE(about->userLabel()->text(), QStringLiteral("山田"));

    window_->menuItem("miVersion")->trigger();
    QCOMPARE(window_->aboutBox(), about);
    QCOMPARE(window_->findChildren<AboutDialog*>().size(), 1);

    QTest::mouseClick(about->okButton(), Qt::LeftButton);
    QTRY_VERIFY(!window_->aboutBox());
}

void TestMainWindow::undoAndRedoFromTheMenuAndKeys()
{
    window_->document().adoptImported(modelOf({"1", "2", "3"}), "/x.xml");
    QAction* undo = window_->menuItem("miUndo");
    QAction* redo = window_->menuItem("miRedo");
    QVERIFY(undo && redo);
    QVERIFY(!undo->isEnabled());

    window_->document().ChangeSessionData({2}, "B");
    QCOMPARE(column(*window_, GridColumn::Session), (QStringList{"1", "B", "3"}));
    QVERIFY(undo->isEnabled());
    QCOMPARE(undo->text(), QStringLiteral("元に戻す ｾｯｼｮﾝ名の変更"));

    // The grid shows the old text again, and the project is as it was opened.
    QSignalSpy repaint(window_->gridModel(), &QAbstractItemModel::dataChanged);
    undo->trigger();
    QCOMPARE(column(*window_, GridColumn::Session), (QStringList{"1", "2", "3"}));
    QVERIFY(!window_->document().modified());
    // Only the changed cell is repainted.
    QCOMPARE(repaint.count(), 1);
    QCOMPARE(repaint[0][0].toModelIndex(), window_->gridModel()->index(1, GridColumn::Session));
    QCOMPARE(repaint[0][1].toModelIndex(), window_->gridModel()->index(1, GridColumn::Session));

    redo->trigger();
    QCOMPARE(column(*window_, GridColumn::Session), (QStringList{"1", "B", "3"}));
    QVERIFY(window_->document().modified());

    // Ctrl+Z and Ctrl+Y from the grid.
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->grid()->setFocus();
    QTest::keyClick(window_->grid(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(column(*window_, GridColumn::Session), (QStringList{"1", "2", "3"}));
    QTest::keyClick(window_->grid(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(column(*window_, GridColumn::Session), (QStringList{"1", "B", "3"}));
}

void TestMainWindow::checksAndDiagramFollowTheGrid()
{
    window_->document().adoptImported(modelOf({"3", "1", "2"}), "/x.xml");
    window_->menuItem("miChecks")->trigger();
    auto* checks = window_->findChild<ChecksWindow*>();
    QVERIFY(checks && checks->isVisible());
    // Opened again: the same window comes forward.
    window_->menuItem("miChecks")->trigger();
    QCOMPARE(window_->findChildren<ChecksWindow*>().size(), 1);

    // Baselines chosen in the window are selected as whole rows in the grid, wherever
    // the grid's sorting has put them.
    window_->gridModel()->sortByColumnText(GridColumn::Session);
    QCOMPARE(window_->gridModel()->baselineAt(0), 2);
    const auto selectedBaselines = [this] {
        QList<int> selected;
        const QItemSelectionModel* s = window_->grid()->selectionModel();
        for (int row = 0; row < window_->gridModel()->rowCount(); ++row)
            if (s->isSelected(window_->gridModel()->index(row, GridColumn::SW)) &&
                s->isSelected(window_->gridModel()->index(row, GridColumn::PPMode)))
                selected << window_->gridModel()->baselineAt(row);
        std::sort(selected.begin(), selected.end());
        return selected;
    };
    emit checks->baselinesChosen({1, 3});
    QCOMPARE(selectedBaselines(), (QList<int>{1, 3}));

    window_->menuItem("miDiagram")->trigger();
    auto* diagram = window_->findChild<DiagramWindow*>();
    QVERIFY(diagram && diagram->isVisible());
    emit diagram->baselineChosen(2);
    QCOMPARE(selectedBaselines(), (QList<int>{2}));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
