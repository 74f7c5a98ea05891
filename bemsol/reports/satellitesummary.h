#pragma once

#include "model/projectmodel.h"

#include <QString>
#include <QStringView>

#include <array>

// The satellite number of a name such as "GPS05": everything after its first three
// characters. Names of three characters or fewer have none.
QString SatelliteNumber(QStringView satname);

// A whole number at least two digits wide ("5" -> "05", "123" stays); any other text,
// the empty one included, unchanged.
QString TwoDigitNumber(QStringView text);

// Right-aligned in seven characters; a longer text stays whole.
QString RightAligned7(QStringView text);

// The station summary of a field book page: up to three groups of twelve satellites, each
// group a line of numbers (No) and a line of health values (OK), seven characters per
// satellite in both, so every number stands above its health value in a fixed-pitch font.
struct SatelliteSummaryTexts
{
    std::array<QString, 3> no;
    std::array<QString, 3> ok;
};

inline constexpr int satellitesPerSummaryGroup = 12;
inline constexpr int summaryGroups = 3;

SatelliteSummaryTexts SatelliteSummary(const ProjectModel& model, const OccupationRecord& occupation);

// The satellite at `index` of the model, or an empty record for an index outside the
// array: a damaged project file may carry satellite runs that point past its end.
const SatelliteRecord& SatelliteAt(const ProjectModel& model, int index);
