#pragma once

#include "projectmodel.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the point and equipment editors offer to replace: every value one field holds
// in the set-ups of the project, once each, in the order it first appears. Element 0
// is no set-up and is never listed.
QStringList ValuesPresent(const ProjectModel& model, QString OccupationRecord::*field);

struct PresentPoint
{
    QString number; // pointName
    QString name;   // ptCode of the first set-up with that number

    bool operator==(const PresentPoint&) const = default;
};

// The point numbers present, each beside the name of the first set-up that carries it:
// a number whose set-ups disagree about the name is still listed once.
QList<PresentPoint> PointsPresent(const ProjectModel& model);
