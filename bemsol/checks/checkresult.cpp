#include "checkresult.h"

#include <algorithm>

QList<int> LoopCheck::path() const
{
    QList<int> p;
    p.reserve(sides.size());
    for (const LoopSide& side : sides)
        p.append(side.signedBaseline());
    return p;
}

QList<int> LoopCheck::baselines() const
{
    QList<int> b;
    b.reserve(sides.size());
    for (const LoopSide& side : sides)
        b.append(side.baseline);
    return b;
}

QStringList ConditionCheck::problems() const
{
    QStringList p;
    if (timeFails)
        p << QStringLiteral("time");
    if (intervalFails)
        p << QStringLiteral("interval");
    if (satellitesFails)
        p << QStringLiteral("satellites");
    return p;
}

int CheckResult::failedLoops() const
{
    return int(std::count_if(loops.begin(), loops.end(),
                             [](const LoopCheck& l) { return !l.closure.pass; }));
}

int CheckResult::failedRepeats() const
{
    return int(std::count_if(repeats.begin(), repeats.end(),
                             [](const RepeatCheck& r) { return !r.difference.pass; }));
}

int CheckResult::failedConditions() const
{
    return int(std::count_if(conditions.begin(), conditions.end(),
                             [](const ConditionCheck& c) { return !c.pass(); }));
}

bool CheckResult::pass() const
{
    return failedLoops() == 0 && failedRepeats() == 0 && failedConditions() == 0 &&
           unchecked.isEmpty();
}
