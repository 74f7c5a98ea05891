#include "checktexts.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

namespace {

QString millimetres(double metres)
{
    return QString::number(std::round(metres * 10000.0) / 10.0);
}

} // namespace

QString VerdictText(bool pass)
{
    return pass ? QStringLiteral("合格") : QStringLiteral("不合格");
}

QString MetresText(double metres)
{
    // Rounded values arrive here; the sign of a zero is not worth showing.
    return QString::number(metres == 0 ? 0.0 : metres, 'f', 3);
}

QString MetresText(const std::optional<double>& metres)
{
    return metres ? MetresText(*metres) : QString();
}

QString VectorText(double metres)
{
    return QString::number(metres == 0 ? 0.0 : metres, 'f', 4);
}

QString MinutesText(const std::optional<double>& minutes)
{
    return minutes ? QString::number(*minutes, 'f', 1) : QString();
}

QString PlainNumberText(const std::optional<double>& value)
{
    return value ? QString::number(*value, 'g', QLocale::FloatingPointShortest) : QString();
}

QString PathText(const LoopCheck& loop)
{
    QStringList parts;
    for (const int b : loop.path())
        parts << QString::number(b);
    return parts.join(QStringLiteral(", "));
}

QString LoopPointsText(const LoopCheck& loop)
{
    if (loop.sides.isEmpty())
        return {};
    QStringList points;
    for (const LoopSide& side : loop.sides)
        points << side.from;
    points << loop.sides.last().to;
    return points.join(QStringLiteral(" → "));
}

QString ProblemsText(const ConditionCheck& condition)
{
    QStringList parts;
    if (condition.timeFails)
        parts << QStringLiteral("観測時間");
    if (condition.intervalFails)
        parts << QStringLiteral("ﾃﾞｰﾀ取得間隔");
    if (condition.satellitesFails)
        parts << QStringLiteral("衛星数");
    return parts.join(QStringLiteral(", "));
}

QString LoopToleranceText(const CheckSettings& s)
{
    return QStringLiteral("ΔN,ΔE %1mm√N  ΔU %2mm√N")
        .arg(millimetres(s.loopLimitNE), millimetres(s.loopLimitU));
}

QString RepeatToleranceText(const CheckSettings& s)
{
    return QStringLiteral("ΔN,ΔE %1mm  ΔU %2mm")
        .arg(millimetres(s.repeatLimitNE), millimetres(s.repeatLimitU));
}

QString ClassAndMethodText(const CheckSettings& s)
{
    return SurveyClassText(s.surveyClass) + u' ' + ObservationMethodText(s.method);
}
