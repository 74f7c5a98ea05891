#pragma once

#include <QByteArray>

class ProjectModel;

// The model as JSON, in the fixed shape that scripts and outside checks rely on:
// swProgram, common, then the baselines, occupations and satellites from element 1 on,
// each record with its field names in stored order. Index fields and `reserved` are
// numbers, every other field a string.
QByteArray ModelToJson(const ProjectModel& model);
