#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The cell editor: one text for the selected cells of the current column. It does not
// block the main window, so the selection may change while it is open; "変更" hands the
// text to whoever applies it to the selection of that moment.
class Form6 : public QDialog
{
    Q_OBJECT

public:
    explicit Form6(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const;

    QLineEdit* textBox() const { return text1_; }
    QPushButton* changeButton() const { return command1_; }
    QPushButton* cancelButton() const { return command2_; }

signals:
    void changeRequested(const QString& text);

private:
    QLineEdit* text1_;
    QPushButton* command1_;
    QPushButton* command2_;
};
