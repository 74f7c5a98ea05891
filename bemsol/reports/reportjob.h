#pragma once

#include "outputrows.h"
#include "model/outcome.h"
#include "model/progress.h"
#include "model/projectmodel.h"

#include <QString>

class QPagedPaintDevice;
class ReportDatabase;

// The three commands of the print menu.
enum class ReportKind
{
    FieldBookAll,       // 手簿, 全て出力
    FieldBookBySession, // 手簿, ｾｯｼｮﾝを考慮して出力
    Record,             // 記簿
};

// Fills the report database for `kind` from the project and the grid's rows. `progress`
// follows the rows; a cancelled fill leaves the tables as they were.
Outcome FillReport(ReportDatabase& database, ReportKind kind, const ProjectModel& model,
                   const QList<OutputRow>& rows, const ProgressCallback& progress = {});

// Draws the form of `kind` from what the database holds. `progress` follows the rows
// drawn; a cancelled drawing ends where it stopped and returns CancelledOutcome().
Outcome RenderReport(ReportDatabase& database, ReportKind kind, QPagedPaintDevice& device,
                     int* pages = nullptr, const ProgressCallback& progress = {});

// Fills the database and writes the form as a PDF file, replacing `pdfPath` only when
// the whole document was written.
Outcome WriteReportPdf(ReportDatabase& database, ReportKind kind, const ProjectModel& model,
                       const QList<OutputRow>& rows, const QString& pdfPath);

// The form's title, for window captions and document properties.
QString ReportTitle(ReportKind kind);
