#include "formrendering.h"

#include "formpainter.h"
#include "reportdatabase.h"
#include "reportreader.h"

Outcome RenderForm(ReportDatabase& database, QPagedPaintDevice& device, int* pages,
                   const ProgressCallback& progress, const FormRowDrawer& drawRow)
{
    if (!database.isOpen())
        return database.notOpenOutcome();
    ReportReader rows(database.connection());
    if (!rows.start())
        return ReportDatabaseFailure(QStringLiteral("帳票データベースを読めません"),
                                     database.filePath(), rows.lastError());
    FormPainter page(device);
    if (!page.isActive())
        return Outcome::failure(QStringLiteral("帳票を描けません"));
    const qint64 total = progress ? rows.rowCount() : 0;
    qint64 drawn = 0;
    while (rows.next()) {
        // A row is a page or more, a few milliseconds: asking every few rows keeps the
        // cancel button quick.
        if (progress && drawn % 8 == 0 && !progress(drawn, total)) {
            page.finish();
            return CancelledOutcome();
        }
        ++drawn;
        if (const Outcome outcome = drawRow(page, rows); !outcome)
            return outcome;
    }
    const bool any = drawn > 0;
    if (!any)
        page.startPage();
    if (pages)
        *pages = page.pageCount();
    if (!page.finish())
        return Outcome::failure(QStringLiteral("帳票を書き出せません"));
    return Outcome::success();
}
