#pragma once

#include <QString>

class QWidget;

// The questions and messages the window puts to the user. The program answers them with
// file dialogs and message boxes; a test answers them itself.
class UserPrompts
{
public:
    virtual ~UserPrompts() = default;

    // The chosen full path, or empty when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& filter, const QString& title) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& initialName,
                                 const QString& filter, const QString& title) = 0;

    // A message with the tool's title as caption and an OK button only.
    virtual void tell(QWidget* parent, const QString& message) = 0;
};
