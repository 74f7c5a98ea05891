// bench-largeproject: a project of 32,767 baselines, the most a project holds, taken
// through what the window does with it: open the exchange file, fill the grid, sort it,
// fill the report database and draw the field book into a PDF file, save the project
// and open the saved file. Each step once, wall and processor time; a step of more than
// a second or two must show progress in the window and let the user cancel it.
#include "benchgenerator.h"
#include "document/document.h"
#include "exchangegenerator.h"
#include "grid/baselinegridmodel.h"
#include "grid/baselinegridview.h"
#include "grid/gridcolumns.h"
#include "project/projectfile.h"
#include "reports/outputrows.h"
#include "reports/reportdatabase.h"
#include "reports/reportjob.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

// Longer than this, a step in the window shows a progress dialog with a cancel button.
constexpr double progressThresholdMs = 1500;

[[noreturn]] void fail(const char* what, const QString& detail = {})
{
    std::fprintf(stderr, "bench-largeproject: %s %s\n", what, qPrintable(detail));
    std::exit(1);
}

void step(const char* what, const std::function<void()>& work, const char* inWindow)
{
    Timing t;
    t.measure(work);
    std::printf("%-30s %9.1f ms wall %9.1f ms cpu   %s\n", what, t.wallMs, t.cpuMs,
                t.wallMs > progressThresholdMs ? inWindow : "");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchOptions args;
    args.baselines = maxBaselineCount;
    // Baselines whose field book is drawn; all by default (one page a station).
    int formBaselines = 0;
    args.addOption("--form-baselines", &formBaselines);
    if (!args.parse(argc, argv) || formBaselines < 0) {
        std::fprintf(stderr, "usage: bench-largeproject [--baselines N] [--seed N] "
                             "[--form-baselines N]\n");
        return 2;
    }
    const GeneratorOptions options = BenchGeneratorOptions(args, "bench-largeproject");

    QTemporaryDir dir;
    const QString xml = dir.filePath(QStringLiteral("survey.xml"));
    const QString dat = dir.filePath(QStringLiteral("survey.dat"));
    const QString pdf = dir.filePath(QStringLiteral("fieldbook.pdf"));
    {
        const QByteArray bytes = generateExchangeFile(options);
        QFile file(xml);
        if (!dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            fail("cannot write", xml);
        std::printf("input                          %d baselines, %.1f MB exchange file\n",
                    args.baselines, double(bytes.size()) / 1e6);
    }

    const char* withProgress = "(over the threshold: progress and cancel in the window)";
    Document document;
    step("open exchange file", [&] {
        if (const Outcome o = document.open(xml); !o)
            fail("open:", o.message);
    }, withProgress);

    BaselineGridModel grid(document);
    BaselineGridView view(&grid);
    view.resize(1200, 700);
    view.show();
    step("fill the grid", [&] {
        grid.FillGrid();
        QApplication::processEvents();
    }, withProgress);
    step("sort by session", [&] {
        grid.sortByColumnText(GridColumn::Session);
        QApplication::processEvents();
    }, withProgress);
    step("sort by start point", [&] {
        grid.sortByColumnText(GridColumn::StartPointName);
        QApplication::processEvents();
    }, withProgress);
    grid.sortByBaselineIndex();

    ReportDatabase database;
    if (const Outcome o = database.open(dir.filePath(QStringLiteral("BMSData.db"))); !o)
        fail("report database:", o.message);
    const int printed = formBaselines > 0 ? std::min(formBaselines, document.model().baselineCount())
                                          : document.model().baselineCount();
    QList<OutputRow> rows;
    for (int row = 0; row < grid.rowCount(); ++row)
        rows.append({grid.baselineAt(row), row < printed});
    step("fill the report database", [&] {
        if (const Outcome o = FillReport(database, ReportKind::FieldBookAll, document.model(), rows); !o)
            fail("fill:", o.message);
    }, withProgress);
    int pages = 0;
    step("draw the field book into PDF", [&] {
        QPdfWriter writer(pdf);
        if (const Outcome o = RenderReport(database, ReportKind::FieldBookAll, writer, &pages); !o)
            fail("render:", o.message);
    }, withProgress);
    std::printf("                               %d pages for %d baselines, %.1f MB of PDF\n", pages,
                printed, double(QFileInfo(pdf).size()) / 1e6);

    step("save the project", [&] {
        if (const Outcome o = SaveProjectFile(document.model(), dat); !o)
            fail("save:", o.message);
    }, withProgress);
    std::printf("                               %.1f MB project file\n",
                double(QFileInfo(dat).size()) / 1e6);
    step("open the saved project", [&] {
        if (const Outcome o = document.open(dat); !o)
            fail("open:", o.message);
    }, withProgress);
    std::printf("memory                         process peak %.1f MiB\n",
                KiBToMiB(StatusKiB("VmHWM")));
    return 0;
}
