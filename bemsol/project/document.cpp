#include "document.h"

#include "bemsolversion.h"
#include "import/exchangeimport.h"

#include <QFileInfo>

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

Document::Document(QObject* parent) : QObject(parent) {}

QString Document::caption() const
{
    if (shownPath_.isEmpty())
        return VersionedTitle();
    return VersionedTitle() + QStringLiteral(" - ") + shownPath_;
}

Outcome Document::importExchangeFile(const QString& path)
{
    ProjectModel fresh;
    Outcome outcome = ReadExchangeFile(path, fresh);
    if (!outcome)
        return outcome;
    ApplyNameTable(nameTable_, fresh);
    adoptImported(std::move(fresh), QFileInfo(path).absoluteFilePath());
    return outcome;
}

void Document::adoptImported(ProjectModel model, const QString& path)
{
    model_ = std::move(model);
    modified_ = false;
    notYetSaved_ = true;
    shownPath_ = path;
    emit modelReset();
    emit stateChanged();
}

void Document::setModified(bool modified)
{
    if (modified_ == modified)
        return;
    modified_ = modified;
    emit stateChanged();
}
