// 点検計算 and 観測図: windows beside the main window that read the project and the
// grid's switches, refresh when either changes, and point back at baselines in the grid.

#include "mainwindow.h"

#include "checkswindow.h"
#include "diagramwindow.h"
#include "grid/baselinegridmodel.h"
#include "grid/baselinegridview.h"

namespace {

void bringForward(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void MainWindow::openChecks()
{
    if (!checksWindow_) {
        checksWindow_ = new ChecksWindow(
            document_, [this] { return gridModel_->switchedOffBaselines(); }, this);
        checksWindow_->setAttribute(Qt::WA_DeleteOnClose);
        // The switches belong to the grid, not to the project: the window follows both.
        connect(gridModel_, &BaselineGridModel::switchesChanged, checksWindow_, &ChecksWindow::refresh);
        connect(checksWindow_, &ChecksWindow::baselinesChosen, this, &MainWindow::selectBaselines);
    }
    bringForward(checksWindow_);
}

void MainWindow::openDiagram()
{
    if (!diagramWindow_) {
        diagramWindow_ = new DiagramWindow(
            document_, [this] { return gridModel_->switchedOffBaselines(); }, this);
        diagramWindow_->setAttribute(Qt::WA_DeleteOnClose);
        connect(gridModel_, &BaselineGridModel::switchesChanged, diagramWindow_, &DiagramWindow::refresh);
        connect(diagramWindow_, &DiagramWindow::baselineChosen, this,
                [this](int baseline) { selectBaselines({baseline}); });
    }
    bringForward(diagramWindow_);
}

void MainWindow::selectBaselines(const QList<int>& baselines)
{
    QList<int> rows;
    for (const int b : baselines)
        if (const int row = gridModel_->rowOfBaseline(b); row >= 0)
            rows << row;
    grid_->selectScatteredRows(rows);
    activateWindow();
}
