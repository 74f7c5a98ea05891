#pragma once

#include <QStringView>

#include <optional>

// A baseline vector in the local north, east and up directions at its start point.
struct NeuVector
{
    double n = 0;
    double e = 0;
    double u = 0;
};

// Turns ΔX, ΔY, ΔZ (earth-centred, metres) into north, east and up at the point with
// the given latitude and longitude texts. The angles go to radians with the same
// decimal π that made the texts, so the list agrees with the surveyors' earlier sheets.
// Nothing when an angle text or a number cannot be read.
std::optional<NeuVector> ConvertToNEU(QStringView latitude, QStringView longitude,
                                      QStringView dx, QStringView dy, QStringView dz);
// The same for a vector already in numbers (a sum of baselines).
std::optional<NeuVector> ConvertToNEU(QStringView latitude, QStringView longitude, double dx,
                                      double dy, double dz);

// Rounds to three decimals with halves going upward, toward positive infinity, for
// negative values too (-0.0625 becomes -0.062): the check sheets were made that way.
double my_round3(double value);
