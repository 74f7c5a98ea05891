#pragma once

#include "diagramlayout.h"

// The session table of the drawn baselines, and each baseline's row in it. Times are
// the baselines' own: the earliest start and the latest end of the session's drawn
// baselines, shown nine hours later in Japan time. A session whose times cannot be read
// shows the first baseline's stored texts and no date.
QList<DiagramSession> BuildSessionTable(const ProjectModel& model, QList<DiagramBaseline>& baselines,
                                        const QList<DiagramPoint>& points);
