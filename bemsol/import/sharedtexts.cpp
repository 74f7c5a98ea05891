#include "sharedtexts.h"

#include "exchangereader.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

struct KeyHash
{
    quint32 hash;
    bool ascii;
};

// Eight bytes at a time in two independent lanes (keys run from one byte to a tracking
// bar's 91), noting on the way whether every byte is ASCII.
KeyHash hashOf(QByteArrayView bytes)
{
    const char* p = bytes.data();
    qsizetype n = bytes.size();
    quint64 a = 0x9E3779B97F4A7C15ull ^ quint64(n);
    quint64 b = 0xC2B2AE3D27D4EB4Full;
    quint64 high = 0;
    for (; n >= 16; p += 16, n -= 16) {
        quint64 w[2];
        std::memcpy(w, p, 16);
        high |= w[0] | w[1];
        a = (a ^ w[0]) * 0xFF51AFD7ED558CCDull;
        b = (b ^ w[1]) * 0xC4CEB9FE1A85EC53ull;
        a ^= a >> 29;
        b ^= b >> 31;
    }
    quint64 w[2] = {0, 0};
    if (n > 0) // an empty view may have no bytes to point at
        std::memcpy(w, p, size_t(n));
    high |= w[0] | w[1];
    a = (a ^ w[0]) * 0xFF51AFD7ED558CCDull;
    b = (b ^ w[1]) * 0xC4CEB9FE1A85EC53ull;
    const quint64 h = (a ^ (b >> 17) ^ (a >> 31)) * 0x9E3779B97F4A7C15ull;
    return {quint32(h >> 32), (high & 0x8080808080808080ull) == 0};
}

// Whether the ASCII bytes are the characters of `text`.
bool equalsAscii(QByteArrayView bytes, const QString& text)
{
    const qsizetype n = bytes.size();
    if (text.size() != n)
        return false;
    const char* const s = bytes.data();
    const auto* const t = reinterpret_cast<const char16_t*>(text.constData());
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
        const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i + 8));
        const __m128i same = _mm_and_si128(_mm_cmpeq_epi16(_mm_unpacklo_epi8(b, zero), lo),
                                           _mm_cmpeq_epi16(_mm_unpackhi_epi8(b, zero), hi));
        if (_mm_movemask_epi8(same) != 0xFFFF)
            return false;
    }
#endif
    for (; i < n; ++i) {
        if (char16_t(uchar(s[i])) != t[i])
            return false;
    }
    return true;
}

} // namespace

bool SharedTexts::sameKey(const Entry& entry, QByteArrayView key, bool ascii) const
{
    if (ascii)
        return entry.keyAt < 0 && equalsAscii(key, entry.text);
    if (entry.keyAt < 0)
        return false;
    qint32 size;
    std::memcpy(&size, keyBytes_.constData() + entry.keyAt, sizeof size);
    return size == key.size() &&
           std::memcmp(keyBytes_.constData() + entry.keyAt + sizeof size, key.data(), size_t(size)) == 0;
}

SharedTexts::Found SharedTexts::find(QByteArrayView key, bool keyIsText)
{
    const KeyHash h = hashOf(key);
    const bool ascii = keyIsText && h.ascii;
    const size_t mask = slots_.size() - 1;
    for (size_t i = h.hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.entry == 0)
            return {nullptr, &slot, h.hash, ascii};
        if (slot.hash == h.hash && sameKey(entries_[slot.entry - 1], key, ascii))
            return {&entries_[slot.entry - 1].text, nullptr, h.hash, ascii};
    }
}

QString SharedTexts::text(QByteArrayView utf8)
{
    const Found found = find(utf8, true);
    return found.text ? *found.text
                      : insert(*found.freeSlot, found.hash, utf8, found.ascii, TextOf(utf8));
}

QString SharedTexts::insert(Slot& slot, quint32 hash, QByteArrayView key, bool ascii, QString text)
{
    Entry entry{std::move(text)};
    if (!ascii) {
        entry.keyAt = keyBytes_.size();
        const qint32 size = qint32(key.size());
        keyBytes_.append(reinterpret_cast<const char*>(&size), sizeof size);
        keyBytes_.append(key);
    }
    entries_.push_back(std::move(entry));
    slot = {hash, quint32(entries_.size())};
    QString shared = entries_.back().text;
    // At most half full, so that a probe ends soon.
    if (2 * entries_.size() > slots_.size())
        grow();
    return shared;
}

void SharedTexts::grow()
{
    std::vector<Slot> old(2 * slots_.size());
    old.swap(slots_);
    const size_t mask = slots_.size() - 1;
    for (const Slot& s : old) {
        if (s.entry == 0)
            continue;
        size_t i = s.hash & mask;
        while (slots_[i].entry != 0)
            i = (i + 1) & mask;
        slots_[i] = s;
    }
}
