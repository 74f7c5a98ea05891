#pragma once

#include <QString>

#include <optional>

// The choices of the tool's window that go into the numeric data file besides the points.

enum class WorkCategory { New, ConversionByRecalculation, ConversionByResurvey };

enum class GeodeticDatum { World = 0, Japan = 1 };

struct NumericDataOptions
{
    WorkCategory workCategory = WorkCategory::New;
    QString workContent;
    GeodeticDatum datum = GeodeticDatum::World;
    QString zone;
};

// The category as the file and the window name it: 新設, 改算による座標変換, 改測による座標変換.
QString workCategoryText(WorkCategory category);
std::optional<WorkCategory> workCategoryFromText(const QString& text);
