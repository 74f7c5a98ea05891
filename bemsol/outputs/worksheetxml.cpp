#include "worksheetxml.h"

#include "formulashift.h"
#include "xmlwriter.h"

#include <QHash>
#include <QLocale>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

bool isTrue(QStringView v)
{
    return v == u"1" || v == u"true";
}

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

// "_x0041_" is how a workbook stores characters that XML cannot carry; a text that
// happens to contain that pattern gets its "_" escaped, so it reads back unchanged.
bool startsEscapePattern(QStringView text, qsizetype i)
{
    return i + 6 < text.size() && text[i] == u'_' && text[i + 1] == u'x' && isHexDigit(text[i + 2]) &&
           isHexDigit(text[i + 3]) && isHexDigit(text[i + 4]) && isHexDigit(text[i + 5]) &&
           text[i + 6] == u'_';
}

bool isXmlChar(QStringView text, qsizetype i, bool* pair)
{
    *pair = false;
    const char16_t c = text[i].unicode();
    if (c < 0x20)
        return c == u'\t' || c == u'\n' || c == u'\r';
    if (c == 0xFFFE || c == 0xFFFF)
        return false;
    if (QChar::isHighSurrogate(c)) {
        *pair = i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode());
        return *pair;
    }
    return !QChar::isLowSurrogate(c);
}

void appendCellText(QByteArray& out, QStringView text)
{
    qsizetype plainStart = 0;
    auto flush = [&](qsizetype end) {
        if (end > plainStart)
            out.append(text.sliced(plainStart, end - plainStart).toUtf8());
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x20 && c != u'&' && c != u'<' && c != u'>' && c != u'_' && (c < 0xD800 || c > 0xDFFF) &&
            c < 0xFFFE)
            continue;
        bool pair = false;
        if (c == u'_') {
            if (!startsEscapePattern(text, i))
                continue;
            flush(i);
            out.append("_x005F_");
        } else if (!isXmlChar(text, i, &pair)) {
            flush(i);
            out.append(QByteArray("_x") + QByteArray::number(c, 16).toUpper().rightJustified(4, '0') + '_');
        } else if (pair) {
            ++i;
            continue;
        } else if (c == u'\t' || c == u'\n') {
            continue;
        } else {
            flush(i);
            out.append(c == u'&' ? "&amp;" : c == u'<' ? "&lt;" : c == u'>' ? "&gt;" : "&#13;");
        }
        plainStart = i + 1;
    }
    flush(text.size());
}

bool needsPreserve(QStringView text)
{
    auto blank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
    return !text.isEmpty() && (blank(text.front()) || blank(text.back()));
}

struct ColumnStyle
{
    int min = 0;
    int max = 0;
    QString style;
};

struct TemplateCell
{
    int column = 0;
    QString style;
    QByteArray xml;
    // A cell of a shared formula: its group, and whether it is the group's first cell,
    // the one that carries the formula for all.
    int sharedGroup = -1;
    bool sharedFirst = false;
    QString sharedFormula;
};

// The first cell of a shared formula: where it is and what it says.
struct SharedFormulaOrigin
{
    int row = 0;
    int column = 0;
    QString formula;
};

void readSharedFormula(TemplateCell& cell)
{
    QXmlStreamReader reader(cell.xml);
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != u"f")
            continue;
        const auto attrs = reader.attributes();
        bool ok = false;
        const int group = attrs.value(QLatin1StringView("si")).toInt(&ok);
        if (attrs.value(QLatin1StringView("t")) != u"shared" || !ok)
            return;
        cell.sharedGroup = group;
        cell.sharedFirst = attrs.hasAttribute(QLatin1StringView("ref"));
        cell.sharedFormula = reader.readElementText();
        return;
    }
}

// The cell with its shared formula written out as an ordinary one.
QByteArray unsharedCellXml(const QByteArray& xml, const QString& formula)
{
    QByteArray out;
    XmlWriter writer(&out);
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartDocument)
            continue;
        if (token == QXmlStreamReader::StartElement && reader.name() == u"f") {
            const QString name = reader.qualifiedName().toString();
            writer.startElement(name);
            for (const QXmlStreamAttribute& a : reader.attributes())
                if (a.qualifiedName() != u"t" && a.qualifiedName() != u"si" && a.qualifiedName() != u"ref")
                    writer.attribute(a.qualifiedName(), a.value());
            writer.characters(formula);
            writer.endElement(name);
            reader.skipCurrentElement();
            continue;
        }
        writer.copyCurrent(reader);
    }
    return out;
}

struct TemplateRow
{
    int row = 0;
    QXmlStreamAttributes attributes;
    QList<TemplateCell> cells;
    QByteArray trailing; // other children of the row, kept after the cells
};

class WorksheetEditor
{
public:
    WorksheetEditor(const QByteArray& xml, const WorksheetEdit& edit) : reader_(xml), edit_(edit)
    {
        reader_.setNamespaceProcessing(false);
        if (edit_.rows)
            rows_ = *edit_.rows;
    }

    Result<QByteArray> run();

private:
    QString qualified(const char* localName) const { return prefix_ + QLatin1String(localName); }

    void insertSheetViews();
    void writeSheetView();
    void writeDimension();
    void copyCols();
    bool mergeSheetData();
    bool readRow(TemplateRow* row, int previousRow);
    void copySubtree(XmlWriter& writer);
    void writeNewRow(const SheetRow& row);
    void writeMergedRow(const TemplateRow& tpl, const SheetRow& row);
    void writeTemplateRow(const TemplateRow& tpl);
    void findOverwrittenSharedFormulas(const QList<TemplateRow>& templateRows);
    void writeTemplateCell(int row, const TemplateCell& cell);
    void appendCell(int row, int column, const QString& style, const CellValue& value);
    QString columnStyle(int column) const;

    QXmlStreamReader reader_;
    const WorksheetEdit& edit_;
    SheetRows rows_;
    QByteArray out_;
    XmlWriter writer_{&out_};
    QString prefix_;
    QList<ColumnStyle> columnStyles_;
    // Shared formulas whose first cell is overwritten, by group.
    QHash<int, SharedFormulaOrigin> overwrittenShared_;
    bool sawSheetViews_ = false;
    bool sawSheetData_ = false;
};

Result<QByteArray> WorksheetEditor::run()
{
    out_.reserve(qsizetype(rows_.size()) * 2048 + 4096);
    int depth = 0;
    bool rootSeen = false;
    while (!reader_.atEnd()) {
        reader_.readNext();
        if (reader_.hasError())
            break;
        const auto token = reader_.tokenType();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            const QStringView name = reader_.name();
            if (depth == 1) {
                if (name != u"worksheet")
                    return Outcome::failure(QStringLiteral("ワークシートではありません"));
                rootSeen = true;
                const QStringView prefix = reader_.prefix();
                prefix_ = prefix.isEmpty() ? QString() : prefix.toString() + u':';
            } else if (depth == 2) {
                if (edit_.tab == WorksheetEdit::Tab::Select && !sawSheetViews_ && name != u"sheetPr" &&
                    name != u"dimension" && name != u"sheetViews")
                    insertSheetViews();
                if (name == u"sheetViews") {
                    sawSheetViews_ = true;
                } else if (name == u"dimension" && !rows_.isEmpty()) {
                    writeDimension();
                    continue;
                } else if (name == u"cols") {
                    copyCols();
                    --depth;
                    continue;
                } else if (name == u"sheetData") {
                    sawSheetData_ = true;
                    if (!mergeSheetData())
                        break;
                    --depth;
                    continue;
                }
            } else if (depth == 3 && name == u"sheetView" && edit_.tab != WorksheetEdit::Tab::Keep) {
                writeSheetView();
                continue;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
        writer_.copyCurrent(reader_);
    }
    if (reader_.hasError() || !rootSeen)
        return Outcome::failure(QStringLiteral("ワークシートを読めません: %1").arg(reader_.errorString()));
    if (!sawSheetData_)
        return Outcome::failure(QStringLiteral("ワークシートにセルの欄がありません"));
    return out_;
}

void WorksheetEditor::insertSheetViews()
{
    sawSheetViews_ = true;
    writer_.startElement(qualified("sheetViews"));
    writer_.startElement(qualified("sheetView"));
    writer_.attribute(u"tabSelected", u"1");
    writer_.attribute(u"workbookViewId", u"0");
    writer_.endElement(qualified("sheetView"));
    writer_.endElement(qualified("sheetViews"));
}

void WorksheetEditor::writeSheetView()
{
    writer_.startElement(reader_.qualifiedName());
    bool written = false;
    for (const QXmlStreamAttribute& a : reader_.attributes()) {
        if (a.qualifiedName() == u"tabSelected") {
            if (edit_.tab == WorksheetEdit::Tab::Select && !written) {
                writer_.attribute(u"tabSelected", u"1");
                written = true;
            }
            continue;
        }
        // tabSelected comes first among the attributes, as spreadsheets write it.
        if (edit_.tab == WorksheetEdit::Tab::Select && !written) {
            writer_.attribute(u"tabSelected", u"1");
            written = true;
        }
        writer_.attribute(a.qualifiedName(), a.value());
    }
    if (edit_.tab == WorksheetEdit::Tab::Select && !written)
        writer_.attribute(u"tabSelected", u"1");
}

void WorksheetEditor::writeDimension()
{
    int top = rows_.first().row;
    int bottom = rows_.last().row;
    int left = 1;
    int right = 1;
    for (const SheetRow& r : rows_)
        right = std::max<int>(right, int(r.cells.size()));
    const QString ref = reader_.attributes().value(QLatin1StringView("ref")).toString();
    const QStringList corners = ref.split(u':');
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    if (!corners.isEmpty() && ParseCellReference(corners.first(), &r1, &c1) &&
        ParseCellReference(corners.last(), &r2, &c2)) {
        top = std::min({top, r1, r2});
        bottom = std::max({bottom, r1, r2});
        left = std::min({left, c1, c2});
        right = std::max({right, c1, c2});
    }
    writer_.startElement(reader_.qualifiedName());
    for (const QXmlStreamAttribute& a : reader_.attributes()) {
        if (a.qualifiedName() == u"ref")
            writer_.attribute(u"ref", CellReference(top, left) + u':' + CellReference(bottom, right));
        else
            writer_.attribute(a.qualifiedName(), a.value());
    }
}

void WorksheetEditor::copyCols()
{
    int depth = 0;
    do {
        const auto token = reader_.tokenType();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (depth == 2 && reader_.name() == u"col") {
                const auto attrs = reader_.attributes();
                const int min = attrs.value(QLatin1StringView("min")).toInt();
                const int max = attrs.value(QLatin1StringView("max")).toInt();
                const QString style = attrs.value(QLatin1StringView("style")).toString();
                if (min >= 1 && max >= min && !style.isEmpty())
                    columnStyles_.append({min, max, style});
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
        writer_.copyCurrent(reader_);
        if (depth == 0)
            break;
        reader_.readNext();
    } while (!reader_.hasError());
}

QString WorksheetEditor::columnStyle(int column) const
{
    for (const ColumnStyle& c : columnStyles_)
        if (column >= c.min && column <= c.max)
            return c.style;
    return {};
}

void WorksheetEditor::copySubtree(XmlWriter& writer)
{
    int depth = 0;
    do {
        const auto token = reader_.tokenType();
        if (token == QXmlStreamReader::StartElement)
            ++depth;
        else if (token == QXmlStreamReader::EndElement)
            --depth;
        writer.copyCurrent(reader_);
        if (depth == 0)
            return;
        reader_.readNext();
    } while (!reader_.hasError());
}

bool WorksheetEditor::readRow(TemplateRow* row, int previousRow)
{
    row->attributes = reader_.attributes();
    bool ok = false;
    const int r = row->attributes.value(QLatin1StringView("r")).toInt(&ok);
    row->row = ok ? r : previousRow + 1;
    if (row->row < 1 || row->row > maxSheetRow)
        return false;
    int previousColumn = 0;
    while (!reader_.atEnd()) {
        reader_.readNext();
        if (reader_.hasError())
            return false;
        if (reader_.tokenType() == QXmlStreamReader::EndElement)
            return true; // the row's own end
        if (reader_.tokenType() != QXmlStreamReader::StartElement)
            continue; // blanks between cells
        if (reader_.name() == u"c") {
            TemplateCell cell;
            const auto attrs = reader_.attributes();
            int cellRow = 0;
            if (!ParseCellReference(attrs.value(QLatin1StringView("r")), &cellRow, &cell.column))
                cell.column = previousColumn + 1;
            if (cell.column > maxSheetColumn)
                return false;
            previousColumn = cell.column;
            cell.style = attrs.value(QLatin1StringView("s")).toString();
            XmlWriter cellWriter(&cell.xml);
            copySubtree(cellWriter);
            if (cell.xml.contains("shared"))
                readSharedFormula(cell);
            row->cells.append(std::move(cell));
        } else {
            XmlWriter otherWriter(&row->trailing);
            copySubtree(otherWriter);
        }
    }
    return false;
}

bool WorksheetEditor::mergeSheetData()
{
    const QString sheetDataName = reader_.qualifiedName().toString();
    writer_.copyCurrent(reader_);

    QList<TemplateRow> templateRows;
    int previousRow = 0;
    while (!reader_.atEnd()) {
        reader_.readNext();
        if (reader_.hasError())
            return false;
        const auto token = reader_.tokenType();
        if (token == QXmlStreamReader::EndElement)
            break; // end of sheetData
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (reader_.name() != u"row") {
            reader_.skipCurrentElement();
            continue;
        }
        TemplateRow row;
        if (!readRow(&row, previousRow)) {
            reader_.raiseError(QStringLiteral("row"));
            return false;
        }
        previousRow = row.row;
        templateRows.append(std::move(row));
    }
    // Rows are kept in order even when a template lists them out of order.
    std::stable_sort(templateRows.begin(), templateRows.end(),
                     [](const TemplateRow& a, const TemplateRow& b) { return a.row < b.row; });
    findOverwrittenSharedFormulas(templateRows);

    qsizetype t = 0;
    qsizetype e = 0;
    while (t < templateRows.size() || e < rows_.size()) {
        if (e >= rows_.size() || (t < templateRows.size() && templateRows[t].row < rows_[e].row)) {
            writeTemplateRow(templateRows[t++]);
        } else if (t >= templateRows.size() || rows_[e].row < templateRows[t].row) {
            writeNewRow(rows_[e++]);
        } else {
            // A template that lists a row twice gets both merged into one.
            const SheetRow& edit = rows_[e++];
            TemplateRow merged = templateRows[t++];
            while (t < templateRows.size() && templateRows[t].row == merged.row)
                merged.cells += templateRows[t++].cells;
            writeMergedRow(merged, edit);
        }
    }
    writer_.endElement(sheetDataName);
    return true;
}

void WorksheetEditor::findOverwrittenSharedFormulas(const QList<TemplateRow>& templateRows)
{
    qsizetype e = 0;
    for (const TemplateRow& tpl : templateRows) {
        while (e < rows_.size() && rows_[e].row < tpl.row)
            ++e;
        if (e == rows_.size())
            return;
        if (rows_[e].row != tpl.row)
            continue;
        const int written = int(rows_[e].cells.size());
        for (const TemplateCell& c : tpl.cells)
            if (c.sharedFirst && c.column <= written)
                overwrittenShared_.insert(c.sharedGroup, {tpl.row, c.column, c.sharedFormula});
    }
}

void WorksheetEditor::writeTemplateCell(int row, const TemplateCell& cell)
{
    // The other cells of a shared formula whose first cell was overwritten would point
    // at a formula that is gone, and a spreadsheet would call the workbook damaged.
    // Each gets the formula as it read in that cell.
    const auto origin = overwrittenShared_.constFind(cell.sharedGroup);
    if (cell.sharedGroup < 0 || origin == overwrittenShared_.cend()) {
        writer_.raw(cell.xml);
        return;
    }
    const QString formula =
        ShiftFormulaReferences(origin->formula, row - origin->row, cell.column - origin->column);
    writer_.raw(unsharedCellXml(cell.xml, formula));
}

void WorksheetEditor::writeTemplateRow(const TemplateRow& tpl)
{
    writer_.startElement(qualified("row"));
    writer_.attributes(tpl.attributes);
    for (const TemplateCell& c : tpl.cells)
        writeTemplateCell(tpl.row, c);
    if (!tpl.trailing.isEmpty())
        writer_.raw(tpl.trailing);
    writer_.endElement(qualified("row"));
}

void WorksheetEditor::writeNewRow(const SheetRow& row)
{
    writer_.raw({}); // close a pending start tag
    out_.append('<').append(prefix_.toUtf8()).append("row r=\"").append(QByteArray::number(row.row)).append("\">");
    for (qsizetype i = 0; i < row.cells.size(); ++i)
        appendCell(row.row, int(i + 1), columnStyle(int(i + 1)), row.cells[i]);
    out_.append("</").append(prefix_.toUtf8()).append("row>");
}

void WorksheetEditor::writeMergedRow(const TemplateRow& tpl, const SheetRow& row)
{
    // A cell that is written keeps the template's format for it: the cell's own, else the
    // row's when the row carries one, else the column's.
    const bool rowFormatted = isTrue(tpl.attributes.value(QLatin1StringView("customFormat")));
    const QString rowStyle = tpl.attributes.value(QLatin1StringView("s")).toString();
    const int written = int(row.cells.size());

    writer_.startElement(qualified("row"));
    writer_.attribute(u"r", QString::number(tpl.row));
    for (const QXmlStreamAttribute& a : tpl.attributes) {
        // "spans" is only a hint and would no longer match the row's cells.
        if (a.qualifiedName() != u"r" && a.qualifiedName() != u"spans")
            writer_.attribute(a.qualifiedName(), a.value());
    }
    writer_.raw({});

    QList<TemplateCell> cells = tpl.cells;
    std::stable_sort(cells.begin(), cells.end(),
                     [](const TemplateCell& a, const TemplateCell& b) { return a.column < b.column; });
    qsizetype next = 0;
    for (int column = 1; column <= written; ++column) {
        QString style;
        bool found = false;
        while (next < cells.size() && cells[next].column <= column) {
            if (cells[next].column == column && !found) {
                style = cells[next].style;
                found = true;
            }
            ++next;
        }
        if (!found)
            style = rowFormatted ? rowStyle : columnStyle(column);
        appendCell(tpl.row, column, style, row.cells[column - 1]);
    }
    for (; next < cells.size(); ++next)
        writeTemplateCell(tpl.row, cells[next]);
    if (!tpl.trailing.isEmpty())
        writer_.raw(tpl.trailing);
    writer_.endElement(qualified("row"));
}

void WorksheetEditor::appendCell(int row, int column, const QString& style, const CellValue& value)
{
    if (value.kind == CellValue::Kind::Empty && style.isEmpty())
        return;
    const QByteArray prefix = prefix_.toUtf8();
    out_.append('<').append(prefix).append("c r=\"").append(ColumnLetters(column)).append(QByteArray::number(row)).append('"');
    if (!style.isEmpty()) {
        out_.append(" s=\"");
        XmlWriter::appendEscapedAttribute(out_, style);
        out_.append('"');
    }
    switch (value.kind) {
    case CellValue::Kind::Empty:
        out_.append("/>");
        return;
    case CellValue::Kind::Number:
        out_.append("><").append(prefix).append("v>");
        out_.append(QByteArray::number(value.number, 'g', QLocale::FloatingPointShortest));
        out_.append("</").append(prefix).append("v></").append(prefix).append("c>");
        return;
    case CellValue::Kind::Text:
        out_.append(" t=\"inlineStr\"><").append(prefix).append("is><").append(prefix).append('t');
        if (needsPreserve(value.text))
            out_.append(" xml:space=\"preserve\"");
        out_.append('>');
        appendCellText(out_, value.text);
        out_.append("</").append(prefix).append("t></").append(prefix).append("is></").append(prefix).append("c>");
        return;
    }
}

} // namespace

Result<QByteArray> EditWorksheetXml(const QByteArray& xml, const WorksheetEdit& edit)
{
    WorksheetEditor editor(xml, edit);
    return editor.run();
}

bool SheetTabSelected(const QByteArray& xml)
{
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == u"sheetView" && isTrue(reader.attributes().value(QLatin1StringView("tabSelected"))))
            return true;
        if (reader.name() == u"sheetData")
            return false; // the views come before the cells
    }
    return false;
}
