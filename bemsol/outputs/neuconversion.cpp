#include "neuconversion.h"

#include "decimaltext.h"
#include "dmstext.h"
#include "model/geodesy.h"

#include <cmath>

std::optional<NeuVector> ConvertToNEU(QStringView latitude, QStringView longitude,
                                      QStringView dx, QStringView dy, QStringView dz)
{
    const auto x = ReadDecimalText(dx);
    const auto y = ReadDecimalText(dy);
    const auto z = ReadDecimalText(dz);
    if (!x || !y || !z)
        return std::nullopt;
    return ConvertToNEU(latitude, longitude, *x, *y, *z);
}

std::optional<NeuVector> ConvertToNEU(QStringView latitude, QStringView longitude, double dx,
                                      double dy, double dz)
{
    const auto latDegrees = ParseDmsText(latitude);
    const auto lonDegrees = ParseDmsText(longitude);
    if (!latDegrees || !lonDegrees)
        return std::nullopt;

    const double phi = *latDegrees / 180.0 * decimalPi;
    const double lambda = *lonDegrees / 180.0 * decimalPi;
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double sinLambda = std::sin(lambda);
    const double cosLambda = std::cos(lambda);

    NeuVector v;
    v.n = -sinPhi * cosLambda * dx - sinPhi * sinLambda * dy + cosPhi * dz;
    v.e = -sinLambda * dx + cosLambda * dy;
    v.u = cosPhi * cosLambda * dx + cosPhi * sinLambda * dy + sinPhi * dz;
    return v;
}

double my_round3(double value)
{
    // Two separate steps, each rounded to a double, as the sheets' values were made.
    const double scaled = value * 1000.0;
    return std::floor(scaled + 0.5) / 1000.0;
}
