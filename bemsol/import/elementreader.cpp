#include "elementreader.h"

#include <charconv>
#include <cmath>

std::optional<double> NumberFromText(QByteArrayView text)
{
    text = text.trimmed();
    if (text.startsWith('+'))
        text = text.sliced(1);
    if (text.isEmpty())
        return std::nullopt;
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> NumberFromText(QStringView text)
{
    return NumberFromText(QByteArrayView(text.toUtf8()));
}
