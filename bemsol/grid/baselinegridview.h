#pragma once

#include <QPoint>
#include <QTableView>

#include <array>

class BaselineGridModel;

// The baseline grid as the user handles it: the "No" column stays in place while the
// others scroll, columns can be hidden and shown again at their former width, and
// clicks on the header and the cells choose between sorting, switching and the header
// popups. The popups themselves belong to the main window; the grid only says where
// and when one is wanted.
class BaselineGridView : public QTableView
{
    Q_OBJECT

public:
    explicit BaselineGridView(BaselineGridModel* model, QWidget* parent = nullptr);

    BaselineGridModel* gridModel() const { return model_; }

    // Hides a shown column, remembering its width, or shows a hidden one at the width
    // it had. Returns whether the column is shown afterwards. Column 0 always stays.
    bool toggleColumn(int column);
    bool columnShown(int column) const { return !isColumnHidden(column); }

    // Cell-edit mode paints the fixed cells in the window colour so the user sees that
    // the cell editor is armed.
    bool cellEditMode() const { return cellEditMode_; }
    void setCellEditMode(bool on);
    QColor fixedCellColor() const;

    // The rows the current selection block spans, in increasing order, whichever way it
    // was dragged; the current row alone when nothing is selected. {-1, -1} without a
    // current cell.
    std::pair<int, int> selectedRowRange() const;

    // Whole rows from `startRow` to `endRow`: columns 1 to 19, starting at column 1 of
    // `startRow`, as a press on the "No" column and a drag down it select them.
    void selectRows(int startRow, int endRow);

    // Selects whole rows that need not be neighbours (the baselines of a loop) and
    // brings the first into view.
    void selectScatteredRows(const QList<int>& rows);

    int lastMouseButton() const { return lastMouseButton_; }
    // Where the last press on the grid was, relative to the grid's top-left corner.
    QPoint lastMousePosition() const { return lastMousePos_; }

    QTableView* fixedColumnView() const { return frozen_; }

signals:
    void switchMenuRequested(const QPoint& globalPos);
    void timeMenuRequested(const QPoint& globalPos);
    void cellEditMenuRequested(const QPoint& globalPos);
    // Ctrl with F1, F2, F11 or F12 while the grid has the focus.
    void ctrlFunctionKeyPressed(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    bool cellMouseEvent(QWidget* viewport, QEvent* event);
    bool headerMouseEvent(QHeaderView* header, QEvent* event);
    void headerLeftClicked(int column);
    int rowUnderPointer(QTableView* view, int y) const;
    void fitRowNumberColumn();
    void applyFixedCellColour();
    void updateFrozenGeometry();

    BaselineGridModel* model_;
    QTableView* frozen_;
    std::array<int, 21> savedColumnWidths_{};
    bool cellEditMode_ = false;
    int lastMouseButton_ = 0;
    QPoint lastMousePos_;
    QModelIndex pressedCell_;
    int rowSelectionStart_ = -1; // while a press on the "No" column selects rows
    bool keepHorizontalScroll_ = false;
    int pressedSection_ = -1;
    int pressedSectionSize_ = 0;
};
