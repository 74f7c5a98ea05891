#include "sheetreader.h"

#include "packagerelationships.h"
#include "worksheetxml.h"

#include <QXmlStreamReader>

namespace {

// "_x000D_" and the like back into the characters they stand for.
QString unescapeOoxml(const QString& text)
{
    if (!text.contains(u"_x"))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'_' && i + 6 < text.size() && text[i + 1] == u'x' && text[i + 6] == u'_') {
            bool ok = false;
            const ushort code = text.mid(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                out.append(QChar(code));
                i += 6;
                continue;
            }
        }
        out.append(text[i]);
    }
    return out;
}

// The text of an "si" or "is" element: its own "t" and the "t" of its runs, without
// the phonetic guides ("rPh") that Japanese workbooks carry.
QString readRichText(QXmlStreamReader& reader)
{
    QString text;
    int depth = 1;
    int phonetic = 0;
    while (depth > 0 && !reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (reader.name() == u"rPh")
                ++phonetic;
            else if (reader.name() == u"t" && phonetic == 0) {
                text += reader.readElementText(QXmlStreamReader::IncludeChildElements);
                --depth;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
            if (reader.name() == u"rPh")
                --phonetic;
        }
    }
    return unescapeOoxml(text);
}

std::optional<QStringList> readSharedStrings(const XlsxWorkbook& book)
{
    const auto relsXml = book.package().read(RelationshipsPartOf(book.workbookPart()));
    const auto rels = relsXml ? ParseRelationships(*relsXml) : std::nullopt;
    QStringList strings;
    if (!rels)
        return strings;
    for (const PackageRelationship& r : *rels) {
        if (!RelationshipTypeIs(r.type, u"sharedStrings"))
            continue;
        const auto xml = book.package().read(ResolvePartTarget(book.workbookPart(), r.target));
        if (!xml)
            return std::nullopt;
        QXmlStreamReader reader(*xml);
        reader.setNamespaceProcessing(false);
        while (!reader.atEnd()) {
            if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"si")
                strings.append(readRichText(reader));
        }
        if (reader.hasError())
            return std::nullopt;
    }
    return strings;
}

} // namespace

Result<StoredCells> ReadSheetCells(const XlsxWorkbook& book, const QString& sheetName)
{
    auto fail = [](const QString& message) { return Outcome::failure(message); };
    const XlsxWorkbook::Sheet* sheet = book.sheet(sheetName);
    if (!sheet || !sheet->worksheet)
        return fail(MissingSheetMessage(sheetName));
    const auto strings = readSharedStrings(book);
    const auto xml = book.package().read(sheet->part);
    if (!strings || !xml)
        return fail(QStringLiteral("シート「%1」を読めません").arg(sheetName));

    StoredCells cells;
    QXmlStreamReader reader(*xml);
    reader.setNamespaceProcessing(false);
    int row = 0;
    int column = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == u"row") {
            bool ok = false;
            const int r = reader.attributes().value(QLatin1StringView("r")).toInt(&ok);
            row = ok ? r : row + 1;
            column = 0;
            continue;
        }
        if (reader.name() != u"c")
            continue;
        const auto attrs = reader.attributes();
        int refRow = 0;
        int refColumn = 0;
        if (ParseCellReference(attrs.value(QLatin1StringView("r")), &refRow, &refColumn)) {
            row = refRow;
            column = refColumn;
        } else {
            ++column;
        }
        const QString type = attrs.value(QLatin1StringView("t")).toString();
        StoredCell cell;
        cell.style = attrs.value(QLatin1StringView("s")).toString();
        QString value;
        bool hasValue = false;
        while (!reader.atEnd()) {
            const auto token = reader.readNext();
            if (token == QXmlStreamReader::EndElement && reader.name() == u"c")
                break;
            if (token != QXmlStreamReader::StartElement)
                continue;
            if (reader.name() == u"v") {
                value = reader.readElementText();
                hasValue = true;
            } else if (reader.name() == u"f") {
                cell.formula = reader.readElementText();
            } else if (reader.name() == u"is") {
                value = readRichText(reader);
                hasValue = true;
            }
        }
        if (!hasValue && cell.formula.isEmpty() && cell.style.isEmpty())
            continue;
        if (type == u"s") {
            bool ok = false;
            const int index = value.toInt(&ok);
            if (!ok || index < 0 || index >= strings->size())
                return fail(QStringLiteral("シート「%1」を読めません").arg(sheetName));
            cell.text = strings->at(index);
        } else if (type == u"inlineStr" || type == u"str") {
            cell.text = type == u"str" ? unescapeOoxml(value) : value;
        } else if (type == u"b") {
            cell.kind = StoredCell::Kind::Boolean;
            cell.text = value;
        } else if (type == u"e") {
            cell.kind = StoredCell::Kind::Error;
            cell.text = value;
        } else if (hasValue) {
            cell.kind = StoredCell::Kind::Number;
            cell.text = value;
            cell.number = value.toDouble();
        }
        cells.insert({row, column}, cell);
    }
    if (reader.hasError())
        return fail(QStringLiteral("シート「%1」を読めません").arg(sheetName));
    return cells;
}

QStringList SelectedSheetNames(const XlsxWorkbook& book)
{
    QStringList names;
    for (const XlsxWorkbook::Sheet& s : book.sheets()) {
        const auto xml = book.package().read(s.part);
        if (xml && SheetTabSelected(*xml))
            names << s.name;
    }
    return names;
}
