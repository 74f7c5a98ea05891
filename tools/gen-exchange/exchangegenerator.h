#pragma once

#include "surveyplan.h"

#include <QByteArray>

// A realistic synthetic exchange file of Trimble Total Control for the options; the same
// options and seed always give the same bytes. The options must pass
// checkGeneratorOptions.
QByteArray generateExchangeFile(const GeneratorOptions& options);
