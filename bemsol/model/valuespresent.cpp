#include "valuespresent.h"

#include <QSet>

QStringList ValuesPresent(const ProjectModel& model, QString OccupationRecord::*field)
{
    // A set beside the list keeps this linear: projects reach tens of thousands of
    // set-ups, almost all of them repeating a handful of receivers.
    QStringList values;
    QSet<QString> seen;
    for (int i = 1; i <= model.occupationCount(); ++i) {
        const QString& value = model.occupations[i].*field;
        if (!seen.contains(value)) {
            seen.insert(value);
            values.append(value);
        }
    }
    return values;
}

QList<PresentPoint> PointsPresent(const ProjectModel& model)
{
    QList<PresentPoint> points;
    QSet<QString> seen;
    for (int i = 1; i <= model.occupationCount(); ++i) {
        const OccupationRecord& o = model.occupations[i];
        if (!seen.contains(o.pointName)) {
            seen.insert(o.pointName);
            points.append({o.pointName, o.ptCode});
        }
    }
    return points;
}
