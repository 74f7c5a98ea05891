#pragma once

#include "model/filelocations.h"
#include "model/outcome.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The template named `fileName` ("kisenkakusa.xls"), or the same name with the Office
// Open XML extension (".xlsx", ".docx", the form our own sample templates and current
// office programs use), in the first folder of `files` that holds either: a template
// placed beside the program wins over the installed sample.
std::optional<QString> FindTemplate(const FileLocations& files, const QString& fileName);

// The template a command that fills the baseline list reads: FindTemplate's, except
// that a legacy workbook (".xls") that cannot be converted gives way to the ".xlsx"
// beside it.
std::optional<QString> FindFillableTemplate(const FileLocations& files, const QString& fileName,
                                            bool canConvertLegacy);

// Whether a template is a legacy binary workbook, which is read through a conversion.
bool IsLegacyWorkbook(const QString& path);

// "テンプレートファイルがありません: …": names the file looked for, its newer form and
// every folder searched.
QString MissingTemplateMessage(const FileLocations& files, const QString& fileName);

// The whole file, refusing one larger than any template can be.
Result<QByteArray> ReadTemplateBytes(const QString& path);

// Writes `bytes` as a fresh file in `workDir` named after the template, with the
// date and time, and marks it read-only: the user keeps a filled workbook by saving it
// under a name of their own, and the copies of earlier commands, perhaps still open in
// the spreadsheet, are never overwritten. The value is the new file's path.
Result<QString> CreateWorkingCopy(const QString& workDir, const QString& baseName,
                                  const QString& suffix, const QByteArray& bytes);
