#include "xlsxworkbook.h"

#include "packagerelationships.h"
#include "worksheetxml.h"
#include "xmlrewrite.h"

#include <QFile>
#include <QSet>
#include <QXmlStreamReader>

namespace {

QString unreadable()
{
    return QStringLiteral("Excel ブック (.xlsx) として読めません");
}

// Children of the workbook element that come after calcPr, in the order the format
// prescribes; calcPr has to be placed before the first of them.
const QSet<QString>& elementsAfterCalcPr()
{
    static const QSet<QString> names{
        QStringLiteral("oleSize"),       QStringLiteral("customWorkbookViews"),
        QStringLiteral("pivotCaches"),   QStringLiteral("smartTagPr"),
        QStringLiteral("smartTagTypes"), QStringLiteral("webPublishing"),
        QStringLiteral("fileRecoveryPr"), QStringLiteral("webPublishObjects"),
        QStringLiteral("extLst")};
    return names;
}

struct WorkbookSheetEntry
{
    QString name;
    QString relId;
};

std::optional<QList<WorkbookSheetEntry>> readWorkbookSheets(const QByteArray& xml)
{
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false);
    QList<WorkbookSheetEntry> list;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != u"sheet")
            continue;
        const auto attrs = reader.attributes();
        WorkbookSheetEntry entry;
        entry.name = attrs.value(QLatin1StringView("name")).toString();
        for (const QXmlStreamAttribute& a : attrs)
            if (a.name() == u"id")
                entry.relId = a.value().toString(); // r:id, whatever its prefix
        list.append(entry);
    }
    if (reader.hasError())
        return std::nullopt;
    return list;
}

int readActiveTab(const QByteArray& xml)
{
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"workbookView")
            return reader.attributes().value(QLatin1StringView("activeTab")).toInt(); // absent: 0
    }
    return 0;
}

} // namespace

QString MissingSheetMessage(const QString& sheetName)
{
    return QStringLiteral("シート「%1」がありません").arg(sheetName);
}

Result<XlsxWorkbook> XlsxWorkbook::fromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::failure(file.errorString());
    if (file.size() > maxFileSize)
        return Outcome::failure(QStringLiteral("ファイルが大きすぎます"));
    return fromBytes(file.readAll());
}

Result<XlsxWorkbook> XlsxWorkbook::fromBytes(const QByteArray& bytes)
{
    auto fail = [](const QString& message) { return Outcome::failure(message); };
    auto package = ZipPackage::fromBytes(bytes);
    if (!package)
        return package.outcome();

    XlsxWorkbook book;
    book.package_ = std::move(*package);

    const auto rootRelsXml = book.package_.read(QStringLiteral("_rels/.rels"));
    const auto rootRels = rootRelsXml ? ParseRelationships(*rootRelsXml) : std::nullopt;
    if (!rootRels)
        return fail(unreadable());
    for (const PackageRelationship& r : *rootRels)
        if (!r.external && RelationshipTypeIs(r.type, u"officeDocument"))
            book.workbookPart_ = ResolvePartTarget(QString(), r.target);
    const auto workbookXml = book.package_.read(book.workbookPart_);
    if (book.workbookPart_.isEmpty() || !workbookXml)
        return fail(unreadable());

    const auto relsXml = book.package_.read(RelationshipsPartOf(book.workbookPart_));
    const auto rels = relsXml ? ParseRelationships(*relsXml) : std::nullopt;
    const auto entries = readWorkbookSheets(*workbookXml);
    if (!rels || !entries)
        return fail(unreadable());
    for (const WorkbookSheetEntry& entry : *entries) {
        Sheet sheet;
        sheet.name = entry.name;
        for (const PackageRelationship& r : *rels) {
            if (r.id == entry.relId && !r.external) {
                sheet.part = ResolvePartTarget(book.workbookPart_, r.target);
                sheet.worksheet = RelationshipTypeIs(r.type, u"worksheet");
            }
        }
        if (sheet.part.isEmpty() || !book.package_.contains(sheet.part))
            return fail(unreadable());
        book.sheets_.append(sheet);
    }
    if (book.sheets_.isEmpty())
        return fail(unreadable());
    return book;
}

const XlsxWorkbook::Sheet* XlsxWorkbook::sheet(const QString& name) const
{
    // Sheet names compare as the spreadsheet compares them: without regard to case.
    for (const Sheet& s : sheets_)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

Outcome XlsxWorkbook::writeRows(const QString& sheetName, const SheetRows& rows)
{
    const Sheet* target = sheet(sheetName);
    if (!target || !target->worksheet)
        return Outcome::failure(MissingSheetMessage(sheetName));
    if (rows.isEmpty())
        return Outcome::success();
    const auto xml = package_.read(target->part);
    if (!xml)
        return Outcome::failure(unreadable());
    WorksheetEdit edit;
    edit.rows = &rows;
    auto edited = EditWorksheetXml(*xml, edit);
    if (!edited)
        return Outcome::failure(QStringLiteral("シート「%1」を読めません: %2").arg(sheetName, edited.message()));
    package_.write(target->part, std::move(*edited));
    dropCalculationChain();
    return Outcome::success();
}

// The calculation chain lists the formula cells in the order they were last computed;
// after cells changed it may name cells that hold no formula any more, which the
// spreadsheet reports as damage. Without it the spreadsheet builds a new one.
void XlsxWorkbook::dropCalculationChain()
{
    const QString relsPart = RelationshipsPartOf(workbookPart_);
    const auto relsXml = package_.read(relsPart);
    const auto rels = relsXml ? ParseRelationships(*relsXml) : std::nullopt;
    if (!rels)
        return;
    QString chainId;
    QString chainPart;
    for (const PackageRelationship& r : *rels) {
        if (RelationshipTypeIs(r.type, u"calcChain")) {
            chainId = r.id;
            chainPart = ResolvePartTarget(workbookPart_, r.target);
        }
    }
    if (chainId.isEmpty())
        return;

    XmlRewrite dropRelationship;
    dropRelationship.onStart = [&](const QXmlStreamReader& reader, int, XmlWriter&) {
        return reader.name() == u"Relationship" && reader.attributes().value(QLatin1StringView("Id")) == chainId
                   ? XmlRewrite::Start::Skip
                   : XmlRewrite::Start::Copy;
    };
    const auto newRels = RewriteXml(*relsXml, dropRelationship);

    const QString typesPart = QStringLiteral("[Content_Types].xml");
    const auto typesXml = package_.read(typesPart);
    XmlRewrite dropOverride;
    const QString partName = u'/' + chainPart;
    dropOverride.onStart = [&](const QXmlStreamReader& reader, int, XmlWriter&) {
        return reader.name() == u"Override" &&
                       reader.attributes().value(QLatin1StringView("PartName")).compare(partName, Qt::CaseInsensitive) == 0
                   ? XmlRewrite::Start::Skip
                   : XmlRewrite::Start::Copy;
    };
    if (!newRels || !typesXml)
        return; // keep the chain rather than leave the package inconsistent
    const auto newTypes = RewriteXml(*typesXml, dropOverride);
    if (!newTypes)
        return;
    package_.write(relsPart, *newRels);
    package_.write(typesPart, *newTypes);
    package_.remove(chainPart);
}

Outcome XlsxWorkbook::activate(const QString& sheetName)
{
    const Sheet* target = sheet(sheetName);
    if (!target)
        return Outcome::failure(MissingSheetMessage(sheetName));
    const int index = int(target - sheets_.constData());

    // Only one tab may be selected: several selected tabs form a group, and whatever
    // the user typed would go into all of them.
    for (const Sheet& s : sheets_) {
        const auto xml = package_.read(s.part);
        if (!xml)
            return Outcome::failure(unreadable());
        const bool isTarget = &s == target;
        const bool selected = SheetTabSelected(*xml);
        if (!s.worksheet && (isTarget || !selected))
            continue; // chart sheets keep their views; a selected one is cleared below
        if (!isTarget && !selected)
            continue;
        WorksheetEdit edit;
        edit.tab = isTarget ? WorksheetEdit::Tab::Select : WorksheetEdit::Tab::Deselect;
        if (!s.worksheet) {
            // A selected chart sheet: clear the flag on its sheet views only.
            XmlRewrite clear;
            clear.onStart = [](const QXmlStreamReader& reader, int, XmlWriter& writer) {
                if (reader.name() != u"sheetView")
                    return XmlRewrite::Start::Copy;
                writer.startElement(reader.qualifiedName());
                for (const QXmlStreamAttribute& a : reader.attributes())
                    if (a.qualifiedName() != u"tabSelected")
                        writer.attribute(a.qualifiedName(), a.value());
                return XmlRewrite::Start::Written;
            };
            auto cleared = RewriteXml(*xml, clear);
            if (!cleared)
                return Outcome::failure(unreadable());
            package_.write(s.part, std::move(*cleared));
            continue;
        }
        auto edited = EditWorksheetXml(*xml, edit);
        if (!edited)
            return Outcome::failure(QStringLiteral("シート「%1」を読めません: %2").arg(s.name, edited.message()));
        package_.write(s.part, std::move(*edited));
    }
    return editWorkbookXml(index, false);
}

Outcome XlsxWorkbook::recalculateOnOpen()
{
    return editWorkbookXml(std::nullopt, true);
}

Outcome XlsxWorkbook::editWorkbookXml(std::optional<int> activeTab, bool fullCalcOnLoad)
{
    const auto xml = package_.read(workbookPart_);
    if (!xml)
        return Outcome::failure(unreadable());

    QString prefix;
    bool sawBookViews = false;
    bool sawFirstView = false;
    bool calcWritten = false;
    const QString tab = activeTab ? QString::number(*activeTab) : QString();

    auto writeCalcPr = [&](XmlWriter& writer) {
        writer.startElement(QString(prefix + QLatin1StringView("calcPr")));
        writer.attribute(u"fullCalcOnLoad", u"1");
        writer.endElement(QString(prefix + QLatin1StringView("calcPr")));
        calcWritten = true;
    };

    XmlRewrite rewrite;
    rewrite.onStart = [&](const QXmlStreamReader& reader, int depth, XmlWriter& writer) {
        const QStringView name = reader.name();
        if (depth == 1) {
            prefix = PrefixOf(reader);
            return XmlRewrite::Start::Copy;
        }
        if (depth == 2) {
            if (activeTab && name == u"sheets" && !sawBookViews) {
                writer.startElement(QString(prefix + QLatin1StringView("bookViews")));
                writer.startElement(QString(prefix + QLatin1StringView("workbookView")));
                writer.attribute(u"activeTab", tab);
                writer.endElement(QString(prefix + QLatin1StringView("workbookView")));
                writer.endElement(QString(prefix + QLatin1StringView("bookViews")));
                sawBookViews = true;
            }
            if (name == u"bookViews")
                sawBookViews = true;
            if (fullCalcOnLoad && !calcWritten && elementsAfterCalcPr().contains(name.toString()))
                writeCalcPr(writer);
            if (fullCalcOnLoad && name == u"calcPr") {
                writer.startElement(reader.qualifiedName());
                for (const QXmlStreamAttribute& a : reader.attributes())
                    if (a.qualifiedName() != u"fullCalcOnLoad")
                        writer.attribute(a.qualifiedName(), a.value());
                writer.attribute(u"fullCalcOnLoad", u"1");
                calcWritten = true;
                return XmlRewrite::Start::Written;
            }
        }
        if (depth == 3 && activeTab && name == u"workbookView" && !sawFirstView) {
            sawFirstView = true;
            writer.startElement(reader.qualifiedName());
            bool written = false;
            for (const QXmlStreamAttribute& a : reader.attributes()) {
                const QStringView attr = a.qualifiedName();
                if (attr == u"activeTab") {
                    writer.attribute(attr, tab);
                    written = true;
                } else if (attr == u"firstSheet") {
                    // The first tab shown in the tab bar must not lie right of the active one.
                    writer.attribute(attr, QString::number(qMin(a.value().toInt(), *activeTab)));
                } else {
                    writer.attribute(attr, a.value());
                }
            }
            if (!written)
                writer.attribute(u"activeTab", tab);
            return XmlRewrite::Start::Written;
        }
        return XmlRewrite::Start::Copy;
    };
    rewrite.onEnd = [&](const QXmlStreamReader&, int depth, XmlWriter& writer) {
        if (depth == 1 && fullCalcOnLoad && !calcWritten)
            writeCalcPr(writer);
    };
    auto edited = RewriteXml(*xml, rewrite);
    if (!edited)
        return Outcome::failure(unreadable());
    package_.write(workbookPart_, std::move(*edited));
    return Outcome::success();
}

QString XlsxWorkbook::activeSheetName() const
{
    const auto xml = package_.read(workbookPart_);
    if (!xml)
        return {};
    const int tab = readActiveTab(*xml);
    if (tab < 0 || tab >= sheets_.size())
        return {};
    return sheets_[tab].name;
}

Result<QByteArray> XlsxWorkbook::toBytes() const
{
    return package_.toBytes();
}

Outcome XlsxWorkbook::save(const QString& path) const
{
    return package_.save(path);
}
