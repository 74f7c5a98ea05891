#pragma once

#include "checkresult.h"

#include <QString>

#include <optional>

// How the window, the printed 点検計算簿 and the command line's table write the parts
// of a check result, so the three never disagree.

QString VerdictText(bool pass); // 合格, 不合格

// Metres to millimetres, as the sheets show them: "0.003", "-0.012"; empty for nothing.
QString MetresText(double metres);
QString MetresText(const std::optional<double>& metres);
// A baseline vector as read, to a tenth of a millimetre: "-1234.5678".
QString VectorText(double metres);
// "119.5"; empty for a time that did not read.
QString MinutesText(const std::optional<double>& minutes);
// A number without needless digits: "30", "15", "7.5"; empty for nothing.
QString PlainNumberText(const std::optional<double>& value);

// "1, -10, -2".
QString PathText(const LoopCheck& loop);
// "1001 → 1002 → 1003 → 1001".
QString LoopPointsText(const LoopCheck& loop);
// "観測時間, 衛星数": the failed conditions in the user's words.
QString ProblemsText(const ConditionCheck& condition);
// "ΔN,ΔE 20mm√N  ΔU 30mm√N" and "ΔN,ΔE 20mm  ΔU 30mm".
QString LoopToleranceText(const CheckSettings& settings);
QString RepeatToleranceText(const CheckSettings& settings);
// "1級 スタティック法".
QString ClassAndMethodText(const CheckSettings& settings);
