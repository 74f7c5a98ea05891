#include "trackbar.h"

#include <cmath>

namespace {

constexpr int barWidth = 90;
// A row ends at its first -1, the end marker the values are stored with.
constexpr float endMarker = -1.0f;

} // namespace

QString TrackBar(const TrackRow& row, float trackScale)
{
    QString bar;
    bar.reserve(barWidth + 1);
    bar += u'|';
    if (trackScale > 0.0f) {
        QChar fill = u' ';
        for (float value : row) {
            if (value == endMarker)
                break;
            const double position = std::floor(double(value / trackScale) + 0.5);
            const qsizetype n = position > barWidth ? barWidth : qsizetype(std::max(position, 0.0));
            if (bar.size() < n)
                bar.append(QString(n - bar.size(), fill));
            fill = fill == u' ' ? QChar(u'-') : QChar(u' ');
        }
        if (bar.size() < barWidth)
            bar.append(QString(barWidth - bar.size(), u' '));
    }
    bar += u'|';
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
