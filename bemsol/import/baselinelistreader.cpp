#include "baselinelistreader.h"

#include "elementreader.h"
#include "geodesy.h"
#include "gpstimetext.h"
#include "occupationmatching.h"

#include <array>

namespace {

const std::array<TextFieldTag<PointData>, 5> pointTextTags{{
    {u"AntHeight", &PointData::antHeight},
    {u"X", &PointData::posX},
    {u"Y", &PointData::posY},
    {u"Z", &PointData::posZ},
    {u"H", &PointData::posH},
}};

const std::array<TextFieldTag<VectorData>, 9> vectorTags{{
    {u"X", &VectorData::dx},
    {u"Y", &VectorData::dy},
    {u"Z", &VectorData::dz},
    {u"CovXX", &VectorData::CovXX},
    {u"CovYX", &VectorData::CovYX},
    {u"CovYY", &VectorData::CovYY},
    {u"CovZX", &VectorData::CovZX},
    {u"CovZY", &VectorData::CovZY},
    {u"CovZZ", &VectorData::CovZZ},
}};

const std::array<TextFieldTag<VectorData>, 7> derivedTextTags{{
    {u"SlopeDist", &VectorData::slope},
    {u"GeoDist", &VectorData::geoDist},
    {u"HeightDiff", &VectorData::heightDiff},
    {u"Slope", &VectorData::stSlope},
    {u"X", &VectorData::stDX},
    {u"Y", &VectorData::stDY},
    {u"Z", &VectorData::stDZ},
}};

struct AngleTag
{
    QStringView tag;
    QString VectorData::*field;
    AngleKind kind;
};

const std::array<AngleTag, 4> derivedAngleTags{{
    {u"FwdAzimuth", &VectorData::fwdAzimuth, AngleKind::ForwardAzimuth},
    {u"FwdInclination", &VectorData::fwdInclination, AngleKind::ForwardInclination},
    {u"BkwdAzimuth", &VectorData::bkwdAzimuth, AngleKind::BackwardAzimuth},
    {u"BkwdInclination", &VectorData::bkwdInclination, AngleKind::BackwardInclination},
}};

const std::array<TextFieldTag<VectorData>, 6> statisticsTags{{
    {u"SolutionType", &VectorData::solutionType},
    {u"Ratio", &VectorData::ratio},
    {u"RMS", &VectorData::rms},
    {u"RDOP", &VectorData::rdop},
    {u"UsedObs", &VectorData::usedObs},
    {u"RejectedObs", &VectorData::rejectedObs},
}};

// Latitude from the coordinates read so far; empty when any of them is not a number
// (an N element written before X, Y and Z).
QString latitudeText(const PointData& p)
{
    const auto x = NumberFromText(p.posX);
    const auto y = NumberFromText(p.posY);
    const auto z = NumberFromText(p.posZ);
    if (!x || !y || !z)
        return {};
    return AngleText(LatitudeFromXYZ(*x, *y, *z), AngleKind::Latitude);
}

QString longitudeText(const PointData& p)
{
    const auto x = NumberFromText(p.posX);
    const auto y = NumberFromText(p.posY);
    if (!x || !y)
        return {};
    return AngleTextFromDegrees(LongitudeDegreesFromXY(*x, *y), AngleKind::Longitude);
}

// Returns the point's name, which serves only to find its occupation.
QString ReadPoint(ExchangeReader& reader, PointData& point)
{
    QString pointName;
    ReadElementLines(reader, {u"/SPoint", u"/EPoint"}, [&](QStringView tag, QStringView line) {
        if (tag == u"PointName") {
            pointName = ValueOf(line).toString();
            point.ptType = QStringLiteral("Input");
        } else if (tag == u"PointType") {
            point.ptType = ValueOf(line).toString();
        } else if (tag == u"N") {
            point.posN = latitudeText(point);
        } else if (tag == u"E") {
            point.posE = longitudeText(point);
        } else {
            StoreTextField<PointData>(pointTextTags, tag, line, point);
        }
    });
    return pointName;
}

void ReadVector(ExchangeReader& reader, VectorData& vector)
{
    ReadElementLines(reader, {u"/Vector"}, [&](QStringView tag, QStringView line) {
        StoreTextField<VectorData>(vectorTags, tag, line, vector);
    });
}

void ReadDerived(ExchangeReader& reader, VectorData& vector)
{
    ReadElementLines(reader, {u"/Derived"}, [&](QStringView tag, QStringView line) {
        if (StoreTextField<VectorData>(derivedTextTags, tag, line, vector))
            return;
        for (const AngleTag& a : derivedAngleTags) {
            if (a.tag == tag) {
                const std::optional<double> radians = NumberFromText(ValueOf(line));
                vector.*(a.field) = radians ? AngleText(*radians, a.kind) : QString();
                return;
            }
        }
    });
}

void ReadStatistics(ExchangeReader& reader, VectorData& vector)
{
    ReadElementLines(reader, {u"/Statistics"}, [&](QStringView tag, QStringView line) {
        StoreTextField<VectorData>(statisticsTags, tag, line, vector);
    });
}

void ReadParameter(ExchangeReader& reader, BaselineRecord& baseline, CommonData& common)
{
    ReadElementLines(reader, {u"/Parameter"}, [&](QStringView tag, QStringView line) {
        if (tag == u"EphType") {
            const QStringView value = ValueOf(line);
            common.ephType = value == u"Broadcast" ? QStringLiteral("放送暦") : value.toString();
        } else if (tag == u"Frequency") {
            common.frequency = baseline.frequency = ValueOf(line).toString();
        } else if (tag == u"PPMode") {
            common.ppMode = baseline.ppMode = ValueOf(line).toString();
        } else if (tag == u"Session") {
            baseline.session = ValueOf(line).toString();
        } else if (tag == u"StartTime") {
            baseline.startTime = GpsTimeText(reader);
        } else if (tag == u"EndTime") {
            baseline.endTime = GpsTimeText(reader);
        } else if (tag == u"MinElevation") {
            baseline.minElevation = ValueOf(line).toString();
        } else if (tag == u"Interval") {
            common.interval = ValueOf(line).toString();
        }
    });
    common.daen = QStringLiteral("GRS80");
}

} // namespace

void ReadBaselineList(ExchangeReader& reader)
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

    ReadElementLines(reader, {u"/BaselineList"}, [&](QStringView tag, QStringView) {
        if (tag == u"Baseline") {
            if (model.baselineCount() >= maxBaselineCount) {
                reader.fail(QStringLiteral("基線が %1 本を超えるため読み込めません")
                                .arg(maxBaselineCount));
                return;
            }
            model.baselines.append(BaselineRecord{});
            current = &model.baselines.last();
            startName.clear();
            endName.clear();
        } else if (tag == u"SPoint") {
            startName = ReadPoint(reader, current->startPoint);
        } else if (tag == u"EPoint") {
            endName = ReadPoint(reader, current->endPoint);
        } else if (tag == u"Vector") {
            ReadVector(reader, current->vector);
        } else if (tag == u"Derived") {
            ReadDerived(reader, current->vector);
        } else if (tag == u"Parameter") {
            ReadParameter(reader, *current, model.common);
        } else if (tag == u"Statistics") {
            ReadStatistics(reader, current->vector);
        } else if (tag == u"/Baseline") {
            MatchOccupations(matcher, *current, startName, endName);
            current->minSVs = model.common.minSVs;
        }
    });
}
