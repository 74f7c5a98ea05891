#pragma once

#include "checknetwork.h"
#include "checkresult.h"
#include "model/projectmodel.h"

// Judges a sum of baseline vectors: ΔX ΔY ΔZ and their north, east and up at `reference`
// (the start point of the reference baseline), each rounded to millimetres, against
// the limits (metres). The comparison uses the rounded values, as the sheet shows them.
VectorCheck JudgeVector(const Vector3& sum, const PointData& reference, double limitNE,
                        double limitU);
