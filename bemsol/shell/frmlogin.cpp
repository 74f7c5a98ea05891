#include "frmlogin.h"

#include "userdialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString loginTitle = QStringLiteral("ﾛｸﾞｵﾝ");

} // namespace

frmLogin::frmLogin(LoginFileStore store, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      store_(std::move(store)),
      dialogs_(dialogs),
      txtUserName_(new QLineEdit(this)),
      txtPassword_(new QLineEdit(this)),
      cmdOK_(new QPushButton(QStringLiteral("OK"), this)),
      cmdCancel_(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this))
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(loginTitle);
    txtUserName_->setObjectName(QStringLiteral("txtUserName"));
    txtPassword_->setObjectName(QStringLiteral("txtPassword"));
    txtPassword_->setEchoMode(QLineEdit::Password);
    txtPassword_->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdOK_->setDefault(true);
    cmdOK_->setAutoDefault(true);
    cmdCancel_->setAutoDefault(false);

    auto* userLabel = new QLabel(QStringLiteral("ﾕｰｻﾞｰ名(&U):"), this);
    userLabel->setBuddy(txtUserName_);
    auto* passwordLabel = new QLabel(QStringLiteral("ﾊﾟｽﾜｰﾄﾞ(&P):"), this);
    passwordLabel->setBuddy(txtPassword_);

    auto* fields = new QGridLayout;
    fields->addWidget(userLabel, 0, 0);
    fields->addWidget(txtUserName_, 0, 1);
    fields->addWidget(passwordLabel, 1, 0);
    fields->addWidget(txtPassword_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    connect(cmdOK_, &QPushButton::clicked, this, &frmLogin::okClicked);
    // Esc and the close box reach reject() as well.
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] { loginSucceeded_ = false; });

    if (const std::optional<LoginRecord> record = store_.ReadLoginFile()) {
        firstRun_ = false;
        myUserName_ = record->userName;
        myPassword_ = record->password;
        txtUserName_->setText(myUserName_);
        txtUserName_->setEnabled(false);
        txtPassword_->setFocus();
    } else {
        firstRun_ = true;
        txtUserName_->setFocus();
    }
}

void frmLogin::okClicked()
{
    if (firstRun_)
        registerUser();
    else
        logIn();
}

void frmLogin::registerUser()
{
    const QString userName = txtUserName_->text();
    const QString password = txtPassword_->text();
    if (userName.isEmpty())
        return refuse(QStringLiteral("ﾕｰｻﾞｰ名を入力してください"), txtUserName_);
    if (password.isEmpty())
        return refuse(QStringLiteral("ﾊﾟｽﾜｰﾄﾞを入力してください"), txtPassword_);
    // The quoted file form cannot carry every text; refuse what would not read back.
    if (const QString problem = LoginValueProblem(userName); !problem.isEmpty())
        return refuse(problem, txtUserName_);
    if (const QString problem = LoginValueProblem(password); !problem.isEmpty())
        return refuse(problem, txtPassword_);
    const LoginRecord record{userName, password};
    if (const Outcome written = store_.WriteLoginFile(record); !written) {
        dialogs_.showMessage(this, written);
        return;
    }
    myUserName_ = userName;
    myPassword_ = password;
    loginSucceeded_ = true;
    accept();
}

void frmLogin::logIn()
{
    if (txtPassword_->text() != myPassword_)
        return refuse(QStringLiteral("ﾊﾟｽﾜｰﾄﾞが正しくありません。もう一度入力してください !"),
                      txtPassword_);
    loginSucceeded_ = true;
    accept();
}

void frmLogin::refuse(const QString& message, QLineEdit* box)
{
    dialogs_.showMessage(this, Outcome::failure(message, loginTitle, Outcome::Severity::Information));
    box->setFocus();
    box->selectAll();
}
