#pragma once

#include "model/outcome.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

class ProjectModel;

// A site's replacements for names as the processing software writes them, kept in
// ChangeName.ini beside the program and applied to every fresh import.
struct NameMapping
{
    QString from;
    QString to;

    bool operator==(const NameMapping&) const = default;
};

struct NameTable
{
    QList<NameMapping> sessionMap;      // "SS"
    QList<NameMapping> antennaNameMap;  // "AN"
    QList<NameMapping> antennaSNMap;    // "AS"
    QList<NameMapping> receiverNameMap; // "RN"
    QList<NameMapping> receiverSNMap;   // "RS"

    bool isEmpty() const;
};

inline constexpr auto nameTableFileName = "ChangeName.ini";

// First comma-separated field of `line`; the rest stays in `line`. Without a comma the
// whole line is returned and `line` is left as it is, which is what makes a short
// record map a name to itself.
QString NextField(QString& line);

// Parses the table from the file's Shift-JIS bytes, whatever they hold.
NameTable ParseNameTable(QByteArrayView bytes);

// The same, refusing a table that would damage a project or is no text: a record with
// bytes that are no Shift-JIS text, a NUL byte, or a line longer than a project file's
// text.
Result<NameTable> DecodeNameTable(QByteArrayView bytes);

// The table in the file at `path`. A missing file is no failure: its table is empty and
// simply converts nothing.
Result<NameTable> LoadNameTable(const QString& path);

// Replaces sessions, then antenna names, antenna serial numbers, receiver names and
// receiver serial numbers, each pass pair by pair in file order.
void ApplyNameTable(const NameTable& table, ProjectModel& model);
