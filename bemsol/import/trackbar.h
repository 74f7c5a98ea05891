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

// What tells one bar from another, written in `key`: the start and end of each run of
// dashes, a byte each (one 0xFF byte for "||"). Two rows give equal keys exactly when
// they give equal bars, so the import computes the bar only for a key it has not met.
using TrackBarKey = std::array<char, 91>;
QByteArrayView TrackBarKeyOf(const TrackRow& row, float trackScale, TrackBarKey& key);

// The largest value of the rows: the latest time any satellite of a set-up was tracked.
float LargestTrackValue(const QList<TrackRow>& rows);
