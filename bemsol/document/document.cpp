#include "document.h"

#include "model/programtitle.h"
#include "textedit.h"
#include "import/exchangeimport.h"
#include "project/projectfile.h"

#include <QFileInfo>

Document::Document(QObject* parent) : QObject(parent)
{
    connect(&undoStack_, &QUndoStack::cleanChanged, this, &Document::stateChanged);
}

Document::~Document()
{
    // The stack empties itself as it goes and would announce that to views that read
    // members already gone.
    undoStack_.blockSignals(true);
}

QString Document::caption() const
{
    if (shownPath_.isEmpty())
        return VersionedTitle();
    return VersionedTitle() + QStringLiteral(" - ") + shownPath_;
}

Outcome Document::importExchangeFile(const QString& path, const ProgressCallback& progress)
{
    ProjectModel fresh;
    Outcome outcome = ReadExchangeFile(path, fresh, progress);
    if (!outcome)
        return outcome;
    ApplyNameTable(nameTable_, fresh);
    adoptImported(std::move(fresh), QFileInfo(path).absoluteFilePath());
    return outcome;
}

void Document::adoptImported(ProjectModel model, const QString& path)
{
    model_ = std::move(model);
    resetHistory();
    notYetSaved_ = true;
    shownPath_ = path;
    emit modelReset();
    emit stateChanged();
}

bool Document::isOpenable(const QString& path)
{
    return path.endsWith(u".xml") || path.endsWith(u".dat");
}

Outcome Document::open(const QString& path, const ProgressCallback& progress)
{
    if (path.endsWith(u".xml"))
        return importExchangeFile(path, progress);
    if (path.endsWith(u".dat"))
        return openProjectFile(path);
    return Outcome::failure(QStringLiteral("開けない種類のファイルです: %1").arg(path));
}

Outcome Document::openProjectFile(const QString& path)
{
    ProjectModel loaded;
    Outcome outcome = LoadProjectFile(path, loaded);
    if (!outcome)
        return outcome;
    model_ = std::move(loaded);
    resetHistory();
    notYetSaved_ = false;
    projectFileName_ = QFileInfo(path).absoluteFilePath();
    shownPath_ = projectFileName_;
    emit modelReset();
    emit stateChanged();
    return outcome;
}

bool Document::querySaveChanges()
{
    if (!modified())
        return true;
    if (!view_)
        return false;
    switch (view_->askSaveChanges()) {
    case DocumentView::SaveAnswer::Yes:
        return saveToProjectFile();
    case DocumentView::SaveAnswer::No:
        return true;
    case DocumentView::SaveAnswer::Cancel:
        break;
    }
    return false;
}

void Document::saveCommand()
{
    saveToProjectFile();
}

void Document::saveAsCommand()
{
    saveUnderChosenName();
}

bool Document::saveToProjectFile()
{
    if (model_.baselineCount() == 0)
        return false;
    // Without a project file of its own there is nowhere to overwrite: ask for a name.
    if (notYetSaved_ || projectFileName_.isEmpty())
        return saveUnderChosenName();
    const Outcome outcome = SaveProjectFile(model_, projectFileName_);
    if (!outcome) {
        if (view_)
            view_->showOutcome(outcome);
        return false;
    }
    undoStack_.setClean();
    return true;
}

bool Document::saveUnderChosenName()
{
    if (model_.baselineCount() == 0 || !view_)
        return false;
    const QString chosen = view_->askSaveFileName();
    if (chosen.isEmpty())
        return false;
    const Outcome outcome = SaveProjectFile(model_, chosen);
    if (!outcome) {
        view_->showOutcome(outcome);
        return false;
    }
    undoStack_.setClean();
    notYetSaved_ = false;
    projectFileName_ = QFileInfo(chosen).absoluteFilePath();
    shownPath_ = projectFileName_;
    emit stateChanged();
    return true;
}

void Document::resetHistory()
{
    // Quietly: the caller announces the new project once it is in place.
    const QSignalBlocker blocker(undoStack_);
    undoStack_.clear();
}
