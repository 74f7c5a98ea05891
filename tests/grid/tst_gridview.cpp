// The grid under the mouse: the output switch, whole-row selection from the "No" column,
// and a "No" column wide enough for every row number.
#include "gridmouse.h"
#include "document/document.h"
#include "grid/baselinegridmodel.h"
#include "grid/baselinegridview.h"
#include "grid/gridcolumns.h"
#include "grid/gridselection.h"

#include <QScrollBar>
#include <QStyle>
#include <QTest>

namespace {

// `count` baselines; none needs set-ups for what these tests look at.
ProjectModel baselines(int count)
{
    ProjectModel m;
    for (int b = 1; b <= count; ++b)
        m.baselines.append(BaselineRecord{.session = QStringLiteral("S%1").arg(b)});
    return m;
}

QStringList switches(const BaselineGridModel& grid)
{
    QStringList texts;
    for (int r = 0; r < grid.rowCount(); ++r)
        texts << grid.index(r, GridColumn::SW).data().toString();
    return texts;
}

// Whether the view shows the "No" cell of `row` without cutting it short: the text
// must fit between the margins the style keeps on both sides of a cell's text.
bool numberShownWhole(const QTableView& view, int row)
{
    const QModelIndex cell = view.model()->index(row, GridColumn::No);
    const QString text = cell.data().toString();
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    const int room = view.visualRect(cell).width() - 2 * margin;
    return view.fontMetrics().horizontalAdvance(text) <= room;
}

} // namespace

class TestGridView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void switchTogglesOncePerClick_data();
    void switchTogglesOncePerClick();
    void noColumnSelectsWholeRows_data();
    void noColumnSelectsWholeRows();
    void noColumnFitsTheLargestNumber();

private:
    void show(int rows);

    std::unique_ptr<Document> document_;
    std::unique_ptr<BaselineGridModel> model_;
    std::unique_ptr<BaselineGridView> view_;
};

void TestGridView::init()
{
    document_ = std::make_unique<Document>();
    model_ = std::make_unique<BaselineGridModel>(*document_);
    view_ = std::make_unique<BaselineGridView>(model_.get());
    QObject::connect(document_.get(), &Document::modelReset, model_.get(), &BaselineGridModel::FillGrid);
    // Narrower than the columns together, so the grid can scroll sideways.
    view_->resize(600, 300);
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
}

void TestGridView::cleanup()
{
    view_.reset();
    model_.reset();
    document_.reset();
}

void TestGridView::show(int rows)
{
    document_->adoptImported(baselines(rows), QStringLiteral("/x/survey.xml"));
}

void TestGridView::switchTogglesOncePerClick_data()
{
    QTest::addColumn<QString>("gestures"); // c: a click, d: a double click
    QTest::addColumn<QString>("shown");
    QTest::newRow("click") << "c" << "×";
    QTest::newRow("two clicks") << "cc" << "○";
    QTest::newRow("double click") << "d" << "×";
    QTest::newRow("double click, then a click") << "dc" << "○";
    QTest::newRow("two double clicks") << "dd" << "○";
}

void TestGridView::switchTogglesOncePerClick()
{
    QFETCH(QString, gestures);
    QFETCH(QString, shown);
    show(3);
    for (QChar g : gestures) {
        if (g == u'c')
            gridmouse::click(view_.get(), 1, GridColumn::SW);
        else
            gridmouse::doubleClick(view_.get(), 1, GridColumn::SW);
    }
    QCOMPARE(switches(*model_), (QStringList{"○", shown, "○"}));
}

void TestGridView::noColumnSelectsWholeRows_data()
{
    QTest::addColumn<int>("pressRow");
    QTest::addColumn<int>("releaseRow");
    QTest::newRow("click") << 2 << 2;
    QTest::newRow("drag down") << 1 << 3;
    QTest::newRow("drag up") << 4 << 1;
}

void TestGridView::noColumnSelectsWholeRows()
{
    QFETCH(int, pressRow);
    QFETCH(int, releaseRow);
    show(6);
    QTableView* numbers = view_->fixedColumnView();
    QVERIFY(view_->horizontalScrollBar()->maximum() > 0);

    gridmouse::drag(numbers, pressRow, GridColumn::No, releaseRow, GridColumn::No);

    // Columns 1 to 19 of the rows between, begun at column 1 of the pressed row.
    const GridSelection block = gridSelectionOf(*view_->selectionModel());
    QCOMPARE(block.row, pressRow);
    QCOMPARE(block.col, int(GridColumn::SW));
    QCOMPARE(block.rowSel, releaseRow);
    QCOMPARE(block.colSel, int(GridColumn::PPMode));
    const auto [top, bottom] = std::minmax(pressRow, releaseRow);
    for (int r = 0; r < model_->rowCount(); ++r)
        for (int c = 0; c < GridColumn::Count; ++c)
            QCOMPARE(view_->selectionModel()->isSelected(model_->index(r, c)),
                     r >= top && r <= bottom && c != GridColumn::No);
    // The grid stays where it was; the last column was not pointed at.
    QCOMPARE(view_->horizontalScrollBar()->value(), 0);
    QCOMPARE(switches(*model_), QStringList(6, QStringLiteral("○")));

    // An ordinary drag afterwards selects cells as before.
    gridmouse::drag(view_.get(), 0, GridColumn::Session, 1, GridColumn::StartTime);
    const GridSelection cells = gridSelectionOf(*view_->selectionModel());
    QCOMPARE(cells.row, 0);
    QCOMPARE(cells.col, int(GridColumn::Session));
    QCOMPARE(cells.rowSel, 1);
    QCOMPARE(cells.colSel, int(GridColumn::StartTime));
    QVERIFY(!view_->selectionModel()->isSelected(model_->index(0, GridColumn::PPMode)));
}

void TestGridView::noColumnFitsTheLargestNumber()
{
    QTableView* numbers = view_->fixedColumnView();
    const int captionWidth = view_->columnWidth(GridColumn::No);

    // A few rows fit under the caption: the width stays as the caption set it.
    show(9);
    QCOMPARE(view_->columnWidth(GridColumn::No), captionWidth);
    QVERIFY(numberShownWhole(*numbers, 8));

    show(32767);
    view_->scrollToBottom();
    QVERIFY(numberShownWhole(*numbers, 32766));
    QVERIFY(numberShownWhole(*numbers, 29999));
    QCOMPARE(numbers->columnWidth(GridColumn::No), view_->columnWidth(GridColumn::No));
    QCOMPARE(numbers->width(), view_->columnWidth(GridColumn::No));

    // A width the user chose is kept, wider or not.
    const int fitted = view_->columnWidth(GridColumn::No);
    QVERIFY(fitted > captionWidth);
    show(3);
    QCOMPARE(view_->columnWidth(GridColumn::No), fitted);
    view_->setColumnWidth(GridColumn::No, fitted + 40);
    show(32767);
    QCOMPARE(view_->columnWidth(GridColumn::No), fitted + 40);
}

QTEST_MAIN(TestGridView)
#include "tst_gridview.moc"
