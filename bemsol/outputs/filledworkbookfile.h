#pragma once

#include "model/outcome.h"

#include <QByteArray>
#include <QString>

// Writes a filled workbook to `path` (bemsol-cli baseline-list), atomically: a workbook
// already there is replaced only once every byte of the new one is on disk, and stays as
// it was when the write fails or the program is stopped midway.
Outcome SaveFilledWorkbook(const QString& path, const QByteArray& bytes);
