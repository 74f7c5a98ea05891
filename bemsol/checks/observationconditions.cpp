#include "observationconditions.h"

#include "outputs/decimaltext.h"
#include "model/datetimetext.h"

#include <algorithm>
#include <cmath>

namespace {

std::optional<double> observedMinutes(const BaselineRecord& b)
{
    const auto start = DateTimeTextKey(b.startTime);
    const auto end = DateTimeTextKey(b.endTime);
    if (!start || !end)
        return std::nullopt;
    return double(*end - *start) / 60.0;
}

// The slope distance as processed; the length of ΔX ΔY ΔZ when its text does not read.
double slopeDistance(const BaselineRecord& b)
{
    if (const auto slope = ReadDecimalText(b.vector.slope))
        return *slope;
    const double x = ReadDecimalText(b.vector.dx).value_or(0);
    const double y = ReadDecimalText(b.vector.dy).value_or(0);
    const double z = ReadDecimalText(b.vector.dz).value_or(0);
    return std::sqrt(x * x + y * y + z * z);
}

} // namespace

ObservationConditions::ObservationConditions(const ProjectModel& model, const CheckSettings& settings)
    : model_(model),
      settings_(settings),
      interval_(ReadDecimalText(model.common.interval)),
      satellitesOfOccupation_(size_t(model.occupationCount()) + 1),
      satellitesKnown_(size_t(model.occupationCount()) + 1, 0)
{
}

namespace {

bool before(const QString* a, const QString* b)
{
    return QStringView(*a).compare(*b) < 0;
}

bool same(const QString* a, const QString* b)
{
    return *a == *b;
}

} // namespace

const std::vector<const QString*>& ObservationConditions::satellitesOf(int occupation)
{
    std::vector<const QString*>& names = satellitesOfOccupation_[size_t(occupation)];
    if (satellitesKnown_[size_t(occupation)])
        return names;
    satellitesKnown_[size_t(occupation)] = 1;
    // The run is clipped to the table: a damaged project file may point past its end.
    const OccupationRecord& o = model_.occupations[occupation];
    const qint64 first = std::max<qint64>(1, o.firstSat);
    const qint64 last = std::min<qint64>(model_.satelliteCount(), qint64(o.firstSat) + o.satCount - 1);
    for (qint64 i = first; i <= last; ++i) {
        const QString& name = model_.satellites[i].satname;
        if (!name.isEmpty())
            names.push_back(&name);
    }
    std::sort(names.begin(), names.end(), before);
    names.erase(std::unique(names.begin(), names.end(), same), names.end());
    return names;
}

int ObservationConditions::commonSatellites(const BaselineRecord& b)
{
    const auto inTable = [&](int occupation) {
        return occupation >= 1 && occupation <= model_.occupationCount();
    };
    if (!inTable(b.startOccupation) || !inTable(b.endOccupation))
        return 0;
    const std::vector<const QString*>& start = satellitesOf(b.startOccupation);
    const std::vector<const QString*>& end = satellitesOf(b.endOccupation);
    int common = 0;
    for (auto s = start.begin(), e = end.begin(); s != start.end() && e != end.end();) {
        const int order = QStringView(**s).compare(**e);
        if (order < 0) {
            ++s;
        } else if (order > 0) {
            ++e;
        } else {
            ++common;
            ++s;
            ++e;
        }
    }
    return common;
}

ConditionCheck ObservationConditions::check(int k)
{
    const BaselineRecord& b = model_.baselines[k];
    ConditionCheck c;
    c.baseline = k;
    c.startPoint = model_.startOccupationOf(b).pointName;
    c.endPoint = model_.endOccupationOf(b).pointName;
    c.session = b.session;
    c.minutes = observedMinutes(b);
    c.interval = interval_;
    c.satellites = commonSatellites(b);
    // Every baseline of a project usually carries the same mask.
    if (b.minElevation != lastElevationText_ || k == 1) {
        lastElevationText_ = b.minElevation;
        lastElevation_ = ReadDecimalText(b.minElevation);
    }
    c.elevation = lastElevation_;

    const CheckSettings& s = settings_;
    if (s.method == ObservationMethod::ShortStatic) {
        c.minMinutes = s.shortStaticMinutes;
        c.minSatellites = s.shortStaticSatellites;
        c.maxInterval = s.shortStaticMaxInterval;
    } else {
        const bool longObservation =
            s.surveyClass == SurveyClass::First && slopeDistance(b) >= s.longBaseline;
        c.minMinutes = longObservation ? s.staticLongMinutes : s.staticMinutes;
        c.minSatellites = longObservation ? s.staticLongSatellites : s.staticSatellites;
        c.maxInterval = s.staticMaxInterval;
    }
    c.timeFails = !c.minutes || *c.minutes < c.minMinutes;
    // An interval of 0 is no interval: the editor shows it as an empty box.
    c.intervalFails = !c.interval || *c.interval <= 0 || *c.interval > c.maxInterval;
    c.satellitesFails = c.satellites < c.minSatellites;
    return c;
}
