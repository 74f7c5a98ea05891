#pragma once

#include "model/outcome.h"
#include "model/progress.h"
#include "model/projectmodel.h"

#include <QByteArrayView>
#include <QString>

// Imports a Trimble Total Control exchange file into `model`, replacing it only when the
// import succeeds, so a refused file never leaves a half-filled project behind. A file
// without the root line is refused as another program's; one that ends before the root
// element closes (a list still open, or the closing tag missing) as cut short. A root
// that closes with no lists inside is an empty project. `progress` hears the bytes read;
// when it says stop, the import ends with CancelledOutcome() and `model` is as it was.
Outcome ReadExchangeFile(const QString& path, ProjectModel& model,
                         const ProgressCallback& progress = {});

// The same import over bytes already in memory (file contents); `shownName` is the file
// named in the message about a cut file.
Outcome ImportExchangeBytes(QByteArrayView bytes, ProjectModel& model,
                            const ProgressCallback& progress = {}, const QString& shownName = {});

// Accepts the root line when it names the processing software and sets `swProgram`
// to the 26 characters starting at that name.
bool CheckExchangeVersion(QStringView rootLine, ProjectModel& model);

inline constexpr auto exchangeVersionMessage = u"ファイルのバージョンが違います";
