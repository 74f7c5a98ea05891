#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QPushButton;

// The equipment editor, one dialog for receiver name and serial and antenna type and
// serial. The title the opening command gives it names the field it edits, and "変更"
// hands the title on with the chosen old value and the new one.
class Form5 : public QDialog
{
    Q_OBJECT

public:
    explicit Form5(QWidget* parent = nullptr);

    // Retitles the dialog and lists the values present (the first one chosen); the new
    // value starts empty.
    void setEquipment(const QString& title, const QStringList& values);

    QString chosenValue() const;
    QString newValue() const;

    QComboBox* valueList() const { return combo1_; }
    QLineEdit* newValueBox() const { return text1_; }
    QPushButton* changeButton() const { return command1_; }
    QPushButton* cancelButton() const { return command2_; }

signals:
    void changeRequested(const QString& title, const QString& oldValue, const QString& newValue);

private:
    QComboBox* combo1_;
    QLineEdit* text1_;
    QPushButton* command1_;
    QPushButton* command2_;
};
