#pragma once

#include "document/commondataedit.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// The common-data editor: recording interval, elevation mask, ephemeris and ellipsoid.
// The two number boxes show whole numbers; "変更" hands on the four texts as typed.
class CommonDataDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CommonDataDialog(QWidget* parent = nullptr);

    // Fills the boxes from the stored texts, the numbers formatted as whole numbers.
    void setValues(const CommonDataEdit& stored);
    // The stored texts after an edit, undo or redo: a box the user has typed in keeps
    // what was typed, the others show the new texts.
    void updateValues(const CommonDataEdit& stored);
    // What "変更" stores: the texts of the boxes, except that a number box still showing
    // what it was filled with gives back the stored text unrounded.
    CommonDataEdit values() const;

    QLineEdit* intervalBox() const { return intervalEdit_; }
    QLineEdit* elevationBox() const { return elevationEdit_; }
    QLineEdit* ephemerisBox() const { return ephemerisEdit_; }
    QLineEdit* ellipsoidBox() const { return ellipsoidEdit_; }
    QPushButton* changeButton() const { return changeButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

signals:
    void changeRequested(const CommonDataEdit& values);

private:
    CommonDataEdit stored_;
    QLineEdit* intervalEdit_;
    QLineEdit* elevationEdit_;
    QLineEdit* ephemerisEdit_;
    QLineEdit* ellipsoidEdit_;
    QPushButton* changeButton_;
    QPushButton* cancelButton_;
};
