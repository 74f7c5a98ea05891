#pragma once

#include "model/outcome.h"
#include "model/progress.h"
#include "model/projectmodel.h"

#include <QByteArrayView>
#include <QString>

// Imports a Trimble Total Control exchange file into `model`, which the caller passes
// fresh and adopts only when the import succeeds, so a refused file never leaves a
// half-filled project behind. `progress` hears the bytes read; when it says stop, the
// import ends with CancelledOutcome().
Outcome ReadExchangeFile(const QString& path, ProjectModel& model,
                         const ProgressCallback& progress = {});

// The same import over bytes already in memory (file contents).
Outcome ImportExchangeBytes(QByteArrayView bytes, ProjectModel& model,
                            const ProgressCallback& progress = {});

// Accepts the root line when it names the processing software and sets `swProgram`
// to the 26 characters starting at that name.
bool CheckExchangeVersion(QStringView rootLine, ProjectModel& model);

inline constexpr auto exchangeVersionMessage = u"ファイルのバージョンが違います";
