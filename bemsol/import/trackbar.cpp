#include "trackbar.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int barWidth = 90;
// A row ends at its first -1, the end marker the values are stored with.
constexpr float endMarker = -1.0f;

} // namespace

QByteArrayView TrackBarBytes(const TrackRow& row, float trackScale, TrackBarCells& cells)
{
    static_assert(std::tuple_size_v<TrackBarCells> == barWidth + 1);
    if (!(trackScale > 0.0f))
        return "||";
    // Blank, then runs switched between dashes and blanks at each value's position.
    cells.fill(' ');
    cells[0] = '|';
    cells[barWidth] = '|';
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
                std::fill(cells.begin() + length, cells.begin() + n, '-');
            length = n;
        }
        dashes = !dashes;
    }
    return QByteArrayView(cells.data(), qsizetype(cells.size()));
}

QString TrackBar(const TrackRow& row, float trackScale)
{
    TrackBarCells cells;
    return QString::fromLatin1(TrackBarBytes(row, trackScale, cells));
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
