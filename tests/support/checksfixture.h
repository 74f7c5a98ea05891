#pragma once

#include "model/projectmodel.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <cmath>

// Small hand-made networks for the observation checks. Every point lies on the equator at
// longitude 0 unless told otherwise, where north, east and up are simply ΔZ, ΔY and ΔX,
// so the expected closures can be read off the vectors by hand. Vectors are the
// differences of the points' coordinates (metres), plus whatever error a test plants.
class ChecksNetwork
{
public:
    using Vec = std::array<double, 3>;

    ChecksNetwork()
    {
        model.common.interval = QStringLiteral("30");
        model.swProgram = QStringLiteral("Test Processor 1.0");
    }

    ProjectModel model;

    void place(const QString& point, double x, double y, double z) { positions_[point] = {x, y, z}; }

    // A baseline from `from` to `to` in `session`, each end with a set-up of its own that
    // tracked `satellites`; observed 90 minutes. Returns its number.
    int baseline(const QString& from, const QString& to, const QString& session,
                 const Vec& error = {0, 0, 0})
    {
        const Vec a = positions_.value(from);
        const Vec b = positions_.value(to);
        return vector(from, to, session, {b[0] - a[0] + error[0], b[1] - a[1] + error[1], b[2] - a[2] + error[2]});
    }

    // A baseline with the vector given outright.
    int vector(const QString& from, const QString& to, const QString& session, const Vec& v)
    {
        BaselineRecord r;
        r.session = session;
        r.startTime = QStringLiteral("2024/05/01 9:00:00");
        r.endTime = QStringLiteral("2024/05/01 10:30:00");
        r.startOccupation = occupation(from, satellites);
        r.endOccupation = occupation(to, satellites);
        r.startPoint.posN = zeroAngle();
        r.startPoint.posE = zeroAngle();
        r.vector.dx = QString::number(v[0], 'f', 4);
        r.vector.dy = QString::number(v[1], 'f', 4);
        r.vector.dz = QString::number(v[2], 'f', 4);
        r.vector.slope = QString::number(std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]), 'f', 4);
        r.minElevation = QStringLiteral("15");
        model.baselines.append(r);
        return model.baselineCount();
    }

    // A set-up at `point` that tracked `names`; returns its index.
    int occupation(const QString& point, const QStringList& names)
    {
        OccupationRecord o;
        o.pointName = point;
        o.firstSat = model.satelliteCount() + 1;
        o.satCount = int(names.size());
        for (const QString& name : names) {
            SatelliteRecord s;
            s.satname = name;
            model.satellites.append(s);
        }
        if (names.isEmpty())
            o.firstSat = 0;
        model.occupations.append(o);
        return model.occupationCount();
    }

    BaselineRecord& at(int k) { return model.baselines[k]; }

    static QString zeroAngle() { return QStringLiteral("0°00′00.00000″"); }

    QStringList satellites{QStringLiteral("G01"), QStringLiteral("G02"), QStringLiteral("G03"),
                           QStringLiteral("G04"), QStringLiteral("G05"), QStringLiteral("G06")};

private:
    QHash<QString, Vec> positions_;
};
