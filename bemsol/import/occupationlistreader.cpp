#include "occupationlistreader.h"

#include "exchangereader.h"

void ReadOccupationList(ExchangeReader& reader)
{
    reader.model().clearOccupationsAndSatellites();
    SkipToClosingTag(reader, u"/OccupationList");
}
