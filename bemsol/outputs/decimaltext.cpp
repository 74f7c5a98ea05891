#include "decimaltext.h"

#include <QLocale>

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

} // namespace

std::optional<double> ReadDecimalText(QStringView text)
{
    const QStringView s = text.trimmed();
    if (!hasDecimalShape(s))
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(s, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}
