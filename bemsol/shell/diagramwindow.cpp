#include "diagramwindow.h"

#include "diagramcanvas.h"

#include "diagram/diagramform.h"
#include "diagram/planezone.h"
#include "document/document.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

DiagramWindow::DiagramWindow(const Document& document, SwitchedOff switchedOff, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document), switchedOff_(std::move(switchedOff)),
      canvas_(new DiagramCanvas(this)), zoneChooser_(new QComboBox(this))
{
    setObjectName(QStringLiteral("DiagramWindow"));
    setWindowTitle(DiagramTitle());
    resize(1100, 750);

    zoneChooser_->setObjectName(QStringLiteral("zoneChooser"));
    auto* fit = new QPushButton(QStringLiteral("全体表示"), this);
    fit->setObjectName(QStringLiteral("fitButton"));
    auto* printButton = new QPushButton(QStringLiteral("印刷"), this);
    printButton->setObjectName(QStringLiteral("printButton"));
    auto* pdfButton = new QPushButton(QStringLiteral("PDF"), this);
    pdfButton->setObjectName(QStringLiteral("pdfButton"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("座標系"), this));
    bar->addWidget(zoneChooser_);
    bar->addSpacing(12);
    bar->addWidget(fit);
    bar->addStretch();
    bar->addWidget(printButton);
    bar->addWidget(pdfButton);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->addLayout(bar);
    column->addWidget(canvas_, 1);

    fillZoneChooser();
    connect(zoneChooser_, &QComboBox::currentIndexChanged, this, [this] { rebuild(false); });
    connect(fit, &QPushButton::clicked, canvas_, &DiagramCanvas::fitAll);
    connect(printButton, &QPushButton::clicked, this, &DiagramWindow::print);
    connect(pdfButton, &QPushButton::clicked, this, &DiagramWindow::exportPdf);
    connect(canvas_, &DiagramCanvas::baselineChosen, this, &DiagramWindow::baselineChosen);
    connect(&document_, &Document::modelReset, this, [this] { rebuild(false); });
    connect(&document_, &Document::projectEdited, this, &DiagramWindow::refresh);
    rebuild(false);
}

void DiagramWindow::fillZoneChooser()
{
    zoneChooser_->addItem(QStringLiteral("自動"), 0);
    for (int zone = 1; zone <= planeZoneCount; ++zone)
        zoneChooser_->addItem(QStringLiteral("第%1系").arg(PlaneZoneNumeral(zone)), zone);
}

void DiagramWindow::refresh()
{
    rebuild(true);
}

void DiagramWindow::rebuild(bool keepView)
{
    const int chosen = zoneChooser_->currentData().toInt();
    const std::optional<int> zone = chosen > 0 ? std::optional<int>(chosen) : std::nullopt;
    Result<DiagramLayout> layout =
        BuildDiagramLayout(document_.model(), switchedOff_ ? switchedOff_() : QSet<int>{}, zone);
    if (!layout)
        return; // only a zone outside 1..19, which the chooser does not offer
    // 自動 names the zone it took.
    zoneChooser_->setItemText(0, layout->defaultZone > 0
                                     ? QStringLiteral("自動 (第%1系)").arg(PlaneZoneNumeral(layout->defaultZone))
                                     : QStringLiteral("自動"));
    canvas_->setDiagram(std::move(*layout), keepView);
}

Outcome DiagramWindow::savePdf(const QString& path) const
{
    return WriteDiagramPdf(canvas_->diagram(), path);
}

void DiagramWindow::print()
{
    const DiagramLayout& layout = canvas_->diagram();
    QPrinter printer(QPrinter::HighResolution);
    SetDesignPage(printer, DiagramDesign(layout));
    printer.setDocName(DiagramTitle());
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("diagramPreview"));
    preview.setWindowTitle(DiagramTitle());
    Outcome drawn;
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
        if (const Outcome outcome = RenderDiagram(layout, *target); !outcome)
            drawn = outcome;
    });
    preview.exec();
    if (!drawn)
        QMessageBox::warning(this, DiagramTitle(), drawn.message);
}

void DiagramWindow::exportPdf()
{
    const QString suggested = QFileInfo(document_.shownPath()).completeBaseName();
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("PDFに保存"),
        (suggested.isEmpty() ? DiagramTitle() : suggested + QStringLiteral("_観測図")) + QStringLiteral(".pdf"),
        QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (const Outcome written = savePdf(path); !written)
        QMessageBox::warning(this, DiagramTitle(), written.message);
}
