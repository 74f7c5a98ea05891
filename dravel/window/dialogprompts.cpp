#include "dialogprompts.h"

#include <QFileDialog>
#include <QMessageBox>

QString DialogPrompts::openFileName(QWidget* parent, const QString& filter, const QString& title)
{
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QString DialogPrompts::saveFileName(QWidget* parent, const QString& initialName,
                                    const QString& filter, const QString& title)
{
    QFileDialog dialog(parent, title, initialName, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without extension gets the one of the filter.
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void DialogPrompts::tell(QWidget* parent, const QString& message)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Dravel"), message, QMessageBox::Ok,
                    parent);
    box.exec();
}
