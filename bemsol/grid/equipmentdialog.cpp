#include "equipmentdialog.h"

#include "dialogbuttons.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

EquipmentDialog::EquipmentDialog(QWidget* parent)
    : QDialog(parent),
      valueList_(new QComboBox(this)),
      newValueEdit_(new QLineEdit(this)),
      changeButton_(new QPushButton(QStringLiteral("変更"), this)),
      cancelButton_(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this))
{
    setObjectName(QStringLiteral("Form5"));
    setModal(false);
    valueList_->setObjectName(QStringLiteral("Combo1"));
    valueList_->setEditable(false);
    newValueEdit_->setObjectName(QStringLiteral("Text1"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("変更前"), valueList_);
    form->addRow(QStringLiteral("変更後"), newValueEdit_);
    QHBoxLayout* buttons = ChangeCancelRow(changeButton_, cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(300);

    connect(changeButton_, &QPushButton::clicked, this, [this] {
        emit changeRequested(chosenValue(), newValue());
        accept();
    });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void EquipmentDialog::setEquipment(const QString& title, const QStringList& values)
{
    setWindowTitle(title);
    valueList_->clear();
    valueList_->addItems(values);
    // Nothing chosen: a "変更" before the user picks a value must not replace the first.
    valueList_->setCurrentIndex(-1);
    newValueEdit_->clear();
    newValueEdit_->setFocus();
}

void EquipmentDialog::updateValues(const QStringList& values)
{
    const std::optional<QString> chosen = chosenValue();
    valueList_->clear();
    valueList_->addItems(values);
    valueList_->setCurrentIndex(chosen ? int(values.indexOf(*chosen)) : -1);
}

std::optional<QString> EquipmentDialog::chosenValue() const
{
    if (valueList_->currentIndex() < 0)
        return std::nullopt;
    return valueList_->currentText();
}

QString EquipmentDialog::newValue() const
{
    return newValueEdit_->text();
}
