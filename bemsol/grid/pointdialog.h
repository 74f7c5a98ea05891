#pragma once

#include "model/valuespresent.h"

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
// checked is not changed, and with no number chosen nothing is.
class PointDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PointDialog(QWidget* parent = nullptr);

    // Lists the points with none chosen and starts with nothing checked.
    void setPoints(const QList<PresentPoint>& points);
    // Lists the points of a project edited in place: the chosen number stays chosen while
    // it is listed, and the check boxes and typed texts stay as they are.
    void updatePoints(const QList<PresentPoint>& points);

    // Nothing until the user chooses a number.
    std::optional<QString> chosenNumber() const;
    std::optional<QString> newNumber() const;
    std::optional<QString> newName() const;

    QComboBox* numberList() const { return numberList_; }
    QLabel* nameLabel() const { return nameLabel_; }
    QCheckBox* numberCheck() const { return numberCheck_; }
    QCheckBox* nameCheck() const { return nameCheck_; }
    QLineEdit* newNumberBox() const { return newNumberEdit_; }
    QLineEdit* newNameBox() const { return newNameEdit_; }
    QPushButton* changeButton() const { return changeButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

signals:
    void changeRequested(const std::optional<QString>& number,
                         const std::optional<QString>& newNumber,
                         const std::optional<QString>& newName);

private:
    void listPoints(const QList<PresentPoint>& points);
    void showNameOf(int index);

    QComboBox* numberList_;
    QLabel* nameLabel_;
    QStringList namesOfNumbers_; // the names beside the numbers of numberList_, position for position
    QCheckBox* numberCheck_;
    QLineEdit* newNumberEdit_;
    QCheckBox* nameCheck_;
    QLineEdit* newNameEdit_;
    QPushButton* changeButton_;
    QPushButton* cancelButton_;
};
