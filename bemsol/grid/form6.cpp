#include "form6.h"

#include "dialogbuttons.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Form6::Form6(QWidget* parent)
    : QDialog(parent),
      text1_(new QLineEdit(this)),
      command1_(new QPushButton(QStringLiteral("変更"), this)),
      command2_(new QPushButton(QStringLiteral("キャンセル"), this))
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("編集"));
    setModal(false);
    text1_->setObjectName(QStringLiteral("Text1"));

    QHBoxLayout* buttons = ChangeCancelRow(command1_, command2_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text1_);
    layout->addLayout(buttons);
    setMinimumWidth(260);

    connect(command1_, &QPushButton::clicked, this, [this] {
        emit changeRequested(text1_->text());
        close();
    });
    connect(command2_, &QPushButton::clicked, this, &QDialog::close);
}

void Form6::setText(const QString& text)
{
    text1_->setText(text);
    text1_->selectAll();
}

QString Form6::text() const
{
    return text1_->text();
}
