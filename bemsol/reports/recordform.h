#pragma once

#include "model/outcome.h"
#include "model/progress.h"

class QPagedPaintDevice;
class ReportDatabase;

// The GPS survey observation record (GPS測量観測記簿) from the filled report tables: one
// page per baseline.
Outcome RenderRecord(ReportDatabase& database, QPagedPaintDevice& device, int* pages = nullptr,
                        const ProgressCallback& progress = {});
