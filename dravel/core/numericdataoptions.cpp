#include "numericdataoptions.h"

QString workCategoryText(WorkCategory category)
{
    switch (category) {
    case WorkCategory::New:
        return QStringLiteral("新設");
    case WorkCategory::ConversionByRecalculation:
        return QStringLiteral("改算による座標変換");
    case WorkCategory::ConversionByResurvey:
        return QStringLiteral("改測による座標変換");
    }
    Q_UNREACHABLE();
}

std::optional<WorkCategory> workCategoryFromText(const QString& text)
{
    for (WorkCategory c : {WorkCategory::New, WorkCategory::ConversionByRecalculation,
                           WorkCategory::ConversionByResurvey}) {
        if (workCategoryText(c) == text)
            return c;
    }
    return std::nullopt;
}
