#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

// The values that recur through an exchange file — receiver and antenna names, serial
// numbers, health flags, sessions, tracking bars — as one string per distinct value:
// every record that holds the value shares it (QString's implicit sharing), so a
// repeated value costs neither a decoding nor an allocation. Values with thousands of
// distinct texts (point names, heights) are better left out: a lookup whose entry is no
// longer in the cache costs more than the allocation it saves.
class SharedTexts
{
public:
    // The text of `utf8` (invalid bytes replaced by "?"), the same string each time.
    QString text(QByteArrayView utf8);

    qsizetype size() const { return qsizetype(entries_.size()); }

private:
    // A lookup should touch little memory: the probed slots are eight bytes, and an ASCII
    // key is compared with the characters of its text, which lie beside the reference
    // count the lookup updates anyway. Only other keys are kept as bytes of their own.
    struct Slot
    {
        quint32 hash = 0;
        quint32 entry = 0; // 1 + index into the entries; 0 for a free slot
    };
    struct Entry
    {
        QString text;
        qsizetype keyAt = -1; // where a key with bytes beyond ASCII lies in keyBytes_
    };

    bool sameKey(const Entry& entry, QByteArrayView utf8, bool ascii) const;
    QString insert(Slot& slot, quint32 hash, QByteArrayView utf8, bool ascii);
    void grow();

    std::vector<Slot> slots_ = std::vector<Slot>(1024);
    std::vector<Entry> entries_;
    QByteArray keyBytes_;
};
