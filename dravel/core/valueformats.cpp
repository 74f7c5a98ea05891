#include "valueformats.h"

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool allDigits(QStringView text)
{
    for (QChar c : text) {
        if (!isDigit(c))
            return false;
    }
    return true;
}

qsizetype leadingDigits(QStringView text)
{
    qsizetype n = 0;
    while (n < text.size() && isDigit(text[n]))
        ++n;
    return n;
}

} // namespace

std::optional<QString> ToPackedDms(QStringView angle)
{
    const qsizetype degreeSign = angle.indexOf(u'°');
    if (degreeSign < 0)
        return std::nullopt;
    const QStringView degrees = angle.left(degreeSign);
    const QStringView unsignedDegrees = degrees.startsWith(u'-') ? degrees.sliced(1) : degrees;
    if (unsignedDegrees.isEmpty() || !allDigits(unsignedDegrees))
        return std::nullopt;

    // Minutes, the minute sign, whole seconds, the decimal point, decimal seconds: the
    // signs themselves are skipped by position, whatever character the report used.
    QStringView rest = angle.sliced(degreeSign + 1);
    if (rest.size() < 3)
        return std::nullopt;
    const QStringView minutes = rest.left(2);
    rest = rest.sliced(3);
    if (rest.size() < 2)
        return std::nullopt;
    const QStringView seconds = rest.left(2);
    if (!allDigits(minutes) || !allDigits(seconds))
        return std::nullopt;
    rest = rest.size() > 3 ? rest.sliced(3) : QStringView();
    // Decimal seconds end at the seconds sign; fewer than four digits are kept as they are.
    const QStringView decimals = rest.left(std::min<qsizetype>(leadingDigits(rest), 4));

    QString packed = degrees.toString();
    packed.append(u'.').append(minutes).append(seconds).append(decimals);
    return packed;
}

std::optional<QString> formatThreeDecimals(QStringView number)
{
    QStringView text = number;
    bool negative = false;
    if (text.startsWith(u'-') || text.startsWith(u'+')) {
        negative = text.front() == u'-';
        text = text.sliced(1);
    }
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = point < 0 ? text : text.left(point);
    const QStringView fraction = point < 0 ? QStringView() : text.sliced(point + 1);
    if (!allDigits(whole) || !allDigits(fraction) || whole.size() + fraction.size() == 0)
        return std::nullopt;

    // The digits of the value in thousandths, rounded by the fourth decimal.
    QString digits = whole.toString() + fraction.left(3).toString().leftJustified(3, u'0');
    if (fraction.size() > 3 && fraction[3] >= u'5') {
        qsizetype i = digits.size() - 1;
        while (i >= 0 && digits[i] == u'9')
            digits[i--] = u'0';
        if (i >= 0)
            digits[i] = QChar(digits[i].unicode() + 1);
        else
            digits.prepend(u'1');
    }

    // One digit before the point at least, no leading zero besides that one.
    qsizetype firstSignificant = 0;
    while (firstSignificant < digits.size() - 4 && digits[firstSignificant] == u'0')
        ++firstSignificant;
    digits.remove(0, firstSignificant);
    if (digits.size() < 4)
        digits.prepend(QString(4 - digits.size(), u'0'));
    digits.insert(digits.size() - 3, u'.');

    // A value that rounds to nothing carries no sign.
    const bool zero = digits.count(u'0') == digits.size() - 1;
    if (negative && !zero)
        digits.prepend(u'-');
    return digits;
}

std::optional<QString> zeroFilledPointNumber(QStringView number)
{
    if (number.size() > 5)
        return std::nullopt;
    return QString(5 - number.size(), u'0').append(number);
}
