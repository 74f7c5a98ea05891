#pragma once

#include "model/outcome.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The parts of a zip container (an .xlsx or .docx) held in memory. Parts that are not
// replaced are written back with their original compressed bytes, so whatever the
// program does not touch stays exactly as it was.
class ZipPackage
{
public:
    // Reads a whole container. A damaged, encrypted or oversized one gives a message.
    static Result<ZipPackage> fromBytes(const QByteArray& bytes);

    bool contains(const QString& name) const { return indexOf(name) >= 0; }
    QStringList names() const;

    // The part's uncompressed content; nothing when it is missing, damaged or larger
    // than any part a workbook of ours can need.
    std::optional<QByteArray> read(const QString& name) const;

    // Replaces a part's content, or appends a new part at the end.
    void write(const QString& name, QByteArray content);
    void remove(const QString& name);

    // Sets the time stored for parts written from now on (reproducible output).
    void setTimestamp(const QDateTime& time) { timestamp_ = time; }

    // The container's bytes, and the same written atomically to a file.
    Result<QByteArray> toBytes() const;
    Outcome save(const QString& path) const;

    // Upper bounds for what a template may hold; they keep a damaged or hostile file
    // from making the program allocate without limit.
    static constexpr qint64 maxPartSize = 128ll << 20;
    static constexpr int maxParts = 10000;

private:
    struct Entry
    {
        QString name;
        QDateTime dateTime;
        quint32 externalAttr = 0;
        // Original form, copied as it is while `replaced` is false.
        QByteArray raw;
        int method = 0;
        int level = 0;
        quint32 crc = 0;
        quint64 uncompressedSize = 0;
        bool replaced = false;
        QByteArray content; // when replaced
    };

    qsizetype indexOf(const QString& name) const;
    static std::optional<QByteArray> decode(const Entry& entry);
    Outcome writeTo(class QIODevice* device) const;

    QList<Entry> entries_;
    QDateTime timestamp_;
};
