#include "workbookbuilder.h"

#include "outputs/cellvalue.h"
#include "outputs/zippackage.h"

#include <QHash>
#include <QXmlStreamWriter>

#include <algorithm>

namespace {

const QString mainNs = QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");
const QString relNs = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString packageRelNs = QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");
const QString contentTypesNs = QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types");
const QString officeRel = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/");

// Parts are stamped with one fixed time so that the output does not depend on when it
// was made.
const QDateTime fixedTime(QDate(2024, 4, 1), QTime(9, 0), Qt::UTC);

class Xml
{
public:
    Xml() : w(&bytes)
    {
        w.setAutoFormatting(false);
        w.writeStartDocument(QStringLiteral("1.0"), true);
    }
    QByteArray finish()
    {
        w.writeEndDocument();
        return bytes;
    }
    QByteArray bytes;
    QXmlStreamWriter w;
};

void writeRelationship(QXmlStreamWriter& w, const QString& id, const QString& type, const QString& target)
{
    w.writeEmptyElement(QStringLiteral("Relationship"));
    w.writeAttribute(QStringLiteral("Id"), id);
    w.writeAttribute(QStringLiteral("Type"), officeRel + type);
    w.writeAttribute(QStringLiteral("Target"), target);
}

QByteArray packageRelationships(const QString& officeDocument)
{
    Xml x;
    x.w.writeStartElement(QStringLiteral("Relationships"));
    x.w.writeDefaultNamespace(packageRelNs);
    writeRelationship(x.w, QStringLiteral("rId1"), QStringLiteral("officeDocument"), officeDocument);
    x.w.writeEndElement();
    return x.finish();
}

QString formatNumber(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

} // namespace

QByteArray WorkbookBuilder::build() const
{
    ZipPackage package;
    package.setTimestamp(fixedTime);

    // Shared texts in order of first use.
    QStringList strings;
    QHash<QString, int> stringIndex;
    auto indexOf = [&](const QString& s) {
        auto it = stringIndex.constFind(s);
        if (it != stringIndex.constEnd())
            return *it;
        strings.append(s);
        stringIndex.insert(s, int(strings.size() - 1));
        return int(strings.size() - 1);
    };
    int stringUses = 0;

    {
        Xml x;
        x.w.writeStartElement(QStringLiteral("Types"));
        x.w.writeDefaultNamespace(contentTypesNs);
        x.w.writeEmptyElement(QStringLiteral("Default"));
        x.w.writeAttribute(QStringLiteral("Extension"), QStringLiteral("rels"));
        x.w.writeAttribute(QStringLiteral("ContentType"),
                           QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
        x.w.writeEmptyElement(QStringLiteral("Default"));
        x.w.writeAttribute(QStringLiteral("Extension"), QStringLiteral("xml"));
        x.w.writeAttribute(QStringLiteral("ContentType"), QStringLiteral("application/xml"));
        auto override = [&](const QString& part, const QString& type) {
            x.w.writeEmptyElement(QStringLiteral("Override"));
            x.w.writeAttribute(QStringLiteral("PartName"), part);
            x.w.writeAttribute(QStringLiteral("ContentType"), type);
        };
        override(QStringLiteral("/xl/workbook.xml"),
                 QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"));
        for (qsizetype i = 0; i < sheets_.size(); ++i)
            override(QStringLiteral("/xl/worksheets/sheet%1.xml").arg(i + 1),
                     QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"));
        override(QStringLiteral("/xl/styles.xml"),
                 QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"));
        override(QStringLiteral("/xl/sharedStrings.xml"),
                 QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"));
        x.w.writeEndElement();
        package.write(QStringLiteral("[Content_Types].xml"), x.finish());
    }
    package.write(QStringLiteral("_rels/.rels"), packageRelationships(QStringLiteral("xl/workbook.xml")));

    {
        Xml x;
        x.w.writeStartElement(QStringLiteral("workbook"));
        x.w.writeDefaultNamespace(mainNs);
        x.w.writeNamespace(relNs, QStringLiteral("r"));
        x.w.writeStartElement(QStringLiteral("bookViews"));
        x.w.writeEmptyElement(QStringLiteral("workbookView"));
        x.w.writeAttribute(QStringLiteral("activeTab"), QString::number(activeSheet_));
        x.w.writeEndElement();
        x.w.writeStartElement(QStringLiteral("sheets"));
        for (qsizetype i = 0; i < sheets_.size(); ++i) {
            x.w.writeEmptyElement(QStringLiteral("sheet"));
            x.w.writeAttribute(QStringLiteral("name"), sheets_[i].name);
            x.w.writeAttribute(QStringLiteral("sheetId"), QString::number(i + 1));
            x.w.writeAttribute(relNs, QStringLiteral("id"), QStringLiteral("rId%1").arg(i + 1));
        }
        x.w.writeEndElement();
        x.w.writeEmptyElement(QStringLiteral("calcPr"));
        x.w.writeAttribute(QStringLiteral("calcId"), QStringLiteral("191029"));
        x.w.writeEndElement();
        package.write(QStringLiteral("xl/workbook.xml"), x.finish());
    }
    {
        Xml x;
        x.w.writeStartElement(QStringLiteral("Relationships"));
        x.w.writeDefaultNamespace(packageRelNs);
        const qsizetype n = sheets_.size();
        for (qsizetype i = 0; i < n; ++i)
            writeRelationship(x.w, QStringLiteral("rId%1").arg(i + 1), QStringLiteral("worksheet"),
                              QStringLiteral("worksheets/sheet%1.xml").arg(i + 1));
        writeRelationship(x.w, QStringLiteral("rId%1").arg(n + 1), QStringLiteral("styles"),
                          QStringLiteral("styles.xml"));
        writeRelationship(x.w, QStringLiteral("rId%1").arg(n + 2), QStringLiteral("sharedStrings"),
                          QStringLiteral("sharedStrings.xml"));
        x.w.writeEndElement();
        package.write(QStringLiteral("xl/_rels/workbook.xml.rels"), x.finish());
    }

    for (qsizetype i = 0; i < sheets_.size(); ++i) {
        const Sheet& sheet = sheets_[i];
        Xml x;
        x.w.writeStartElement(QStringLiteral("worksheet"));
        x.w.writeDefaultNamespace(mainNs);
        x.w.writeNamespace(relNs, QStringLiteral("r"));
        x.w.writeStartElement(QStringLiteral("sheetViews"));
        x.w.writeStartElement(QStringLiteral("sheetView"));
        if (i == activeSheet_)
            x.w.writeAttribute(QStringLiteral("tabSelected"), QStringLiteral("1"));
        x.w.writeAttribute(QStringLiteral("workbookViewId"), QStringLiteral("0"));
        if (sheet.frozenHeading) {
            x.w.writeEmptyElement(QStringLiteral("pane"));
            x.w.writeAttribute(QStringLiteral("ySplit"), QStringLiteral("1"));
            x.w.writeAttribute(QStringLiteral("topLeftCell"), QStringLiteral("A2"));
            x.w.writeAttribute(QStringLiteral("activePane"), QStringLiteral("bottomLeft"));
            x.w.writeAttribute(QStringLiteral("state"), QStringLiteral("frozen"));
        }
        x.w.writeEndElement();
        x.w.writeEndElement();
        x.w.writeEmptyElement(QStringLiteral("sheetFormatPr"));
        x.w.writeAttribute(QStringLiteral("defaultRowHeight"), QStringLiteral("13.5"));
        if (!sheet.columns.isEmpty()) {
            x.w.writeStartElement(QStringLiteral("cols"));
            for (const ColumnSpec& c : sheet.columns) {
                x.w.writeEmptyElement(QStringLiteral("col"));
                x.w.writeAttribute(QStringLiteral("min"), QString::number(c.first));
                x.w.writeAttribute(QStringLiteral("max"), QString::number(c.last));
                x.w.writeAttribute(QStringLiteral("width"), formatNumber(c.width));
                if (c.format != Format::None)
                    x.w.writeAttribute(QStringLiteral("style"), QString::number(int(c.format)));
                x.w.writeAttribute(QStringLiteral("customWidth"), QStringLiteral("1"));
            }
            x.w.writeEndElement();
        }
        QList<Cell> cells = sheet.cells;
        std::stable_sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) {
            return a.row != b.row ? a.row < b.row : a.column < b.column;
        });
        x.w.writeStartElement(QStringLiteral("sheetData"));
        int openRow = 0;
        for (const Cell& c : cells) {
            if (c.row != openRow) {
                if (openRow)
                    x.w.writeEndElement();
                x.w.writeStartElement(QStringLiteral("row"));
                x.w.writeAttribute(QStringLiteral("r"), QString::number(c.row));
                openRow = c.row;
            }
            x.w.writeStartElement(QStringLiteral("c"));
            x.w.writeAttribute(QStringLiteral("r"), CellReference(c.row, c.column));
            if (c.format != Format::None)
                x.w.writeAttribute(QStringLiteral("s"), QString::number(int(c.format)));
            if (!c.formula.isEmpty()) {
                // No stored result: the spreadsheet computes it on opening.
                x.w.writeTextElement(QStringLiteral("f"), c.formula);
            } else if (c.value.typeId() == QMetaType::QString) {
                x.w.writeAttribute(QStringLiteral("t"), QStringLiteral("s"));
                x.w.writeTextElement(QStringLiteral("v"), QString::number(indexOf(c.value.toString())));
                ++stringUses;
            } else {
                x.w.writeTextElement(QStringLiteral("v"), formatNumber(c.value.toDouble()));
            }
            x.w.writeEndElement();
        }
        if (openRow)
            x.w.writeEndElement();
        x.w.writeEndElement(); // sheetData
        x.w.writeEmptyElement(QStringLiteral("pageMargins"));
        for (const auto& [name, value] : {std::pair{"left", "0.7"}, {"right", "0.7"}, {"top", "0.75"},
                                          {"bottom", "0.75"}, {"header", "0.3"}, {"footer", "0.3"}})
            x.w.writeAttribute(QLatin1StringView(name), QLatin1StringView(value));
        x.w.writeEndElement();
        package.write(QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1), x.finish());
    }

    {
        // Formats 0 plain, 1 heading (bold), 2 three decimals, 3 title (bold, larger).
        Xml x;
        x.w.writeStartElement(QStringLiteral("styleSheet"));
        x.w.writeDefaultNamespace(mainNs);
        x.w.writeStartElement(QStringLiteral("numFmts"));
        x.w.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
        x.w.writeEmptyElement(QStringLiteral("numFmt"));
        x.w.writeAttribute(QStringLiteral("numFmtId"), QStringLiteral("164"));
        x.w.writeAttribute(QStringLiteral("formatCode"), QStringLiteral("0.000"));
        x.w.writeEndElement();
        x.w.writeStartElement(QStringLiteral("fonts"));
        x.w.writeAttribute(QStringLiteral("count"), QStringLiteral("3"));
        auto font = [&](bool bold, const char* size) {
            x.w.writeStartElement(QStringLiteral("font"));
            if (bold)
                x.w.writeEmptyElement(QStringLiteral("b"));
            x.w.writeEmptyElement(QStringLiteral("sz"));
            x.w.writeAttribute(QStringLiteral("val"), QLatin1StringView(size));
            x.w.writeEmptyElement(QStringLiteral("name"));
            x.w.writeAttribute(QStringLiteral("val"), QStringLiteral("IPAexGothic"));
            x.w.writeEmptyElement(QStringLiteral("charset"));
            x.w.writeAttribute(QStringLiteral("val"), QStringLiteral("128"));
            x.w.writeEndElement();
        };
        font(false, "11");
        font(true, "11");
        font(true, "14");
        x.w.writeEndElement();
        x.w.writeStartElement(QStringLiteral("fills"));
        x.w.writeAttribute(QStringLiteral("count"), QStringLiteral("2"));
        for (const char* pattern : {"none", "gray125"}) {
            x.w.writeStartElement(QStringLiteral("fill"));
            x.w.writeEmptyElement(QStringLiteral("patternFill"));
            x.w.writeAttribute(QStringLiteral("patternType"), QLatin1StringView(pattern));
            x.w.writeEndElement();
        }
        x.w.writeEndElement();
        x.w.writeStartElement(QStringLiteral("borders"));
        x.w.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
        x.w.writeStartElement(QStringLiteral("border"));
        for (const char* side : {"left", "right", "top", "bottom", "diagonal"})
            x.w.writeEmptyElement(QLatin1StringView(side));
        x.w.writeEndElement();
        x.w.writeEndElement();
        x.w.writeStartElement(QStringLiteral("cellStyleXfs"));
        x.w.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
        x.w.writeEmptyElement(QStringLiteral("xf"));
        for (const char* a : {"numFmtId", "fontId", "fillId", "borderId"})
            x.w.writeAttribute(QLatin1StringView(a), QStringLiteral("0"));
        x.w.writeEndElement();
        x.w.writeStartElement(QStringLiteral("cellXfs"));
        x.w.writeAttribute(QStringLiteral("count"), QStringLiteral("4"));
        auto xf = [&](const char* numFmt, const char* fontId) {
            x.w.writeEmptyElement(QStringLiteral("xf"));
            x.w.writeAttribute(QStringLiteral("numFmtId"), QLatin1StringView(numFmt));
            x.w.writeAttribute(QStringLiteral("fontId"), QLatin1StringView(fontId));
            x.w.writeAttribute(QStringLiteral("fillId"), QStringLiteral("0"));
            x.w.writeAttribute(QStringLiteral("borderId"), QStringLiteral("0"));
            x.w.writeAttribute(QStringLiteral("xfId"), QStringLiteral("0"));
            if (QByteArrayView(numFmt) != "0")
                x.w.writeAttribute(QStringLiteral("applyNumberFormat"), QStringLiteral("1"));
            if (QByteArrayView(fontId) != "0")
                x.w.writeAttribute(QStringLiteral("applyFont"), QStringLiteral("1"));
        };
        xf("0", "0");
        xf("0", "1");
        xf("164", "0");
        xf("0", "2");
        x.w.writeEndElement();
        x.w.writeStartElement(QStringLiteral("cellStyles"));
        x.w.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
        x.w.writeEmptyElement(QStringLiteral("cellStyle"));
        x.w.writeAttribute(QStringLiteral("name"), QStringLiteral("Normal"));
        x.w.writeAttribute(QStringLiteral("xfId"), QStringLiteral("0"));
        x.w.writeAttribute(QStringLiteral("builtinId"), QStringLiteral("0"));
        x.w.writeEndElement();
        x.w.writeEndElement();
        package.write(QStringLiteral("xl/styles.xml"), x.finish());
    }
    {
        Xml x;
        x.w.writeStartElement(QStringLiteral("sst"));
        x.w.writeDefaultNamespace(mainNs);
        x.w.writeAttribute(QStringLiteral("count"), QString::number(stringUses));
        x.w.writeAttribute(QStringLiteral("uniqueCount"), QString::number(strings.size()));
        for (const QString& s : strings) {
            x.w.writeStartElement(QStringLiteral("si"));
            x.w.writeTextElement(QStringLiteral("t"), s);
            x.w.writeEndElement();
        }
        x.w.writeEndElement();
        package.write(QStringLiteral("xl/sharedStrings.xml"), x.finish());
    }

    const Result<QByteArray> bytes = package.toBytes();
    return bytes ? *bytes : QByteArray();
}

QByteArray BuildDocument(const QString& title, const QString& note, const QStringList& headings,
                         int emptyRows)
{
    const QString w = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
    ZipPackage package;
    package.setTimestamp(fixedTime);
    {
        Xml x;
        x.w.writeStartElement(QStringLiteral("Types"));
        x.w.writeDefaultNamespace(contentTypesNs);
        x.w.writeEmptyElement(QStringLiteral("Default"));
        x.w.writeAttribute(QStringLiteral("Extension"), QStringLiteral("rels"));
        x.w.writeAttribute(QStringLiteral("ContentType"),
                           QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
        x.w.writeEmptyElement(QStringLiteral("Default"));
        x.w.writeAttribute(QStringLiteral("Extension"), QStringLiteral("xml"));
        x.w.writeAttribute(QStringLiteral("ContentType"), QStringLiteral("application/xml"));
        x.w.writeEmptyElement(QStringLiteral("Override"));
        x.w.writeAttribute(QStringLiteral("PartName"), QStringLiteral("/word/document.xml"));
        x.w.writeAttribute(
            QStringLiteral("ContentType"),
            QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"));
        x.w.writeEndElement();
        package.write(QStringLiteral("[Content_Types].xml"), x.finish());
    }
    package.write(QStringLiteral("_rels/.rels"), packageRelationships(QStringLiteral("word/document.xml")));
    {
        Xml x;
        auto& xw = x.w;
        xw.writeNamespace(w, QStringLiteral("w"));
        xw.writeStartElement(w, QStringLiteral("document"));
        xw.writeStartElement(w, QStringLiteral("body"));
        auto paragraph = [&](const QString& text, bool bold, const char* halfPoints) {
            xw.writeStartElement(w, QStringLiteral("p"));
            xw.writeStartElement(w, QStringLiteral("r"));
            xw.writeStartElement(w, QStringLiteral("rPr"));
            if (bold)
                xw.writeEmptyElement(w, QStringLiteral("b"));
            xw.writeEmptyElement(w, QStringLiteral("sz"));
            xw.writeAttribute(w, QStringLiteral("val"), QLatin1StringView(halfPoints));
            xw.writeEndElement();
            xw.writeTextElement(w, QStringLiteral("t"), text);
            xw.writeEndElement();
            xw.writeEndElement();
        };
        paragraph(title, true, "32");
        paragraph(note, false, "21");
        xw.writeStartElement(w, QStringLiteral("tbl"));
        xw.writeStartElement(w, QStringLiteral("tblPr"));
        xw.writeEmptyElement(w, QStringLiteral("tblW"));
        xw.writeAttribute(w, QStringLiteral("w"), QStringLiteral("5000"));
        xw.writeAttribute(w, QStringLiteral("type"), QStringLiteral("pct"));
        xw.writeStartElement(w, QStringLiteral("tblBorders"));
        for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
            xw.writeEmptyElement(w, QLatin1StringView(side));
            xw.writeAttribute(w, QStringLiteral("val"), QStringLiteral("single"));
            xw.writeAttribute(w, QStringLiteral("sz"), QStringLiteral("4"));
        }
        xw.writeEndElement();
        xw.writeEndElement();
        // The grid of column widths is required before the rows; twips over a
        // portrait A4 text width.
        xw.writeStartElement(w, QStringLiteral("tblGrid"));
        for (qsizetype i = 0; i < headings.size(); ++i) {
            xw.writeEmptyElement(w, QStringLiteral("gridCol"));
            xw.writeAttribute(w, QStringLiteral("w"), QString::number(9000 / qMax<qsizetype>(headings.size(), 1)));
        }
        xw.writeEndElement();
        for (int r = 0; r <= emptyRows; ++r) {
            xw.writeStartElement(w, QStringLiteral("tr"));
            for (const QString& h : headings) {
                xw.writeStartElement(w, QStringLiteral("tc"));
                xw.writeStartElement(w, QStringLiteral("p"));
                if (r == 0) {
                    xw.writeStartElement(w, QStringLiteral("r"));
                    xw.writeTextElement(w, QStringLiteral("t"), h);
                    xw.writeEndElement();
                }
                xw.writeEndElement();
                xw.writeEndElement();
            }
            xw.writeEndElement();
        }
        xw.writeEndElement(); // tbl
        xw.writeEmptyElement(w, QStringLiteral("p"));
        xw.writeEndElement(); // body
        xw.writeEndElement(); // document
        package.write(QStringLiteral("word/document.xml"), x.finish());
    }
    const Result<QByteArray> bytes = package.toBytes();
    return bytes ? *bytes : QByteArray();
}
