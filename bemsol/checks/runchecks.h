#pragma once

#include "checkresult.h"
#include "checksettings.h"
#include "model/outcome.h"
#include "model/projectmodel.h"

#include <QSet>

// The 点検計算 of the open project: loop closures, repeated baselines, the baselines left
// unchecked and the observation conditions, over the baselines not in `off` (the grid's
// "×" rows, the command line's --off). Fails only for settings that cannot be used.
Result<CheckResult> RunChecks(const ProjectModel& model, const QSet<int>& off,
                              const CheckSettings& settings = {});
