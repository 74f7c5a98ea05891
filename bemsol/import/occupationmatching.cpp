#include "occupationmatching.h"

#include "model/datetimetext.h"
#include "model/projectmodel.h"

OccupationMatcher::OccupationMatcher(const ProjectModel& model)
{
    for (int i = 1; i <= model.occupationCount(); ++i) {
        const OccupationRecord& o = model.occupations[i];
        const std::optional<qint64> start = DateTimeTextKey(o.startTime);
        const std::optional<qint64> end = DateTimeTextKey(o.endTime);
        // A set-up whose times cannot be read covers nothing.
        if (start && end)
            setUpsByPoint_[o.pointName].append({i, *start, *end});
    }
}

int OccupationMatcher::find(const QString& pointName, QStringView startTime,
                            QStringView endTime) const
{
    return find(pointName, DateTimeTextKey(startTime), DateTimeTextKey(endTime));
}

int OccupationMatcher::find(const QString& pointName, std::optional<qint64> start,
                            std::optional<qint64> end) const
{
    const auto it = setUpsByPoint_.constFind(pointName);
    if (it == setUpsByPoint_.cend() || !start || !end)
        return 0;
    for (const SetUp& s : *it) {
        if (s.start <= *start && s.end >= *end)
            return s.index;
    }
    return 0;
}

void MatchOccupations(const OccupationMatcher& matcher, BaselineRecord& baseline,
                      const QString& startName, const QString& endName)
{
    const std::optional<qint64> start = DateTimeTextKey(baseline.startTime);
    const std::optional<qint64> end = DateTimeTextKey(baseline.endTime);
    baseline.startOccupation = matcher.find(startName, start, end);
    baseline.endOccupation = matcher.find(endName, start, end);
}
