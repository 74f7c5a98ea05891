#include "neuconversion.h"

#include "decimaltext.h"
#include "dmstext.h"
#include "model/geodesy.h"

#include <cmath>

std::optional<NeuVector> ConvertToNEU(QStringView latitude, QStringView longitude,
                                      QStringView dx, QStringView dy, QStringView dz)
{
    const auto latDegrees = ParseDmsText(latitude);
    const auto lonDegrees = ParseDmsText(longitude);
    const auto x = ReadDecimalText(dx);
    const auto y = ReadDecimalText(dy);
    const auto z = ReadDecimalText(dz);
    if (!latDegrees || !lonDegrees || !x || !y || !z)
        return std::nullopt;

    const double phi = *latDegrees / 180.0 * decimalPi;
    const double lambda = *lonDegrees / 180.0 * decimalPi;
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double sinLambda = std::sin(lambda);
    const double cosLambda = std::cos(lambda);

    NeuVector v;
    v.n = -sinPhi * cosLambda * *x - sinPhi * sinLambda * *y + cosPhi * *z;
    v.e = -sinLambda * *x + cosLambda * *y;
    v.u = cosPhi * cosLambda * *x + cosPhi * sinLambda * *y + sinPhi * *z;
    return v;
}

double my_round3(double value)
{
    // Two separate steps, each rounded to a double, as the sheets' values were made.
    const double scaled = value * 1000.0;
    return std::floor(scaled + 0.5) / 1000.0;
}
