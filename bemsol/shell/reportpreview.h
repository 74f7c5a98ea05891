#pragma once

#include "model/outcome.h"
#include "reports/outputrows.h"
#include "reports/reportjob.h"

#include <QList>

class BaselineGridModel;
class Document;
class QWidget;
class ReportDatabase;

// The print menu's commands: fills the report database for `kind` from the project and
// the grid's rows, then shows the form in a modal print preview, from which the user
// prints or saves a PDF. With no baselines nothing happens. Filling and drawing a large
// project show their progress and can be cancelled: a cancelled fill keeps the tables
// as they were and shows no preview, a cancelled drawing closes the preview (a print
// under way ends with the pages drawn so far). Returns the failure the window is to
// show (no database, a fill that was rolled back, a form that could not be drawn);
// success otherwise, a cancel included.
Outcome ShowReportPreview(QWidget* parent, ReportKind kind, const Document& document,
                          const QList<OutputRow>& rows, ReportDatabase& database);

// The grid's rows in their current order with their output switches.
QList<OutputRow> GridOutputRows(const BaselineGridModel& grid);
