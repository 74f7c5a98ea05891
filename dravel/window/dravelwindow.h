#pragma once

#include "core/numericdataoptions.h"

#include <QHash>
#include <QWidget>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class UserPrompts;

// Dravel's only window: the report to read, the options of the numeric data file, and the
// write button. A completed write closes it, and with it the program.
class DravelWindow : public QWidget
{
    Q_OBJECT

public:
    explicit DravelWindow(UserPrompts& prompts, QWidget* parent = nullptr);

    NumericDataOptions options() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseReport();
    void write();

    // The option buttons carry no text; the label beside each selects it.
    QRadioButton* optionWithLabel(const QString& optionName, const QString& labelName,
                                  const QString& text, QBoxLayout* into);

    UserPrompts& prompts_;
    QLineEdit* reportPath_;
    QLineEdit* workContent_;
    QLineEdit* zone_;
    QRadioButton* categoryNew_;
    QRadioButton* categoryRecalculation_;
    QRadioButton* categoryResurvey_;
    QRadioButton* datumWorld_;
    QRadioButton* datumJapan_;
    QHash<QObject*, QRadioButton*> optionOfLabel_;
};
