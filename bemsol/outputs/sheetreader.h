#pragma once

#include "xlsxworkbook.h"

#include <QMap>
#include <QString>

#include <utility>

// One stored cell of a worksheet as a spreadsheet would read it.
struct StoredCell
{
    enum class Kind { Number, Text, Boolean, Error };

    Kind kind = Kind::Text;
    double number = 0;
    QString text;    // the text, or the number, flag or error as written
    QString style;   // the cell's format index, empty when it has none
    QString formula; // empty when the cell holds a plain value

    bool operator==(const StoredCell&) const = default;
};

// Cells by (row, column), both 1-based.
using StoredCells = QMap<std::pair<int, int>, StoredCell>;

// Reads the cells of a worksheet back: shared and inline texts, numbers, flags and
// errors, with their formats and formulas.
Result<StoredCells> ReadSheetCells(const XlsxWorkbook& book, const QString& sheetName);

// Names of the sheets whose tab the workbook marks as selected.
QStringList SelectedSheetNames(const XlsxWorkbook& book);
