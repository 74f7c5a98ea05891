#include "commondatadialog.h"

#include "dialogbuttons.h"

#include "model/wholenumbertext.h"

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

void fillNumberBoxUntyped(QLineEdit* box, const QString& stored, int limit)
{
    if (!box->isModified())
        fillNumberBox(box, stored, limit);
}

void fillTextBoxUntyped(QLineEdit* box, const QString& stored)
{
    if (!box->isModified())
        box->setText(stored);
}

} // namespace

CommonDataDialog::CommonDataDialog(QWidget* parent)
    : QDialog(parent),
      intervalEdit_(new QLineEdit(this)),
      elevationEdit_(new QLineEdit(this)),
      ephemerisEdit_(new QLineEdit(this)),
      ellipsoidEdit_(new QLineEdit(this)),
      changeButton_(new QPushButton(QStringLiteral("変更"), this)),
      cancelButton_(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("共通ﾃﾞｰﾀ編集"));
    setModal(false);
    intervalEdit_->setObjectName(QStringLiteral("Text1"));
    elevationEdit_->setObjectName(QStringLiteral("Text2"));
    ephemerisEdit_->setObjectName(QStringLiteral("Text4"));
    ellipsoidEdit_->setObjectName(QStringLiteral("Text5"));
    intervalEdit_->setMaxLength(intervalLength);
    elevationEdit_->setMaxLength(elevationLength);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("ﾃﾞｰﾀ取得間隔"), intervalEdit_);
    form->addRow(QStringLiteral("最低高度角"), elevationEdit_);
    form->addRow(QStringLiteral("使用した軌道情報"), ephemerisEdit_);
    form->addRow(QStringLiteral("使用した楕円体"), ellipsoidEdit_);
    QHBoxLayout* buttons = ChangeCancelRow(changeButton_, cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(300);

    connect(changeButton_, &QPushButton::clicked, this, [this] {
        emit changeRequested(values());
        accept();
    });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void CommonDataDialog::setValues(const CommonDataEdit& stored)
{
    stored_ = stored;
    fillNumberBox(intervalEdit_, stored.interval, intervalLength);
    fillNumberBox(elevationEdit_, stored.minElevation, elevationLength);
    ephemerisEdit_->setText(stored.ephType);
    ellipsoidEdit_->setText(stored.daen);
}

void CommonDataDialog::updateValues(const CommonDataEdit& stored)
{
    stored_ = stored;
    fillNumberBoxUntyped(intervalEdit_, stored.interval, intervalLength);
    fillNumberBoxUntyped(elevationEdit_, stored.minElevation, elevationLength);
    fillTextBoxUntyped(ephemerisEdit_, stored.ephType);
    fillTextBoxUntyped(ellipsoidEdit_, stored.daen);
}

CommonDataEdit CommonDataDialog::values() const
{
    return {.interval = NumberBoxResult(stored_.interval, intervalEdit_->text()),
            .minElevation = NumberBoxResult(stored_.minElevation, elevationEdit_->text()),
            .ephType = ephemerisEdit_->text(),
            .daen = ellipsoidEdit_->text()};
}
