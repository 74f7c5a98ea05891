#include "trackbar.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int barWidth = 90;
// A row ends at its first -1, the end marker the values are stored with.
constexpr float endMarker = -1.0f;

} // namespace

// Goes through the row as the bar is drawn: `dashRun(from, to)` for each run of dashes,
// the cells from `from` up to `to`.
template <class DashRun> void forEachDashRun(const TrackRow& row, float trackScale, DashRun&& dashRun)
{
    // Blank, then runs switched between dashes and blanks at each value's position.
    qsizetype length = 1;
    bool dashes = false;
    for (float value : row) {
        if (value == endMarker)
            break;
        const double position = std::floor(double(value / trackScale) + 0.5);
        // A position off the bar (or not a number at all) stands at its nearer edge.
        const qsizetype n = position > barWidth ? barWidth : position > 0.0 ? qsizetype(position) : 0;
        if (length < n) {
            if (dashes)
                dashRun(length, n);
            length = n;
        }
        dashes = !dashes;
    }
}

QString TrackBar(const TrackRow& row, float trackScale)
{
    if (!(trackScale > 0.0f))
        return QStringLiteral("||");
    QString bar(barWidth + 1, u' ');
    QChar* const cells = bar.data();
    cells[0] = u'|';
    cells[barWidth] = u'|';
    forEachDashRun(row, trackScale, [&](qsizetype from, qsizetype to) {
        std::fill(cells + from, cells + to, QChar(u'-'));
    });
    return bar;
}

QByteArrayView TrackBarKeyOf(const TrackRow& row, float trackScale, TrackBarKey& key)
{
    if (!(trackScale > 0.0f)) {
        key[0] = char(0xFF);
        return QByteArrayView(key.data(), 1);
    }
    // Runs lie apart between positions 1 and 90, so at most 45 of them: 90 bytes.
    static_assert(std::tuple_size_v<TrackBarKey> >= barWidth);
    qsizetype size = 0;
    forEachDashRun(row, trackScale, [&](qsizetype from, qsizetype to) {
        // A run that starts where the last one ended draws as one run with it.
        if (size > 0 && key[size - 1] == char(from)) {
            key[size - 1] = char(to);
            return;
        }
        key[size++] = char(from);
        key[size++] = char(to);
    });
    return QByteArrayView(key.data(), size);
}

float LargestTrackValue(const QList<TrackRow>& rows)
{
    float largest = 0.0f;
    for (const TrackRow& row : rows) {
        for (float value : row) {
            if (value == endMarker)
                break;
            if (value > largest)
                largest = value;
        }
    }
    return largest;
}
