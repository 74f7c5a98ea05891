#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The cell editor: one text for the selected cells of the current column. It does not
// block the main window, so the selection may change while it is open; "変更" hands the
// text to whoever applies it to the selection of that moment.
class CellEditDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CellEditDialog(QWidget* parent = nullptr);

    void setText(const QString& text);
    // The cell's text after an edit, undo or redo, unless the user has typed over it.
    void updateText(const QString& text);
    QString text() const;

    QLineEdit* textBox() const { return textEdit_; }
    QPushButton* changeButton() const { return changeButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

signals:
    void changeRequested(const QString& text);

private:
    QLineEdit* textEdit_;
    QPushButton* changeButton_;
    QPushButton* cancelButton_;
};
