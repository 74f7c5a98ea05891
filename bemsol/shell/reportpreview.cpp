#include "reportpreview.h"

#include "grid/baselinegridmodel.h"
#include "document/document.h"
#include "reports/formpainter.h"
#include "reports/reportdatabase.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

Outcome ShowReportPreview(QWidget* parent, ReportKind kind, const Document& document,
                          const QList<OutputRow>& rows, ReportDatabase& database)
{
    if (document.model().baselineCount() <= 0)
        return Outcome::success();
    if (!database.isOpen())
        return database.notOpenOutcome();
    const Outcome filled = FillReport(database, kind, document.model(), rows);
    if (!filled)
        return filled;

    QPrinter printer(QPrinter::HighResolution);
    SetDesignPage(printer);
    printer.setDocName(ReportTitle(kind));
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(kind == ReportKind::Record ? QStringLiteral("DataReport3")
                                                     : QStringLiteral("DataReport1"));
    preview.setWindowTitle(ReportTitle(kind));
    Outcome drawn;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) {
                         const Outcome outcome = RenderReport(database, kind, *target);
                         if (!outcome)
                             drawn = outcome;
                     });
    preview.exec();
    return drawn;
}

QList<OutputRow> GridOutputRows(const BaselineGridModel& grid)
{
    QList<OutputRow> rows;
    rows.reserve(grid.rowCount());
    for (int row = 0; row < grid.rowCount(); ++row)
        rows.append({grid.baselineAt(row), grid.switchOn(row)});
    return rows;
}
