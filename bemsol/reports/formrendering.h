#pragma once

#include "model/outcome.h"

#include <functional>

class FormPainter;
class QPagedPaintDevice;
class ReportDatabase;
class ReportReader;

// Draws a form over the joined report rows: checks the database, opens the rows and the
// pages, lets `drawRow` draw each row, and closes the document. A form without rows
// still has its one page.
using FormRowDrawer = std::function<Outcome(FormPainter& page, ReportReader& rows)>;
Outcome RenderForm(ReportDatabase& database, QPagedPaintDevice& device, int* pages,
                   const FormRowDrawer& drawRow);
