#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "ﾊﾞｰｼﾞｮﾝ 1.21": the revision follows the minor number without a separator.
QString AboutVersionText(int major, int minor, int revision);

// The version box: title, version and the user who logged in.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(const QString& userName, QWidget* parent = nullptr);

    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* versionLabel() const { return versionLabel_; }
    QLabel* userLabel() const { return userLabel_; }
    QPushButton* okButton() const { return okButton_; }

private:
    QLabel* titleLabel_;
    QLabel* versionLabel_;
    QLabel* userLabel_;
    QPushButton* okButton_;
};
