#include "diagramform.h"

#include "diagrampainter.h"
#include "model/pdffile.h"

#include <QPdfWriter>

namespace {

// Above this many points the labels need the larger sheet.
constexpr qsizetype pointsOnA4 = 60;

} // namespace

FormDesign DiagramDesign(const DiagramLayout& layout)
{
    FormDesign design;
    design.pageSize = layout.points.size() > pointsOnA4 ? QPageSize::A3 : QPageSize::A4;
    design.orientation = QPageLayout::Landscape;
    design.margins = QMarginsF(10, 10, 10, 10);
    return design;
}

QString DiagramTitle()
{
    return QStringLiteral("観測図");
}

Outcome RenderDiagram(const DiagramLayout& layout, QPagedPaintDevice& device, int* pages)
{
    FormPainter page(device, DiagramDesign(layout));
    if (!page.isActive())
        return Outcome::failure(QStringLiteral("観測図を描けません"));
    DiagramPainter diagram(layout);
    page.startPage();
    DiagramPaintOptions options;
    options.tableContinues = true;
    int next = diagram.paint(page.painter(), page.box(0, page.y, page.width(), page.height() - page.y),
                             page.unitsPerMm(), options);
    const int sessions = int(layout.sessions.size());
    while (next < sessions) {
        page.startPage();
        page.text(0, page.width(), 8, QStringLiteral("観測図 ｾｯｼｮﾝ表 (続き)"), Qt::AlignLeft | Qt::AlignVCenter,
                  FormPainter::labelFont());
        page.y += 10;
        const int after = diagram.paintSessionTable(
            page.painter(), page.box(0, page.y, page.width(), page.height() - page.y), page.unitsPerMm(),
            next, true);
        if (after == next)
            return Outcome::failure(QStringLiteral("ｾｯｼｮﾝ表を描けません"));
        next = after;
    }
    if (pages)
        *pages = page.pageCount();
    if (!page.finish())
        return Outcome::failure(QStringLiteral("観測図を書き出せません"));
    return Outcome::success();
}

Outcome WriteDiagramPdf(const DiagramLayout& layout, const QString& pdfPath)
{
    return WritePdfFile(pdfPath, DiagramTitle(), [&](QPdfWriter& writer) {
        SetDesignPage(writer, DiagramDesign(layout));
        return RenderDiagram(layout, writer);
    });
}
