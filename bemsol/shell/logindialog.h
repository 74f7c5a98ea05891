#pragma once

#include "loginfile.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class UserDialogs;

// The first window: registers the user of this installation on the first run and asks
// for the password on every later one. Accepted means the user may go on.
class LoginDialog : public QDialog
{
    Q_OBJECT

public:
    LoginDialog(LoginFileStore store, UserDialogs& dialogs, QWidget* parent = nullptr);

    bool firstRun() const { return firstRun_; }
    const QString& userName() const { return enteredUserName_; }
    bool loginSucceeded() const { return loginSucceeded_; }

    QLineEdit* userNameBox() const { return userNameEdit_; }
    QLineEdit* passwordBox() const { return passwordEdit_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

private:
    void okClicked();
    void registerUser();
    void logIn();
    void refuse(const QString& message, QLineEdit* box);

    LoginFileStore store_;
    UserDialogs& dialogs_;
    bool firstRun_ = true;
    QString enteredUserName_;
    QString enteredPassword_;
    bool loginSucceeded_ = false;

    QLineEdit* userNameEdit_;
    QLineEdit* passwordEdit_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};
