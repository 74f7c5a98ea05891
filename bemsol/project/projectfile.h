#pragma once

#include "model/outcome.h"
#include "model/projectmodel.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The project file (".dat"): a 44-byte header, the common data, then the baselines,
// occupations and satellites from element 1 on, little-endian, texts as a 16-bit byte
// count and code page 932 bytes, index fields and counts as single floats.

inline constexpr qint16 projectFileVersion = 105;
inline constexpr int projectFileHeaderSize = 44;

// The version-105 bytes of `model`. A text the file cannot hold (a character without a
// code page 932 code, or more than 65535 bytes) refuses the whole save with a message
// naming its record and field: writing "?" or cutting it would lose data unseen.
Outcome EncodeProjectFile(const ProjectModel& model, QByteArray& bytes);

// Writes `model` to `path` in version 105, atomically: the file on disk stays whole
// until the new one is complete, and stays untouched when the save is refused.
Outcome SaveProjectFile(const ProjectModel& model, const QString& path);

// Reads a project file of version 102, 103, 104 or 105 and replaces `model` with it,
// converting the older layouts. A file that is refused ("読込できません") leaves
// `model` exactly as it was.
Outcome DecodeProjectFile(QByteArrayView bytes, ProjectModel& model);
Outcome LoadProjectFile(const QString& path, ProjectModel& model);

inline constexpr auto projectFileRefusedMessage = u"読込できません";
inline constexpr auto projectFileRefusedTitle = u"エラー";
