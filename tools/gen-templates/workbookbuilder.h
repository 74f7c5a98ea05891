#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

// Writes a small .xlsx workbook from scratch, the same bytes every time: fixed part
// order, fixed timestamps. Enough for sample templates: texts (shared, as spreadsheets
// store them), numbers, formulas, a bold heading format, a three-decimal number format
// for whole columns, column widths.
class WorkbookBuilder
{
public:
    enum class Format { None = 0, Heading = 1, ThreeDecimals = 2, Title = 3 };

    struct Cell
    {
        int row = 1;
        int column = 1;
        QVariant value;  // QString or double; ignored for a formula
        QString formula; // without "="
        Format format = Format::None;
    };

    struct ColumnSpec
    {
        int first = 1;
        int last = 1;
        double width = 10;
        Format format = Format::None;
    };

    struct Sheet
    {
        QString name;
        QList<Cell> cells;
        QList<ColumnSpec> columns;
        bool frozenHeading = false; // keep row 1 in view
    };

    void addSheet(Sheet sheet) { sheets_.append(std::move(sheet)); }
    // The sheet shown on opening (index into the added sheets).
    void setActiveSheet(int index) { activeSheet_ = index; }

    QByteArray build() const;

private:
    QList<Sheet> sheets_;
    int activeSheet_ = 0;
};

// A minimal word-processor document (.docx): a title, a line of text and a table with
// a heading row and empty rows, the same bytes every time.
QByteArray BuildDocument(const QString& title, const QString& note, const QStringList& headings,
                         int emptyRows);
