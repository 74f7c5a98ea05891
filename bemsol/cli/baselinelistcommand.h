#pragma once

#include <QStringList>

// bemsol-cli baseline-list INPUT OUT.xlsx [--template FILE] [--activate SHEET]:
// the check workbook with the project's baselines in "基線一覧", written to OUT.xlsx.
// Returns the exit code: 0 written, 1 refused, 2 wrong usage.
int RunBaselineListCommand(const QStringList& arguments);
