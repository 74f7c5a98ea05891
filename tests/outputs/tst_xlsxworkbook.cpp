#include "outputfixture.h"
#include "outputs/baselinelist.h"
#include "outputs/outputcommands.h"
#include "outputs/sheetreader.h"
#include "outputs/worksheetxml.h"
#include "outputs/xlsxworkbook.h"

#include <QFile>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString templatePath = QStringLiteral(SOURCE_DIR "/share/kisenkakusa.xlsx");
const QString listSheet = QStringLiteral("基線一覧");

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Names of the elements directly below the root, in order, without prefixes.
QStringList topLevelElements(const QByteArray& xml)
{
    QXmlStreamReader r(xml);
    r.setNamespaceProcessing(false);
    QStringList names;
    int depth = 0;
    while (!r.atEnd()) {
        const auto t = r.readNext();
        if (t == QXmlStreamReader::StartElement) {
            if (++depth == 2)
                names << r.name().toString();
        } else if (t == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    return names;
}

QString attributeOf(const QByteArray& xml, const QString& element, const QString& attribute)
{
    QXmlStreamReader r(xml);
    r.setNamespaceProcessing(false);
    while (!r.atEnd())
        if (r.readNext() == QXmlStreamReader::StartElement && r.name() == element)
            return r.attributes().value(attribute).toString();
    return QStringLiteral("<none>");
}

SheetRow rowOf(int row, const QList<CellValue>& cells)
{
    return SheetRow{row, cells};
}

QList<CellValue> texts(int count, const QString& stem)
{
    QList<CellValue> cells;
    for (int i = 1; i <= count; ++i)
        cells << CellValue::typedEntry(QStringLiteral("%1%2").arg(stem).arg(i));
    return cells;
}

// A template as other programs write them: the main namespace under a prefix (or
// not), a calculation chain, a sheet without views, a selected sheet that is not the
// one to activate, no calcPr but an extension list after which none may come.
QByteArray handMadeTemplate(const QString& p)
{
    const QByteArray x = p.toUtf8();
    const QByteArray ns = p.isEmpty() ? QByteArray("xmlns") : "xmlns:" + x.chopped(1);
    const QByteArray decl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
    const QByteArray main = "\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const QByteArray types =
        decl + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
               "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
               "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
               "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
               "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/>"
               "</Types>";
    const QByteArray rootRels =
        decl + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
               "<Relationship Id=\"rId1\" Type=\"" + rel + "/officeDocument\" Target=\"xl/workbook.xml\"/>"
               "</Relationships>";
    const QByteArray workbook =
        decl + "<" + x + "workbook " + ns + "=" + main + " xmlns:r=\"" + rel + "\">"
               "<" + x + "bookViews><" + x + "workbookView xWindow=\"0\" firstSheet=\"2\" activeTab=\"2\"/></" + x + "bookViews>"
               "<" + x + "sheets>"
               "<" + x + "sheet name=\"基線一覧\" sheetId=\"1\" r:id=\"rId1\"/>"
               "<" + x + "sheet name=\"環閉合\" sheetId=\"2\" r:id=\"rId2\"/>"
               "<" + x + "sheet name=\"Other\" sheetId=\"3\" r:id=\"rId3\"/>"
               "</" + x + "sheets>"
               "<" + x + "extLst><" + x + "ext uri=\"{140A7094-0E35-4892-8432-C4D2E57EDEB5}\"/></" + x + "extLst>"
               "</" + x + "workbook>";
    const QByteArray workbookRels =
        decl + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
               "<Relationship Id=\"rId1\" Type=\"" + rel + "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
               "<Relationship Id=\"rId2\" Type=\"" + rel + "/worksheet\" Target=\"./worksheets/sheet2.xml\"/>"
               "<Relationship Id=\"rId3\" Type=\"" + rel + "/worksheet\" Target=\"/xl/worksheets/sheet3.xml\"/>"
               "<Relationship Id=\"rId4\" Type=\"" + rel + "/calcChain\" Target=\"calcChain.xml\"/>"
               "</Relationships>";
    auto sheet = [&](const QByteArray& views, const QByteArray& body) {
        return decl + "<" + x + "worksheet " + ns + "=" + main + " xmlns:r=\"" + rel + "\">" + views + body +
               "</" + x + "worksheet>";
    };
    const QByteArray list = sheet(
        "<" + x + "dimension ref=\"A1:V10\"/>",
        "<" + x + "sheetFormatPr defaultRowHeight=\"13.5\"/>"
        "<" + x + "cols><" + x + "col min=\"2\" max=\"2\" width=\"9\" style=\"4\"/></" + x + "cols>"
        "<" + x + "sheetData>"
        "<" + x + "row r=\"1\" spans=\"1:22\"><" + x + "c r=\"A1\" t=\"inlineStr\"><" + x + "is><" + x + "t>見出し</" + x + "t></" + x + "is></" + x + "c></" + x + "row>"
        "<" + x + "row r=\"2\" spans=\"1:22\" ht=\"20\" customHeight=\"1\">"
        "<" + x + "c r=\"A2\" s=\"5\" t=\"inlineStr\"><" + x + "is><" + x + "t>old</" + x + "t></" + x + "is></" + x + "c>"
        "<" + x + "c r=\"K2\" s=\"7\"><" + x + "v>9</" + x + "v></" + x + "c>"
        "<" + x + "c r=\"V2\" t=\"inlineStr\"><" + x + "is><" + x + "t>keep</" + x + "t></" + x + "is></" + x + "c>"
        "</" + x + "row>"
        "<" + x + "row r=\"3\" s=\"9\" customFormat=\"1\"/>"
        "<" + x + "row r=\"10\"><" + x + "c r=\"A10\" t=\"inlineStr\"><" + x + "is><" + x + "t>footer</" + x + "t></" + x + "is></" + x + "c>"
        "<" + x + "c r=\"B10\"><" + x + "f>SUM(K2:K4)</" + x + "f><" + x + "v>9</" + x + "v></" + x + "c></" + x + "row>"
        "</" + x + "sheetData>"
        "<" + x + "mergeCells count=\"1\"><" + x + "mergeCell ref=\"A10:C10\"/></" + x + "mergeCells>");
    const QByteArray loop = sheet("<" + x + "sheetViews><" + x + "sheetView workbookViewId=\"0\"/></" + x + "sheetViews>",
                                  "<" + x + "sheetData/>");
    const QByteArray other =
        sheet("<" + x + "sheetViews><" + x + "sheetView tabSelected=\"1\" workbookViewId=\"0\"/></" + x + "sheetViews>",
              "<" + x + "sheetData/>");
    const QByteArray chain = decl + "<calcChain xmlns=" + main + "><c r=\"B10\" i=\"1\"/></calcChain>";
    return makePackage({{QStringLiteral("[Content_Types].xml"), types},
                        {QStringLiteral("_rels/.rels"), rootRels},
                        {QStringLiteral("xl/workbook.xml"), workbook},
                        {QStringLiteral("xl/_rels/workbook.xml.rels"), workbookRels},
                        {QStringLiteral("xl/worksheets/sheet1.xml"), list},
                        {QStringLiteral("xl/worksheets/sheet2.xml"), loop},
                        {QStringLiteral("xl/worksheets/sheet3.xml"), other},
                        {QStringLiteral("xl/calcChain.xml"), chain}});
}

} // namespace

class TestXlsxWorkbook : public QObject
{
    Q_OBJECT

private slots:
    void baselineListLayout();
    void filledTemplateReadsBack();
    void activatesOneSheet_data();
    void activatesOneSheet();
    void noBaselinesLeavesListAsTemplate();
    void mergesIntoTemplateRows_data();
    void mergesIntoTemplateRows();
    void sharedFormulasOutliveTheirFirstCell_data();
    void sharedFormulasOutliveTheirFirstCell();
    void textsRoundTrip();
    void missingSheetIsNamed();
    void damagedWorkbooksAreRefused_data();
    void damagedWorkbooksAreRefused();
};

void TestXlsxWorkbook::baselineListLayout()
{
    const BaselineListRows list = WriteBaselineList(outputFixtureProject());
    QCOMPARE(list.rows.size(), 4);
    QCOMPARE(list.incompleteRows, 2);
    QVERIFY(IncompleteRowsMessage(list.incompleteRows).contains(u"2"));
    QVERIFY(IncompleteRowsMessage(0).isEmpty());
    for (qsizetype i = 0; i < list.rows.size(); ++i) {
        QCOMPARE(list.rows[i].row, int(i + 2)); // baseline k on row k + 1
        QCOMPARE(list.rows[i].cells.size(), 21);
    }

    const QList<CellValue>& r = list.rows[0].cells;
    QCOMPARE(r[0].text, QStringLiteral("A1"));
    QCOMPARE(r[1].text, QStringLiteral("P1"));
    QCOMPARE(r[2].text, QStringLiteral("筑波山"));
    // A point number that reads as a number is stored as one, as typed.
    QCOMPARE(r[3].kind, CellValue::Kind::Number);
    QCOMPARE(r[3].number, 2.0);
    QCOMPARE(r[4].text, QStringLiteral("ﾄﾘﾃﾞ"));
    QCOMPARE(r[5].text, QStringLiteral("0°00′00.00000″"));
    QCOMPARE(r[7].number, 1.2346);
    // On the equator at longitude 0: N = ΔZ, E = ΔY, U = ΔX, rounded with halves upward.
    QCOMPARE(r[10].kind, CellValue::Kind::Number);
    QCOMPARE(r[10].number, 2.0);
    QCOMPARE(r[11].number, -0.062);
    QCOMPARE(r[12].number, 1.235);
    QCOMPARE(r[13].number, 6378137.0);
    QCOMPARE(r[16].number, 6378138.2346);
    QCOMPARE(r[18].number, 2.0004);
    QCOMPARE(r[19].text, QStringLiteral("0°00′00.06512″"));
    QCOMPARE(r[20].text, QStringLiteral("-0°00′00.00203″"));

    // Unmatched start (occupation 0): empty names, the rest as usual.
    const QList<CellValue>& unmatched = list.rows[1].cells;
    QCOMPARE(unmatched[1].kind, CellValue::Kind::Empty);
    QCOMPARE(unmatched[2].kind, CellValue::Kind::Empty);
    QCOMPARE(unmatched[3].text, QStringLiteral("P3"));
    QCOMPARE(unmatched[10].number, 2.0);

    // Damaged angle and an end outside the table: no N/E/U, no end names, rest written.
    const QList<CellValue>& damaged = list.rows[2].cells;
    for (int c : {10, 11, 12, 3, 4})
        QCOMPARE(damaged[c].kind, CellValue::Kind::Empty);
    QCOMPARE(damaged[1].number, 2.0);
    QCOMPARE(damaged[13].number, 6378137.0);

    // A start outside the table: names empty, N/E/U still computed.
    const QList<CellValue>& outside = list.rows[3].cells;
    QCOMPARE(outside[1].kind, CellValue::Kind::Empty);
    QCOMPARE(outside[3].text, QStringLiteral("P4"));
    QCOMPARE(outside[11].number, -0.062);
}

void TestXlsxWorkbook::filledTemplateReadsBack()
{
    const ProjectModel model = outputFixtureProject();
    const Result<FilledWorkbook> filled = FillBaselineWorkbook(templatePath, model, QStringLiteral("環閉合"), {});
    QVERIFY2(filled, qPrintable(filled.message()));
    QCOMPARE(filled->warning, IncompleteRowsMessage(2)); // the one message for incomplete rows

    const auto book = XlsxWorkbook::fromBytes(filled->bytes);
    QVERIFY2(book, qPrintable(book.message()));
    const auto cells = ReadSheetCells(*book, listSheet);
    QVERIFY2(cells, qPrintable(cells.message()));

    // Row 1 is the template's.
    QCOMPARE(cells->value({1, 1}).text, QStringLiteral("セッション名"));
    QCOMPARE(cells->value({1, 21}).text, QStringLiteral("終点 経度"));
    // Rows 2 to 5, nothing after column 21 and nothing below.
    for (auto it = cells->cbegin(); it != cells->cend(); ++it) {
        QVERIFY(it.key().first >= 1 && it.key().first <= 5);
        QVERIFY(it.key().second >= 1 && it.key().second <= 21);
    }
    const StoredCell session = cells->value({2, 1});
    QCOMPARE(session.kind, StoredCell::Kind::Text);
    QCOMPARE(session.text, QStringLiteral("A1"));
    QCOMPARE(cells->value({2, 4}).kind, StoredCell::Kind::Number);
    QCOMPARE(cells->value({2, 4}).number, 2.0);
    QCOMPARE(cells->value({2, 6}).text, QStringLiteral("0°00′00.00000″"));
    for (int column : {11, 12, 13}) {
        const StoredCell c = cells->value({2, column});
        QCOMPARE(c.kind, StoredCell::Kind::Number);
        // The template's three-decimal column format reaches the new cells.
        QCOMPARE(c.style, QStringLiteral("2"));
    }
    QCOMPARE(cells->value({2, 11}).number, 2.0);
    QCOMPARE(cells->value({2, 12}).number, -0.062);
    QCOMPARE(cells->value({2, 13}).number, 1.235);
    QCOMPARE(cells->value({3, 3}).text, QString()); // unmatched end: empty
    QVERIFY(!cells->contains({3, 2}));
    // No N/E/U for the damaged row: the cell keeps only its column's format.
    QCOMPARE(cells->value({4, 11}).kind, StoredCell::Kind::Text);
    QVERIFY(cells->value({4, 11}).text.isEmpty());
    QCOMPARE(cells->value({4, 11}).style, QStringLiteral("2"));
    QCOMPARE(cells->value({4, 14}).number, 6378137.0);
    QCOMPARE(cells->value({5, 21}).text, QStringLiteral("-0°00′00.00203″"));

    // Every part other than the list, the sheets whose tab changed and the workbook
    // itself is the template's, byte for byte.
    const auto original = XlsxWorkbook::fromFile(templatePath);
    QVERIFY(original);
    const QStringList changed{QStringLiteral("xl/workbook.xml"), QStringLiteral("xl/worksheets/sheet1.xml"),
                              QStringLiteral("xl/worksheets/sheet4.xml")};
    QCOMPARE(book->package().names(), original->package().names());
    for (const QString& part : original->package().names()) {
        if (!changed.contains(part))
            QVERIFY2(book->package().read(part) == original->package().read(part), qPrintable(part));
    }
    const QByteArray workbookXml = book->package().read(QStringLiteral("xl/workbook.xml")).value_or(QByteArray());
    QCOMPARE(attributeOf(workbookXml, QStringLiteral("calcPr"), QStringLiteral("fullCalcOnLoad")),
             QStringLiteral("1"));
    QCOMPARE(attributeOf(workbookXml, QStringLiteral("calcPr"), QStringLiteral("calcId")),
             QStringLiteral("191029"));
}

void TestXlsxWorkbook::activatesOneSheet_data()
{
    QTest::addColumn<QString>("sheet");
    for (const SheetTemplate& t : SheetTemplates())
        if (t.fillsBaselineList)
            QTest::newRow(qPrintable(t.control)) << t.activatedSheet;
}

void TestXlsxWorkbook::activatesOneSheet()
{
    QFETCH(QString, sheet);
    const Result<FilledWorkbook> filled = FillBaselineWorkbook(templatePath, outputFixtureProject(), sheet, {});
    QVERIFY(filled);
    const auto book = XlsxWorkbook::fromBytes(filled->bytes);
    QVERIFY2(book, qPrintable(book.message()));
    QCOMPARE(book->activeSheetName(), sheet);
    // Exactly one selected tab: several would group the sheets in the spreadsheet.
    QCOMPARE(SelectedSheetNames(*book), QStringList{sheet});
}

void TestXlsxWorkbook::noBaselinesLeavesListAsTemplate()
{
    const Result<FilledWorkbook> filled =
        FillBaselineWorkbook(templatePath, ProjectModel{}, QStringLiteral("重複基線較差"), {});
    QVERIFY(filled);
    QVERIFY(filled->warning.isEmpty());
    const auto book = XlsxWorkbook::fromBytes(filled->bytes);
    const auto original = XlsxWorkbook::fromFile(templatePath);
    QVERIFY(book && original);
    const auto cells = ReadSheetCells(*book, listSheet);
    QVERIFY(cells);
    QCOMPARE(*cells, ReadSheetCells(*original, listSheet).value());
    QCOMPARE(book->activeSheetName(), QStringLiteral("重複基線較差"));
}

void TestXlsxWorkbook::mergesIntoTemplateRows_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::newRow("default namespace") << "";
    QTest::newRow("prefixed namespace") << "x:";
}

void TestXlsxWorkbook::mergesIntoTemplateRows()
{
    QFETCH(QString, prefix);
    auto book = XlsxWorkbook::fromBytes(handMadeTemplate(prefix));
    QVERIFY2(book, qPrintable(book.message()));

    QList<CellValue> row2 = texts(21, QStringLiteral("r2c"));
    row2[10] = CellValue::fromNumber(1.5);
    const SheetRows rows{rowOf(2, row2), rowOf(3, texts(21, QStringLiteral("r3c"))),
                         rowOf(4, texts(21, QStringLiteral("r4c")))};
    QVERIFY(book->writeRows(listSheet, rows));
    QVERIFY(book->activate(QStringLiteral("環閉合")));
    QVERIFY(book->recalculateOnOpen());
    const auto bytes = book->toBytes();
    QVERIFY(bytes);

    const auto reread = XlsxWorkbook::fromBytes(*bytes);
    QVERIFY2(reread, qPrintable(reread.message()));
    const auto cells = ReadSheetCells(*reread, listSheet);
    QVERIFY2(cells, qPrintable(cells.message()));
    QCOMPARE(cells->value({1, 1}).text, QStringLiteral("見出し"));
    // A written cell keeps the template's format: its own, else the row's, else the column's.
    QCOMPARE(cells->value({2, 1}).text, QStringLiteral("r2c1"));
    QCOMPARE(cells->value({2, 1}).style, QStringLiteral("5"));
    QCOMPARE(cells->value({2, 11}).number, 1.5);
    QCOMPARE(cells->value({2, 11}).style, QStringLiteral("7"));
    QCOMPARE(cells->value({2, 2}).style, QStringLiteral("4"));
    QCOMPARE(cells->value({3, 2}).style, QStringLiteral("9"));
    QCOMPARE(cells->value({3, 21}).style, QStringLiteral("9"));
    QCOMPARE(cells->value({4, 2}).style, QStringLiteral("4"));
    QCOMPARE(cells->value({4, 3}).style, QString());
    QCOMPARE(cells->value({4, 21}).text, QStringLiteral("r4c21"));
    // Cells right of the list and rows below it stay.
    QCOMPARE(cells->value({2, 22}).text, QStringLiteral("keep"));
    QCOMPARE(cells->value({10, 1}).text, QStringLiteral("footer"));
    QCOMPARE(cells->value({10, 2}).formula, QStringLiteral("SUM(K2:K4)"));

    const QByteArray listXml = reread->package().read(QStringLiteral("xl/worksheets/sheet1.xml")).value();
    QCOMPARE(attributeOf(listXml, QStringLiteral("dimension"), QStringLiteral("ref")), QStringLiteral("A1:V10"));
    QCOMPARE(attributeOf(listXml, QStringLiteral("row"), QStringLiteral("spans")), QStringLiteral("1:22"));
    QCOMPARE(attributeOf(listXml, QStringLiteral("mergeCell"), QStringLiteral("ref")), QStringLiteral("A10:C10"));
    QVERIFY(listXml.contains("<" + prefix.toUtf8() + "c r=\"B4\" s=\"4\""));

    // The sheet to show: the list's view was added, the other selected tab cleared, the
    // first visible tab moved so the active one can be seen.
    QCOMPARE(reread->activeSheetName(), QStringLiteral("環閉合"));
    QCOMPARE(SelectedSheetNames(*reread), QStringList{QStringLiteral("環閉合")});
    const QByteArray workbookXml = reread->package().read(QStringLiteral("xl/workbook.xml")).value();
    QCOMPARE(attributeOf(workbookXml, QStringLiteral("workbookView"), QStringLiteral("firstSheet")),
             QStringLiteral("1"));
    QCOMPARE(attributeOf(workbookXml, QStringLiteral("workbookView"), QStringLiteral("xWindow")),
             QStringLiteral("0"));
    QCOMPARE(topLevelElements(workbookXml),
             (QStringList{QStringLiteral("bookViews"), QStringLiteral("sheets"), QStringLiteral("calcPr"),
                          QStringLiteral("extLst")}));
    QCOMPARE(attributeOf(workbookXml, QStringLiteral("calcPr"), QStringLiteral("fullCalcOnLoad")),
             QStringLiteral("1"));

    // The calculation chain went, with its relationship and its content type.
    QVERIFY(!reread->package().contains(QStringLiteral("xl/calcChain.xml")));
    QVERIFY(!reread->package().read(QStringLiteral("xl/_rels/workbook.xml.rels")).value().contains("calcChain"));
    QVERIFY(!reread->package().read(QStringLiteral("[Content_Types].xml")).value().contains("calcChain"));
}

void TestXlsxWorkbook::sharedFormulasOutliveTheirFirstCell_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::newRow("default namespace") << "";
    QTest::newRow("prefixed namespace") << "x:";
}

void TestXlsxWorkbook::sharedFormulasOutliveTheirFirstCell()
{
    QFETCH(QString, prefix);
    const QByteArray x = prefix.toUtf8();
    const QByteArray ns = prefix.isEmpty() ? QByteArray("xmlns") : "xmlns:" + x.chopped(1);
    auto cell = [&](const char* ref, const QByteArray& formula, const char* value, const char* style = nullptr) {
        return "<" + x + "c r=\"" + ref + "\"" + (style ? QByteArray(" s=\"") + style + "\"" : QByteArray()) + ">" +
               formula + "<" + x + "v>" + value + "</" + x + "v></" + x + "c>";
    };
    auto first = [&](const char* group, const char* ref, const char* text) {
        return "<" + x + "f t=\"shared\" ref=\"" + ref + "\" si=\"" + group + "\">" + text + "</" + x + "f>";
    };
    auto other = [&](const char* group) { return "<" + x + "f t=\"shared\" si=\"" + group + "\"/>"; };
    auto row = [&](int r, const QByteArray& cells) {
        return "<" + x + "row r=\"" + QByteArray::number(r) + "\">" + cells + "</" + x + "row>";
    };
    // Group 0 runs down column A from a written row into rows below the list; group 1
    // runs from column U of the list into columns V and W beside it; group 2 starts
    // right of the list and is not touched.
    const QByteArray sheet =
        "<" + x + "worksheet " + ns + "=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><" + x + "sheetData>" +
        row(2, cell("K2", {}, "1") + cell("U2", first("1", "U2:W2", "$K2+U$1"), "1") + cell("V2", other("1"), "1") +
                   cell("W2", other("1"), "1") + cell("X2", first("2", "X2:X3", "K2*3"), "3")) +
        row(3, cell("A3", first("0", "A3:A6", "K3*2"), "2") + cell("X3", other("2"), "3")) +
        row(4, cell("A4", other("0"), "2")) +
        row(5, cell("A5", other("0"), "2")) +
        row(6, cell("A6", other("0"), "2", "3")) +
        "</" + x + "sheetData></" + x + "worksheet>";

    const SheetRows rows{rowOf(2, texts(21, QStringLiteral("a"))), rowOf(3, texts(21, QStringLiteral("b"))),
                         rowOf(4, texts(21, QStringLiteral("c")))};
    const auto edited = EditWorksheetXml(sheet, WorksheetEdit{.rows = &rows});
    QVERIFY2(edited, qPrintable(edited.message()));

    // Every formula element by its cell: its text and its sharing.
    struct Formula
    {
        QString text;
        QString type;
        QString group;
        QString style;
        QString value;
    };
    QMap<QString, Formula> formulas;
    QXmlStreamReader r(*edited);
    r.setNamespaceProcessing(false);
    QString at;
    QString style;
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (r.name() == u"c") {
            at = r.attributes().value(QStringLiteral("r")).toString();
            style = r.attributes().value(QStringLiteral("s")).toString();
        } else if (r.name() == u"f") {
            Formula& f = formulas[at];
            f.type = r.attributes().value(QStringLiteral("t")).toString();
            f.group = r.attributes().value(QStringLiteral("si")).toString();
            f.style = style;
            f.text = r.readElementText();
        } else if (r.name() == u"v" && formulas.contains(at)) {
            formulas[at].value = r.readElementText();
        }
    }
    QVERIFY2(!r.hasError(), qPrintable(r.errorString()));

    // The written cells hold values; the cells of groups 0 and 1 outside the list hold
    // the formula as it read there, keeping their format and last value.
    QCOMPARE(formulas.keys(), (QStringList{"A5", "A6", "V2", "W2", "X2", "X3"}));
    QCOMPARE(formulas["A5"].text, QStringLiteral("K5*2"));
    QCOMPARE(formulas["A6"].text, QStringLiteral("K6*2"));
    QCOMPARE(formulas["A6"].style, QStringLiteral("3"));
    QCOMPARE(formulas["A6"].value, QStringLiteral("2"));
    QCOMPARE(formulas["V2"].text, QStringLiteral("$K2+V$1"));
    QCOMPARE(formulas["W2"].text, QStringLiteral("$K2+W$1"));
    for (const char* ref : {"A5", "A6", "V2", "W2"}) {
        QCOMPARE(formulas[ref].type, QString());
        QCOMPARE(formulas[ref].group, QString());
    }
    // Group 2 is shared as before.
    QCOMPARE(formulas["X2"].text, QStringLiteral("K2*3"));
    QCOMPARE(formulas["X2"].group, QStringLiteral("2"));
    QCOMPARE(formulas["X3"].type, QStringLiteral("shared"));
    QCOMPARE(formulas["X3"].group, QStringLiteral("2"));
    QCOMPARE(formulas["X3"].text, QString());
}

void TestXlsxWorkbook::textsRoundTrip()
{
    const QStringList samples{
        QStringLiteral("a & b < c > d \"e\" 'f'"),
        QStringLiteral("  leading and trailing  "),
        QStringLiteral("tab\there, line\nthere, return\rthere"),
        QString(QChar(1)) + QStringLiteral("control") + QChar(0x1F),
        QStringLiteral("_x0041_ stays as typed"),
        QStringLiteral("絵文字 \U0001F600 and ﾊﾝｶｸ"),
        QStringLiteral("lone ") + QChar(0xD800) + QStringLiteral(" surrogate"),
    };
    QList<CellValue> cells;
    for (const QString& s : samples)
        cells << CellValue::typedEntry(s);
    auto book = XlsxWorkbook::fromFile(templatePath);
    QVERIFY(book);
    QVERIFY(book->writeRows(listSheet, {rowOf(2, cells)}));
    const auto reread = XlsxWorkbook::fromBytes(book->toBytes().value());
    QVERIFY2(reread, qPrintable(reread.message()));
    const auto stored = ReadSheetCells(*reread, listSheet);
    QVERIFY2(stored, qPrintable(stored.message()));
    for (qsizetype i = 0; i < samples.size(); ++i)
        QCOMPARE(stored->value({2, int(i + 1)}).text, samples[i]);
}

void TestXlsxWorkbook::missingSheetIsNamed()
{
    auto book = XlsxWorkbook::fromFile(templatePath);
    QVERIFY(book);
    const Outcome written = book->writeRows(QStringLiteral("無いシート"), {rowOf(2, texts(3, QStringLiteral("a")))});
    QVERIFY(!written);
    QVERIFY(written.message.contains(u"無いシート"));
    const Outcome activated = book->activate(QStringLiteral("無いシート"));
    QVERIFY(!activated);
    QVERIFY(activated.message.contains(u"無いシート"));

    const Result<FilledWorkbook> filled =
        FillBaselineWorkbook(templatePath, outputFixtureProject(), QStringLiteral("無いシート"), {});
    QVERIFY(!filled);
    QVERIFY(filled.message().contains(u"無いシート"));
    QVERIFY(filled.message().contains(u"kisenkakusa.xlsx"));
}

void TestXlsxWorkbook::damagedWorkbooksAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("opens"); // refused on opening, or only when written to
    const QByteArray good = readFile(templatePath);
    QVERIFY(!good.isEmpty());
    QTest::newRow("not a zip") << QByteArray("PK\x03\x04 but nothing else") << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("truncated") << good.left(good.size() / 2) << false;
    QByteArray flipped = good;
    flipped[200] = char(flipped[200] ^ 0x55); // inside the first part's compressed data
    QTest::newRow("damaged part data") << flipped << false;
    QTest::newRow("no workbook part")
        << makePackage({{QStringLiteral("[Content_Types].xml"), "<Types/>"}}) << false;
    const QByteArray rels =
        "<Relationships><Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
        "Target=\"xl/workbook.xml\"/></Relationships>";
    const QByteArray sheetRels =
        "<Relationships><Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
        "Target=\"worksheets/sheet1.xml\"/></Relationships>";
    const QByteArray workbook = "<workbook><sheets><sheet name=\"基線一覧\" r:id=\"rId1\"/></sheets></workbook>";
    QTest::newRow("sheet part missing")
        << makePackage({{QStringLiteral("_rels/.rels"), rels},
                        {QStringLiteral("xl/workbook.xml"), workbook},
                        {QStringLiteral("xl/_rels/workbook.xml.rels"), sheetRels}})
        << false;
    QTest::newRow("workbook not XML")
        << makePackage({{QStringLiteral("_rels/.rels"), rels},
                        {QStringLiteral("xl/workbook.xml"), "<workbook><sheets><sheet"},
                        {QStringLiteral("xl/_rels/workbook.xml.rels"), sheetRels}})
        << false;
    QTest::newRow("sheet not XML")
        << makePackage({{QStringLiteral("_rels/.rels"), rels},
                        {QStringLiteral("xl/workbook.xml"), workbook},
                        {QStringLiteral("xl/_rels/workbook.xml.rels"), sheetRels},
                        {QStringLiteral("xl/worksheets/sheet1.xml"), "<worksheet><sheetData><row r=\"2\"><c"}})
        << true;
    QTest::newRow("row number out of range")
        << makePackage({{QStringLiteral("_rels/.rels"), rels},
                        {QStringLiteral("xl/workbook.xml"), workbook},
                        {QStringLiteral("xl/_rels/workbook.xml.rels"), sheetRels},
                        {QStringLiteral("xl/worksheets/sheet1.xml"),
                         "<worksheet><sheetData><row r=\"99999999\"/></sheetData></worksheet>"}})
        << true;
}

void TestXlsxWorkbook::damagedWorkbooksAreRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, opens);
    auto book = XlsxWorkbook::fromBytes(bytes);
    QCOMPARE(bool(book), opens);
    if (!book) {
        QVERIFY(!book.message().isEmpty());
        return;
    }
    const Outcome written = book->writeRows(listSheet, {rowOf(2, texts(21, QStringLiteral("v")))});
    QVERIFY(!written);
    QVERIFY(!written.message.isEmpty());
}

QTEST_GUILESS_MAIN(TestXlsxWorkbook)
#include "tst_xlsxworkbook.moc"
