#include "elementreader.h"

#include <cmath>

std::optional<double> NumberFromText(QStringView text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}
