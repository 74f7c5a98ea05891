#pragma once

#include <QList>
#include <QSet>

// The texts of a project the user can change, named once. The grid maps its columns to
// them; the Document's edits and its change notices speak of them.
enum class ProjectField
{
    Session,
    StartTime, // shown, not edited
    EndTime,   // shown, not edited
    StartPointName,
    StartPtCode,
    EndPointName,
    EndPtCode,
    StartReceiverName,
    StartReceiverSN,
    StartAntennaName,
    StartAntennaSN,
    EndReceiverName,
    EndReceiverSN,
    EndAntennaName,
    EndAntennaSN,
    MinSVs,
    Frequency,
    PpMode,
    MinElevation,
    CommonData, // interval, ephemeris and ellipsoid of the project
};

inline size_t qHash(ProjectField field, size_t seed = 0) noexcept
{
    return ::qHash(int(field), seed);
}

// What an edit changed: which baselines show a different text now, and in which
// fields. A view refreshes only those cells.
struct ProjectChange
{
    QList<int> baselines; // ascending, each once
    QSet<ProjectField> fields;

    bool operator==(const ProjectChange&) const = default;
};
