#include "occupationlistreader.h"

#include "elementreader.h"
#include "gpstimetext.h"
#include "trackbar.h"

#include <array>
#include <cmath>
#include <limits>

namespace {

const std::array<TextFieldTag<OccupationRecord>, 3> occupationTextTags{{
    {"PointName", &OccupationRecord::pointName},
    {"PtCode", &OccupationRecord::ptCode},
    {"MinElevation", &OccupationRecord::minElevation, true},
}};

const std::array<TextFieldTag<OccupationRecord>, 2> receiverTags{{
    {"Name", &OccupationRecord::receiverName, true},
    {"SN", &OccupationRecord::receiverSN, true},
}};

const std::array<TextFieldTag<OccupationRecord>, 3> antennaTags{{
    {"Name", &OccupationRecord::antennaName, true},
    {"SN", &OccupationRecord::antennaSN, true},
    {"Height", &OccupationRecord::antennaHeight},
}};

void ReadReceiver(ExchangeReader& reader, OccupationRecord& occupation)
{
    ReadElementLines(reader, {"/Receiver"}, [&](QByteArrayView tag, QByteArrayView line) {
        StoreTextField<OccupationRecord>(reader, receiverTags, tag, line, occupation);
    });
}

void ReadAntenna(ExchangeReader& reader, OccupationRecord& occupation)
{
    ReadElementLines(reader, {"/Antenna"}, [&](QByteArrayView tag, QByteArrayView line) {
        StoreTextField<OccupationRecord>(reader, antennaTags, tag, line, occupation);
    });
}

// A tracking value as the single-precision number the bars are computed with; nothing
// for a value that is not a number or does not fit.
std::optional<float> TrackValue(QByteArrayView text)
{
    const std::optional<double> v = NumberFromText(text);
    if (!v || std::fabs(*v) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return float(*v);
}

// From and To values in file order; a value that cannot be read is left out.
void ReadTrackList(ExchangeReader& reader, TrackRow& row)
{
    row.clear();
    ReadElementLines(reader, {"/TrackListL1", "/TrackListL2"},
                     [&](QByteArrayView tag, QByteArrayView line) {
                         if (!IsTag(tag, "From") && !IsTag(tag, "To"))
                             return;
                         if (const std::optional<float> v = TrackValue(ValueOf(line)))
                             row.append(*v);
                     });
}

// The tracking rows of a satellite list: rows 2k and 2k + 1 hold the L1 and L2 values of
// the k-th completed satellite. Grown on demand, so there is no limit on satellites or
// values; one table serves every list of the file, so its rows keep their room.
class TrackTable
{
public:
    TrackRow& row(qsizetype r)
    {
        if (rows_.size() <= r)
            rows_.resize(r + 1);
        return rows_[r];
    }
    QList<TrackRow> firstRows(qsizetype n) const { return rows_.mid(0, n); }
    // Equal bars share one string; most satellites of a file have one of a few bars.
    QString bar(qsizetype r, float trackScale)
    {
        TrackBarKey key;
        const TrackRow& values = row(r);
        return bars_.made(TrackBarKeyOf(values, trackScale, key),
                          [&] { return TrackBar(values, trackScale); });
    }
    // Empties every row for the next list; the rows keep their room.
    void clear()
    {
        for (TrackRow& r : rows_)
            r.clear();
    }

private:
    QList<TrackRow> rows_;
    SharedTexts bars_;
};

void ReadSatList(ExchangeReader& reader, OccupationRecord& occupation, TrackTable& table)
{
    ProjectModel& model = reader.model();
    const int first = model.satelliteCount() + 1;
    int count = 0;
    table.clear();
    SatelliteRecord scratch; // takes values met before the first Sat tag
    int currentSatellite = -1;
    auto current = [&]() -> SatelliteRecord& {
        return currentSatellite < 0 ? scratch : model.satellites[currentSatellite];
    };

    ReadElementLines(reader, {"/SatList"}, [&](QByteArrayView tag, QByteArrayView line) {
        if (IsTag(tag, "Sat")) {
            model.satellites.append(SatelliteRecord{});
            currentSatellite = model.satelliteCount();
            table.row(2 * count).clear();
            table.row(2 * count + 1).clear();
        } else if (IsTag(tag, "Name")) {
            current().satname = reader.sharedText(ValueOf(line));
        } else if (IsTag(tag, "Health")) {
            current().health = reader.sharedText(ValueOf(line));
        } else if (IsTag(tag, "TrackListL1")) {
            ReadTrackList(reader, table.row(2 * count));
        } else if (IsTag(tag, "TrackListL2")) {
            ReadTrackList(reader, table.row(2 * count + 1));
        } else if (IsTag(tag, "/Sat")) {
            // A closing tag without its opening one completes no satellite: the run
            // must never count records that do not exist.
            if (model.satelliteCount() - first + 1 > count)
                ++count;
        }
    });
    if (count == 0)
        return;

    occupation.firstSat = first;
    occupation.satCount = count;
    const QList<TrackRow> rows = table.firstRows(2 * count);
    model.trackScale = LargestTrackValue(rows) / 90.0f;
    for (int k = 0; k < count; ++k) {
        SatelliteRecord& satellite = model.satellites[first + k];
        satellite.l1 = table.bar(2 * k, model.trackScale);
        satellite.l2 = table.bar(2 * k + 1, model.trackScale);
    }
}

} // namespace

void ReadOccupationList(ExchangeReader& reader)
{
    ProjectModel& model = reader.model();
    model.clearOccupationsAndSatellites();
    OccupationRecord scratch; // takes values met before the first Occupation tag
    TrackTable trackTable;
    int current = -1;
    auto occupation = [&]() -> OccupationRecord& {
        return current < 0 ? scratch : model.occupations[current];
    };

    ReadElementLines(reader, {"/OccupationList"}, [&](QByteArrayView tag, QByteArrayView line) {
        if (IsTag(tag, "Occupation")) {
            model.occupations.append(OccupationRecord{});
            current = model.occupationCount();
        } else if (IsTag(tag, "StartTime")) {
            occupation().startTime = GpsTimeText(reader);
        } else if (IsTag(tag, "EndTime")) {
            occupation().endTime = GpsTimeText(reader);
        } else if (IsTag(tag, "MinSVs")) {
            model.common.minSVs = reader.sharedText(ValueOf(line));
        } else if (IsTag(tag, "Receiver")) {
            ReadReceiver(reader, occupation());
        } else if (IsTag(tag, "Antenna")) {
            ReadAntenna(reader, occupation());
        } else if (IsTag(tag, "SatList")) {
            ReadSatList(reader, occupation(), trackTable);
        } else {
            StoreTextField<OccupationRecord>(reader, occupationTextTags, tag, line, occupation());
        }
    });
}
