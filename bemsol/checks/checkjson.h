#pragma once

#include "checkresult.h"

#include <QByteArray>

// The result as the command line's --json prints it: the keys in a fixed order (a JSON
// object of Qt would sort them), lengths in metres with as few digits as give the value
// back (0.02, not 0.020000000000000001), a value that could not be read as null. One
// loop, repeat, unusable baseline or condition per line.
QByteArray CheckResultToJson(const CheckResult& result);
