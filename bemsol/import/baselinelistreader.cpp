#include "baselinelistreader.h"

#include "elementreader.h"
#include "model/geodesy.h"
#include "gpstimetext.h"
#include "occupationmatching.h"

#include <array>

namespace {

const std::array<TextFieldTag<PointData>, 2> pointTextTags{{
    {"AntHeight", &PointData::antHeight},
    {"H", &PointData::posH},
}};

const std::array<TextFieldTag<VectorData>, 9> vectorTags{{
    {"X", &VectorData::dx},
    {"Y", &VectorData::dy},
    {"Z", &VectorData::dz},
    {"CovXX", &VectorData::CovXX},
    {"CovYX", &VectorData::CovYX},
    {"CovYY", &VectorData::CovYY},
    {"CovZX", &VectorData::CovZX},
    {"CovZY", &VectorData::CovZY},
    {"CovZZ", &VectorData::CovZZ},
}};

const std::array<TextFieldTag<VectorData>, 7> derivedTextTags{{
    {"SlopeDist", &VectorData::slope},
    {"GeoDist", &VectorData::geoDist},
    {"HeightDiff", &VectorData::heightDiff},
    {"Slope", &VectorData::stSlope},
    {"X", &VectorData::stDX},
    {"Y", &VectorData::stDY},
    {"Z", &VectorData::stDZ},
}};

struct AngleTag
{
    QByteArrayView tag;
    QString VectorData::*field;
    AngleKind kind;
};

const std::array<AngleTag, 4> derivedAngleTags{{
    {"FwdAzimuth", &VectorData::fwdAzimuth, AngleKind::ForwardAzimuth},
    {"FwdInclination", &VectorData::fwdInclination, AngleKind::ForwardInclination},
    {"BkwdAzimuth", &VectorData::bkwdAzimuth, AngleKind::BackwardAzimuth},
    {"BkwdInclination", &VectorData::bkwdInclination, AngleKind::BackwardInclination},
}};

const std::array<TextFieldTag<VectorData>, 6> statisticsTags{{
    {"SolutionType", &VectorData::solutionType, true},
    {"Ratio", &VectorData::ratio},
    {"RMS", &VectorData::rms},
    {"RDOP", &VectorData::rdop},
    {"UsedObs", &VectorData::usedObs},
    {"RejectedObs", &VectorData::rejectedObs, true},
}};

// The coordinates of a point element as numbers, kept beside their texts while the
// element is read: the latitude and longitude are computed from what has been read
// when the N and E elements come.
struct Coordinates
{
    std::optional<double> x;
    std::optional<double> y;
    std::optional<double> z;
};

QString latitudeText(const Coordinates& c)
{
    if (!c.x || !c.y || !c.z)
        return {};
    return AngleText(LatitudeFromXYZ(*c.x, *c.y, *c.z), AngleKind::Latitude);
}

QString longitudeText(const Coordinates& c)
{
    if (!c.x || !c.y)
        return {};
    return AngleTextFromDegrees(LongitudeDegreesFromXY(*c.x, *c.y), AngleKind::Longitude);
}

void storeCoordinate(QByteArrayView value, QString& text, std::optional<double>& number)
{
    text = TextOf(value);
    number = NumberFromText(value);
}

// Returns the point's name, which serves only to find its occupation.
QString ReadPoint(ExchangeReader& reader, PointData& point)
{
    QString pointName;
    Coordinates c{NumberFromText(point.posX), NumberFromText(point.posY),
                  NumberFromText(point.posZ)};
    ReadElementLines(reader, {"/SPoint", "/EPoint"}, [&](QByteArrayView tag, QByteArrayView line) {
        if (IsTag(tag, "PointName")) {
            pointName = TextOf(ValueOf(line));
            point.ptType = QStringLiteral("Input");
        } else if (IsTag(tag, "PointType")) {
            point.ptType = reader.sharedText(ValueOf(line));
        } else if (IsTag(tag, "X")) {
            storeCoordinate(ValueOf(line), point.posX, c.x);
        } else if (IsTag(tag, "Y")) {
            storeCoordinate(ValueOf(line), point.posY, c.y);
        } else if (IsTag(tag, "Z")) {
            storeCoordinate(ValueOf(line), point.posZ, c.z);
        } else if (IsTag(tag, "N")) {
            point.posN = latitudeText(c);
        } else if (IsTag(tag, "E")) {
            point.posE = longitudeText(c);
        } else {
            StoreTextField<PointData>(reader, pointTextTags, tag, line, point);
        }
    });
    return pointName;
}

void ReadVector(ExchangeReader& reader, VectorData& vector)
{
    ReadElementLines(reader, {"/Vector"}, [&](QByteArrayView tag, QByteArrayView line) {
        StoreTextField<VectorData>(reader, vectorTags, tag, line, vector);
    });
}

void ReadDerived(ExchangeReader& reader, VectorData& vector)
{
    ReadElementLines(reader, {"/Derived"}, [&](QByteArrayView tag, QByteArrayView line) {
        if (StoreTextField<VectorData>(reader, derivedTextTags, tag, line, vector))
            return;
        for (const AngleTag& a : derivedAngleTags) {
            if (SameTag(tag, a.tag)) {
                const std::optional<double> radians = NumberFromText(ValueOf(line));
                vector.*(a.field) = radians ? AngleText(*radians, a.kind) : QString();
                return;
            }
        }
    });
}

void ReadStatistics(ExchangeReader& reader, VectorData& vector)
{
    ReadElementLines(reader, {"/Statistics"}, [&](QByteArrayView tag, QByteArrayView line) {
        StoreTextField<VectorData>(reader, statisticsTags, tag, line, vector);
    });
}

void ReadParameter(ExchangeReader& reader, BaselineRecord& baseline, CommonData& common)
{
    ReadElementLines(reader, {"/Parameter"}, [&](QByteArrayView tag, QByteArrayView line) {
        if (IsTag(tag, "EphType")) {
            const QByteArrayView value = ValueOf(line);
            common.ephType = value == "Broadcast" ? QStringLiteral("放送暦") : reader.sharedText(value);
        } else if (IsTag(tag, "Frequency")) {
            common.frequency = baseline.frequency = reader.sharedText(ValueOf(line));
        } else if (IsTag(tag, "PPMode")) {
            common.ppMode = baseline.ppMode = reader.sharedText(ValueOf(line));
        } else if (IsTag(tag, "Session")) {
            baseline.session = reader.sharedText(ValueOf(line));
        } else if (IsTag(tag, "StartTime")) {
            baseline.startTime = GpsTimeText(reader);
        } else if (IsTag(tag, "EndTime")) {
            baseline.endTime = GpsTimeText(reader);
        } else if (IsTag(tag, "MinElevation")) {
            baseline.minElevation = reader.sharedText(ValueOf(line));
        } else if (IsTag(tag, "Interval")) {
            common.interval = reader.sharedText(ValueOf(line));
        }
    });
    common.daen = QStringLiteral("GRS80");
}

} // namespace

Outcome ReadBaselineList(ExchangeReader& reader)
{
    ProjectModel& model = reader.model();
    model.clearBaselines();
    const OccupationMatcher matcher(model);

    // Child elements before the first Baseline tag go to a scratch record: element 0
    // must stay empty.
    BaselineRecord scratch;
    BaselineRecord* current = &scratch;
    QString startName;
    QString endName;

    Outcome outcome = Outcome::success();
    ReadElementLines(reader, {"/BaselineList"}, [&](QByteArrayView tag, QByteArrayView) {
        // Once refused, the rest of the list is only passed by.
        if (!outcome)
            return;
        if (IsTag(tag, "Baseline")) {
            if (model.baselineCount() >= maxBaselineCount) {
                outcome = Outcome::failure(QStringLiteral("基線が %1 本を超えるため読み込めません")
                                               .arg(maxBaselineCount));
                return;
            }
            model.baselines.append(BaselineRecord{});
            current = &model.baselines.last();
            startName.clear();
            endName.clear();
        } else if (IsTag(tag, "SPoint")) {
            startName = ReadPoint(reader, current->startPoint);
        } else if (IsTag(tag, "EPoint")) {
            endName = ReadPoint(reader, current->endPoint);
        } else if (IsTag(tag, "Vector")) {
            ReadVector(reader, current->vector);
        } else if (IsTag(tag, "Derived")) {
            ReadDerived(reader, current->vector);
        } else if (IsTag(tag, "Parameter")) {
            ReadParameter(reader, *current, model.common);
        } else if (IsTag(tag, "Statistics")) {
            ReadStatistics(reader, current->vector);
        } else if (IsTag(tag, "/Baseline")) {
            MatchOccupations(matcher, *current, startName, endName);
            current->minSVs = model.common.minSVs;
        }
    });
    return outcome;
}
