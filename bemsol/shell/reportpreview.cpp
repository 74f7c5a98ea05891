#include "reportpreview.h"

#include "grid/baselinegridmodel.h"
#include "document/document.h"
#include "reports/formpainter.h"
#include "reports/reportdatabase.h"
#include "workprogress.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

Outcome ShowReportPreview(QWidget* parent, ReportKind kind, const Document& document,
                          const QList<OutputRow>& rows, ReportDatabase& database)
{
    if (document.model().baselineCount() <= 0)
        return Outcome::success();
    if (!database.isOpen())
        return database.notOpenOutcome();
    {
        WorkProgress progress(parent, QStringLiteral("帳票データを作成しています"));
        const Outcome filled =
            FillReport(database, kind, document.model(), rows, progress.callback());
        // Cancelled: the tables are as they were and there is nothing to show.
        if (WasCancelled(filled))
            return Outcome::success();
        if (!filled)
            return filled;
    }

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
                         WorkProgress progress(parent, QStringLiteral("帳票を作成しています"));
                         const Outcome outcome = RenderReport(database, kind, *target, nullptr,
                                                              progress.callback());
                         // A cancelled drawing closes the preview (or ends the print
                         // where it stopped) without a message.
                         if (WasCancelled(outcome))
                             QMetaObject::invokeMethod(&preview, &QDialog::reject,
                                                       Qt::QueuedConnection);
                         else if (!outcome)
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
