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

int OccupationMatcher::find(QStringView pointName, QStringView startTime,
                            QStringView endTime) const
{
    const auto it = setUpsByPoint_.constFind(pointName.toString());
    if (it == setUpsByPoint_.cend())
        return 0;
    const std::optional<qint64> start = DateTimeTextKey(startTime);
    const std::optional<qint64> end = DateTimeTextKey(endTime);
    if (!start || !end)
        return 0;
    for (const SetUp& s : *it) {
        if (s.start <= *start && s.end >= *end)
            return s.index;
    }
    return 0;
}

void MatchOccupations(const OccupationMatcher& matcher, BaselineRecord& baseline,
                      QStringView startName, QStringView endName)
{
    baseline.startOccupation = matcher.find(startName, baseline.startTime, baseline.endTime);
    baseline.endOccupation = matcher.find(endName, baseline.startTime, baseline.endTime);
}
