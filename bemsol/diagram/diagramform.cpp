#include "diagramform.h"

#include "diagrampainter.h"

#include <QDir>
#include <QPdfWriter>
#include <QSaveFile>

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
    QSaveFile file(pdfPath);
    const auto cannotWrite = [&] {
        return Outcome::failure(QStringLiteral("PDFファイルを書き込めません: %1\n%2")
                                    .arg(QDir::toNativeSeparators(pdfPath), file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        return cannotWrite();
    Outcome outcome;
    {
        QPdfWriter writer(&file);
        writer.setTitle(DiagramTitle());
        writer.setCreator(QStringLiteral("Bemsol"));
        SetDesignPage(writer, DiagramDesign(layout));
        outcome = RenderDiagram(layout, writer);
    }
    if (!outcome) {
        file.cancelWriting();
        return outcome;
    }
    if (!file.commit())
        return cannotWrite();
    return Outcome::success();
}
