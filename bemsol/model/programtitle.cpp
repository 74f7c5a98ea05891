#include "programtitle.h"

#include "bemsolversion.h"

QString ApplicationTitle()
{
    return QStringLiteral("Bemsol");
}

QString VersionedTitle()
{
    return QStringLiteral("%1 Ver%2.%3%4")
        .arg(ApplicationTitle())
        .arg(bemsolVersionMajor)
        .arg(bemsolVersionMinor)
        .arg(bemsolVersionPatch);
}
