#pragma once

#include "document/documentview.h"
#include "model/outcome.h"

#include <QString>

class QWidget;

// Every question and message the shell puts to the user goes through here, so tests can
// answer them without a person and without a modal loop.
class UserDialogs
{
public:
    virtual ~UserDialogs();

    // The open dialog over exchange files and project files; empty when cancelled.
    virtual QString openFileName(QWidget* parent) = 0;
    // The save dialog for project files, asking before it overwrites; empty when cancelled.
    virtual QString saveFileName(QWidget* parent) = 0;
    // "現在編集中のデータを保存しますか？" with Yes, No and Cancel.
    virtual DocumentView::SaveAnswer askSaveChanges(QWidget* parent) = 0;
    // A message with an OK button; an empty title means the application's title.
    virtual void showMessage(QWidget* parent, const Outcome& outcome) = 0;
};

// The real dialogs: QMessageBox and QFileDialog.
class QtUserDialogs : public UserDialogs
{
public:
    QString openFileName(QWidget* parent) override;
    QString saveFileName(QWidget* parent) override;
    DocumentView::SaveAnswer askSaveChanges(QWidget* parent) override;
    void showMessage(QWidget* parent, const Outcome& outcome) override;
};
