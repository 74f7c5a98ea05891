#include "form4.h"

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

Form4::Form4(QWidget* parent)
    : QDialog(parent),
      combo1_(new QComboBox(this)),
      label1_(new QLabel(this)),
      check1_(new QCheckBox(this)),
      text2_(new QLineEdit(this)),
      check2_(new QCheckBox(this)),
      text3_(new QLineEdit(this)),
      command1_(new QPushButton(QStringLiteral("変更"), this)),
      command2_(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this))
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("点名編集"));
    setModal(false);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->setEditable(false);
    label1_->setObjectName(QStringLiteral("Label1"));
    // A read-only field rather than a caption: it shows data.
    label1_->setFrameShape(QFrame::Panel);
    label1_->setFrameShadow(QFrame::Sunken);
    label1_->setBackgroundRole(QPalette::Base);
    label1_->setAutoFillBackground(true);
    label1_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    check1_->setObjectName(QStringLiteral("Check1"));
    check2_->setObjectName(QStringLiteral("Check2"));
    text2_->setObjectName(QStringLiteral("Text2"));
    text2_->setMaxLength(numberLength);
    text2_->setEnabled(false);
    text3_->setObjectName(QStringLiteral("Text3"));
    text3_->setMaxLength(nameLength);
    text3_->setEnabled(false);

    auto* before = new QGroupBox(QStringLiteral("変更前"), this);
    auto* beforeGrid = new QGridLayout(before);
    beforeGrid->addWidget(new QLabel(QStringLiteral("点番号"), before), 0, 0);
    beforeGrid->addWidget(combo1_, 0, 1);
    beforeGrid->addWidget(new QLabel(QStringLiteral("点名称"), before), 1, 0);
    beforeGrid->addWidget(label1_, 1, 1);
    beforeGrid->setColumnStretch(1, 1);

    // The check boxes carry no text: the captions beside them name them.
    auto* after = new QGroupBox(QStringLiteral("変更後"), this);
    auto* afterGrid = new QGridLayout(after);
    afterGrid->addWidget(check1_, 0, 0);
    afterGrid->addWidget(new QLabel(QStringLiteral("点番号"), after), 0, 1);
    afterGrid->addWidget(text2_, 0, 2);
    afterGrid->addWidget(check2_, 1, 0);
    afterGrid->addWidget(new QLabel(QStringLiteral("点名称"), after), 1, 1);
    afterGrid->addWidget(text3_, 1, 2);
    afterGrid->setColumnStretch(2, 1);

    QHBoxLayout* buttons = ChangeCancelRow(command1_, command2_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(before);
    layout->addWidget(after);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    connect(combo1_, &QComboBox::currentIndexChanged, this, &Form4::showNameOf);
    for (auto [check, box] : {std::pair{check1_, text2_}, std::pair{check2_, text3_}}) {
        connect(check, &QCheckBox::toggled, this, [box](bool on) {
            box->setEnabled(on);
            if (on)
                box->setFocus();
        });
    }
    connect(command1_, &QPushButton::clicked, this, [this] {
        emit changeRequested(chosenNumber(), newNumber(), newName());
        accept();
    });
    connect(command2_, &QPushButton::clicked, this, &QDialog::reject);
}

void Form4::setPoints(const QList<PresentPoint>& points)
{
    // The list is filled anew from the top each time the editor opens.
    list1_.clear();
    combo1_->clear();
    for (const PresentPoint& p : points) {
        combo1_->addItem(p.number);
        list1_.append(p.name);
    }
    combo1_->setCurrentIndex(points.isEmpty() ? -1 : 0);
    showNameOf(combo1_->currentIndex());
    check1_->setChecked(false);
    check2_->setChecked(false);
    text2_->clear();
    text3_->clear();
}

QString Form4::chosenNumber() const
{
    return combo1_->currentText();
}

std::optional<QString> Form4::newNumber() const
{
    if (!check1_->isChecked())
        return std::nullopt;
    return text2_->text();
}

std::optional<QString> Form4::newName() const
{
    if (!check2_->isChecked())
        return std::nullopt;
    return text3_->text();
}

void Form4::showNameOf(int index)
{
    label1_->setText(index >= 0 && index < list1_.size() ? list1_[index] : QString());
}
