#include "userdialogs.h"
#include "model/programtitle.h"

#include "document/document.h"

#include <QFileDialog>
#include <QMessageBox>

UserDialogs::~UserDialogs() = default;

QString QtUserDialogs::openFileName(QWidget* parent)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dlgOpenFileSelect"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("XMLﾌｧｲﾙ(*.xml)"), QStringLiteral("保存データ(*.dat)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

QString QtUserDialogs::saveFileName(QWidget* parent)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dlgSaveFileSelect"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("保存データ(*.dat)"));
    // A name typed without extension would not be offered by the open dialog again.
    dialog.setDefaultSuffix(QStringLiteral("dat"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

DocumentView::SaveAnswer QtUserDialogs::askSaveChanges(QWidget* parent)
{
    switch (QMessageBox::question(parent, ApplicationTitle(),
                                  QStringLiteral("現在編集中のデータを保存しますか？"),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes: return DocumentView::SaveAnswer::Yes;
    case QMessageBox::No: return DocumentView::SaveAnswer::No;
    default: return DocumentView::SaveAnswer::Cancel;
    }
}

void QtUserDialogs::showMessage(QWidget* parent, const Outcome& outcome)
{
    QMessageBox::Icon icon = QMessageBox::Warning;
    switch (outcome.severity) {
    case Outcome::Severity::Information: icon = QMessageBox::Information; break;
    case Outcome::Severity::Warning: icon = QMessageBox::Warning; break;
    case Outcome::Severity::Critical: icon = QMessageBox::Critical; break;
    }
    QMessageBox box(icon, outcome.title.isEmpty() ? ApplicationTitle() : outcome.title,
                    outcome.message, QMessageBox::Ok, parent);
    box.exec();
}
