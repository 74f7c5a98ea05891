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
    if (const Outcome started = rows.start(); !started)
        return ReportDatabaseFailure(QStringLiteral("帳票データベースを読めません"),
                                     database.filePath(), started.message);
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
    // A row that could not be read ends the form short: that is no form to hand out.
    if (const Outcome& stepped = rows.steppedOutcome(); !stepped) {
        page.finish();
        return ReportDatabaseFailure(QStringLiteral("帳票データベースを読めません"),
                                     database.filePath(), stepped.message);
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
