#include "pointdialog.h"

#include "dialogbuttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int numberLength = 8;
constexpr int nameLength = 16;

} // namespace

PointDialog::PointDialog(QWidget* parent)
    : QDialog(parent),
      numberList_(new QComboBox(this)),
      nameLabel_(new QLabel(this)),
      numberCheck_(new QCheckBox(this)),
      newNumberEdit_(new QLineEdit(this)),
      nameCheck_(new QCheckBox(this)),
      newNameEdit_(new QLineEdit(this)),
      changeButton_(new QPushButton(QStringLiteral("変更"), this)),
      cancelButton_(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this))
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("点名編集"));
    setModal(false);
    numberList_->setObjectName(QStringLiteral("Combo1"));
    numberList_->setEditable(false);
    nameLabel_->setObjectName(QStringLiteral("Label1"));
    // A read-only field rather than a caption: it shows data.
    nameLabel_->setFrameShape(QFrame::Panel);
    nameLabel_->setFrameShadow(QFrame::Sunken);
    nameLabel_->setBackgroundRole(QPalette::Base);
    nameLabel_->setAutoFillBackground(true);
    nameLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    numberCheck_->setObjectName(QStringLiteral("Check1"));
    nameCheck_->setObjectName(QStringLiteral("Check2"));
    newNumberEdit_->setObjectName(QStringLiteral("Text2"));
    newNumberEdit_->setMaxLength(numberLength);
    newNumberEdit_->setEnabled(false);
    newNameEdit_->setObjectName(QStringLiteral("Text3"));
    newNameEdit_->setMaxLength(nameLength);
    newNameEdit_->setEnabled(false);

    auto* before = new QGroupBox(QStringLiteral("変更前"), this);
    auto* beforeGrid = new QGridLayout(before);
    beforeGrid->addWidget(new QLabel(QStringLiteral("点番号"), before), 0, 0);
    beforeGrid->addWidget(numberList_, 0, 1);
    beforeGrid->addWidget(new QLabel(QStringLiteral("点名称"), before), 1, 0);
    beforeGrid->addWidget(nameLabel_, 1, 1);
    beforeGrid->setColumnStretch(1, 1);

    // The check boxes carry no text: the captions beside them name them.
    auto* after = new QGroupBox(QStringLiteral("変更後"), this);
    auto* afterGrid = new QGridLayout(after);
    afterGrid->addWidget(numberCheck_, 0, 0);
    afterGrid->addWidget(new QLabel(QStringLiteral("点番号"), after), 0, 1);
    afterGrid->addWidget(newNumberEdit_, 0, 2);
    afterGrid->addWidget(nameCheck_, 1, 0);
    afterGrid->addWidget(new QLabel(QStringLiteral("点名称"), after), 1, 1);
    afterGrid->addWidget(newNameEdit_, 1, 2);
    afterGrid->setColumnStretch(2, 1);

    QHBoxLayout* buttons = ChangeCancelRow(changeButton_, cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(before);
    layout->addWidget(after);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    connect(numberList_, &QComboBox::currentIndexChanged, this, &PointDialog::showNameOf);
    for (auto [check, box] : {std::pair{numberCheck_, newNumberEdit_}, std::pair{nameCheck_, newNameEdit_}}) {
        connect(check, &QCheckBox::toggled, this, [box](bool on) {
            box->setEnabled(on);
            if (on)
                box->setFocus();
        });
    }
    connect(changeButton_, &QPushButton::clicked, this, [this] {
        emit changeRequested(chosenNumber(), newNumber(), newName());
        accept();
    });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void PointDialog::setPoints(const QList<PresentPoint>& points)
{
    // The list is filled anew from the top each time the editor opens.
    listPoints(points);
    // Nothing chosen: a "変更" before the user picks a number must not rename the first.
    numberList_->setCurrentIndex(-1);
    showNameOf(numberList_->currentIndex());
    numberCheck_->setChecked(false);
    nameCheck_->setChecked(false);
    newNumberEdit_->clear();
    newNameEdit_->clear();
}

void PointDialog::updatePoints(const QList<PresentPoint>& points)
{
    const std::optional<QString> chosen = chosenNumber();
    listPoints(points);
    numberList_->setCurrentIndex(chosen ? numberList_->findText(*chosen) : -1);
    showNameOf(numberList_->currentIndex());
}

void PointDialog::listPoints(const QList<PresentPoint>& points)
{
    namesOfNumbers_.clear();
    numberList_->clear();
    for (const PresentPoint& p : points) {
        numberList_->addItem(p.number);
        namesOfNumbers_.append(p.name);
    }
}

std::optional<QString> PointDialog::chosenNumber() const
{
    if (numberList_->currentIndex() < 0)
        return std::nullopt;
    return numberList_->currentText();
}

std::optional<QString> PointDialog::newNumber() const
{
    if (!numberCheck_->isChecked())
        return std::nullopt;
    return newNumberEdit_->text();
}

std::optional<QString> PointDialog::newName() const
{
    if (!nameCheck_->isChecked())
        return std::nullopt;
    return newNameEdit_->text();
}

void PointDialog::showNameOf(int index)
{
    nameLabel_->setText(index >= 0 && index < namesOfNumbers_.size() ? namesOfNumbers_[index] : QString());
}
