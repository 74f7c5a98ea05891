#include "outputstations.h"

void OutputStations::clear()
{
    stations_.clear();
    occupations_.clear();
}

bool OutputStations::RememberStation(const QString& pointName, const QString& session,
                                     int occupation)
{
    if (stations_.contains({pointName, session}))
        return true;
    stations_.insert({pointName, session});
    occupations_.insert(occupation);
    return false;
}

bool OutputStations::StationWasOutput(int occupation) const
{
    return occupations_.contains(occupation);
}
