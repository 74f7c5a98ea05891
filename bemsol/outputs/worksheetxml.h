#pragma once

#include "cellvalue.h"
#include "model/outcome.h"

#include <QByteArray>
#include <QString>

// A change to one worksheet part: rows of cells to write, and whether its tab is the
// selected one. Everything else in the part is copied as it is.
struct WorksheetEdit
{
    enum class Tab { Keep, Select, Deselect };

    const SheetRows* rows = nullptr; // null or empty: no cell changes
    Tab tab = Tab::Keep;
};

// The rewritten part, or the reason the part is not a worksheet that can be read.
Result<QByteArray> EditWorksheetXml(const QByteArray& xml, const WorksheetEdit& edit);

// Whether a sheet part (worksheet or chart sheet) marks its tab as selected.
bool SheetTabSelected(const QByteArray& xml);
