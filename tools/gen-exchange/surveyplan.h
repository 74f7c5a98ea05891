#pragma once

#include <QList>
#include <QString>

#include <array>
#include <cstdint>

// What to generate. Zero points or sessions are chosen from the number of baselines.
struct GeneratorOptions
{
    int points = 0;
    int sessions = 0;
    int baselines = 15;
    std::uint64_t seed = 1;
    int minSatellites = 6;
    int maxSatellites = 12;
    // Baselines observed once more, each in a session of its own after all the others;
    // a negative number observes it from its end point. The re-observations follow the
    // planned baselines in the file, in this order.
    QList<int> repeats;
    // Baselines (numbers from 1 in file order, re-observations included) whose vector is
    // off by blunderMm millimetres to the north of its start point, so every loop and
    // repeat through them fails.
    QList<int> blunders;
    int blunderMm = 100;
};

// Empty when the options describe a survey that can be made, otherwise the reason.
QString checkGeneratorOptions(const GeneratorOptions& options);

// The options with points and sessions filled in when they were left at zero.
GeneratorOptions resolvedOptions(const GeneratorOptions& options);

// Coordinates are whole tenths of a millimetre so that the vector written for a baseline
// is exactly the difference of the coordinate texts written for its two ends.
struct Cartesian
{
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t z = 0;
};

struct PlannedPoint
{
    QString name;
    QString code;
    bool known = false; // a published control point rather than a new one
    double latitude = 0; // radians, GRS80
    double longitude = 0;
    std::int64_t height = 0; // ellipsoidal, tenths of a millimetre
    Cartesian position;
};

struct Equipment
{
    QString receiverName;
    QString receiverSN;
    QString antennaName;
    QString antennaSN;
};

struct PlannedSession
{
    QString name;
    std::int64_t start = 0; // seconds since the GPS epoch
    std::int64_t end = 0;
    int interval = 30; // logging interval, seconds
    QList<int> points;  // indices into SurveyPlan::points
};

struct PlannedSatellite
{
    int prn = 0;
    int health = 0;
    // From, To, From, To, ...: seconds since the start of the occupation.
    QList<int> l1;
    QList<int> l2;
};

struct PlannedOccupation
{
    int point = 0;
    int session = 0;
    int equipment = 0;
    int antennaHeight = 0; // millimetres
    std::int64_t start = 0;
    std::int64_t end = 0;
    QString fileName;
    QList<PlannedSatellite> satellites;
};

struct PlannedBaseline
{
    int session = 0;
    int startOccupation = 0; // indices into SurveyPlan::occupations
    int endOccupation = 0;
    Cartesian startPosition;
    Cartesian vector; // end position = start position + vector
    std::int64_t startHeight = 0;
    std::int64_t endHeight = 0;
    std::int64_t start = 0;
    std::int64_t end = 0;
    // XX, YX, YY, ZX, ZY, ZZ in square metres.
    std::array<double, 6> covariance{};
    double forwardAzimuth = 0; // radians
    double forwardInclination = 0;
    double backwardAzimuth = 0;
    double backwardInclination = 0;
    double slopeDistance = 0; // metres
    double geodesicDistance = 0;
    double slopeSigma = 0;
    QString frequency;
    QString solutionType;
    double ratio = 0;
    double rms = 0;
    double rdop = 0;
    int usedObs = 0;
    int rejectedObs = 0;
};

struct SurveyPlan
{
    QString projectName;
    QString company;
    std::int64_t created = 0; // when the processing software wrote the file
    int elevationMask = 15;   // degrees
    int minSVs = 4;
    QList<PlannedPoint> points;
    QList<Equipment> equipment;
    QList<PlannedSession> sessions;
    QList<PlannedOccupation> occupations; // by session, then by point
    QList<PlannedBaseline> baselines;     // by session
};

// A whole survey: a network of points in Japan, the sessions that observed it, one
// occupation per point and session, and the processed baselines between the points
// of each session. The same options and seed always give the same plan.
// The options must pass checkGeneratorOptions.
SurveyPlan planSurvey(const GeneratorOptions& options);
