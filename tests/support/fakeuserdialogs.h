#pragma once

#include "shell/userdialogs.h"

#include <QList>
#include <QStringList>

// Answers the shell's questions from queues the test fills, and records what was asked
// and shown. An unexpected question fails loudly instead of blocking.
class FakeUserDialogs : public UserDialogs
{
public:
    QStringList openAnswers;
    QStringList saveAnswers;
    QList<DocumentView::SaveAnswer> saveQuestionAnswers;

    int openAsked = 0;
    int saveAsked = 0;
    int saveQuestionAsked = 0;
    QList<Outcome> messages;

    QString openFileName(QWidget*) override
    {
        ++openAsked;
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString saveFileName(QWidget*) override
    {
        ++saveAsked;
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    DocumentView::SaveAnswer askSaveChanges(QWidget*) override
    {
        ++saveQuestionAsked;
        return saveQuestionAnswers.isEmpty() ? DocumentView::SaveAnswer::Cancel
                                             : saveQuestionAnswers.takeFirst();
    }
    void showMessage(QWidget*, const Outcome& outcome) override { messages.append(outcome); }
};
