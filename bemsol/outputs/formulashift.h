#pragma once

#include <QString>
#include <QStringView>

// A formula as it reads in another cell: the relative parts of its A1 references
// (rows and columns without "$") moved by the offsets, the way a spreadsheet moves them
// when it copies a formula or spreads a shared one. A reference moved off the sheet
// becomes #REF!. Texts in quotes, sheet names, function names, numbers and structured
// references stay as they are. The formula is in the stored form, without "=".
QString ShiftFormulaReferences(QStringView formula, int rowOffset, int columnOffset);
