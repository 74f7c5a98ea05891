#include "frmabout.h"

#include "bemsolversion.h"
#include "project/document.h"

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

frmAbout::frmAbout(const QString& userName, QWidget* parent)
    : QDialog(parent),
      lblTitle_(new QLabel(ApplicationTitle(), this)),
      lblVersion_(new QLabel(
          AboutVersionText(bemsolVersionMajor, bemsolVersionMinor, bemsolVersionPatch), this)),
      label1_(new QLabel(userName, this)),
      cmdOK_(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(ApplicationTitle() + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
    setModal(false);
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    lblVersion_->setObjectName(QStringLiteral("lblVersion"));
    label1_->setObjectName(QStringLiteral("Label1"));
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);

    QFont titleFont = lblTitle_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle_->setFont(titleFont);

    auto* description = new QLabel(QStringLiteral("このﾌﾟﾛｸﾞﾗﾑの使用者:"), this);
    description->setObjectName(QStringLiteral("lblDescription"));
    auto* disclaimer = new QLabel(this);
    disclaimer->setObjectName(QStringLiteral("lblDisclaimer"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle_);
    layout->addWidget(lblVersion_);
    layout->addWidget(separator(this));
    layout->addWidget(description);
    layout->addWidget(label1_);
    layout->addWidget(separator(this));
    layout->addWidget(disclaimer);
    layout->addLayout(buttons);
    setMinimumWidth(300);

    // OK is both the default and the cancel button: Enter and Esc close the box too.
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
}
