#include "exchangewriter.h"

#include <QDate>
#include <QTime>

#include <cmath>
#include <cstdlib>

namespace {

constexpr std::int64_t secondsPerWeek = 604800;
constexpr std::int64_t secondsPerDay = 86400;
// The first GPS week in which Japan surveyed on JGD2011.
constexpr std::int64_t jgd2011Week = 1630;

class LineWriter
{
public:
    explicit LineWriter(QByteArray& out) : out_(out) {}

    void raw(const QByteArray& line)
    {
        indent();
        out_ += line;
        out_ += "\r\n";
    }
    void open(const char* tag, const QByteArray& attributes = {})
    {
        indent();
        out_ += '<';
        out_ += tag;
        if (!attributes.isEmpty()) {
            out_ += ' ';
            out_ += attributes;
        }
        out_ += ">\r\n";
        ++depth_;
    }
    void close(const char* tag)
    {
        --depth_;
        indent();
        out_ += "</";
        out_ += tag;
        out_ += ">\r\n";
    }
    void leaf(const char* tag, const QByteArray& value)
    {
        indent();
        out_ += '<';
        out_ += tag;
        out_ += '>';
        out_ += value;
        out_ += "</";
        out_ += tag;
        out_ += ">\r\n";
    }
    void leaf(const char* tag, const QString& value) { leaf(tag, value.toUtf8()); }
    void leaf(const char* tag, int value) { leaf(tag, QByteArray::number(value)); }

private:
    void indent() { out_.append(qsizetype(depth_) * 2, ' '); }

    QByteArray& out_;
    int depth_ = 0;
};

// Tenths of a millimetre as metres with four decimals, by integer arithmetic so that the
// texts add up exactly.
QByteArray metresText(std::int64_t tenths)
{
    const std::int64_t magnitude = std::llabs(tenths);
    QByteArray text = tenths < 0 ? "-" : "";
    text += QByteArray::number(qlonglong(magnitude / 10000));
    text += '.';
    text += QByteArray::number(qlonglong(magnitude % 10000)).rightJustified(4, '0');
    return text;
}

QByteArray millimetresText(int millimetres)
{
    return QByteArray::number(millimetres / 1000) + '.'
           + QByteArray::number(millimetres % 1000).rightJustified(3, '0');
}

QByteArray fixed(double value, int decimals)
{
    return QByteArray::number(value, 'f', decimals);
}

void timeElement(LineWriter& w, const char* tag, std::int64_t gpsSeconds)
{
    w.open(tag);
    w.leaf("GPSWeek", QByteArray::number(qlonglong(gpsSeconds / secondsPerWeek)));
    w.leaf("GPSSeconds", QByteArray::number(qlonglong(gpsSeconds % secondsPerWeek)));
    w.close(tag);
}

// Japanese time of a GPS time, for the file's own time stamp.
QByteArray localStamp(std::int64_t gpsSeconds)
{
    const std::int64_t local = gpsSeconds + 9 * 3600;
    const QDate date = QDate(1980, 1, 6).addDays(local / secondsPerDay);
    const QTime time = QTime(0, 0).addSecs(int(local % secondsPerDay));
    return (date.toString(u"yyyy-MM-dd") + u'T' + time.toString(u"HH:mm:ss")).toLatin1();
}

void trackList(LineWriter& w, const char* tag, const QList<int>& fromTo)
{
    w.open(tag);
    w.leaf("Number", int(fromTo.size() / 2));
    for (qsizetype i = 0; i + 1 < fromTo.size(); i += 2) {
        w.open("Track");
        w.leaf("From", fromTo[i]);
        w.leaf("To", fromTo[i + 1]);
        w.close("Track");
    }
    w.close(tag);
}

void occupation(LineWriter& w, const SurveyPlan& plan, const PlannedOccupation& occ)
{
    const PlannedPoint& point = plan.points[occ.point];
    const Equipment& kit = plan.equipment[occ.equipment];
    w.open("Occupation");
    w.leaf("FileName", occ.fileName);
    w.leaf("PointName", point.name);
    w.leaf("PtCode", point.code);
    timeElement(w, "StartTime", occ.start);
    timeElement(w, "EndTime", occ.end);
    w.leaf("Interval", plan.sessions[occ.session].interval);
    w.leaf("MinElevation", plan.elevationMask);
    w.leaf("MinSVs", plan.minSVs);
    w.open("Receiver");
    w.leaf("Name", kit.receiverName);
    w.leaf("SN", kit.receiverSN);
    w.close("Receiver");
    w.open("Antenna");
    w.leaf("Name", kit.antennaName);
    w.leaf("SN", kit.antennaSN);
    w.leaf("Height", millimetresText(occ.antennaHeight));
    w.leaf("MeasuredTo", QByteArray("Bottom of antenna mount"));
    w.close("Antenna");
    w.open("SatList");
    for (const PlannedSatellite& sat : occ.satellites) {
        w.open("Sat");
        w.leaf("Name", "GPS" + QByteArray::number(sat.prn).rightJustified(2, '0'));
        w.leaf("Health", sat.health);
        trackList(w, "TrackListL1", sat.l1);
        trackList(w, "TrackListL2", sat.l2);
        w.close("Sat");
    }
    w.close("SatList");
    w.close("Occupation");
}

void pointElement(LineWriter& w, const char* tag, const SurveyPlan& plan,
                  const PlannedOccupation& occ, const Cartesian& position, std::int64_t height)
{
    const PlannedPoint& point = plan.points[occ.point];
    const Equipment& kit = plan.equipment[occ.equipment];
    w.open(tag);
    w.leaf("PointName", point.name);
    w.leaf("PtCode", point.code);
    w.leaf("AntHeight", millimetresText(occ.antennaHeight));
    w.open("Antenna");
    w.leaf("Name", kit.antennaName);
    w.leaf("SN", kit.antennaSN);
    w.close("Antenna");
    w.leaf("X", metresText(position.x));
    w.leaf("Y", metresText(position.y));
    w.leaf("Z", metresText(position.z));
    w.leaf("N", fixed(point.latitude, 11));
    w.leaf("E", fixed(point.longitude, 11));
    w.leaf("H", metresText(height));
    w.leaf("CtrlQuality", QByteArray(point.known ? "Control" : "None"));
    if (point.known)
        w.leaf("PointType", QByteArray("Control"));
    w.close(tag);
}

void baseline(LineWriter& w, const SurveyPlan& plan, const PlannedBaseline& b, int number)
{
    const PlannedSession& session = plan.sessions[b.session];
    const Cartesian end = {b.startPosition.x + b.vector.x, b.startPosition.y + b.vector.y,
                           b.startPosition.z + b.vector.z};
    w.open("Baseline", "ID=\"" + QByteArray::number(number) + '"');
    pointElement(w, "SPoint", plan, plan.occupations[b.startOccupation], b.startPosition,
                 b.startHeight);
    pointElement(w, "EPoint", plan, plan.occupations[b.endOccupation], end, b.endHeight);

    w.open("Vector");
    w.leaf("X", metresText(b.vector.x));
    w.leaf("Y", metresText(b.vector.y));
    w.leaf("Z", metresText(b.vector.z));
    static const char* const covNames[6] = {"CovXX", "CovYX", "CovYY", "CovZX", "CovZY", "CovZZ"};
    for (int i = 0; i < 6; ++i)
        w.leaf(covNames[i], fixed(b.covariance[i], 10));
    w.close("Vector");

    w.open("Derived");
    w.leaf("SlopeDist", fixed(b.slopeDistance, 4));
    w.leaf("FwdAzimuth", fixed(b.forwardAzimuth, 10));
    w.leaf("FwdInclination", fixed(b.forwardInclination, 10));
    w.leaf("BkwdAzimuth", fixed(b.backwardAzimuth, 10));
    w.leaf("BkwdInclination", fixed(b.backwardInclination, 10));
    w.leaf("GeoDist", fixed(b.geodesicDistance, 4));
    w.leaf("HeightDiff", metresText(b.endHeight - b.startHeight));
    w.leaf("Slope", fixed(b.slopeSigma, 4));
    w.leaf("X", fixed(std::sqrt(b.covariance[0]), 4));
    w.leaf("Y", fixed(std::sqrt(b.covariance[2]), 4));
    w.leaf("Z", fixed(std::sqrt(b.covariance[5]), 4));
    w.close("Derived");

    w.open("Parameter");
    w.leaf("EphType", QByteArray("Broadcast"));
    w.leaf("Frequency", b.frequency);
    w.leaf("PPMode", QByteArray("Static"));
    w.leaf("Session", session.name);
    timeElement(w, "StartTime", b.start);
    timeElement(w, "EndTime", b.end);
    w.leaf("MinElevation", plan.elevationMask);
    w.leaf("Interval", session.interval);
    w.close("Parameter");

    w.open("Statistics");
    w.leaf("SolutionType", b.solutionType);
    w.leaf("Ratio", fixed(b.ratio, 1));
    w.leaf("RMS", fixed(b.rms, 4));
    w.leaf("RDOP", fixed(b.rdop, 3));
    w.leaf("UsedObs", b.usedObs);
    w.leaf("RejectedObs", b.rejectedObs);
    w.close("Statistics");
    w.close("Baseline");
}

} // namespace

QByteArray exchangeFileBytes(const SurveyPlan& plan)
{
    QByteArray out;
    // Roughly what one occupation and one baseline take, so the buffer grows rarely.
    out.reserve(plan.occupations.size() * 5000 + plan.baselines.size() * 3000 + 4096);
    LineWriter w(out);
    const std::int64_t firstWeek =
        plan.sessions.isEmpty() ? 0 : plan.sessions.first().start / secondsPerWeek;

    w.raw(R"(<?xml version="1.0" encoding="UTF-8"?>)");
    w.open("JapaneseExchangeFormat", R"(Version="1.0" Software="Trimble Total Control 2.71" Created=")"
                                         + localStamp(plan.created) + '"');
    w.open("ProjectInfo");
    w.leaf("ProjectName", plan.projectName);
    w.leaf("Company", plan.company);
    w.leaf("Created", localStamp(plan.created));
    w.leaf("Datum", QByteArray(firstWeek < jgd2011Week ? "JGD2000" : "JGD2011"));
    w.leaf("Ellipsoid", QByteArray("GRS80"));
    w.leaf("Units", QByteArray("Meters"));
    w.close("ProjectInfo");

    w.open("OccupationList");
    for (const PlannedOccupation& occ : plan.occupations)
        occupation(w, plan, occ);
    w.close("OccupationList");

    w.open("BaselineList");
    for (qsizetype i = 0; i < plan.baselines.size(); ++i)
        baseline(w, plan, plan.baselines[i], int(i) + 1);
    w.close("BaselineList");
    w.close("JapaneseExchangeFormat");
    return out;
}
