#include "trackbar.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int barWidth = 90;
// A row ends at its first -1, the end marker the values are stored with.
constexpr float endMarker = -1.0f;

} // namespace

QString TrackBar(const TrackRow& row, float trackScale)
{
    if (!(trackScale > 0.0f))
        return QStringLiteral("||");
    // Blank, then runs switched between dashes and blanks at each value's position.
    QString bar(barWidth + 1, u' ');
    QChar* const cells = bar.data();
    cells[0] = u'|';
    cells[barWidth] = u'|';
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
                std::fill(cells + length, cells + n, QChar(u'-'));
            length = n;
        }
        dashes = !dashes;
    }
    return bar;
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
