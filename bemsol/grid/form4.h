#pragma once

#include "project/valuespresent.h"

#include <QDialog>
#include <QStringList>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The point editor: choose a point number present in the project, see its name, and
// give it a new number, a new name or both. "変更" hands on the choice; what is not
// checked is not changed.
class Form4 : public QDialog
{
    Q_OBJECT

public:
    explicit Form4(QWidget* parent = nullptr);

    // Lists the points (the first one chosen) and starts with nothing checked.
    void setPoints(const QList<PresentPoint>& points);

    QString chosenNumber() const;
    std::optional<QString> newNumber() const;
    std::optional<QString> newName() const;

    QComboBox* numberList() const { return combo1_; }
    QLabel* nameLabel() const { return label1_; }
    QCheckBox* numberCheck() const { return check1_; }
    QCheckBox* nameCheck() const { return check2_; }
    QLineEdit* newNumberBox() const { return text2_; }
    QLineEdit* newNameBox() const { return text3_; }
    QPushButton* changeButton() const { return command1_; }
    QPushButton* cancelButton() const { return command2_; }

signals:
    void changeRequested(const QString& number, const std::optional<QString>& newNumber,
                         const std::optional<QString>& newName);

private:
    void showNameOf(int index);

    QComboBox* combo1_;
    QLabel* label1_;
    QStringList list1_; // the names beside the numbers of combo1_, position for position
    QCheckBox* check1_;
    QLineEdit* text2_;
    QCheckBox* check2_;
    QLineEdit* text3_;
    QPushButton* command1_;
    QPushButton* command2_;
};
