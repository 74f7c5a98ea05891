#include "dmstext.h"

#include "decimaltext.h"

namespace {

// A piece between two signs: digits with an optional decimal point; signs inside the
// pieces are not part of the format.
std::optional<double> readUnsigned(QStringView piece)
{
    const QStringView s = piece.trimmed();
    if (s.isEmpty() || s.front() == u'+' || s.front() == u'-')
        return std::nullopt;
    return ReadDecimalText(s);
}

} // namespace

std::optional<double> ParseDmsText(QStringView text)
{
    const qsizetype degreeSign = text.indexOf(u'°');
    if (degreeSign < 0)
        return std::nullopt;
    const QStringView afterDegrees = text.mid(degreeSign + 1);
    const qsizetype minuteSign = afterDegrees.indexOf(u'′');
    if (minuteSign < 0)
        return std::nullopt;
    const QStringView afterMinutes = afterDegrees.mid(minuteSign + 1);
    const qsizetype secondSign = afterMinutes.indexOf(u'″');
    if (secondSign < 0)
        return std::nullopt;

    QStringView degreesPiece = text.first(degreeSign).trimmed();
    const bool negative = degreesPiece.startsWith(u'-');
    if (negative)
        degreesPiece = degreesPiece.mid(1);

    const auto degrees = readUnsigned(degreesPiece);
    const auto minutes = readUnsigned(afterDegrees.first(minuteSign));
    const auto seconds = readUnsigned(afterMinutes.first(secondSign));
    if (!degrees || !minutes || !seconds)
        return std::nullopt;

    // The sign belongs to the whole angle: "-0°34′22.65″" is below zero.
    const double magnitude = *degrees + *minutes / 60.0 + *seconds / 3600.0;
    return negative ? -magnitude : magnitude;
}
