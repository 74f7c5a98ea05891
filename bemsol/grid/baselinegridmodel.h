#pragma once

#include "gridtime.h"

#include "model/projectfield.h"

#include <QAbstractTableModel>
#include <QList>
#include <QSet>

class Document;

// The baseline grid's table: one row per baseline of the open project. The model holds
// only what the grid itself owns — the order of the rows (each keyed by its baseline
// index), the output switch of each row and the time view — and computes every other
// cell from the project when it is shown, so the grid can never show a value the
// project does not hold.
class BaselineGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit BaselineGridModel(const Document& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Rebuilds the rows from the project: baselines in index order, every switch on.
    // The time view stays as the user chose it.
    void FillGrid();

    QString cellText(int row, int column) const;
    int baselineAt(int row) const { return rows_[row].baseline; }

    bool switchOn(int row) const { return rows_[row].switchOn; }
    void toggleSwitch(int row);
    void setAllSwitches(bool on);
    // Baselines whose switch is on, in the order the grid shows them.
    QList<int> switchedOnBaselines() const;
    // Baselines whose switch is off ("×"): what the checks and the diagram leave out.
    QSet<int> switchedOffBaselines() const;
    // The row that shows `baseline`, or -1.
    int rowOfBaseline(int baseline) const;

    TimeView timeView() const { return timeView_; }
    void setTimeView(TimeView view);

    // Restores the baseline order.
    void sortByBaselineIndex();
    // Orders the rows by the texts of `column` as shown, comparing character codes.
    // Stable: rows with equal texts keep their order.
    void sortByColumnText(int column);

    // Texts of the project changed (an edit, its undo or redo): repaints the cells of
    // those baselines and fields, and nothing else.
    void refreshCells(const ProjectChange& change);

signals:
    // A switch changed, or the rows were refilled with every switch on.
    void switchesChanged();

private:
    struct GridRow
    {
        int baseline;
        bool switchOn;
    };

    void reorder(QList<GridRow> rows);

    const Document& document_;
    QList<GridRow> rows_;
    TimeView timeView_ = TimeView::Utc;
};
