#pragma once

#include "model/outcome.h"
#include "model/progress.h"

class QPagedPaintDevice;
class ReportDatabase;

// The GPS survey observation field book (GPS測量観測手簿) from the filled report tables:
// one station after another, each starting a page, with its satellites' tracking bars
// and its satellite summary.
Outcome RenderFieldBook(ReportDatabase& database, QPagedPaintDevice& device, int* pages = nullptr,
                        const ProgressCallback& progress = {});
