// bench-outputs: the check workbook filled with a generated 10,000-baseline project
// (210,000 cells in "基線一覧", copied into our template) against libxlsxwriter writing
// the same cells into a new workbook. libxlsxwriter is the yardstick: a C library that
// writes nothing but new workbooks. Goal: our fill takes at most twice its time.
#include "benchsupport.h"
#include "exchangegenerator.h"
#include "import/exchangeimport.h"
#include "outputs/baselinelist.h"
#include "outputs/outputcommands.h"
#include "outputs/xlsxworkbook.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <QCoreApplication>
#include <QDataStream>
#include <QProcess>

#include <cstdio>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit();
}

// The cells for the yardstick: row, column, and the number or the text.
bool saveCells(const QString& path, const SheetRows& rows)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&f);
    for (const SheetRow& row : rows) {
        for (qsizetype c = 0; c < row.cells.size(); ++c) {
            const CellValue& v = row.cells[c];
            if (v.kind == CellValue::Kind::Empty)
                continue;
            out << quint32(row.row) << quint16(c + 1) << (v.kind == CellValue::Kind::Number);
            if (v.kind == CellValue::Kind::Number)
                out << v.number;
            else
                out << v.text;
        }
    }
    return out.status() == QDataStream::Ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    GeneratorOptions options;
    options.baselines = 10000;
    const QByteArray exchange = generateExchangeFile(options);
    ProjectModel model;
    const Outcome imported = ImportExchangeBytes(exchange, model);
    if (!imported) {
        std::fprintf(stderr, "bench-outputs: import failed: %s\n", qPrintable(imported.message));
        return 1;
    }
    const QString templatePath = QStringLiteral(SOURCE_DIR "/share/kisenkakusa.xlsx");
    QTemporaryDir dir;
    const QString oursPath = dir.filePath(QStringLiteral("ours.xlsx"));
    const QString theirsPath = dir.filePath(QStringLiteral("libxlsxwriter.xlsx"));

    // Ours, the whole command without opening: list with N/E/U, template read, sheet
    // merged, sheet activated, workbook written to disk.
    bool ok = true;
    const Timing fill = BestOf(defaultBenchRuns, [&] {
        const Result<FilledWorkbook> filled =
            FillBaselineWorkbook(templatePath, model, QStringLiteral("環閉合"), {});
        ok = ok && filled && writeFile(oursPath, filled->bytes);
    });
    // The list alone, and the cells the yardstick writes.
    SheetRows rows;
    const Timing list = BestOf(defaultBenchRuns, [&] { rows = WriteBaselineList(model).rows; });
    qsizetype cells = 0;
    for (const SheetRow& r : rows)
        cells += r.cells.size();
    const QString cellsPath = dir.filePath(QStringLiteral("cells.bin"));
    if (!ok || !saveCells(cellsPath, rows)) {
        std::fprintf(stderr, "bench-outputs: a workbook could not be written\n");
        return 1;
    }
    QProcess yardstick;
    yardstick.start(QCoreApplication::applicationDirPath() + QStringLiteral("/outputs-yardstick"),
                    {cellsPath, theirsPath});
    const QList<QByteArray> reported =
        yardstick.waitForFinished(600000) ? yardstick.readAllStandardOutput().trimmed().split(' ') : QList<QByteArray>();
    if (yardstick.exitCode() != 0 || reported.size() != 3) {
        std::fprintf(stderr, "bench-outputs: outputs-yardstick failed\n");
        return 1;
    }
    Timing theirs;
    theirs.wallMs = reported[0].toDouble();
    theirs.cpuMs = reported[1].toDouble();

    const double ratioWall = fill.wallMs / theirs.wallMs;
    const double ratioCpu = fill.cpuMs / theirs.cpuMs;
    std::printf("baselines %d, cells %lld, best of %d runs\n", model.baselineCount(), (long long)cells,
                defaultBenchRuns);
    std::printf("  %-42s wall %8.1f ms  cpu %8.1f ms\n", "list with N/E/U only", list.wallMs, list.cpuMs);
    std::printf("  %-42s wall %8.1f ms  cpu %8.1f ms  %8lld bytes\n", "fill template (list + workbook + file)",
                fill.wallMs, fill.cpuMs, (long long)QFileInfo(oursPath).size());
    std::printf("  %-42s wall %8.1f ms  cpu %8.1f ms  %8lld bytes\n", "libxlsxwriter, same cells, new workbook",
                theirs.wallMs, theirs.cpuMs, reported[2].toLongLong());
    std::printf("  ratio fill / libxlsxwriter: wall %.2f, cpu %.2f (goal: at most 2) %s\n", ratioWall, ratioCpu,
                ratioCpu <= 2.0 ? "met" : "NOT MET");
    return 0;
}
