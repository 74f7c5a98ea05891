#include "sessionnamedialog.h"

#include "dialogbuttons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SessionNameDialog::SessionNameDialog(QWidget* parent)
    : QDialog(parent),
      currentNameEdit_(new QLineEdit(this)),
      newNameEdit_(new QLineEdit(this)),
      changeButton_(new QPushButton(QStringLiteral("変更"), this)),
      cancelButton_(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("ｾｯｼｮﾝ名編集"));
    setModal(false);
    currentNameEdit_->setObjectName(QStringLiteral("Text1"));
    currentNameEdit_->setReadOnly(true);
    newNameEdit_->setObjectName(QStringLiteral("Text2"));

    auto* before = new QLabel(QStringLiteral("変更前"), this);
    before->setBuddy(currentNameEdit_);
    auto* after = new QLabel(QStringLiteral("変更後"), this);
    after->setBuddy(newNameEdit_);
    QHBoxLayout* buttons = ChangeCancelRow(changeButton_, cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(before);
    layout->addWidget(currentNameEdit_);
    layout->addWidget(after);
    layout->addWidget(newNameEdit_);
    layout->addLayout(buttons);
    setMinimumWidth(260);

    connect(changeButton_, &QPushButton::clicked, this,
            [this] { emit changeRequested(newNameEdit_->text()); });
    connect(cancelButton_, &QPushButton::clicked, this, &SessionNameDialog::reject);
}

void SessionNameDialog::setCurrentName(const QString& current)
{
    currentNameEdit_->setText(current);
    newNameEdit_->clear();
    newNameEdit_->setFocus();
}

void SessionNameDialog::updateCurrentName(const QString& current)
{
    currentNameEdit_->setText(current);
}

QString SessionNameDialog::currentName() const
{
    return currentNameEdit_->text();
}

QString SessionNameDialog::newName() const
{
    return newNameEdit_->text();
}

void SessionNameDialog::reject()
{
    emit cancelled();
    QDialog::reject();
}
