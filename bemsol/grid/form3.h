#pragma once

#include "project/commondataedit.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// The common-data editor: recording interval, elevation mask, ephemeris and ellipsoid.
// The two number boxes show whole numbers; "変更" hands on the four texts as typed.
class Form3 : public QDialog
{
    Q_OBJECT

public:
    explicit Form3(QWidget* parent = nullptr);

    // Fills the boxes from the stored texts, the numbers formatted as whole numbers.
    void setValues(const CommonDataEdit& stored);
    // What "変更" stores: the texts of the boxes, except that a number box still showing
    // what it was filled with gives back the stored text unrounded.
    CommonDataEdit values() const;

    QLineEdit* intervalBox() const { return text1_; }
    QLineEdit* elevationBox() const { return text2_; }
    QLineEdit* ephemerisBox() const { return text4_; }
    QLineEdit* ellipsoidBox() const { return text5_; }
    QPushButton* changeButton() const { return command1_; }
    QPushButton* cancelButton() const { return command2_; }

signals:
    void changeRequested(const CommonDataEdit& values);

private:
    CommonDataEdit stored_;
    QLineEdit* text1_;
    QLineEdit* text2_;
    QLineEdit* text4_;
    QLineEdit* text5_;
    QPushButton* command1_;
    QPushButton* command2_;
};
