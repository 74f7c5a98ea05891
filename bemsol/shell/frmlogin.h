#pragma once

#include "loginfile.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class UserDialogs;

// The first window: registers the user of this installation on the first run and asks
// for the password on every later one. Accepted means the user may go on.
class frmLogin : public QDialog
{
    Q_OBJECT

public:
    frmLogin(LoginFileStore store, UserDialogs& dialogs, QWidget* parent = nullptr);

    bool firstRun() const { return firstRun_; }
    const QString& MyUserName() const { return myUserName_; }
    bool LoginSucceeded() const { return loginSucceeded_; }

    QLineEdit* userNameBox() const { return txtUserName_; }
    QLineEdit* passwordBox() const { return txtPassword_; }
    QPushButton* okButton() const { return cmdOK_; }
    QPushButton* cancelButton() const { return cmdCancel_; }

private:
    void okClicked();
    void registerUser();
    void logIn();
    void refuse(const QString& message, QLineEdit* box);

    LoginFileStore store_;
    UserDialogs& dialogs_;
    bool firstRun_ = true;
    QString myUserName_;
    QString myPassword_;
    bool loginSucceeded_ = false;

    QLineEdit* txtUserName_;
    QLineEdit* txtPassword_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
};
