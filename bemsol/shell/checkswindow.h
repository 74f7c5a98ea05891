#pragma once

#include "checks/checkresult.h"
#include "checks/checksettings.h"

#include <QList>
#include <QSet>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class CheckTableModel;
class Document;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPrinter;
class QPushButton;
class QTabWidget;
class QTableView;

// 点検計算: the settings (class, method, tolerances), a summary and a tab each for the
// loops, the repeated baselines, the observation conditions, the unchecked and the
// unusable baselines, and 印刷 for the 点検計算簿. It follows the open project: the
// Document's changes and a changed setting run the checks again. A double-click on a row
// asks for that row's baselines to be selected in the grid.
class ChecksWindow : public QWidget
{
    Q_OBJECT

public:
    // `switchedOff` gives the baselines the grid has switched to "×" when the checks run.
    ChecksWindow(const Document& document, std::function<QSet<int>()> switchedOff,
                 QWidget* parent = nullptr);
    ~ChecksWindow() override;

    CheckSettings settings() const;
    // The result shown; empty when the settings could not be used.
    const CheckResult* result() const { return result_.get(); }
    CheckTableModel* table(int tab) const { return models_[size_t(tab)]; }

    enum Tab { LoopsTab, RepeatsTab, ConditionsTab, UncheckedTab, UnusableTab };

public slots:
    // Runs the checks again over the project as it is now.
    void refresh();
    // 印刷: the 点検計算簿 in a print preview.
    void printPreview();

signals:
    void baselinesChosen(const QList<int>& baselines);

private:
    QWidget* createSettings();
    QTableView* createTable(Tab tab);
    void restoreDefaults();
    void classChanged();
    void showSummary();
    Outcome paintBook(QPrinter* printer);

    const Document& document_;
    std::function<QSet<int>()> switchedOff_;
    std::shared_ptr<const CheckResult> result_;
    std::array<CheckTableModel*, 5> models_{};
    QComboBox* classBox_ = nullptr;
    QComboBox* methodBox_ = nullptr;
    QDoubleSpinBox* loopNE_ = nullptr;
    QDoubleSpinBox* loopU_ = nullptr;
    QDoubleSpinBox* repeatNE_ = nullptr;
    QDoubleSpinBox* repeatU_ = nullptr;
    QLabel* summary_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QPushButton* printButton_ = nullptr;
    bool refreshing_ = false;
};
