#include "commondataedit.h"

#include "model/wholenumbertext.h"

CommonDataEdit StoredCommonData(const ProjectModel& model)
{
    return {.interval = model.common.interval,
            .minElevation = model.baselineCount() >= 1 ? model.baselines[1].minElevation
                                                       : QString(),
            .ephType = model.common.ephType,
            .daen = model.common.daen};
}

QString NumberBoxResult(const QString& stored, const QString& boxText)
{
    return boxText == WholeNumberText(stored) ? stored : boxText;
}
