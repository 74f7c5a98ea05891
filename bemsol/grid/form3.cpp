#include "form3.h"

#include "dialogbuttons.h"

#include "project/wholenumbertext.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int intervalLength = 2;
constexpr int elevationLength = 3;

// The limit is on typing. A stored text longer than the limit is shown whole (a line
// edit cuts its text to its maximum length, and "変更" would then store the cut text),
// and may be edited within its own length.
void fillNumberBox(QLineEdit* box, const QString& stored, int limit)
{
    const QString shown = WholeNumberText(stored);
    box->setMaxLength(std::max(limit, int(shown.size())));
    box->setText(shown);
}

} // namespace

Form3::Form3(QWidget* parent)
    : QDialog(parent),
      text1_(new QLineEdit(this)),
      text2_(new QLineEdit(this)),
      text4_(new QLineEdit(this)),
      text5_(new QLineEdit(this)),
      command1_(new QPushButton(QStringLiteral("変更"), this)),
      command2_(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("共通ﾃﾞｰﾀ編集"));
    setModal(false);
    text1_->setObjectName(QStringLiteral("Text1"));
    text2_->setObjectName(QStringLiteral("Text2"));
    text4_->setObjectName(QStringLiteral("Text4"));
    text5_->setObjectName(QStringLiteral("Text5"));
    text1_->setMaxLength(intervalLength);
    text2_->setMaxLength(elevationLength);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("ﾃﾞｰﾀ取得間隔"), text1_);
    form->addRow(QStringLiteral("最低高度角"), text2_);
    form->addRow(QStringLiteral("使用した軌道情報"), text4_);
    form->addRow(QStringLiteral("使用した楕円体"), text5_);
    QHBoxLayout* buttons = ChangeCancelRow(command1_, command2_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(300);

    connect(command1_, &QPushButton::clicked, this, [this] {
        emit changeRequested(values());
        accept();
    });
    connect(command2_, &QPushButton::clicked, this, &QDialog::reject);
}

void Form3::setValues(const CommonDataEdit& stored)
{
    stored_ = stored;
    fillNumberBox(text1_, stored.interval, intervalLength);
    fillNumberBox(text2_, stored.minElevation, elevationLength);
    text4_->setText(stored.ephType);
    text5_->setText(stored.daen);
}

CommonDataEdit Form3::values() const
{
    return {.interval = NumberBoxResult(stored_.interval, text1_->text()),
            .minElevation = NumberBoxResult(stored_.minElevation, text2_->text()),
            .ephType = text4_->text(),
            .daen = text5_->text()};
}
