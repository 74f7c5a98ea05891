#include "packagerelationships.h"

#include <QXmlStreamReader>

std::optional<QList<PackageRelationship>> ParseRelationships(const QByteArray& xml)
{
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false);
    QList<PackageRelationship> list;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != u"Relationship")
            continue;
        const auto attrs = reader.attributes();
        PackageRelationship r;
        r.id = attrs.value(QLatin1StringView("Id")).toString();
        r.type = attrs.value(QLatin1StringView("Type")).toString();
        r.target = attrs.value(QLatin1StringView("Target")).toString();
        r.external = attrs.value(QLatin1StringView("TargetMode")) == u"External";
        list.append(r);
    }
    if (reader.hasError())
        return std::nullopt;
    return list;
}

QString RelationshipsPartOf(const QString& partName)
{
    const qsizetype slash = partName.lastIndexOf(u'/');
    const QString dir = slash < 0 ? QString() : partName.left(slash + 1);
    return dir + QStringLiteral("_rels/") + partName.mid(slash + 1) + QStringLiteral(".rels");
}

QString ResolvePartTarget(const QString& sourcePart, const QString& target)
{
    QString path;
    if (target.startsWith(u'/')) {
        path = target.mid(1);
    } else {
        const qsizetype slash = sourcePart.lastIndexOf(u'/');
        path = (slash < 0 ? QString() : sourcePart.left(slash + 1)) + target;
    }
    QStringList parts;
    for (const QString& piece : path.split(u'/')) {
        if (piece.isEmpty() || piece == u".")
            continue;
        if (piece == u"..") {
            if (parts.isEmpty())
                return {};
            parts.removeLast();
            continue;
        }
        parts.append(piece);
    }
    return parts.join(u'/');
}

bool RelationshipTypeIs(const QString& type, QStringView name)
{
    return type.endsWith(u'/' + name.toString());
}
