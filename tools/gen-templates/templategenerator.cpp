#include "templategenerator.h"

#include "workbookbuilder.h"

namespace {

using Format = WorkbookBuilder::Format;
using Cell = WorkbookBuilder::Cell;

Cell text(int row, int column, const QString& value, Format format = Format::None)
{
    return Cell{row, column, value, {}, format};
}

Cell formula(int row, int column, const QString& f, Format format = Format::None)
{
    return Cell{row, column, {}, f, format};
}

// A sheet with a title in A1, a note in A2 and a heading row; `countLabel` adds a cell
// that counts the baselines of "基線一覧", so the sheet visibly follows the list.
WorkbookBuilder::Sheet titledSheet(const QString& name, const QString& title, const QStringList& headings,
                                   bool countsBaselines)
{
    WorkbookBuilder::Sheet sheet;
    sheet.name = name;
    sheet.cells << text(1, 1, title, Format::Title);
    sheet.cells << text(2, 1, QStringLiteral("見本のテンプレートです。組織の様式に置き換えてお使いください。"));
    int headingRow = 4;
    if (countsBaselines) {
        sheet.cells << text(3, 1, QStringLiteral("基線数"), Format::Heading);
        sheet.cells << formula(3, 2, QStringLiteral("COUNT(基線一覧!K2:K32768)"));
        headingRow = 5;
    }
    for (qsizetype i = 0; i < headings.size(); ++i)
        sheet.cells << text(headingRow, int(i + 1), headings[i], Format::Heading);
    sheet.columns << WorkbookBuilder::ColumnSpec{1, int(qMax<qsizetype>(headings.size(), 1)), 14, Format::None};
    return sheet;
}

QByteArray singleSheetWorkbook(const QString& sheetName, const QString& title, const QStringList& headings)
{
    WorkbookBuilder book;
    book.addSheet(titledSheet(sheetName, title, headings, false));
    return book.build();
}

QByteArray kisenkakusa()
{
    WorkbookBuilder book;

    WorkbookBuilder::Sheet list;
    list.name = QStringLiteral("基線一覧");
    list.frozenHeading = true;
    const QStringList headings = BaselineListHeadings();
    for (qsizetype i = 0; i < headings.size(); ++i)
        list.cells << text(1, int(i + 1), headings[i], Format::Heading);
    list.columns << WorkbookBuilder::ColumnSpec{1, 5, 12, Format::None}
                 << WorkbookBuilder::ColumnSpec{6, 7, 16, Format::None}
                 << WorkbookBuilder::ColumnSpec{8, 10, 12, Format::None}
                 << WorkbookBuilder::ColumnSpec{11, 13, 11, Format::ThreeDecimals}
                 << WorkbookBuilder::ColumnSpec{14, 19, 14, Format::None}
                 << WorkbookBuilder::ColumnSpec{20, 21, 16, Format::None};
    book.addSheet(list);

    book.addSheet(titledSheet(QStringLiteral("精度管理表(副表-点検測量)"),
                              QStringLiteral("精度管理計算書（点検測量）"),
                              {QStringLiteral("点検基線"), QStringLiteral("ΔN較差(m)"), QStringLiteral("ΔE較差(m)"),
                               QStringLiteral("ΔU較差(m)"), QStringLiteral("許容範囲"), QStringLiteral("判定")},
                              true));
    book.addSheet(titledSheet(QStringLiteral("電子基準点点検"), QStringLiteral("点検計算書（電子基準点）"),
                              {QStringLiteral("電子基準点"), QStringLiteral("ΔN閉合差(m)"),
                               QStringLiteral("ΔE閉合差(m)"), QStringLiteral("ΔU閉合差(m)"),
                               QStringLiteral("許容範囲"), QStringLiteral("判定")},
                              true));
    book.addSheet(titledSheet(QStringLiteral("環閉合"), QStringLiteral("点検計算書（環閉合）"),
                              {QStringLiteral("環"), QStringLiteral("セッション"), QStringLiteral("ΔN閉合差(m)"),
                               QStringLiteral("ΔE閉合差(m)"), QStringLiteral("ΔU閉合差(m)"),
                               QStringLiteral("許容範囲"), QStringLiteral("判定")},
                              true));
    book.addSheet(titledSheet(QStringLiteral("重複基線較差"), QStringLiteral("点検計算書（重複基線較差）"),
                              {QStringLiteral("基線"), QStringLiteral("セッション"), QStringLiteral("ΔN較差(m)"),
                               QStringLiteral("ΔE較差(m)"), QStringLiteral("ΔU較差(m)"),
                               QStringLiteral("許容範囲"), QStringLiteral("判定")},
                              true));
    book.setActiveSheet(0);
    return book.build();
}

} // namespace

QStringList BaselineListHeadings()
{
    return {
        QStringLiteral("セッション名"), QStringLiteral("始点 点番号"), QStringLiteral("始点 点名"),
        QStringLiteral("終点 点番号"),  QStringLiteral("終点 点名"),   QStringLiteral("始点 緯度"),
        QStringLiteral("始点 経度"),    QStringLiteral("ΔX(m)"),       QStringLiteral("ΔY(m)"),
        QStringLiteral("ΔZ(m)"),        QStringLiteral("ΔN(m)"),       QStringLiteral("ΔE(m)"),
        QStringLiteral("ΔU(m)"),        QStringLiteral("始点 X(m)"),   QStringLiteral("始点 Y(m)"),
        QStringLiteral("始点 Z(m)"),    QStringLiteral("終点 X(m)"),   QStringLiteral("終点 Y(m)"),
        QStringLiteral("終点 Z(m)"),    QStringLiteral("終点 緯度"),   QStringLiteral("終点 経度"),
    };
}

QList<GeneratedTemplate> GenerateTemplates()
{
    return {
        {QStringLiteral("kisenkakusa.xlsx"), kisenkakusa()},
        {QStringLiteral("tenken-katei.xlsx"),
         singleSheetWorkbook(QStringLiteral("仮定網"), QStringLiteral("点検計算書（仮定網）"),
                             {QStringLiteral("点番号"), QStringLiteral("点名"), QStringLiteral("区分"),
                              QStringLiteral("X(m)"), QStringLiteral("Y(m)"), QStringLiteral("標高(m)"),
                              QStringLiteral("閉合差(m)"), QStringLiteral("許容範囲"), QStringLiteral("判定")})},
        {QStringLiteral("seido-fuku.xlsx"),
         singleSheetWorkbook(QStringLiteral("仮定・実用_偏差"), QStringLiteral("精度管理計算書（仮定・実用_偏差）"),
                             {QStringLiteral("点番号"), QStringLiteral("点名"), QStringLiteral("ΔN(m)"),
                              QStringLiteral("ΔE(m)"), QStringLiteral("ΔU(m)"), QStringLiteral("水平偏差(m)"),
                              QStringLiteral("高さ偏差(m)"), QStringLiteral("判定")})},
        {QStringLiteral("kijuntenseika.xlsx"),
         singleSheetWorkbook(QStringLiteral("成果表"), QStringLiteral("基準点成果表"),
                             {QStringLiteral("点番号"), QStringLiteral("点名"), QStringLiteral("緯度"),
                              QStringLiteral("経度"), QStringLiteral("X(m)"), QStringLiteral("Y(m)"),
                              QStringLiteral("標高(m)"), QStringLiteral("ジオイド高(m)"),
                              QStringLiteral("楕円体高(m)")})},
        {QStringLiteral("seidokanri.docx"),
         BuildDocument(QStringLiteral("精度管理表"),
                       QStringLiteral("見本のテンプレートです。組織の様式に置き換えてお使いください。"),
                       {QStringLiteral("項目"), QStringLiteral("規定"), QStringLiteral("結果"),
                        QStringLiteral("判定")},
                       8)},
    };
}
