#include "celleditdialog.h"

#include "dialogbuttons.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CellEditDialog::CellEditDialog(QWidget* parent)
    : QDialog(parent),
      textEdit_(new QLineEdit(this)),
      changeButton_(new QPushButton(QStringLiteral("変更"), this)),
      cancelButton_(new QPushButton(QStringLiteral("キャンセル"), this))
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("編集"));
    setModal(false);
    textEdit_->setObjectName(QStringLiteral("Text1"));

    QHBoxLayout* buttons = ChangeCancelRow(changeButton_, cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textEdit_);
    layout->addLayout(buttons);
    setMinimumWidth(260);

    connect(changeButton_, &QPushButton::clicked, this, [this] {
        emit changeRequested(textEdit_->text());
        close();
    });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::close);
}

void CellEditDialog::setText(const QString& text)
{
    textEdit_->setText(text);
    textEdit_->selectAll();
}

void CellEditDialog::updateText(const QString& text)
{
    if (!textEdit_->isModified())
        setText(text);
}

QString CellEditDialog::text() const
{
    return textEdit_->text();
}
