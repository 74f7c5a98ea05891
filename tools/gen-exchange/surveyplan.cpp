#include "surveyplan.h"

#include "splitmix64.h"

#include <QDate>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

// GRS80
constexpr double semiMajor = 6378137.0;
constexpr double flattening = 1.0 / 298.257222101;
constexpr double eccentricity2 = (2.0 - flattening) * flattening;
constexpr double pi = 3.141592653589793;
constexpr double degree = pi / 180.0;

constexpr std::int64_t secondsPerDay = 86400;
constexpr std::int64_t minute = 60;
// Field crews keep Japanese time; the exchange file counts GPS time (leap seconds aside).
constexpr std::int64_t japanOffset = 9 * 3600;

// Bounds that keep a mistyped request from filling the disk.
constexpr int maxBaselines = 200000;
constexpr int maxPoints = 100000;
constexpr int maxSessions = 100000;
constexpr int prnCount = 32;

struct Vec3
{
    double x = 0;
    double y = 0;
    double z = 0;
};

double dot(const Vec3& a, const Vec3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 scaled(const Vec3& a, double s)
{
    return {a.x * s, a.y * s, a.z * s};
}

Vec3 sum(const Vec3& a, const Vec3& b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

struct LocalFrame
{
    Vec3 east;
    Vec3 north;
    Vec3 up;
};

LocalFrame frameAt(double latitude, double longitude)
{
    const double sp = std::sin(latitude), cp = std::cos(latitude);
    const double sl = std::sin(longitude), cl = std::cos(longitude);
    return {{-sl, cl, 0.0}, {-sp * cl, -sp * sl, cp}, {cp * cl, cp * sl, sp}};
}

Vec3 geodeticToCartesian(double latitude, double longitude, double height)
{
    const double sp = std::sin(latitude), cp = std::cos(latitude);
    const double n = semiMajor / std::sqrt(1.0 - eccentricity2 * sp * sp);
    return {(n + height) * cp * std::cos(longitude), (n + height) * cp * std::sin(longitude),
            (n * (1.0 - eccentricity2) + height) * sp};
}

std::int64_t tenths(double metres)
{
    return std::llround(metres * 1e4);
}

double metres(std::int64_t tenthsOfMillimetre)
{
    return double(tenthsOfMillimetre) * 1e-4;
}

Cartesian toCartesian(const Vec3& v)
{
    return {tenths(v.x), tenths(v.y), tenths(v.z)};
}

Vec3 toVec(const Cartesian& c)
{
    return {metres(c.x), metres(c.y), metres(c.z)};
}

// A, B, ..., Z, AA, AB, ...: the way crews letter their sessions.
QString sessionName(int index)
{
    QString name;
    for (int n = index + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

template <typename T>
void shuffle(QList<T>& list, SplitMix64& rng)
{
    for (qsizetype i = list.size() - 1; i > 0; --i)
        std::swap(list[i], list[rng.between(0, int(i))]);
}

// ---- names ---------------------------------------------------------------------------

const QStringList placeHeads = {
    u"北"_s, u"南"_s, u"東"_s, u"西"_s, u"上"_s, u"下"_s, u"中"_s, u"大"_s,
    u"小"_s, u"高"_s, u"新"_s, u"本"_s, u"赤"_s, u"青"_s, u"白"_s, u"黒"_s,
    u"石"_s, u"松"_s, u"竹"_s, u"梅"_s, u"桜"_s, u"杉"_s, u"岩"_s, u"長"_s,
    u"浅"_s, u"若"_s, u"古"_s, u"宮"_s, u"寺"_s, u"鹿"_s, u"鶴"_s, u"亀"_s,
    u"筑波"_s, u"富士"_s, u"八幡"_s, u"天神"_s, u"稲荷"_s, u"相馬"_s, u"日向"_s,
    u"金剛"_s, u"愛宕"_s, u"朝日"_s,
};
const QStringList placeTails = {
    u"山"_s, u"川"_s, u"田"_s, u"野"_s, u"原"_s, u"沢"_s, u"谷"_s, u"台"_s,
    u"森"_s, u"岡"_s, u"島"_s, u"崎"_s, u"浦"_s, u"坂"_s, u"峰"_s, u"岳"_s,
    u"平"_s, u"窪"_s, u"畑"_s, u"橋"_s, u"塚"_s, u"尾"_s, u"越"_s, u"瀬"_s,
    u"浜"_s, u"ヶ丘"_s, u"ノ沢"_s,
};
// Half-width katakana syllables, voiced ones written with the separate half-width mark.
const QStringList kanaSyllables = {
    u"ｱ"_s,  u"ｲ"_s,  u"ｳ"_s,  u"ｵ"_s,  u"ｶ"_s,  u"ｷ"_s,  u"ｸ"_s,  u"ｺ"_s,
    u"ｻ"_s,  u"ｼ"_s,  u"ｽ"_s,  u"ｾ"_s,  u"ﾀ"_s,  u"ﾁ"_s,  u"ﾂ"_s,  u"ﾄ"_s,
    u"ﾅ"_s,  u"ﾆ"_s,  u"ﾉ"_s,  u"ﾊ"_s,  u"ﾋ"_s,  u"ﾌ"_s,  u"ﾎ"_s,  u"ﾏ"_s,
    u"ﾐ"_s,  u"ﾓ"_s,  u"ﾔ"_s,  u"ﾕ"_s,  u"ﾖ"_s,  u"ﾗ"_s,  u"ﾘ"_s,  u"ﾜ"_s,
    u"ｶﾞ"_s, u"ｷﾞ"_s, u"ｻﾞ"_s, u"ﾀﾞ"_s, u"ﾊﾞ"_s, u"ﾌﾞ"_s, u"ﾋﾟ"_s, u"ﾝ"_s,
};
const QStringList companies = {
    u"株式会社 東和測量設計"_s, u"中央測地株式会社"_s, u"有限会社 北斗測量"_s,
    u"株式会社 三和技術コンサルタント"_s, u"日本測地開発株式会社"_s,
};

QString pick(const QStringList& list, SplitMix64& rng)
{
    return list[rng.between(0, int(list.size()) - 1)];
}

QString placeName(SplitMix64& rng)
{
    QString name = pick(placeHeads, rng);
    if (name.size() == 1 && rng.chance(0.3))
        name += pick(placeHeads, rng);
    return name + pick(placeTails, rng);
}

QString kanaName(SplitMix64& rng)
{
    QString name;
    for (int n = rng.between(2, 4); n > 0; --n)
        name += pick(kanaSyllables, rng);
    return name;
}

// The code crews give a point: the place name for a published point, a place name or
// a half-width katakana reading, often numbered, for a new one.
QString pointCode(bool known, SplitMix64& rng)
{
    if (known)
        return placeName(rng);
    const double roll = rng.uniform();
    if (roll < 0.45)
        return placeName(rng) + QString::number(rng.between(1, 9));
    if (roll < 0.80) {
        QString name = kanaName(rng);
        if (rng.chance(0.5))
            name += QString::number(rng.between(1, 9));
        return name;
    }
    return placeName(rng);
}

QString digits(int count, SplitMix64& rng)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(u'0' + rng.between(0, 9));
    return text;
}

// ---- the parts of the plan -----------------------------------------------------------

// Points on a serpentine grid, so that points next to each other in the list are also
// next to each other on the ground and a session's consecutive points form a compact
// figure.
void planPoints(SurveyPlan& plan, int count, SplitMix64& rng)
{
    const int width = std::max(1, int(std::ceil(std::sqrt(double(count)))));
    const int rows = (count + width - 1) / width;
    const double spacingKm = std::min(rng.uniform(3.0, 5.0), 900.0 / width);
    const double kmPerDegree = 111.2;
    const double halfLat = rows * spacingKm / kmPerDegree / 2;
    const double centreLat = halfLat < 5.5 ? rng.uniform(31.3 + halfLat, 42.7 - halfLat) : 37.0;
    const double halfLon = width * spacingKm / (kmPerDegree * std::cos(centreLat * degree)) / 2;
    const double centreLon = halfLon < 7.0 ? rng.uniform(130.3 + halfLon, 144.7 - halfLon) : 137.5;

    // Gentle terrain: a base level with hills a few tens of kilometres across.
    const double base = rng.uniform(40.0, 600.0);
    const double relief = rng.uniform(50.0, 700.0);
    const double waveX = rng.uniform(8.0, 30.0), waveY = rng.uniform(8.0, 30.0);
    const double phaseX = rng.uniform(0.0, 2 * pi), phaseY = rng.uniform(0.0, 2 * pi);
    // Heights are above the ellipsoid, which lies some 30-40 m below the geoid in Japan.
    const double geoid = rng.uniform(30.0, 40.0);

    QSet<QString> codes;
    int nextNumber = 1001;
    plan.points.reserve(count);
    for (int k = 0; k < count; ++k) {
        const int row = k / width;
        int col = k % width;
        if (row % 2 == 1)
            col = width - 1 - col;
        const double northKm = (row + 0.5 + rng.uniform(-0.3, 0.3)) * spacingKm;
        const double eastKm = (col + 0.5 + rng.uniform(-0.3, 0.3)) * spacingKm;
        const double lat = centreLat - halfLat + northKm / kmPerDegree;
        const double lon = centreLon - halfLon + eastKm / (kmPerDegree * std::cos(lat * degree));
        const double hill = relief * std::sin(eastKm / waveX + phaseX) * std::cos(northKm / waveY + phaseY);
        const double height =
            geoid + std::clamp(base + hill + rng.uniform(-20.0, 20.0), 1.0, 1500.0 - geoid);

        PlannedPoint p;
        // Networks hang from published points: the first and last always, a few between.
        p.known = k == 0 || (count > 2 && k == count - 1) || rng.chance(0.08);
        p.name = p.known ? u"TR"_s + QString::number(rng.between(1, 5)) + digits(7, rng)
                         : QString::number(nextNumber++);
        QString code = pointCode(p.known, rng);
        for (int n = 2; codes.contains(code); ++n)
            code = pointCode(p.known, rng) + QString::number(n);
        codes.insert(code);
        p.code = code;
        p.latitude = lat * degree;
        p.longitude = lon * degree;
        p.height = tenths(height);
        p.position = toCartesian(geodeticToCartesian(p.latitude, p.longitude, metres(p.height)));
        plan.points.append(p);
    }
}

void planEquipment(SurveyPlan& plan, int units, SplitMix64& rng)
{
    struct Kit
    {
        QString receiver;
        QString antenna;
        bool integrated; // antenna inside the receiver: one serial number
    };
    const QList<Kit> kits = {
        {u"Trimble 5700"_s, u"Zephyr Geodetic"_s, false},
        {u"Trimble R7"_s, u"Zephyr Geodetic"_s, false},
        {u"Trimble 4000SSi"_s, u"Compact L1/L2 w/Ground Plane"_s, false},
        {u"Trimble R8"_s, u"R8 Internal"_s, true},
        {u"Trimble NetR5"_s, u"Zephyr Geodetic 2"_s, false},
    };
    const int main = rng.between(0, int(kits.size()) - 1);
    const int other = rng.between(0, int(kits.size()) - 1);
    for (int i = 0; i < units; ++i) {
        const Kit& kit = kits[rng.chance(0.25) ? other : main];
        Equipment e;
        e.receiverName = kit.receiver;
        e.receiverSN = QString::number(rng.between(220, 4899)).rightJustified(4, u'0') + digits(6, rng);
        e.antennaName = kit.antenna;
        e.antennaSN = kit.integrated ? e.receiverSN
                                     : QString::number(rng.between(1440, 3099)) + digits(6, rng);
        plan.equipment.append(e);
    }
}

// How many baselines each session gets and how many receivers it needs for them, so
// that every session's points are connected and consecutive sessions share a point.
struct SessionShape
{
    int baselines = 0;
    int receivers = 0;
};

QList<SessionShape> planShapes(const GeneratorOptions& o, SplitMix64& rng)
{
    QList<SessionShape> shapes(o.sessions);
    for (int i = 0; i < o.sessions; ++i) {
        SessionShape& s = shapes[i];
        s.baselines = o.baselines / o.sessions + (i < o.baselines % o.sessions ? 1 : 0);
        s.receivers = 2;
        while (std::int64_t(s.receivers) * (s.receivers - 1) / 2 < s.baselines)
            ++s.receivers;
        // Now and then a crew brings one receiver more than the baselines strictly need.
        if (s.receivers < o.points && s.receivers <= s.baselines && rng.chance(0.3))
            ++s.receivers;
    }
    // Enough receivers overall to reach every point with overlapping sessions. The checked
    // options guarantee that some session can always take one more.
    std::int64_t reach = 0;
    for (const SessionShape& s : shapes)
        reach += s.receivers - 1;
    for (int i = 0, idle = 0; reach < o.points - 1 && idle < o.sessions; i = (i + 1) % o.sessions) {
        SessionShape& s = shapes[i];
        if (s.receivers < o.points && s.receivers - 1 < s.baselines) {
            ++s.receivers;
            ++reach;
            idle = 0;
        } else {
            ++idle;
        }
    }
    return shapes;
}

// Each session observes a run of consecutive points; each run overlaps the previous one
// so that the network is connected, and the runs together cover every point.
void planSessionPoints(SurveyPlan& plan, const QList<SessionShape>& shapes, int pointCount)
{
    const int sessions = int(shapes.size());
    QList<std::int64_t> reachAfter(sessions, 0);
    for (int i = sessions - 2; i >= 0; --i)
        reachAfter[i] = reachAfter[i + 1] + shapes[i + 1].receivers - 1;

    int first = 0;
    for (int i = 0; i < sessions; ++i) {
        const int r = shapes[i].receivers;
        first = std::min(first, pointCount - r);
        for (int k = 0; k < r; ++k)
            plan.sessions[i].points.append(first + k);
        if (i == sessions - 1)
            break;
        const int last = first + r - 1;
        // Spare reach is spent as extra overlap, spread evenly over the remaining steps.
        const std::int64_t slack = last + reachAfter[i] - (pointCount - 1);
        const int extra = int(std::min<std::int64_t>(slack / (sessions - 1 - i), r - 1));
        first = last - extra;
    }
}

// Sessions by day in Japanese working hours: 60 to 150 minutes each, with time to move
// between them. The first session of a day starts before midnight in GPS time.
void planSchedule(SurveyPlan& plan, int sessions, SplitMix64& rng)
{
    const std::int64_t dayStart = 8 * 3600 + 30 * minute;
    const std::int64_t dayEnd = 17 * 3600 + 30 * minute;
    const QList<int> durations = {60, 60, 75, 90, 90, 120, 120, 150};

    std::int64_t day = std::int64_t(rng.between(1300, 2200)) * 7 + rng.between(0, 6);
    std::int64_t clock = dayStart + rng.between(0, 6) * 5 * minute;
    for (int i = 0; i < sessions; ++i) {
        const std::int64_t duration = durations[rng.between(0, int(durations.size()) - 1)] * minute;
        if (clock + duration > dayEnd) {
            day += rng.chance(0.15) ? 2 : 1;
            clock = dayStart + rng.between(0, 6) * 5 * minute;
        }
        PlannedSession s;
        s.name = sessionName(i);
        s.start = day * secondsPerDay + clock - japanOffset;
        s.end = s.start + duration;
        s.interval = rng.chance(0.8) ? 30 : 15;
        plan.sessions.append(s);
        clock += duration + rng.between(6, 18) * 5 * minute;
    }
}

int dayOfYear(std::int64_t gpsSeconds)
{
    return QDate(1980, 1, 6).addDays(gpsSeconds / secondsPerDay).dayOfYear();
}

// From/To pairs of one frequency: the time the satellite was above the mask during the
// occupation, now and then broken by a loss of lock.
QList<int> trackRuns(int from, int to, int interval, SplitMix64& rng)
{
    QList<int> runs;
    const int length = to - from;
    if (length >= 20 * interval && rng.chance(0.15)) {
        int gapStart = from + int(rng.uniform(0.2, 0.8) * length) / interval * interval;
        int gapEnd = gapStart + rng.between(1, 10) * interval;
        if (gapEnd < to) {
            runs << from << gapStart << gapEnd << to;
            return runs;
        }
    }
    runs << from << to;
    return runs;
}

struct Visibility
{
    int prn = 0;
    std::int64_t rise = 0;
    std::int64_t set = 0;
};

QList<Visibility> planVisibility(const PlannedSession& s, int atLeast, SplitMix64& rng)
{
    QList<int> prns(prnCount);
    std::iota(prns.begin(), prns.end(), 1);
    shuffle(prns, rng);
    const int visible = std::min(prnCount, std::max(rng.between(8, 13), atLeast));
    const std::int64_t duration = s.end - s.start;
    const std::int64_t step = 30;
    QList<Visibility> sky;
    for (int k = 0; k < visible; ++k) {
        Visibility v;
        v.prn = prns[k];
        v.rise = rng.chance(0.2) ? s.start + std::int64_t(rng.uniform(0.1, 0.5) * duration) / step * step
                                 : s.start - rng.between(10, 240) * step;
        v.set = rng.chance(0.2) ? s.start + std::int64_t(rng.uniform(0.5, 0.9) * duration) / step * step
                                : s.end + rng.between(10, 240) * step;
        v.set = std::max(v.set, v.rise + duration / 3 / step * step);
        sky.append(v);
    }
    std::sort(sky.begin(), sky.end(), [](const Visibility& a, const Visibility& b) {
        return a.prn < b.prn;
    });
    return sky;
}

// One occupation per point of session `si`, appended to the plan.
void planSessionOccupations(SurveyPlan& plan, int si, int sessionOfDay, const GeneratorOptions& o,
                            SplitMix64& rng)
{
    const PlannedSession& s = plan.sessions[si];
    const QList<Visibility> sky = planVisibility(s, o.maxSatellites, rng);
    QList<int> units(plan.equipment.size());
    std::iota(units.begin(), units.end(), 0);
    shuffle(units, rng);

    for (int k = 0; k < s.points.size(); ++k) {
        PlannedOccupation occ;
        occ.point = s.points[k];
        occ.session = si;
        occ.equipment = units[k];
        occ.antennaHeight = rng.between(1150, 1750);
        // Receivers are switched on and off a few minutes apart.
        occ.start = s.start + rng.between(-4, 8) * 30;
        occ.end = s.end - rng.between(-4, 8) * 30;
        occ.fileName = plan.equipment[occ.equipment].receiverSN.right(4)
                       + QString::number(dayOfYear(occ.start)).rightJustified(3, u'0')
                       + QString::number(sessionOfDay % 10) + u".T01"_s;

        QList<int> tracked(sky.size());
        std::iota(tracked.begin(), tracked.end(), 0);
        shuffle(tracked, rng);
        const int count = rng.between(o.minSatellites,
                                      std::min<int>(o.maxSatellites, int(sky.size())));
        tracked.resize(count);
        std::sort(tracked.begin(), tracked.end());
        for (int t : tracked) {
            const Visibility& v = sky[t];
            const int from = int(std::max(v.rise, occ.start) - occ.start);
            const int to = int(std::min(v.set, occ.end) - occ.start);
            PlannedSatellite sat;
            sat.prn = v.prn;
            sat.health = rng.chance(0.01) ? 1 : 0;
            if (to > from) {
                sat.l1 = trackRuns(from, to, s.interval, rng);
                if (!rng.chance(0.05)) {
                    sat.l2 = sat.l1;
                    // L2 often locks on a little later than L1.
                    const int late = sat.l2[0] + rng.between(1, 6) * s.interval;
                    if (rng.chance(0.15) && late < sat.l2[1])
                        sat.l2[0] = late;
                }
            }
            occ.satellites.append(sat);
        }
        plan.occupations.append(occ);
    }
}

void planOccupations(SurveyPlan& plan, const GeneratorOptions& o, SplitMix64& rng)
{
    int sessionOfDay = 0;
    std::int64_t previousDay = -1;
    for (int si = 0; si < plan.sessions.size(); ++si) {
        const std::int64_t day = (plan.sessions[si].start + japanOffset) / secondsPerDay;
        sessionOfDay = day == previousDay ? sessionOfDay + 1 : 0;
        previousDay = day;
        planSessionOccupations(plan, si, sessionOfDay, o, rng);
    }
}

int commonSatellites(const PlannedOccupation& a, const PlannedOccupation& b)
{
    int n = 0;
    for (const PlannedSatellite& sa : a.satellites)
        for (const PlannedSatellite& sb : b.satellites)
            if (sa.prn == sb.prn && !sa.l1.isEmpty() && !sb.l1.isEmpty())
                ++n;
    return n;
}

PlannedBaseline planBaseline(const SurveyPlan& plan, int session, int startOcc, int endOcc,
                             double blunderNorth, SplitMix64& rng)
{
    const PlannedSession& s = plan.sessions[session];
    const PlannedOccupation& so = plan.occupations[startOcc];
    const PlannedOccupation& eo = plan.occupations[endOcc];
    const PlannedPoint& sp = plan.points[so.point];
    const PlannedPoint& ep = plan.points[eo.point];

    PlannedBaseline b;
    b.session = session;
    b.startOccupation = startOcc;
    b.endOccupation = endOcc;

    // The common observation, sometimes trimmed by the processor at either end.
    b.start = std::max(so.start, eo.start);
    b.end = std::min(so.end, eo.end);
    if (rng.chance(0.1))
        b.start += rng.between(1, 4) * s.interval;
    if (rng.chance(0.1))
        b.end -= rng.between(1, 4) * s.interval;

    // The solution: the true difference plus millimetre noise, so loops close to a few
    // millimetres. The end coordinates are the start plus the solution, as the processor
    // writes them.
    const Vec3 truth = toVec({ep.position.x - sp.position.x, ep.position.y - sp.position.y,
                              ep.position.z - sp.position.z});
    const double length = std::sqrt(dot(truth, truth));
    const LocalFrame at = frameAt(sp.latitude, sp.longitude);
    // Baselines of one session share the sky, so their errors largely cancel around a loop:
    // well inside the closure tolerances of a public survey (20 mm and 30 mm times the
    // root of the number of sides).
    const double sigmaH = 0.0008 + 0.1e-6 * length;
    const Vec3 scatter = sum(sum(scaled(at.east, rng.gaussian() * sigmaH),
                                 scaled(at.north, rng.gaussian() * sigmaH)),
                             scaled(at.up, rng.gaussian() * 2 * sigmaH));
    const Vec3 noise = blunderNorth == 0 ? scatter : sum(scatter, scaled(at.north, blunderNorth));
    const Cartesian noiseT = toCartesian(noise);
    b.startPosition = sp.position;
    b.vector = {ep.position.x - sp.position.x + noiseT.x, ep.position.y - sp.position.y + noiseT.y,
                ep.position.z - sp.position.z + noiseT.z};
    b.startHeight = sp.height;
    b.endHeight = ep.height + tenths(dot(noise, frameAt(ep.latitude, ep.longitude).up));

    const Vec3 v = toVec(b.vector);
    b.slopeDistance = std::sqrt(dot(v, v));
    const LocalFrame back = frameAt(ep.latitude, ep.longitude);
    const double fe = dot(v, at.east), fn = dot(v, at.north), fu = dot(v, at.up);
    const double be = -dot(v, back.east), bn = -dot(v, back.north), bu = -dot(v, back.up);
    b.forwardAzimuth = std::atan2(fe, fn);
    b.forwardInclination = std::atan2(fu, std::hypot(fe, fn));
    b.backwardAzimuth = std::atan2(be, bn);
    b.backwardInclination = std::atan2(bu, std::hypot(be, bn));

    // Distance on the ellipsoid: the chord at zero height bent onto the mean sphere.
    const Vec3 s0 = geodeticToCartesian(sp.latitude, sp.longitude, 0.0);
    const Vec3 e0 = geodeticToCartesian(ep.latitude, ep.longitude, 0.0);
    const Vec3 chordV = sum(e0, scaled(s0, -1.0));
    const double chord = std::sqrt(dot(chordV, chordV));
    const double midLat = (sp.latitude + ep.latitude) / 2;
    const double w = 1.0 - eccentricity2 * std::sin(midLat) * std::sin(midLat);
    const double radius = semiMajor * std::sqrt(1.0 - eccentricity2) / w;
    b.geodesicDistance = 2 * radius * std::asin(std::min(1.0, chord / (2 * radius)));

    // Formal precision: a fraction of the actual scatter, larger upwards; rotated from
    // east-north-up into the earth-centred axes.
    const double formal = rng.uniform(0.0004, 0.0012) * (1.0 + length / 20000.0);
    const double var[3] = {formal * formal, formal * formal * rng.uniform(0.8, 1.2),
                           formal * formal * rng.uniform(2.5, 5.0)};
    const Vec3 axes[3] = {at.east, at.north, at.up};
    auto cov = [&](int i, int j) {
        double c = 0;
        for (int k = 0; k < 3; ++k) {
            const double a[3] = {axes[k].x, axes[k].y, axes[k].z};
            c += a[i] * a[j] * var[k];
        }
        return c;
    };
    b.covariance = {cov(0, 0), cov(1, 0), cov(1, 1), cov(2, 0), cov(2, 1), cov(2, 2)};
    const double vv = v.x * v.x * cov(0, 0) + v.y * v.y * cov(1, 1) + v.z * v.z * cov(2, 2)
                      + 2 * (v.x * v.y * cov(1, 0) + v.x * v.z * cov(2, 0) + v.y * v.z * cov(2, 1));
    b.slopeSigma = length > 0 ? std::sqrt(std::max(0.0, vv)) / b.slopeDistance : formal;

    const bool l1Only = length < 10000 && rng.chance(0.6);
    b.frequency = l1Only ? u"L1"_s : u"Iono free (L3)"_s;
    const bool fixed = !rng.chance(0.03);
    b.solutionType = fixed ? u"Fixed"_s : u"Float"_s;
    b.ratio = fixed ? rng.uniform(3.5, 45.0) : rng.uniform(1.0, 2.9);
    b.rms = rng.uniform(0.004, 0.020);
    b.rdop = rng.uniform(0.015, 0.120);
    const std::int64_t epochs = std::max<std::int64_t>(0, (b.end - b.start) / s.interval + 1);
    const double obs = double(epochs) * commonSatellites(so, eo) * (l1Only ? 1 : 2);
    b.rejectedObs = rng.between(0, int(obs / 60));
    b.usedObs = std::max(0, int(obs * rng.uniform(0.95, 1.0)) - b.rejectedObs);
    return b;
}

// The baselines of one session: a tree that reaches every receiver of the session first,
// then further pairs. Every point with two or more baselines shares its occupation.
// The planted blunder of the next baseline to be appended, metres.
double nextBlunder(const SurveyPlan& plan, const GeneratorOptions& o)
{
    return o.blunders.contains(int(plan.baselines.size()) + 1) ? o.blunderMm / 1000.0 : 0.0;
}

void planBaselines(SurveyPlan& plan, const QList<SessionShape>& shapes, const GeneratorOptions& o,
                   SplitMix64& rng)
{
    int firstOcc = 0;
    for (int si = 0; si < plan.sessions.size(); ++si) {
        const int r = int(plan.sessions[si].points.size());
        QList<std::pair<int, int>> pairs;
        QSet<int> inTree;
        for (int k = 1; k < r; ++k) {
            const int to = rng.between(std::max(0, k - 3), k - 1);
            pairs.append({to, k});
            inTree.insert(to * r + k);
        }
        QList<std::pair<int, int>> others;
        for (int a = 0; a < r; ++a)
            for (int c = a + 1; c < r; ++c)
                if (!inTree.contains(a * r + c))
                    others.append({a, c});
        shuffle(others, rng);
        others.resize(shapes[si].baselines - (r - 1));
        pairs += others;
        std::sort(pairs.begin(), pairs.end());

        for (const auto& [a, c] : pairs) {
            const bool forward = rng.chance(0.5);
            const int startOcc = firstOcc + (forward ? a : c);
            const int endOcc = firstOcc + (forward ? c : a);
            plan.baselines.append(planBaseline(plan, si, startOcc, endOcc, nextBlunder(plan, o), rng));
        }
        firstOcc += r;
    }
}

// Each repeat: a session of its own some time after the last one, with the two points
// of the baseline it repeats, and the baseline observed again.
void planRepeats(SurveyPlan& plan, const GeneratorOptions& o, SplitMix64& rng)
{
    for (const int repeat : o.repeats) {
        const PlannedBaseline& original = plan.baselines[std::abs(repeat) - 1];
        int from = plan.occupations[original.startOccupation].point;
        int to = plan.occupations[original.endOccupation].point;
        if (repeat < 0)
            std::swap(from, to);
        const PlannedSession& last = plan.sessions.last();
        PlannedSession s;
        s.name = sessionName(int(plan.sessions.size()));
        s.start = last.end + rng.between(6, 18) * 5 * minute;
        s.end = s.start + rng.between(4, 10) * 15 * minute;
        s.interval = 30;
        s.points = {from, to};
        plan.sessions.append(s);
        const int si = int(plan.sessions.size()) - 1;
        const int firstOcc = int(plan.occupations.size());
        planSessionOccupations(plan, si, 0, o, rng);
        plan.baselines.append(planBaseline(plan, si, firstOcc, firstOcc + 1, nextBlunder(plan, o), rng));
    }
}

} // namespace

GeneratorOptions resolvedOptions(const GeneratorOptions& options)
{
    GeneratorOptions o = options;
    // Four receivers observing every pair give six baselines a session.
    if (o.sessions <= 0)
        o.sessions = std::max(1, (o.baselines + 5) / 6);
    if (o.points <= 0)
        o.points = int(std::clamp<std::int64_t>(2 * std::int64_t(o.sessions) + 2, 2,
                                                std::int64_t(o.baselines) + 1));
    return o;
}

QString checkGeneratorOptions(const GeneratorOptions& options)
{
    if (options.baselines < 1 || options.baselines > maxBaselines)
        return QStringLiteral("the number of baselines must lie between 1 and %1").arg(maxBaselines);
    if (options.points < 0 || options.points == 1 || options.points > maxPoints)
        return QStringLiteral("the number of points must lie between 2 and %1").arg(maxPoints);
    if (options.sessions < 0 || options.sessions > maxSessions)
        return QStringLiteral("the number of sessions must lie between 1 and %1").arg(maxSessions);
    if (options.minSatellites < 0 || options.maxSatellites > prnCount
        || options.minSatellites > options.maxSatellites)
        return QStringLiteral("satellites per occupation must satisfy 0 <= min <= max <= %1")
            .arg(prnCount);
    for (const int repeat : options.repeats)
        if (repeat == 0 || std::abs(repeat) > options.baselines)
            return QStringLiteral("a repeated baseline must be one of 1..%1 (negative: reversed)")
                .arg(options.baselines);
    for (const int blunder : options.blunders)
        if (blunder < 1 || blunder > options.baselines + options.repeats.size())
            return QStringLiteral("a blunder must be on one of the baselines 1..%1")
                .arg(options.baselines + options.repeats.size());
    if (options.blunderMm < 1 || options.blunderMm > 100000)
        return QStringLiteral("the blunder must lie between 1 and 100000 mm");
    const GeneratorOptions o = resolvedOptions(options);
    if (o.baselines < o.sessions)
        return QStringLiteral("%1 sessions need at least %1 baselines").arg(o.sessions);
    if (o.baselines < o.points - 1)
        return QStringLiteral("%1 points need at least %2 baselines to form one network")
            .arg(o.points)
            .arg(o.points - 1);
    const std::int64_t pairs = std::int64_t(o.points) * (o.points - 1) / 2;
    if (o.baselines > pairs * o.sessions)
        return QStringLiteral("%1 sessions over %2 points give at most %3 baselines")
            .arg(o.sessions)
            .arg(o.points)
            .arg(pairs * o.sessions);
    return {};
}

SurveyPlan planSurvey(const GeneratorOptions& options)
{
    const GeneratorOptions o = resolvedOptions(options);
    SplitMix64 rng(o.seed);
    SurveyPlan plan;

    const QList<SessionShape> shapes = planShapes(o, rng);
    int mostReceivers = 0;
    for (const SessionShape& s : shapes)
        mostReceivers = std::max(mostReceivers, s.receivers);

    planPoints(plan, o.points, rng);
    planEquipment(plan, mostReceivers + 1, rng);
    planSchedule(plan, o.sessions, rng);
    planSessionPoints(plan, shapes, o.points);
    planOccupations(plan, o, rng);
    planBaselines(plan, shapes, o, rng);
    planRepeats(plan, o, rng);

    const QString district = placeName(rng);
    plan.projectName = QStringLiteral("%1地区 %2級基準点測量").arg(district).arg(rng.between(1, 4));
    plan.company = pick(companies, rng);
    plan.elevationMask = rng.chance(0.8) ? 15 : 10;
    plan.minSVs = rng.chance(0.8) ? 4 : 5;
    plan.created = plan.sessions.last().end + rng.between(1, 20) * secondsPerDay
                   + rng.between(0, 8 * 3600);
    return plan;
}
