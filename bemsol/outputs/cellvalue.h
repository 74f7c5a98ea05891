#pragma once

#include <QList>
#include <QString>

// What one cell of a sheet receives: nothing, a text or a number.
struct CellValue
{
    enum class Kind : quint8 { Empty, Text, Number };

    Kind kind = Kind::Empty;
    double number = 0;
    QString text;

    static CellValue fromNumber(double value);
    // A text the way a spreadsheet stores a typed entry: a text that reads as a plain
    // decimal number becomes that number, an empty text an empty cell, anything else
    // stays text. Dates, percentages and the like are not guessed: the list's texts are
    // names, angles and decimal coordinates.
    static CellValue typedEntry(const QString& text);

    bool operator==(const CellValue&) const = default;
};

// One row to write: columns 1 to cells.size(). Those columns of the row are replaced
// as a whole; an empty value clears the cell.
struct SheetRow
{
    int row = 0;
    QList<CellValue> cells;
};

// Rows to write, in increasing row order, each row once.
using SheetRows = QList<SheetRow>;

// Largest row and column a worksheet can have.
inline constexpr int maxSheetRow = 1048576;
inline constexpr int maxSheetColumn = 16384;

// "A1" references: column letters and row number, both 1-based.
QString CellReference(int row, int column);
QByteArray ColumnLetters(int column);
// Row and column of a reference such as "AB12" (absolute "$" signs tolerated);
// nothing for a malformed or out-of-range one.
bool ParseCellReference(QStringView ref, int* row, int* column);
