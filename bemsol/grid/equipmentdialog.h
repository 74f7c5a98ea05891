#pragma once

#include <QDialog>
#include <QStringList>

#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

// The equipment editor, one dialog for receiver name and serial and antenna type and
// serial. The title the opening command gives it names the field it edits, and "変更"
// hands the title on with the chosen old value and the new one.
class EquipmentDialog : public QDialog
{
    Q_OBJECT

public:
    explicit EquipmentDialog(QWidget* parent = nullptr);

    // Retitles the dialog and lists the values present with none chosen; the new value
    // starts empty.
    void setEquipment(const QString& title, const QStringList& values);
    // Lists the values of a project edited in place: the chosen value stays chosen while
    // it is listed, and the new value stays as typed.
    void updateValues(const QStringList& values);

    // Nothing until the user chooses a value; an empty value present can be chosen.
    std::optional<QString> chosenValue() const;
    QString newValue() const;

    QComboBox* valueList() const { return valueList_; }
    QLineEdit* newValueBox() const { return newValueEdit_; }
    QPushButton* changeButton() const { return changeButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

signals:
    void changeRequested(const std::optional<QString>& oldValue, const QString& newValue);

private:
    QComboBox* valueList_;
    QLineEdit* newValueEdit_;
    QPushButton* changeButton_;
    QPushButton* cancelButton_;
};
