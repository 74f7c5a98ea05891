#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

class ProjectModel;
struct BaselineRecord;

// Finds the set-up of a baseline end: the occupation with the lowest index whose point
// name equals the end's name exactly and whose time span covers the baseline's. Built
// once over the occupations read so far, so each lookup only visits the set-ups of one
// point instead of every occupation.
class OccupationMatcher
{
public:
    explicit OccupationMatcher(const ProjectModel& model);

    // Index of the covering occupation, or 0 when there is none or the baseline's
    // times cannot be read.
    int find(const QString& pointName, QStringView startTime, QStringView endTime) const;
    // The same with the baseline's times already read (DateTimeTextKey).
    int find(const QString& pointName, std::optional<qint64> start, std::optional<qint64> end) const;

private:
    struct SetUp
    {
        int index;
        qint64 start;
        qint64 end;
    };
    QHash<QString, QList<SetUp>> setUpsByPoint_; // each list in ascending index
};

// Sets both occupation indices of `baseline` from the working point names.
void MatchOccupations(const OccupationMatcher& matcher, BaselineRecord& baseline,
                      const QString& startName, const QString& endName);
