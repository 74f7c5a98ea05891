#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "ﾊﾞｰｼﾞｮﾝ 1.21": the revision follows the minor number without a separator.
QString AboutVersionText(int major, int minor, int revision);

// The version box: title, version and the user who logged in.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(const QString& userName, QWidget* parent = nullptr);

    QLabel* titleLabel() const { return lblTitle_; }
    QLabel* versionLabel() const { return lblVersion_; }
    QLabel* userLabel() const { return label1_; }
    QPushButton* okButton() const { return cmdOK_; }

private:
    QLabel* lblTitle_;
    QLabel* lblVersion_;
    QLabel* label1_;
    QPushButton* cmdOK_;
};
