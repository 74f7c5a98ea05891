#pragma once

#include "projectmodel.h"

#include <concepts>
#include <type_traits>

// The fields of every model record, by name and in their stored order. The dump, the
// project file and the tests walk records through these lists, so the order is kept
// in exactly one place.
//
// A visitor provides:
//   text(name, QString&)          a text field
//   index(name, int&)             an index field (a float in the project file)
//   raw(name, quint32&)           the reserved word of a satellite
//   record(name, NestedRecord&)   a nested record; the visitor decides whether to recurse
// Each takes const references when the record is const.

template <class R, class T>
concept RecordOf = std::same_as<std::remove_const_t<R>, T>;

template <RecordOf<CommonData> R, class V> void visitFields(R& r, V& v)
{
    v.text("interval", r.interval);
    v.text("minElevation", r.minElevation);
    v.text("minSVs", r.minSVs);
    v.text("ephType", r.ephType);
    v.text("daen", r.daen);
    v.text("frequency", r.frequency);
    v.text("ppMode", r.ppMode);
}

template <RecordOf<PointData> R, class V> void visitFields(R& r, V& v)
{
    v.text("ptType", r.ptType);
    v.text("posN", r.posN);
    v.text("posE", r.posE);
    v.text("posH", r.posH);
    v.text("posX", r.posX);
    v.text("posY", r.posY);
    v.text("posZ", r.posZ);
    v.text("antHeight", r.antHeight);
}

template <RecordOf<VectorData> R, class V> void visitFields(R& r, V& v)
{
    v.text("solutionType", r.solutionType);
    v.text("ratio", r.ratio);
    v.text("dx", r.dx);
    v.text("dy", r.dy);
    v.text("dz", r.dz);
    v.text("slope", r.slope);
    v.text("stDX", r.stDX);
    v.text("stDY", r.stDY);
    v.text("stDZ", r.stDZ);
    v.text("stSlope", r.stSlope);
    v.text("fwdAzimuth", r.fwdAzimuth);
    v.text("fwdInclination", r.fwdInclination);
    v.text("bkwdAzimuth", r.bkwdAzimuth);
    v.text("bkwdInclination", r.bkwdInclination);
    v.text("geoDist", r.geoDist);
    v.text("heightDiff", r.heightDiff);
    v.text("CovXX", r.CovXX);
    v.text("CovYX", r.CovYX);
    v.text("CovYY", r.CovYY);
    v.text("CovZX", r.CovZX);
    v.text("CovZY", r.CovZY);
    v.text("CovZZ", r.CovZZ);
    v.text("usedObs", r.usedObs);
    v.text("rejectedObs", r.rejectedObs);
    v.text("rms", r.rms);
    v.text("rdop", r.rdop);
}

template <RecordOf<BaselineRecord> R, class V> void visitFields(R& r, V& v)
{
    v.text("session", r.session);
    v.text("startTime", r.startTime);
    v.text("endTime", r.endTime);
    v.record("startPoint", r.startPoint);
    v.index("startOccupation", r.startOccupation);
    v.record("endPoint", r.endPoint);
    v.index("endOccupation", r.endOccupation);
    v.record("vector", r.vector);
    v.text("minSVs", r.minSVs);
    v.text("frequency", r.frequency);
    v.text("ppMode", r.ppMode);
    v.text("minElevation", r.minElevation);
}

template <RecordOf<OccupationRecord> R, class V> void visitFields(R& r, V& v)
{
    v.text("pointName", r.pointName);
    v.text("ptCode", r.ptCode);
    v.text("receiverName", r.receiverName);
    v.text("receiverSN", r.receiverSN);
    v.text("antennaName", r.antennaName);
    v.text("antennaSN", r.antennaSN);
    v.text("antennaHeight", r.antennaHeight);
    v.text("startTime", r.startTime);
    v.text("endTime", r.endTime);
    v.index("firstSat", r.firstSat);
    v.index("satCount", r.satCount);
    v.text("minElevation", r.minElevation);
}

template <RecordOf<SatelliteRecord> R, class V> void visitFields(R& r, V& v)
{
    v.raw("reserved", r.reserved);
    v.text("satname", r.satname);
    v.text("health", r.health);
    v.text("l1", r.l1);
    v.text("l2", r.l2);
}
