#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The session editor: the current session name of the selected block and the new one.
// It does not check or apply anything itself: "変更" hands the new name on, and whoever
// applies it closes the dialog (or leaves it open when the name is refused).
class SessionNameDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SessionNameDialog(QWidget* parent = nullptr);

    // Shows `current` as the name before the change; the new name starts empty.
    void setCurrentName(const QString& current);
    // The block's name after an edit, undo or redo; the new name stays as typed.
    void updateCurrentName(const QString& current);
    QString currentName() const;
    QString newName() const;

    QLineEdit* currentNameBox() const { return currentNameEdit_; }
    QLineEdit* newNameBox() const { return newNameEdit_; }
    QPushButton* changeButton() const { return changeButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    // ｷｬﾝｾﾙ, Escape and the close box all cancel.
    void reject() override;

signals:
    void changeRequested(const QString& newName);
    void cancelled();

private:
    QLineEdit* currentNameEdit_;
    QLineEdit* newNameEdit_;
    QPushButton* changeButton_;
    QPushButton* cancelButton_;
};
