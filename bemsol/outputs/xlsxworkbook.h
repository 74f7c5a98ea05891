#pragma once

#include "cellvalue.h"
#include "model/outcome.h"
#include "zippackage.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// A spreadsheet workbook in the Office Open XML form (.xlsx), held in memory: its sheets
// by name, and the few changes the program makes to a template copy. Every part that a
// change does not need is written back byte for byte.
class XlsxWorkbook
{
public:
    struct Sheet
    {
        QString name;
        QString part;      // e.g. "xl/worksheets/sheet1.xml"
        bool worksheet = false; // not a chart or dialog sheet
    };

    static Result<XlsxWorkbook> fromBytes(const QByteArray& bytes);
    static Result<XlsxWorkbook> fromFile(const QString& path);

    const QList<Sheet>& sheets() const { return sheets_; }
    const Sheet* sheet(const QString& name) const;
    const QString& workbookPart() const { return workbookPart_; }
    const ZipPackage& package() const { return package_; }

    // Writes the rows into the named worksheet; the other cells of the sheet stay.
    Outcome writeRows(const QString& sheetName, const SheetRows& rows);
    // Makes the named sheet the one shown when the workbook is opened.
    Outcome activate(const QString& sheetName);
    // Asks the spreadsheet to recalculate every formula when it opens the workbook, so
    // the check sheets show results for the list just written.
    Outcome recalculateOnOpen();

    // The sheet shown on opening, as the workbook records it.
    QString activeSheetName() const;

    Result<QByteArray> toBytes() const;
    Outcome save(const QString& path) const;

    // Largest template the program reads.
    static constexpr qint64 maxFileSize = 256ll << 20;

private:
    XlsxWorkbook() = default;
    Outcome editWorkbookXml(std::optional<int> activeTab, bool fullCalcOnLoad);
    void dropCalculationChain();

    ZipPackage package_;
    QString workbookPart_;
    QList<Sheet> sheets_;
};

// "シート「基線一覧」がありません": what a command says when a workbook lacks a sheet.
QString MissingSheetMessage(const QString& sheetName);
