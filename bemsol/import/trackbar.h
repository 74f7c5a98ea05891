#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <array>

// One frequency's tracking values of one satellite, From and To alternating in file order.
using TrackRow = QList<float>;

// The bar a field book prints for one tracking row: "|", 89 characters in which "-" marks
// the tracked intervals and blanks the gaps, and "|". Position p stands for the value
// p × scale. A scale of 0 (no tracking data) gives "||".
QString TrackBar(const TrackRow& row, float trackScale);

// The same bar as bytes drawn in `cells`, for the import to share equal bars.
using TrackBarCells = std::array<char, 91>;
QByteArrayView TrackBarBytes(const TrackRow& row, float trackScale, TrackBarCells& cells);

// The largest value of the rows: the latest time any satellite of a set-up was tracked.
float LargestTrackValue(const QList<TrackRow>& rows);
