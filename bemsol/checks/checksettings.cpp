#include "checksettings.h"

#include <cmath>

namespace {

bool positive(double value)
{
    return std::isfinite(value) && value > 0;
}

} // namespace

Outcome ValidateCheckSettings(const CheckSettings& s)
{
    const int c = int(s.surveyClass);
    if (c < 1 || c > 4)
        return Outcome::failure(QStringLiteral("測量の級は1級から4級です"));
    if (s.method == ObservationMethod::ShortStatic && c < 3)
        return Outcome::failure(QStringLiteral("短縮スタティック法は3級・4級の測量だけに使えます"));
    if (!positive(s.loopLimitNE) || !positive(s.loopLimitU) || !positive(s.repeatLimitNE) ||
        !positive(s.repeatLimitU))
        return Outcome::failure(QStringLiteral("許容範囲は正の数で指定してください"));
    // Longer loops prove little and would make the search slow.
    if (s.maxLoopSides < 3 || s.maxLoopSides > 20)
        return Outcome::failure(QStringLiteral("環の辺数の上限は3から20までです"));
    if (!positive(s.longBaseline) || !positive(s.staticLongMinutes) || !positive(s.staticMinutes) ||
        !positive(s.staticMaxInterval) || !positive(s.shortStaticMinutes) ||
        !positive(s.shortStaticMaxInterval) || s.staticLongSatellites < 1 ||
        s.staticSatellites < 1 || s.shortStaticSatellites < 1)
        return Outcome::failure(QStringLiteral("観測条件の値は正の数で指定してください"));
    return Outcome::success();
}

QString SurveyClassText(SurveyClass surveyClass)
{
    return QStringLiteral("%1級").arg(int(surveyClass));
}

QString ObservationMethodText(ObservationMethod method)
{
    return method == ObservationMethod::Static ? QStringLiteral("スタティック法")
                                               : QStringLiteral("短縮スタティック法");
}
