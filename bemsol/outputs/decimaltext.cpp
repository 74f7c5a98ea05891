#include "decimaltext.h"

#include <QLocale>

#include <charconv>
#include <cmath>

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Checks the shape first: QLocale would accept more than a typed number ("inf", group
// separators in some locales) and the C locale is the only one whose decimal point is ".".
bool hasDecimalShape(QStringView s)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < n && s[i] == u'.') {
        ++i;
        while (i < n && isDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        if (i < n && (s[i] == u'+' || s[i] == u'-'))
            ++i;
        qsizetype exponentDigits = 0;
        while (i < n && isDigit(s[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == n;
}

// The common case, a short number without exponent, read straight from its characters:
// it can neither overflow nor underflow, and both readers round correctly, so the value
// is the one QLocale gives. The checks read tens of thousands of these.
std::optional<double> readPlainDecimal(QStringView s)
{
    char buffer[32];
    if (s.size() > qsizetype(sizeof buffer))
        return std::nullopt;
    qsizetype n = 0;
    for (const QChar c : s) {
        if (c == u'e' || c == u'E')
            return std::nullopt;
        if (c != u'+')
            buffer[n++] = char(c.unicode());
    }
    double value = 0;
    const auto [end, error] = std::from_chars(buffer, buffer + n, value);
    if (error != std::errc() || end != buffer + n)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> ReadDecimalText(QStringView text)
{
    const QStringView s = text.trimmed();
    if (!hasDecimalShape(s))
        return std::nullopt;
    if (const auto plain = readPlainDecimal(s))
        return plain;
    bool ok = false;
    const double value = QLocale::c().toDouble(s, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}
