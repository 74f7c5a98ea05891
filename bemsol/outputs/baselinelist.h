#pragma once

#include "cellvalue.h"
#include "model/projectmodel.h"

#include <QString>

// The sheet that receives the baseline list, and how many columns a row has.
inline QString baselineListSheet()
{
    return QStringLiteral("基線一覧");
}
inline constexpr int baselineListColumns = 21;

// Writing the list cannot fail; rows it could not complete are a warning.
struct BaselineListRows
{
    SheetRows rows;
    // Rows whose north/east/up columns or point names could not be filled: an angle or
    // number text that does not read, or an occupation number outside the table.
    int incompleteRows = 0;

    // IncompleteRowsMessage(incompleteRows).
    QString warning() const;
};

// Every baseline of the project, switched off or not, as the rows of "基線一覧": the
// baseline at index k goes to row k + 1 (row 1 holds the template's headings), 21
// columns: session, start and end point numbers and names, start latitude and
// longitude, ΔX ΔY ΔZ, ΔN ΔE ΔU (rounded by my_round3, as numbers), start X Y Z,
// end X Y Z, end latitude and longitude. Texts go in as typed entries.
BaselineListRows WriteBaselineList(const ProjectModel& model);

// The one message for rows left incomplete; empty when there are none.
QString IncompleteRowsMessage(int incompleteRows);
