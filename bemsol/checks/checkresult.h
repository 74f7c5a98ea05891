#pragma once

#include "checksettings.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the checks found, as one value: the window, the command line and the printed
// 点検計算簿 all show this and compute nothing of their own. Every length is in metres,
// rounded to millimetres as the sheets round them (my_round3).

// A baseline vector or a sum of them, earth-centred, metres.
struct Vector3
{
    double x = 0;
    double y = 0;
    double z = 0;
};

// A sum of baseline vectors (a loop closure or the difference of a repeated baseline)
// and its verdict.
struct VectorCheck
{
    double dX = 0;
    double dY = 0;
    double dZ = 0;
    // North, east and up at the reference baseline's start point; nothing when its
    // latitude or longitude text cannot be read (then the check fails: it cannot be shown).
    std::optional<double> dN;
    std::optional<double> dE;
    std::optional<double> dU;
    double limitNE = 0;
    double limitU = 0;
    bool pass = false;
};

// One side of a loop as it is travelled.
struct LoopSide
{
    int baseline = 0;      // baseline number
    bool backwards = false; // travelled from its end point to its start point
    QString from;           // point names in the direction of travel
    QString to;
    QString session;
    Vector3 vector; // as travelled (negated when backwards), as read

    int signedBaseline() const { return backwards ? -baseline : baseline; }
};

struct LoopCheck
{
    QList<LoopSide> sides; // the first is the reference baseline, travelled forwards
    VectorCheck closure;

    int sideCount() const { return int(sides.size()); }
    // Baseline numbers in the order travelled, negative when travelled backwards.
    QList<int> path() const;
    // Every baseline number of the loop.
    QList<int> baselines() const;
};

// A later observation of the same two points compared with the first one.
struct RepeatCheck
{
    int first = 0;
    int other = 0;
    bool reversed = false; // `other` runs from the first's end point to its start point
    QString startPoint;    // the first's points
    QString endPoint;
    QString firstSession;
    QString otherSession;
    Vector3 firstVector;
    Vector3 otherVector; // as compared: negated when reversed
    VectorCheck difference; // otherVector − firstVector
};

// A baseline that takes no part in the checks, and why.
struct UnusableBaseline
{
    int baseline = 0;
    QString reason;
};

// The observation conditions of one usable baseline.
struct ConditionCheck
{
    int baseline = 0;
    QString startPoint;
    QString endPoint;
    QString session;
    std::optional<double> minutes;  // endTime − startTime; nothing when a time does not read
    std::optional<double> interval; // seconds
    int satellites = 0;             // common to both ends
    std::optional<double> elevation; // elevation mask, degrees: shown, not judged
    // The limits this baseline was judged against.
    double minMinutes = 0;
    double maxInterval = 0;
    int minSatellites = 0;
    bool timeFails = false;
    bool intervalFails = false;
    bool satellitesFails = false;

    bool pass() const { return !timeFails && !intervalFails && !satellitesFails; }
    // "time", "interval", "satellites": the names the command line prints.
    QStringList problems() const;
};

struct CheckResult
{
    CheckSettings settings;
    int baselineCount = 0;
    int switchedOffCount = 0;
    int usableCount = 0;
    QList<LoopCheck> loops;
    QList<RepeatCheck> repeats;
    QList<int> unchecked;
    QList<UnusableBaseline> unusable;
    QList<ConditionCheck> conditions;

    int failedLoops() const;
    int failedRepeats() const;
    int failedConditions() const;
    // Every loop, repeat and condition passes and no usable baseline is left unchecked.
    bool pass() const;
};
