#pragma once

#include "model/outcome.h"
#include "model/progress.h"

#include <functional>

class FormPainter;
class QPagedPaintDevice;
class ReportDatabase;
class ReportReader;

// Draws a form over the joined report rows: checks the database, opens the rows and the
// pages, lets `drawRow` draw each row, and closes the document. A form without rows
// still has its one page. `progress` hears the rows drawn out of all; when it says stop,
// the document is closed where it is and the outcome is CancelledOutcome().
using FormRowDrawer = std::function<Outcome(FormPainter& page, ReportReader& rows)>;
Outcome RenderForm(ReportDatabase& database, QPagedPaintDevice& device, int* pages,
                   const ProgressCallback& progress, const FormRowDrawer& drawRow);
