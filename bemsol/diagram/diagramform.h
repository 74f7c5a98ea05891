#pragma once

#include "diagramlayout.h"
#include "model/outcome.h"
#include "reports/formpainter.h"

class QPagedPaintDevice;

// The observation diagram as a printed form: the diagram on the first page, the rest of
// a long session table on the pages after it.

// A4 landscape for a small network, A3 landscape for a larger one.
FormDesign DiagramDesign(const DiagramLayout& layout);

QString DiagramTitle();

// Draws the form on the device as its page is set up; the design is fitted to it.
Outcome RenderDiagram(const DiagramLayout& layout, QPagedPaintDevice& device, int* pages = nullptr);

// Writes the form as a PDF file on its design page, replacing `pdfPath` only when the
// whole document was written.
Outcome WriteDiagramPdf(const DiagramLayout& layout, const QString& pdfPath);
