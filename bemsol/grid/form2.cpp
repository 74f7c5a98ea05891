#include "form2.h"

#include "dialogbuttons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Form2::Form2(QWidget* parent)
    : QDialog(parent),
      text1_(new QLineEdit(this)),
      text2_(new QLineEdit(this)),
      command1_(new QPushButton(QStringLiteral("変更"), this)),
      command2_(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("ｾｯｼｮﾝ名編集"));
    setModal(false);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setReadOnly(true);
    text2_->setObjectName(QStringLiteral("Text2"));

    auto* before = new QLabel(QStringLiteral("変更前"), this);
    before->setBuddy(text1_);
    auto* after = new QLabel(QStringLiteral("変更後"), this);
    after->setBuddy(text2_);
    QHBoxLayout* buttons = ChangeCancelRow(command1_, command2_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(before);
    layout->addWidget(text1_);
    layout->addWidget(after);
    layout->addWidget(text2_);
    layout->addLayout(buttons);
    setMinimumWidth(260);

    connect(command1_, &QPushButton::clicked, this,
            [this] { emit changeRequested(text2_->text()); });
    connect(command2_, &QPushButton::clicked, this, &Form2::reject);
}

void Form2::setCurrentName(const QString& current)
{
    text1_->setText(current);
    text2_->clear();
    text2_->setFocus();
}

QString Form2::currentName() const
{
    return text1_->text();
}

QString Form2::newName() const
{
    return text2_->text();
}

void Form2::reject()
{
    emit cancelled();
    QDialog::reject();
}
