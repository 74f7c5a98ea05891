#include "formrendering.h"

#include "formpainter.h"
#include "reportdatabase.h"
#include "reportreader.h"

Outcome RenderForm(ReportDatabase& database, QPagedPaintDevice& device, int* pages,
                   const FormRowDrawer& drawRow)
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
    bool any = false;
    while (rows.next()) {
        any = true;
        if (const Outcome drawn = drawRow(page, rows); !drawn)
            return drawn;
    }
    if (!any)
        page.startPage();
    if (pages)
        *pages = page.pageCount();
    if (!page.finish())
        return Outcome::failure(QStringLiteral("帳票を書き出せません"));
    return Outcome::success();
}
