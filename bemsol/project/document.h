#pragma once

#include "nametable.h"
#include "outcome.h"
#include "projectmodel.h"

#include <QObject>
#include <QString>

// All project state of the running program: the model, the flags of the main window
// and the name conversion table, with the operations the windows call. The windows
// only show what it holds and pass on what the user chose.
class Document : public QObject
{
    Q_OBJECT

public:
    explicit Document(QObject* parent = nullptr);

    const ProjectModel& model() const { return model_; }

    bool modified() const { return modified_; }
    bool notYetSaved() const { return notYetSaved_; }
    const QString& projectFileName() const { return projectFileName_; }
    // Path shown in the caption: the imported exchange file or the open project file.
    const QString& shownPath() const { return shownPath_; }
    QString caption() const;

    const NameTable& nameTable() const { return nameTable_; }
    void setNameTable(NameTable table) { nameTable_ = std::move(table); }

    // Imports an exchange file, applies the name table and makes it the open project.
    // A refused file leaves everything as it was.
    Outcome importExchangeFile(const QString& path);

    // Makes `model` the open project as if it had just been imported from `path`
    // (used where the model was built elsewhere, e.g. by tests and tools).
    void adoptImported(ProjectModel model, const QString& path);

signals:
    void modelReset();
    void stateChanged();

protected:
    ProjectModel& mutableModel() { return model_; }
    void setModified(bool modified);

private:
    ProjectModel model_;
    NameTable nameTable_;
    bool modified_ = false;
    bool notYetSaved_ = false;
    QString projectFileName_;
    QString shownPath_;
};

// "Bemsol Ver1.21": the title and version every caption and message box carries.
QString ApplicationTitle();
QString VersionedTitle();
