#pragma once

#include <QString>

// "Bemsol": the program's name, the title of its message boxes.
QString ApplicationTitle();
// "Bemsol Ver1.21": the title and version every caption carries.
QString VersionedTitle();
