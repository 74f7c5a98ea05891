#pragma once

#include <QStringList>

// bemsol-cli checks INPUT [--names FILE|--no-names] [--off LIST] [--class 1|2|3|4]
// [--method static|short-static] [--json] [--pdf OUT.pdf]: the observation checks of a
// project, as a short table or as JSON on standard output, and the 点検計算簿 as PDF.
// Exit 0 when the checks ran, whatever they found; 1 for a refused input or an unwritten
// PDF; 2 for wrong usage (short static for 1級 or 2級 among it).
int RunChecksCommand(const QStringList& arguments);
