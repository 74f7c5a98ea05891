#pragma once

#include "model/outcome.h"

#include <QByteArray>
#include <QString>

// LibreOffice's program when it is installed ("soffice" on the search path), else empty.
QString FindSoffice();

// The .xlsx form of a legacy binary workbook (.xls), made by LibreOffice running
// headless on a copy in a temporary folder with a profile of its own: the template is
// never opened by it, and a LibreOffice the user has open is not disturbed.
Result<QByteArray> ConvertLegacyWorkbook(const QString& soffice, const QString& xlsPath);
