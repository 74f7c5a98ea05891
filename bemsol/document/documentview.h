#pragma once

#include "model/outcome.h"

#include <QString>

// What the Document needs from the window that shows it: the save question, the save
// dialog and a place to show a message. Tests answer through a fake of their own.
class DocumentView
{
public:
    virtual ~DocumentView();

    enum class SaveAnswer { Yes, No, Cancel };

    // "現在編集中のデータを保存しますか？" with Yes, No and Cancel.
    virtual SaveAnswer askSaveChanges() = 0;
    // The save dialog (filter "保存データ(*.dat)|*.dat", asking before it overwrites a
    // file): the chosen path, or empty when the user cancelled.
    virtual QString askSaveFileName() = 0;
    virtual void showOutcome(const Outcome& outcome) = 0;
};
