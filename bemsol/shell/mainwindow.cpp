#include "mainwindow.h"

#include "aboutdialog.h"
#include "grid/baselinegridmodel.h"
#include "grid/baselinegridview.h"
#include "grid/celleditdialog.h"
#include "grid/gridcolumns.h"
#include "grid/gridselection.h"
#include "reportpreview.h"
#include "userdialogs.h"
#include "workprogress.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

MainWindow::MainWindow(const QString& programDir, const QString& userName, UserDialogs& dialogs,
             QWidget* parent)
    : QMainWindow(parent),
      files_(FileLocations::ForProgramDir(programDir)),
      recentFiles_(ProgramSettingsPath()),
      dialogs_(dialogs),
      userName_(userName),
      gridModel_(new BaselineGridModel(document_, this)),
      grid_(new BaselineGridView(gridModel_, this))
{
    setObjectName(QStringLiteral("Form1"));
    document_.setView(this);
    loadNameTable();

    setCentralWidget(grid_); // the grid always fills the client area
    createMenus();
    resize(1000, 600);

    connect(&document_, &Document::modelReset, gridModel_, &BaselineGridModel::FillGrid);
    // After the grid: the session editor reads the refilled rows.
    connect(&document_, &Document::modelReset, this, &MainWindow::refillEditors);
    connect(&document_, &Document::projectEdited, gridModel_, &BaselineGridModel::refreshCells);
    // After the grid as well: the session and cell editors read its refreshed cells.
    connect(&document_, &Document::projectEdited, this, &MainWindow::refreshEditors);
    connect(&document_, &Document::stateChanged, this,
            [this] { setWindowTitle(document_.caption()); });
    setWindowTitle(document_.caption());

    connect(grid_, &BaselineGridView::switchMenuRequested, this,
            [this](const QPoint& at) { allSwMenu_->popup(at); });
    connect(grid_, &BaselineGridView::timeMenuRequested, this,
            [this](const QPoint& at) { dispTimeMenu_->popup(at); });
    connect(grid_, &BaselineGridView::cellEditMenuRequested, this,
            [this](const QPoint& at) { cellEditMenu_->popup(at); });
    connect(grid_, &BaselineGridView::ctrlFunctionKeyPressed, this, &MainWindow::gridFunctionKey);

    // Without a report database the program still runs; the print commands then say
    // which file could not be opened.
    reportDatabase_.openForProgram(files_);
    setUpDesktopHabits();
}

MainWindow::~MainWindow()
{
    document_.setView(nullptr);
}

void MainWindow::loadNameTable()
{
    const auto found = files_.find(QString::fromLatin1(nameTableFileName));
    // No table anywhere converts nothing.
    if (!found)
        return;
    const Result<NameTable> table = LoadNameTable(found->path);
    // An unreadable table converts nothing, like an empty one; the user is told why.
    if (!table)
        showOutcome(table.outcome());
    document_.setNameTable(table ? *table : NameTable{});
}

QAction* MainWindow::menuItem(const QString& name) const
{
    return findChild<QAction*>(name);
}

QMenu* MainWindow::menu(const QString& name) const
{
    return findChild<QMenu*>(name);
}

AboutDialog* MainWindow::aboutBox() const
{
    return about_;
}

CellEditDialog* MainWindow::cellEditor() const
{
    return cellEditor_;
}

void MainWindow::openCommand()
{
    if (!document_.querySaveChanges())
        return;
    const QString path = dialogs_.openFileName(this);
    if (path.isEmpty())
        return;
    openFile(path);
}

void MainWindow::openFile(const QString& path)
{
    // The window opens only the two kinds it knows and passes over anything else
    // without a word.
    if (!Document::isOpenable(path))
        return;
    WorkProgress progress(this, QStringLiteral("ファイルを読み込んでいます"));
    const Outcome outcome = document_.open(path, progress.callback());
    if (!outcome && !WasCancelled(outcome))
        showOutcome(outcome);
}

DocumentView::SaveAnswer MainWindow::askSaveChanges()
{
    return dialogs_.askSaveChanges(this);
}

QString MainWindow::askSaveFileName()
{
    return dialogs_.saveFileName(this);
}

void MainWindow::showOutcome(const Outcome& outcome)
{
    dialogs_.showMessage(this, outcome);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!document_.querySaveChanges()) {
        event->ignore();
        return;
    }
    if (cellEditor_)
        cellEditor_->close();
    closeEditors();
    if (about_)
        about_->close();
    saveWindowPlacement();
    // The report tables hold nothing between runs.
    reportDatabase_.ClearReportTables();
    reportDatabase_.close();
    event->accept();
}

void MainWindow::printReport(ReportKind kind)
{
    const Outcome outcome =
        ShowReportPreview(this, kind, document_, GridOutputRows(*gridModel_), reportDatabase_);
    if (!outcome)
        showOutcome(outcome);
}

void MainWindow::showAbout()
{
    // One box: a second request shows the open one again.
    if (!about_) {
        about_ = new AboutDialog(userName_, this);
        about_->setAttribute(Qt::WA_DeleteOnClose);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void MainWindow::toggleColumn(int column)
{
    miDisp_[column]->setChecked(grid_->toggleColumn(column));
}

void MainWindow::chooseTimeView(int item)
{
    for (int k = 0; k < 2; ++k)
        miDispTime_[k]->setChecked(k == item);
    gridModel_->setTimeView(item == 1 ? TimeView::Japan : TimeView::Utc);
}

void MainWindow::toggleCellEditMode()
{
    grid_->setCellEditMode(!grid_->cellEditMode());
}

void MainWindow::openCellEditor()
{
    // The cell where the block began: dragging or Shift+arrows move the current cell to
    // the far corner.
    const GridSelection block = gridSelectionOf(*grid_->selectionModel());
    if (!block.isValid())
        return;
    if (!cellEditor_) {
        cellEditor_ = new CellEditDialog(this);
        cellEditor_->setAttribute(Qt::WA_DeleteOnClose);
        connect(cellEditor_, &CellEditDialog::changeRequested, this, &MainWindow::applyCellEdit);
    }
    cellEditor_->setText(gridModel_->cellText(block.row, block.col));
    // At the place of the last press on the grid, counted from the window's corner.
    cellEditor_->move(frameGeometry().topLeft() + grid_->lastMousePosition());
    cellEditor_->show();
    cellEditor_->raise();
    cellEditor_->activateWindow();
}

void MainWindow::applyCellEdit(const QString& text)
{
    // The selection of this moment counts: the editor does not block the grid.
    const GridSelection block = gridSelectionOf(*grid_->selectionModel());
    if (!block.isValid())
        return;
    QList<int> baselines;
    baselines.reserve(block.lastRow() - block.firstRow() + 1);
    for (int row = block.firstRow(); row <= block.lastRow(); ++row)
        baselines.append(gridModel_->baselineAt(row));
    if (const std::optional<ProjectField> field = FieldOfColumn(block.col))
        document_.UpdateCellData(*field, baselines, text);
}

void MainWindow::gridFunctionKey(int key)
{
    const char* item = nullptr;
    switch (key) {
    case Qt::Key_F1: item = "miCommon"; break;
    case Qt::Key_F2: item = "miCell"; break;
    case Qt::Key_F11: item = "miReceiverSN"; break;
    case Qt::Key_F12: item = "miAntennaSN"; break;
    default: return;
    }
    if (QAction* action = menuItem(QString::fromLatin1(item)))
        action->trigger();
}
