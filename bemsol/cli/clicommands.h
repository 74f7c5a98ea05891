#pragma once

#include <QStringList>

// bemsol-cli's commands; returns the process exit code: 0 done, 1 input refused,
// 2 wrong usage.
int RunCliCommand(const QStringList& arguments);
