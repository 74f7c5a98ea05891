#pragma once

#include "userprompts.h"

// The prompts as the user sees them: Qt's file dialogs and a message box.
class DialogPrompts final : public UserPrompts
{
public:
    QString openFileName(QWidget* parent, const QString& filter, const QString& title) override;
    QString saveFileName(QWidget* parent, const QString& initialName, const QString& filter,
                         const QString& title) override;
    void tell(QWidget* parent, const QString& message) override;
};
