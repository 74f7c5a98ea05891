#pragma once

#include <QList>
#include <QString>

// The project as the program holds it in memory. Almost every value is kept as the
// text it had in the exchange file; only angle, date-time and track-bar texts and the
// index fields are computed. Every record array is used from index 1: element 0 is
// always present, always empty and never shown, saved or counted.

struct CommonData
{
    QString interval;
    QString minElevation;
    QString minSVs;
    QString ephType;
    QString daen;
    QString frequency;
    QString ppMode;

    bool operator==(const CommonData&) const = default;
};

struct PointData
{
    QString ptType;
    QString posN;
    QString posE;
    QString posH;
    QString posX;
    QString posY;
    QString posZ;
    QString antHeight;

    bool operator==(const PointData&) const = default;
};

struct VectorData
{
    QString solutionType;
    QString ratio;
    QString dx;
    QString dy;
    QString dz;
    QString slope;
    QString stDX;
    QString stDY;
    QString stDZ;
    QString stSlope;
    QString fwdAzimuth;
    QString fwdInclination;
    QString bkwdAzimuth;
    QString bkwdInclination;
    QString geoDist;
    QString heightDiff;
    QString CovXX;
    QString CovYX;
    QString CovYY;
    QString CovZX;
    QString CovZY;
    QString CovZZ;
    QString usedObs;
    QString rejectedObs;
    QString rms;
    QString rdop;

    bool operator==(const VectorData&) const = default;
};

struct BaselineRecord
{
    QString session;
    QString startTime;
    QString endTime;
    PointData startPoint;
    int startOccupation = 0;
    PointData endPoint;
    int endOccupation = 0;
    VectorData vector;
    QString minSVs;
    QString frequency;
    QString ppMode;
    QString minElevation;

    bool operator==(const BaselineRecord&) const = default;
};

struct OccupationRecord
{
    QString pointName;
    QString ptCode;
    QString receiverName;
    QString receiverSN;
    QString antennaName;
    QString antennaSN;
    QString antennaHeight;
    QString startTime;
    QString endTime;
    int firstSat = 0;
    int satCount = 0;
    QString minElevation;

    bool operator==(const OccupationRecord&) const = default;
};

struct SatelliteRecord
{
    quint32 reserved = 0;
    QString satname;
    QString health;
    QString l1;
    QString l2;

    bool operator==(const SatelliteRecord&) const = default;
};

// The records hold only strings and numbers, so a growing list may move them as bytes
// instead of one by one: a large import grows its lists many times.
Q_DECLARE_TYPEINFO(PointData, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(VectorData, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(BaselineRecord, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(OccupationRecord, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(SatelliteRecord, Q_RELOCATABLE_TYPE);

// Largest number of baselines a project can hold: the count is a 16-bit number in
// every file and report the program exchanges.
inline constexpr int maxBaselineCount = 32767;

class ProjectModel
{
public:
    ProjectModel();

    QString swProgram;
    CommonData common;
    QList<BaselineRecord> baselines;     // element 0 unused
    QList<OccupationRecord> occupations; // element 0 unused
    QList<SatelliteRecord> satellites;   // element 0 unused
    float trackScale = 0.0f;             // working value of the occupation reader only

    int baselineCount() const { return int(baselines.size()) - 1; }
    int occupationCount() const { return int(occupations.size()) - 1; }
    int satelliteCount() const { return int(satellites.size()) - 1; }

    // Whether `index` names a record, 1..N: element 0 and anything outside are not.
    bool hasBaseline(int index) const { return index >= 1 && index <= baselineCount(); }
    bool hasOccupation(int index) const { return index >= 1 && index <= occupationCount(); }

    // Occupation of a baseline end. An index outside 1..N yields the empty element 0,
    // so a damaged or unmatched index never reaches outside the array.
    const OccupationRecord& occupationAt(int index) const;
    // The same record for changing it, or nullptr for an index outside 1..N: element 0
    // must never be written.
    OccupationRecord* editableOccupation(int index);

    const OccupationRecord& startOccupationOf(const BaselineRecord& b) const
    {
        return occupationAt(b.startOccupation);
    }
    const OccupationRecord& endOccupationOf(const BaselineRecord& b) const
    {
        return occupationAt(b.endOccupation);
    }

    void clearBaselines();
    void clearOccupationsAndSatellites();

    bool operator==(const ProjectModel& other) const;
};
