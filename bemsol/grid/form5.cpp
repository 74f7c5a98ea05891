#include "form5.h"

#include "dialogbuttons.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Form5::Form5(QWidget* parent)
    : QDialog(parent),
      combo1_(new QComboBox(this)),
      text1_(new QLineEdit(this)),
      command1_(new QPushButton(QStringLiteral("変更"), this)),
      command2_(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this))
{
    setObjectName(QStringLiteral("Form5"));
    setModal(false);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->setEditable(false);
    text1_->setObjectName(QStringLiteral("Text1"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("変更前"), combo1_);
    form->addRow(QStringLiteral("変更後"), text1_);
    QHBoxLayout* buttons = ChangeCancelRow(command1_, command2_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(300);

    connect(command1_, &QPushButton::clicked, this, [this] {
        emit changeRequested(windowTitle(), chosenValue(), newValue());
        accept();
    });
    connect(command2_, &QPushButton::clicked, this, &QDialog::reject);
}

void Form5::setEquipment(const QString& title, const QStringList& values)
{
    setWindowTitle(title);
    combo1_->clear();
    combo1_->addItems(values);
    combo1_->setCurrentIndex(values.isEmpty() ? -1 : 0);
    text1_->clear();
    text1_->setFocus();
}

QString Form5::chosenValue() const
{
    return combo1_->currentText();
}

QString Form5::newValue() const
{
    return text1_->text();
}
