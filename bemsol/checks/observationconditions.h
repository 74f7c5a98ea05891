#pragma once

#include "checkresult.h"
#include "checksettings.h"
#include "model/projectmodel.h"

#include <optional>
#include <vector>

// Judges the observation conditions of baselines against the class and method of the
// settings: the observation time (endTime − startTime), the recording interval of the
// project and the satellites both ends tracked (distinct names present in both set-ups).
// A time or interval that cannot be read fails its condition, since it cannot be shown
// to hold.
class ObservationConditions
{
public:
    ObservationConditions(const ProjectModel& model, const CheckSettings& settings);

    ConditionCheck check(int baseline);

    // The satellite names present in both set-ups of baseline `b`, counted once each.
    int commonSatellites(const BaselineRecord& b);

private:
    // The set-up's satellite names, sorted and distinct, made once per set-up: a set-up
    // serves several baselines. Sorting a dozen short names costs less than hashing them.
    const std::vector<const QString*>& satellitesOf(int occupation);

    const ProjectModel& model_;
    const CheckSettings& settings_;
    std::optional<double> interval_;
    std::vector<std::vector<const QString*>> satellitesOfOccupation_;
    std::vector<char> satellitesKnown_;
    QString lastElevationText_;
    std::optional<double> lastElevation_;
};
