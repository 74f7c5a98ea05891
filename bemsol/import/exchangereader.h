#pragma once

#include "model/outcome.h"
#include "model/progress.h"
#include "model/projectmodel.h"
#include "sharedtexts.h"

#include <QByteArrayView>
#include <QString>

#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The line state that the exchange-file readers share: the file and one cursor over its
// lines. Lines are cut at LF with one trailing CR removed, so CR LF files read line for
// line as the processing software wrote them and LF-only files read as well.
//
// Lines stay UTF-8 bytes; only the values that are kept get decoded (`text`). That is
// the same as decoding the whole file first: LF, CR, "<", ">" and blanks are single
// bytes that never belong to a multi-byte sequence, and a sequence cut short by one of
// them is replaced in either case.
//
// The blanks that indent a line are left out when a "<" follows them: the tag and value
// of the line stay what they were, and looking for them starts at the "<".
//
// With a progress callback, the reader tells it the bytes read so far about every
// megabyte; when the callback says stop, the lines run out at once and cancelled() is
// true.
class ExchangeReader
{
public:
    ExchangeReader(QByteArrayView bytes, ProjectModel& model, ProgressCallback progress = {});

    ProjectModel& model() { return model_; }

    bool atEnd() const { return exhausted_; }
    // The line at the cursor; advances the cursor. Empty once the lines run out.
    inline QByteArrayView nextLine();
    // Index of the next line to read.
    int cursor() const { return cursor_; }

    bool cancelled() const { return cancelled_; }

    // The text of a value that recurs through the file, one string shared by every
    // record that holds it.
    QString sharedText(QByteArrayView utf8) { return sharedTexts_.text(utf8); }

private:
    // Where a line's first byte other than a blank is, and where its LF is (-1: none).
    struct LineBounds
    {
        qsizetype firstOther;
        qsizetype lineFeed;
    };
    static inline LineBounds scanLine(const char* s, qsizetype from, qsizetype size);
    static LineBounds scanBytewise(const char* s, qsizetype from, qsizetype size);
    static qsizetype findLineFeed(const char* s, qsizetype from, qsizetype size);
    void reportProgress();

    QByteArrayView bytes_;
    ProjectModel& model_;
    qsizetype pos_ = 0;
    int cursor_ = 0;
    bool exhausted_ = false;
    bool cancelled_ = false;
    SharedTexts sharedTexts_;
    ProgressCallback progress_;
    qsizetype nextProgressAt_ = 0;
};

// A line is a few dozen bytes with its indentation: the thirty-two bytes at its start,
// compared at once with the blank and with LF, hold both ends of most lines. Inline, as
// every line of the file passes through here.
ExchangeReader::LineBounds ExchangeReader::scanLine(const char* s, qsizetype from, qsizetype size)
{
#if defined(__SSE2__)
    if (from + 32 > size)
        return scanBytewise(s, from, size);
    const __m128i blank = _mm_set1_epi8(' ');
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + from));
    const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + from + 16));
    const unsigned blanks = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(lo, blank))) |
                            unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(hi, blank))) << 16;
    const unsigned lineFeeds = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(lo, lineFeed))) |
                               unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(hi, lineFeed))) << 16;
    if (~blanks == 0)
        return scanBytewise(s, from, size);
    const qsizetype firstOther = from + __builtin_ctz(~blanks);
    if (lineFeeds != 0)
        return {firstOther, from + __builtin_ctz(lineFeeds)};
    qsizetype i = from + 32;
    for (; i + 16 <= size; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        if (const int bits = _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lineFeed)))
            return {firstOther, i + __builtin_ctz(unsigned(bits))};
    }
    return {firstOther, findLineFeed(s, i, size)};
#else
    return scanBytewise(s, from, size);
#endif
}

QByteArrayView ExchangeReader::nextLine()
{
    if (pos_ >= nextProgressAt_)
        reportProgress();
    if (exhausted_)
        return {};
    const char* const s = bytes_.data();
    const qsizetype size = bytes_.size();
    const LineBounds bounds = scanLine(s, pos_, size);
    const qsizetype begin =
        bounds.firstOther < size && s[bounds.firstOther] == '<' ? bounds.firstOther : pos_;
    QByteArrayView line;
    if (bounds.lineFeed < 0) {
        line = QByteArrayView(s + begin, size - begin);
        pos_ = size;
        exhausted_ = true;
    } else {
        line = QByteArrayView(s + begin, bounds.lineFeed - begin);
        pos_ = bounds.lineFeed + 1;
    }
    if (!line.isEmpty() && line.back() == '\r')
        line.chop(1);
    ++cursor_;
    return line;
}

// A value or line as text, invalid bytes replaced by "?".
QString TextOf(QByteArrayView utf8);
