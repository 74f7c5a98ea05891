#include "wholenumbertext.h"

#include <QLocale>

#include <cmath>

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Sign, digits with at most one decimal point (at least one digit), optional exponent.
// Anything else — "30s", "1,000", "inf", an empty text — is not a number here.
bool readsAsDecimal(QStringView t)
{
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(t[i])) {
        ++i;
        ++digits;
    }
    if (i < n && t[i] == u'.') {
        ++i;
        while (i < n && isDigit(t[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-'))
            ++i;
        const qsizetype start = i;
        while (i < n && isDigit(t[i]))
            ++i;
        if (i == start)
            return false;
    }
    return i == n;
}

} // namespace

QString WholeNumberText(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    if (!readsAsDecimal(trimmed))
        return text.toString();
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return text.toString();
    const double whole = std::round(value); // halves away from zero
    if (whole == 0.0)
        return {};
    return QString::number(whole, 'f', 0);
}
