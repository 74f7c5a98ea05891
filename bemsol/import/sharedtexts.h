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

    // A text computed from something shorter than itself: `make()` gives it the first
    // time `key` is met, later the same string is given again. One table holds either
    // texts of their own bytes or made texts, never both, so keys cannot be confused.
    template <class Make> QString made(QByteArrayView key, Make&& make)
    {
        const Found found = find(key, false);
        return found.text ? *found.text : insert(*found.freeSlot, found.hash, key, false, make());
    }

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

    struct Found
    {
        const QString* text; // the entry's text, or null with the free slot to fill
        Slot* freeSlot;
        quint32 hash;
        bool ascii;
    };
    // `keyIsText`: an ASCII key is compared with the entry's text itself.
    Found find(QByteArrayView key, bool keyIsText);
    bool sameKey(const Entry& entry, QByteArrayView key, bool ascii) const;
    QString insert(Slot& slot, quint32 hash, QByteArrayView key, bool ascii, QString text);
    void grow();

    std::vector<Slot> slots_ = std::vector<Slot>(1024);
    std::vector<Entry> entries_;
    QByteArray keyBytes_;
};
