#include "elementreader.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

bool isAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Decimal texts without an exponent and with at most 19 digits ("-3957199.1234", "9030")
// are most of the file's numbers. When the digits as a whole number and the power of ten
// to divide by are both exact doubles, one division rounds correctly, so the value is the
// one the general conversion gives.
std::optional<double> plainDecimal(QByteArrayView text)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = *p == '-';
    if (negative)
        ++p;
    std::uint64_t digits = 0;
    int count = 0;
    int fraction = 0;
    bool point = false;
    for (; p != end; ++p) {
        if (*p >= '0' && *p <= '9') {
            digits = digits * 10 + std::uint64_t(*p - '0');
            ++count;
            fraction += point ? 1 : 0;
        } else if (*p == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    static constexpr double powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (count == 0 || count > 19 || count == fraction || (point && fraction == 0) ||
        digits > (std::uint64_t(1) << 53))
        return std::nullopt;
    const double value = double(digits) / powersOfTen[fraction];
    return negative ? -value : value;
}

} // namespace

std::optional<double> SearchedNumberFromText(QByteArrayView text)
{
    if (!text.isEmpty() && (isAsciiSpace(text.front()) || isAsciiSpace(text.back())))
        text = text.trimmed();
    if (text.startsWith('+'))
        text = text.sliced(1);
    if (text.isEmpty())
        return std::nullopt;
    if (const std::optional<double> plain = plainDecimal(text))
        return plain;
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
