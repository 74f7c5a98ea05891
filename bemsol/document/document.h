#pragma once

#include "commondataedit.h"
#include "documentview.h"
#include "project/nametable.h"
#include "model/outcome.h"
#include "model/progress.h"
#include "model/projectfield.h"
#include "model/projectmodel.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <optional>

struct TextEdit;

// All project state of the running program: the model, the flags of the main window,
// the name conversion table and the undo stack, with the operations the windows call.
// The windows only show what it holds and pass on what the user chose.
//
// Every edit is one command on the undo stack; the project counts as modified while the
// stack is away from the state last saved, opened or imported.
class Document : public QObject
{
    Q_OBJECT

public:
    explicit Document(QObject* parent = nullptr);
    ~Document() override;

    const ProjectModel& model() const { return model_; }

    bool modified() const { return !undoStack_.isClean(); }
    bool notYetSaved() const { return notYetSaved_; }
    const QString& projectFileName() const { return projectFileName_; }
    // Path shown in the caption: the imported exchange file or the open project file.
    const QString& shownPath() const { return shownPath_; }
    QString caption() const;

    const NameTable& nameTable() const { return nameTable_; }
    void setNameTable(NameTable table) { nameTable_ = std::move(table); }

    // Imports an exchange file, applies the name table and makes it the open project.
    // A refused file, or an import cancelled through `progress`, leaves everything as it
    // was.
    Outcome importExchangeFile(const QString& path, const ProgressCallback& progress = {});

    // Makes `model` the open project as if it had just been imported from `path`
    // (used where the model was built elsewhere, e.g. by tests and tools).
    void adoptImported(ProjectModel model, const QString& path);

    // The window that answers the save question and the save dialog; may be null (then
    // nothing is asked and nothing is saved). The Document does not own it.
    void setView(DocumentView* view) { view_ = view; }

    // Opens `path` as the open command does: an exchange file (".xml") is imported, a
    // project file (".dat") loaded. The extensions are compared as written, so
    // SURVEY.XML is neither kind and is refused with a message. `progress` follows the
    // reading of an exchange file.
    Outcome open(const QString& path, const ProgressCallback& progress = {});
    static bool isOpenable(const QString& path);

    // Opens a project file (".dat") as the open project. A refused file ("読込できません")
    // changes nothing: model, file name, flags and caption stay as they were.
    Outcome openProjectFile(const QString& path);

    // True when the caller may go on and replace or drop the project: nothing changed,
    // the user answered No, or answered Yes and the project was written. Yes without a
    // written file (dialog cancelled, save failed) is false, so nothing is lost.
    bool querySaveChanges();

    // 上書き保存: to the open project file, or asking a name when there is none yet.
    void saveCommand();
    // 名前を付けて保存: asks a name and saves there.
    void saveAsCommand();

    // 元に戻す / やり直し of the edits below.
    QUndoStack& undoStack() { return undoStack_; }

    // The cell editor's change: `text` into `field` for each of `baselines`. The fields
    // are the receiver and antenna of either end (the end's set-up is written) and
    // minSVs, frequency and ppMode of the baseline. Any other field, or no baseline
    // that has the field, changes nothing and returns false.
    bool UpdateCellData(ProjectField field, const QList<int>& baselines, const QString& text);

    // The point and equipment editors: the new value replaces the old one in every
    // set-up that holds it, whichever baselines use them (element 0, "no set-up", is
    // never written). Comparisons are exact and case-sensitive. Each marks the project
    // modified, even when nothing held the old value, and returns how many set-ups
    // changed.
    int UpdatePointName(const QString& oldNumber, const QString& newNumber);
    // The name (ptCode) of every set-up numbered `number`.
    int UpdatePtCode(const QString& number, const QString& newName);
    // The point editor's change: a new number, a new name or both for the point chosen
    // by its number as it was before the change.
    int UpdatePoint(const QString& number, const std::optional<QString>& newNumber,
                    const std::optional<QString>& newName);
    int UpdateReceiverName(const QString& oldValue, const QString& newValue);
    int UpdateReceiverSN(const QString& oldValue, const QString& newValue);
    int UpdateAntennaType(const QString& oldValue, const QString& newValue);
    int UpdateAntennaSN(const QString& oldValue, const QString& newValue);

    // A change the user confirmed in an editor with nothing chosen: it matches nothing
    // and changes no text, yet counts as an edit, so the save question follows it.
    void confirmUnmatchedChange(const QString& actionText);

    // The session editor's change: `session` as the session name of each of
    // `baselines` (indices outside the project are skipped). Marks the project modified
    // and returns how many baselines changed.
    int ChangeSessionData(const QList<int>& baselines, const QString& session);

    // The common-data editor's change, stored as typed: interval, ephemeris and
    // ellipsoid of the project, and the elevation mask of every baseline.
    void UpdateCommonData(const CommonDataEdit& edit);

signals:
    // Another project was opened or imported: everything shown is stale.
    void modelReset();
    // The flags or the caption changed.
    void stateChanged();
    // Texts of the open project changed in place (an edit, its undo or redo).
    void projectEdited(const ProjectChange& change);

private:
    friend class ProjectEditCommand;

    // Pushes one undoable edit; the texts change at once.
    void pushEdit(const QString& actionText, QList<TextEdit> edits);
    // Writes the edits' texts (their old ones when undoing) and tells the views.
    void applyEdits(const QList<TextEdit>& edits, bool undoing);
    // A fresh project: nothing to undo, nothing modified.
    void resetHistory();

    // Both return whether a file was written.
    bool saveToProjectFile();
    bool saveUnderChosenName();
    int replaceOccupationValue(const QString& actionText, QString OccupationRecord::*compared,
                               QString OccupationRecord::*written, const QString& oldValue,
                               const QString& newValue);

    ProjectModel model_;
    NameTable nameTable_;
    DocumentView* view_ = nullptr;
    QUndoStack undoStack_;
    bool notYetSaved_ = false;
    QString projectFileName_;
    QString shownPath_;
};

