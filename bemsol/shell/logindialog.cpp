#include "logindialog.h"

#include "userdialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString loginTitle = QStringLiteral("ﾛｸﾞｵﾝ");

} // namespace

LoginDialog::LoginDialog(LoginFileStore store, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      store_(std::move(store)),
      dialogs_(dialogs),
      userNameEdit_(new QLineEdit(this)),
      passwordEdit_(new QLineEdit(this)),
      okButton_(new QPushButton(QStringLiteral("OK"), this)),
      cancelButton_(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this))
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(loginTitle);
    userNameEdit_->setObjectName(QStringLiteral("txtUserName"));
    passwordEdit_->setObjectName(QStringLiteral("txtPassword"));
    passwordEdit_->setEchoMode(QLineEdit::Password);
    passwordEdit_->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    okButton_->setObjectName(QStringLiteral("cmdOK"));
    cancelButton_->setObjectName(QStringLiteral("cmdCancel"));
    okButton_->setDefault(true);
    okButton_->setAutoDefault(true);
    cancelButton_->setAutoDefault(false);

    auto* userLabel = new QLabel(QStringLiteral("ﾕｰｻﾞｰ名(&U):"), this);
    userLabel->setBuddy(userNameEdit_);
    auto* passwordLabel = new QLabel(QStringLiteral("ﾊﾟｽﾜｰﾄﾞ(&P):"), this);
    passwordLabel->setBuddy(passwordEdit_);

    auto* fields = new QGridLayout;
    fields->addWidget(userLabel, 0, 0);
    fields->addWidget(userNameEdit_, 0, 1);
    fields->addWidget(passwordLabel, 1, 0);
    fields->addWidget(passwordEdit_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    connect(okButton_, &QPushButton::clicked, this, &LoginDialog::okClicked);
    // Esc and the close box reach reject() as well.
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] { loginSucceeded_ = false; });

    if (const std::optional<LoginRecord> record = store_.ReadLoginFile()) {
        firstRun_ = false;
        enteredUserName_ = record->userName;
        enteredPassword_ = record->password;
        userNameEdit_->setText(enteredUserName_);
        userNameEdit_->setEnabled(false);
        passwordEdit_->setFocus();
    } else {
        firstRun_ = true;
        userNameEdit_->setFocus();
    }
}

void LoginDialog::okClicked()
{
    if (firstRun_)
        registerUser();
    else
        logIn();
}

void LoginDialog::registerUser()
{
    const QString userName = userNameEdit_->text();
    const QString password = passwordEdit_->text();
    if (userName.isEmpty())
        return refuse(QStringLiteral("ﾕｰｻﾞｰ名を入力してください"), userNameEdit_);
    if (password.isEmpty())
        return refuse(QStringLiteral("ﾊﾟｽﾜｰﾄﾞを入力してください"), passwordEdit_);
    // The quoted file form cannot carry every text; refuse what would not read back.
    if (const QString problem = LoginValueProblem(userName); !problem.isEmpty())
        return refuse(problem, userNameEdit_);
    if (const QString problem = LoginValueProblem(password); !problem.isEmpty())
        return refuse(problem, passwordEdit_);
    const LoginRecord record{userName, password};
    if (const Outcome written = store_.WriteLoginFile(record); !written) {
        dialogs_.showMessage(this, written);
        return;
    }
    enteredUserName_ = userName;
    enteredPassword_ = password;
    loginSucceeded_ = true;
    accept();
}

void LoginDialog::logIn()
{
    if (passwordEdit_->text() != enteredPassword_)
        return refuse(QStringLiteral("ﾊﾟｽﾜｰﾄﾞが正しくありません。もう一度入力してください !"),
                      passwordEdit_);
    loginSucceeded_ = true;
    accept();
}

void LoginDialog::refuse(const QString& message, QLineEdit* box)
{
    dialogs_.showMessage(this, Outcome::failure(message, loginTitle, Outcome::Severity::Information));
    box->setFocus();
    box->selectAll();
}
