#pragma once

#include <QStringList>

// dravel-cli REPORT.htm OUT.txt [--category 新設|改算による座標変換|改測による座標変換]
//           [--content TEXT] [--datum 0|1] [--zone TEXT]
// Exit status: 0 written, 1 the report or the options were refused (message on standard
// error), 2 wrong usage.
int runDravelCli(const QStringList& args);
