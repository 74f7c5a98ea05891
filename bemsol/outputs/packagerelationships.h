#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The relationships of an Office Open XML package: which part a part refers to, by id.
struct PackageRelationship
{
    QString id;
    QString type;
    QString target;
    bool external = false;
};

std::optional<QList<PackageRelationship>> ParseRelationships(const QByteArray& xml);

// The ".rels" part that holds the relationships of `partName`
// ("xl/workbook.xml" -> "xl/_rels/workbook.xml.rels").
QString RelationshipsPartOf(const QString& partName);

// The part a relationship of `sourcePart` points to, as a name inside the package
// (no leading "/"); empty when the target leaves the package.
QString ResolvePartTarget(const QString& sourcePart, const QString& target);

// Whether a relationship type ends in the given name ("officeDocument", "worksheet"):
// the strict and transitional forms differ only in their prefix.
bool RelationshipTypeIs(const QString& type, QStringView name);
