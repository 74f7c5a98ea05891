#pragma once

#include "checks/checkresult.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>

#include <memory>

// One table of the checks window over a shared check result: the loops, the repeated
// baselines, the observation conditions, the unchecked or the unusable baselines. Rows
// that fail the checks stand out (pale red, dark red text): failed loops, repeats and
// conditions, and every unchecked baseline. Every row knows its baselines, so the window
// can select them in the grid.
class CheckTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum class Table { Loops, Repeats, Conditions, Unchecked, Unusable };

    explicit CheckTableModel(Table table, QObject* parent = nullptr);

    void setResult(std::shared_ptr<const CheckResult> result);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The baselines of a row: a loop's sides, both of a repeat, or the one baseline.
    QList<int> baselinesAt(int row) const;
    bool failing(int row) const;

private:
    QString text(int row, int column) const;
    const ConditionCheck* conditionOf(int baseline) const;

    Table table_;
    std::shared_ptr<const CheckResult> result_;
    QHash<int, const ConditionCheck*> conditionOfBaseline_; // names of unchecked baselines
};
