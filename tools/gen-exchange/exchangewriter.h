#pragma once

#include "surveyplan.h"

#include <QByteArray>

// The exchange file of a plan as the processing software writes it: UTF-8, indented,
// one element per line, CR LF line ends; a time is an element holding two lines, the
// GPS week and the seconds of the week.
QByteArray exchangeFileBytes(const SurveyPlan& plan);
