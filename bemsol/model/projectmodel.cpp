#include "projectmodel.h"

ProjectModel::ProjectModel()
{
    clearBaselines();
    clearOccupationsAndSatellites();
}

const OccupationRecord& ProjectModel::occupationAt(int index) const
{
    if (!hasOccupation(index))
        return occupations.front();
    return occupations[index];
}

OccupationRecord* ProjectModel::editableOccupation(int index)
{
    if (!hasOccupation(index))
        return nullptr;
    return &occupations[index];
}

void ProjectModel::clearBaselines()
{
    baselines.clear();
    baselines.append(BaselineRecord{});
}

void ProjectModel::clearOccupationsAndSatellites()
{
    occupations.clear();
    occupations.append(OccupationRecord{});
    satellites.clear();
    satellites.append(SatelliteRecord{});
}

bool ProjectModel::operator==(const ProjectModel& other) const
{
    return swProgram == other.swProgram && common == other.common &&
           baselines == other.baselines && occupations == other.occupations &&
           satellites == other.satellites;
}
