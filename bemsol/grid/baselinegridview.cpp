#include "baselinegridview.h"

#include "baselinegridmodel.h"
#include "gridcolumns.h"
#include "gridselection.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace {

int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

void setUpTable(QTableView* view)
{
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::ContiguousSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    // Fixed row heights keep tens of thousands of rows cheap to lay out and scroll.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setSectionsClickable(false); // clicks are ours, not selections
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

} // namespace

BaselineGridView::BaselineGridView(BaselineGridModel* model, QWidget* parent)
    : QTableView(parent), model_(model), frozen_(new QTableView(this))
{
    setObjectName(QStringLiteral("flgrdData"));
    setModel(model);
    setUpTable(this);

    // Each column starts as wide as its caption with its leading blanks. A blank counts
    // as one half-width character cell, as on the screens the layout was drawn for;
    // proportional fonts make blanks so narrow that a date would no longer fit under
    // "開始日時".
    const QFontMetrics metrics(horizontalHeader()->font());
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + 2);
    const int cell = metrics.horizontalAdvance(QLatin1Char('0'));
    for (int c = 0; c < GridColumn::Count; ++c)
        setColumnWidth(c, gridColumnHeaders[c].leadingBlanks * cell +
                              metrics.horizontalAdvance(gridColumnCaption(c)) + margin);

    // The "No" column: a second view over the same model and selection, laid over
    // column 0, that scrolls only vertically.
    frozen_->setObjectName(QStringLiteral("flgrdDataFixedColumn"));
    frozen_->setModel(model);
    frozen_->setSelectionModel(selectionModel());
    setUpTable(frozen_);
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->setFrameShape(QFrame::NoFrame);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int c = 1; c < GridColumn::Count; ++c)
        frozen_->setColumnHidden(c, true);
    frozen_->setColumnWidth(GridColumn::No, columnWidth(GridColumn::No));
    viewport()->stackUnder(frozen_);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int logical, int, int newSize) {
                if (logical == GridColumn::No) {
                    frozen_->setColumnWidth(GridColumn::No, newSize);
                    updateFrozenGeometry();
                }
            });
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
            &QAbstractSlider::setValue);

    for (QWidget* w : {viewport(), frozen_->viewport(), horizontalHeader()->viewport(),
                       frozen_->horizontalHeader()->viewport()})
        w->installEventFilter(this);

    connect(model_, &QAbstractItemModel::modelReset, this, &BaselineGridView::fitRowNumberColumn);

    applyFixedCellColour();
    updateFrozenGeometry();
    frozen_->show();
}

void BaselineGridView::fitRowNumberColumn()
{
    // The caption set the first width; a project with more baselines widens the column
    // until its largest number fits, so no row key is cut to "4…". It never narrows: a
    // width the user chose stays.
    const int rows = model_->rowCount();
    if (rows == 0)
        return;
    QChar widestDigit = u'0';
    for (char16_t d = u'1'; d <= u'9'; ++d)
        if (fontMetrics().horizontalAdvance(QChar(d)) > fontMetrics().horizontalAdvance(widestDigit))
            widestDigit = QChar(d);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QString(QString::number(rows).size(), widestDigit);
    const int gridLine = showGrid() ? 1 : 0;
    const int needed = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).width() + gridLine;
    if (columnWidth(GridColumn::No) < needed)
        setColumnWidth(GridColumn::No, needed);
}

bool BaselineGridView::toggleColumn(int column)
{
    if (column <= GridColumn::No || column >= GridColumn::Count)
        return true;
    if (!isColumnHidden(column)) {
        savedColumnWidths_[column] = columnWidth(column);
        setColumnHidden(column, true);
        return false;
    }
    setColumnHidden(column, false);
    setColumnWidth(column, savedColumnWidths_[column]);
    return true;
}

void BaselineGridView::setCellEditMode(bool on)
{
    cellEditMode_ = on;
    applyFixedCellColour();
}

QColor BaselineGridView::fixedCellColor() const
{
    return palette().color(cellEditMode_ ? QPalette::Base : QPalette::Button);
}

void BaselineGridView::applyFixedCellColour()
{
    const QColor colour = fixedCellColor();
    for (QHeaderView* header : {horizontalHeader(), frozen_->horizontalHeader()}) {
        QPalette p = header->palette();
        p.setColor(QPalette::Button, colour);
        p.setColor(QPalette::Window, colour);
        header->setPalette(p);
    }
    QPalette p = frozen_->palette();
    p.setColor(QPalette::Base, colour);
    frozen_->setPalette(p);
}

std::pair<int, int> BaselineGridView::selectedRowRange() const
{
    const GridSelection block = gridSelectionOf(*selectionModel());
    if (!block.isValid())
        return {-1, -1};
    return {block.firstRow(), block.lastRow()};
}

bool BaselineGridView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == viewport() || watched == frozen_->viewport())
        return cellMouseEvent(static_cast<QWidget*>(watched), event);
    if (watched == horizontalHeader()->viewport())
        return headerMouseEvent(horizontalHeader(), event);
    if (watched == frozen_->horizontalHeader()->viewport())
        return headerMouseEvent(frozen_->horizontalHeader(), event);
    return QTableView::eventFilter(watched, event);
}

bool BaselineGridView::cellMouseEvent(QWidget* viewportWidget, QEvent* event)
{
    const auto type = event->type();
    QTableView* view = viewportWidget == viewport() ? this : frozen_;
    if (type == QEvent::MouseMove) {
        if (rowSelectionStart_ < 0)
            return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!(mouse->buttons() & Qt::LeftButton)) {
            rowSelectionStart_ = -1;
            return false;
        }
        const int row = rowUnderPointer(view, mouse->position().toPoint().y());
        if (row >= 0)
            selectRows(rowSelectionStart_, row);
        return true;
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    const QModelIndex cell = view->indexAt(pos);

    if (type != QEvent::MouseButtonRelease) {
        lastMouseButton_ = buttonCode(mouse->button());
        lastMousePos_ = viewportWidget->mapTo(this, pos);
        // The second press of a double click is not a click of its own: the switch
        // toggles once per double click, as the first press and release already did.
        pressedCell_ = type == QEvent::MouseButtonDblClick ? QModelIndex() : cell;
        if (mouse->button() == Qt::LeftButton && cell.isValid() && cell.column() == GridColumn::No) {
            setFocus(Qt::MouseFocusReason);
            rowSelectionStart_ = cell.row();
            selectRows(cell.row(), cell.row());
            return true;
        }
        // A right press must not move the current cell: the cell-edit popup acts on the
        // cell chosen before.
        return mouse->button() == Qt::RightButton;
    }

    const QModelIndex pressed = pressedCell_;
    pressedCell_ = {};
    if (mouse->button() == Qt::LeftButton && rowSelectionStart_ >= 0) {
        rowSelectionStart_ = -1;
        return true;
    }
    if (mouse->button() == Qt::RightButton) {
        // The block's start corner, not the cell the pointer was dragged to, names the
        // column the editor would change.
        const int col = gridSelectionOf(*selectionModel()).col;
        if (cell.isValid() && cellEditMode_ && col >= GridColumn::StartReceiverName &&
            col <= GridColumn::PPMode)
            emit cellEditMenuRequested(mouse->globalPosition().toPoint());
        return true;
    }
    // Only a press and release on the same cell is a click; a drag that ends on the
    // switch column selects and toggles nothing.
    if (mouse->button() == Qt::LeftButton && cell.isValid() && cell == pressed &&
        cell.column() == GridColumn::SW)
        model_->toggleSwitch(cell.row());
    return false;
}

int BaselineGridView::rowUnderPointer(QTableView* view, int y) const
{
    const int row = view->rowAt(y);
    if (row >= 0 || model_->rowCount() == 0)
        return row;
    // Beyond the edge of the rows in view: one row further each move, so that the
    // grid scrolls along while the drag goes on.
    if (y < 0)
        return std::max(0, view->rowAt(0) - 1);
    const int lastShown = view->rowAt(view->viewport()->height() - 1);
    return lastShown < 0 ? model_->rowCount() - 1 : std::min(model_->rowCount() - 1, lastShown + 1);
}

void BaselineGridView::selectRows(int startRow, int endRow)
{
    if (startRow < 0 || endRow < 0 || startRow >= model_->rowCount() || endRow >= model_->rowCount())
        return;
    // The far corner becomes the current cell, so the block starts at column 1 of
    // `startRow` as the editors read it. The grid keeps its horizontal position: the
    // far corner sits in the last column, which the user did not point at.
    keepHorizontalScroll_ = true;
    selectionModel()->setCurrentIndex(model_->index(endRow, GridColumn::PPMode),
                                      QItemSelectionModel::NoUpdate);
    keepHorizontalScroll_ = false;
    selectionModel()->select(QItemSelection(model_->index(std::min(startRow, endRow), GridColumn::SW),
                                            model_->index(std::max(startRow, endRow), GridColumn::PPMode)),
                             QItemSelectionModel::ClearAndSelect);
}

bool BaselineGridView::headerMouseEvent(QHeaderView* header, QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    const int section = header->logicalIndexAt(pos);
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, header);
    const bool onHandle = header->logicalIndexAt(pos.x() - grip) != section ||
                          header->logicalIndexAt(pos.x() + grip) != section;

    if (type == QEvent::MouseButtonPress) {
        lastMouseButton_ = buttonCode(mouse->button());
        lastMousePos_ = header->viewport()->mapTo(this, pos);
        pressedSection_ = onHandle ? -1 : section;
        pressedSectionSize_ = section >= 0 ? header->sectionSize(section) : 0;
        return false;
    }

    const int pressed = pressedSection_;
    pressedSection_ = -1;
    if (section < 0 || section != pressed || header->sectionSize(section) != pressedSectionSize_)
        return false;
    if (mouse->button() == Qt::LeftButton) {
        headerLeftClicked(section);
    } else if (mouse->button() == Qt::RightButton) {
        const QPoint global = mouse->globalPosition().toPoint();
        if (section == GridColumn::SW)
            emit switchMenuRequested(global);
        else if (section == GridColumn::StartTime || section == GridColumn::EndTime)
            emit timeMenuRequested(global);
    }
    return false;
}

void BaselineGridView::headerLeftClicked(int column)
{
    switch (column) {
    case GridColumn::No:
        if (currentIndex().isValid())
            selectionModel()->setCurrentIndex(model_->index(currentIndex().row(), GridColumn::No),
                                              QItemSelectionModel::ClearAndSelect);
        model_->sortByBaselineIndex();
        break;
    case GridColumn::Session:
    case GridColumn::StartTime:
    case GridColumn::StartPointName:
    case GridColumn::EndPointName:
        model_->sortByColumnText(column);
        break;
    default:
        break;
    }
}

void BaselineGridView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool functionKey =
        key == Qt::Key_F1 || key == Qt::Key_F2 || key == Qt::Key_F11 || key == Qt::Key_F12;
    if (functionKey) {
        // Other modifiers held with Ctrl do not matter; without Ctrl these keys do nothing.
        if (event->modifiers() & Qt::ControlModifier)
            emit ctrlFunctionKeyPressed(key);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void BaselineGridView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    updateFrozenGeometry();
}

void BaselineGridView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    // A cell of the "No" column is always in view horizontally; only rows may scroll.
    const int horizontal = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (index.column() == GridColumn::No || keepHorizontalScroll_)
        horizontalScrollBar()->setValue(horizontal);
}

QModelIndex BaselineGridView::moveCursor(CursorAction cursorAction,
                                         Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    // Keep a cell the cursor moved to from hiding behind the fixed column.
    if (cursorAction == MoveLeft && current.column() > GridColumn::No &&
        visualRect(current).topLeft().x() < frozen_->columnWidth(GridColumn::No)) {
        const int newValue = horizontalScrollBar()->value() + visualRect(current).topLeft().x() -
                             frozen_->columnWidth(GridColumn::No);
        horizontalScrollBar()->setValue(newValue);
    }
    return current;
}

void BaselineGridView::updateFrozenGeometry()
{
    frozen_->setGeometry(frameWidth(), frameWidth(), columnWidth(GridColumn::No),
                         viewport()->height() + horizontalHeader()->height());
}

void BaselineGridView::selectScatteredRows(const QList<int>& rows)
{
    QItemSelection selection;
    for (const int row : rows)
        if (row >= 0 && row < model_->rowCount())
            selection.select(model_->index(row, GridColumn::SW), model_->index(row, GridColumn::PPMode));
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!selection.isEmpty()) {
        const QModelIndex first = selection.first().topLeft();
        selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
        scrollTo(first);
    }
}
