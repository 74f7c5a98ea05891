#pragma once

#include "checkresult.h"
#include "model/projectmodel.h"

#include <QList>
#include <QSet>
#include <QStringList>

// A usable baseline as the checks see it: its two points and its session as numbers,
// so the searches compare integers rather than texts.
struct NetworkBaseline
{
    int baseline = 0; // baseline number in the project
    int start = 0;    // index into CheckNetwork::points
    int end = 0;
    int session = 0;  // index into CheckNetwork::sessions
    Vector3 vector;
};

struct CheckNetwork
{
    QStringList points;   // point names (点番号), exact texts
    QStringList sessions; // session texts
    QList<NetworkBaseline> baselines; // the usable ones, in baseline order
    QList<UnusableBaseline> unusable; // in baseline order; switched-off ones are not listed
    int switchedOff = 0;
};

// Sorts the baselines of `model` into usable and unusable ones. A baseline is usable when
// it is switched on (not in `off`), both ends are matched to a set-up with a point name,
// its ΔX ΔY ΔZ read as finite numbers and its two points differ.
CheckNetwork BuildCheckNetwork(const ProjectModel& model, const QSet<int>& off);
