#include "reportjob.h"

#include "fieldbookform.h"
#include "formpainter.h"
#include "recordform.h"
#include "reportdatabase.h"
#include "reportwriter.h"
#include "model/pdffile.h"

#include <QPdfWriter>

Outcome FillReport(ReportDatabase& database, ReportKind kind, const ProjectModel& model,
                   const QList<OutputRow>& rows, const ProgressCallback& progress)
{
    switch (kind) {
    case ReportKind::FieldBookAll:
        return FillFieldBook(database, model, rows, FieldBookMode::All, progress);
    case ReportKind::FieldBookBySession:
        return FillFieldBook(database, model, rows, FieldBookMode::BySession, progress);
    case ReportKind::Record:
        return FillRecord(database, model, rows, progress);
    }
    return Outcome::failure(QStringLiteral("帳票の種類が違います"));
}

Outcome RenderReport(ReportDatabase& database, ReportKind kind, QPagedPaintDevice& device,
                     int* pages, const ProgressCallback& progress)
{
    if (kind == ReportKind::Record)
        return RenderRecord(database, device, pages, progress);
    return RenderFieldBook(database, device, pages, progress);
}

QString ReportTitle(ReportKind kind)
{
    return kind == ReportKind::Record ? QStringLiteral("GPS測量観測記簿")
                                      : QStringLiteral("GPS測量観測手簿");
}

Outcome WriteReportPdf(ReportDatabase& database, ReportKind kind, const ProjectModel& model,
                       const QList<OutputRow>& rows, const QString& pdfPath)
{
    Outcome outcome = FillReport(database, kind, model, rows);
    if (!outcome)
        return outcome;
    return WritePdfFile(pdfPath, ReportTitle(kind), [&](QPdfWriter& writer) {
        SetDesignPage(writer);
        return RenderReport(database, kind, writer);
    });
}
