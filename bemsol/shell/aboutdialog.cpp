#include "aboutdialog.h"
#include "model/programtitle.h"

#include "bemsolversion.h"
#include "document/document.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QString AboutVersionText(int major, int minor, int revision)
{
    return QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2%3").arg(major).arg(minor).arg(revision);
}

namespace {

QFrame* separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

AboutDialog::AboutDialog(const QString& userName, QWidget* parent)
    : QDialog(parent),
      titleLabel_(new QLabel(ApplicationTitle(), this)),
      versionLabel_(new QLabel(
          AboutVersionText(bemsolVersionMajor, bemsolVersionMinor, bemsolVersionPatch), this)),
      userLabel_(new QLabel(userName, this)),
      okButton_(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(ApplicationTitle() + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
    setModal(false);
    titleLabel_->setObjectName(QStringLiteral("lblTitle"));
    versionLabel_->setObjectName(QStringLiteral("lblVersion"));
    userLabel_->setObjectName(QStringLiteral("Label1"));
    okButton_->setObjectName(QStringLiteral("cmdOK"));
    okButton_->setDefault(true);

    QFont titleFont = titleLabel_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    titleLabel_->setFont(titleFont);

    auto* description = new QLabel(QStringLiteral("このﾌﾟﾛｸﾞﾗﾑの使用者:"), this);
    description->setObjectName(QStringLiteral("lblDescription"));
    auto* disclaimer = new QLabel(this);
    disclaimer->setObjectName(QStringLiteral("lblDisclaimer"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel_);
    layout->addWidget(versionLabel_);
    layout->addWidget(separator(this));
    layout->addWidget(description);
    layout->addWidget(userLabel_);
    layout->addWidget(separator(this));
    layout->addWidget(disclaimer);
    layout->addLayout(buttons);
    setMinimumWidth(300);

    // OK is both the default and the cancel button: Enter and Esc close the box too.
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}
