#include "vectorcheck.h"

#include "outputs/neuconversion.h"

#include <cmath>

namespace {

// A zero is shown and written without a sign, whatever the sum's sign was.
double rounded(double value)
{
    const double r = my_round3(value);
    return r == 0 ? 0.0 : r;
}

bool within(double value, double limit)
{
    return std::fabs(value) <= limit;
}

} // namespace

VectorCheck JudgeVector(const Vector3& sum, const PointData& reference, double limitNE,
                        double limitU)
{
    VectorCheck check;
    check.dX = rounded(sum.x);
    check.dY = rounded(sum.y);
    check.dZ = rounded(sum.z);
    check.limitNE = rounded(limitNE);
    check.limitU = rounded(limitU);
    const auto neu = ConvertToNEU(reference.posN, reference.posE, sum.x, sum.y, sum.z);
    if (!neu) {
        check.pass = false;
        return check;
    }
    check.dN = rounded(neu->n);
    check.dE = rounded(neu->e);
    check.dU = rounded(neu->u);
    check.pass = within(*check.dN, check.limitNE) && within(*check.dE, check.limitNE) &&
                 within(*check.dU, check.limitU);
    return check;
}
