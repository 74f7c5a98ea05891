// bench-grid: imports a generated exchange file of 32,767 baselines (the most a project
// holds) and, in the same run, times FillGrid and the sorts of the grid over it, with the
// real view attached. The import is the yardstick: rebuilding or sorting the grid should
// cost under a tenth of it. It also counts how many cells the view asks for when it
// paints after a scroll, which should be the visible ones only.
#include "benchsupport.h"
#include "exchangegenerator.h"
#include "grid/baselinegridmodel.h"
#include "grid/baselinegridview.h"
#include "grid/gridcolumns.h"
#include "import/exchangeimport.h"
#include "document/document.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>

#include <cstdio>

namespace {

// Counts the cell texts the view asks for.
class CountingGridModel : public BaselineGridModel
{
public:
    using BaselineGridModel::BaselineGridModel;
    mutable long long cellsComputed = 0;

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DisplayRole)
            ++cellsComputed;
        return BaselineGridModel::data(index, role);
    }
};

void report(const char* what, double ms, double importMs)
{
    const double share = ms / importMs;
    std::printf("%-28s best %8.2f ms  %5.3f of the import (goal < 0.100: %s)\n", what, ms, share,
                share < 0.1 ? "met" : "not met");
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = defaultBenchRuns;

    GeneratorOptions options;
    options.baselines = maxBaselineCount;
    options.seed = 2024;
    if (const QString problem = checkGeneratorOptions(options); !problem.isEmpty()) {
        std::fprintf(stderr, "bench-grid: %s\n", qPrintable(problem));
        return 2;
    }
    const QByteArray bytes = generateExchangeFile(options);

    // Each run imports into a fresh model; the last one's stays for the grid.
    ProjectModel imported;
    Outcome outcome;
    const double importMs =
        BestOf(runs, [&] { imported = {}; }, [&] { outcome = ImportExchangeBytes(bytes, imported); }).wallMs;
    if (!outcome) {
        std::fprintf(stderr, "bench-grid: the import refused the file: %s\n", qPrintable(outcome.message));
        return 1;
    }
    const int rows = imported.baselineCount();
    std::printf("input                        %d baselines, %.1f MB\n", rows,
                double(bytes.size()) / 1e6);
    std::printf("import                       best %8.2f ms of %d runs\n", importMs, runs);

    Document document;
    document.adoptImported(std::move(imported), QStringLiteral("/bench/survey.xml"));
    CountingGridModel grid(document);
    BaselineGridView view(&grid);
    view.resize(1200, 700);
    view.show();
    QApplication::processEvents();

    const double fillMs = BestOf(runs, [&] {
                              grid.FillGrid();
                              QApplication::processEvents();
                          }).wallMs;
    report("FillGrid", fillMs, importMs);

    const auto shuffle = [&] { grid.sortByColumnText(GridColumn::StartPointName); };
    report("sort by session (text)",
           BestOf(runs, shuffle, [&] { grid.sortByColumnText(GridColumn::Session); }).wallMs, importMs);
    report("sort by start time (UTC)",
           BestOf(runs, shuffle, [&] { grid.sortByColumnText(GridColumn::StartTime); }).wallMs, importMs);
    grid.setTimeView(TimeView::Japan);
    report("sort by start time (+9 h)",
           BestOf(runs, shuffle, [&] { grid.sortByColumnText(GridColumn::StartTime); }).wallMs, importMs);
    report("sort by No",
           BestOf(runs, shuffle, [&] { grid.sortByBaselineIndex(); }).wallMs, importMs);

    // Painting after a scroll to the middle asks only for what is on the screen.
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
    QApplication::processEvents();
    grid.cellsComputed = 0;
    QElapsedTimer paint;
    paint.start();
    view.grab();
    const double paintMs = double(paint.nsecsElapsed()) / 1e6;
    const long long visibleRows = view.rowAt(view.viewport()->height() - 1) - view.rowAt(0) + 1;
    std::printf("paint after scroll           %.2f ms, %lld cell texts computed for %lld visible "
                "rows of %d (%d cells in all)\n",
                paintMs, grid.cellsComputed, visibleRows, rows, rows * GridColumn::Count);
    const bool onlyVisible = grid.cellsComputed <= 2 * (visibleRows + 1) * GridColumn::Count;
    std::printf("visible cells only           %s\n", onlyVisible ? "yes" : "NO");
    return onlyVisible ? 0 : 1;
}
