#pragma once

#include <QStringList>

// bemsol-cli's commands; returns the process exit code: 0 done, 1 input refused,
// 2 wrong usage. `dump` and `save` end the process themselves once their work is done
// (see EndProcessKeepingProject).
int RunCliCommand(const QStringList& arguments);
