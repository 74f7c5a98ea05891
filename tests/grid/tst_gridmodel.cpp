#include "grid/baselinegridmodel.h"
#include "grid/gridcolumns.h"
#include "grid/gridtime.h"
#include "document/document.h"
#include "modelbuilder.h"

#include <QSignalSpy>
#include <QTest>

namespace {

struct Row
{
    QString session;
    QString startTime;
    QString startPoint;
};

// One baseline per row, to a point E, each end with a set-up of its own.
ProjectModel modelOf(const QList<Row>& rows)
{
    ModelBuilder b;
    for (const Row& r : rows)
        b.baseline(r.startPoint, "E", {.session = r.session, .startTime = r.startTime, .endTime = r.startTime},
                   OccupationRecord{});
    return b.build();
}

QStringList column(const BaselineGridModel& grid, int c)
{
    QStringList texts;
    for (int r = 0; r < grid.rowCount(); ++r)
        texts << grid.index(r, c).data().toString();
    return texts;
}

} // namespace

class TestGridModel : public QObject
{
    Q_OBJECT

private slots:
    void timeText_data();
    void timeText();
    void fillShowsTheProject();
    void sortsStablyAndNoRestoresOrder_data();
    void sortsStablyAndNoRestoresOrder();
    void switchesFollowTheirRows();
    void timeViewSurvivesFillAndSort();
};

void TestGridModel::timeText_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("utc");
    QTest::addColumn<QString>("japan");
    QTest::newRow("morning") << "2004/10/12 9:05:30" << "04/10/12 09:05:30" << "04/10/12 18:05:30";
    QTest::newRow("across the year") << "2004/12/31 20:00:00" << "04/12/31 20:00:00"
                                     << "05/01/01 05:00:00";
    QTest::newRow("leap day") << "2004/02/28 15:00:00" << "04/02/28 15:00:00"
                              << "04/02/29 00:00:00";
    QTest::newRow("midnight is the date alone") << "2005/01/01" << "05/01/01 00:00:00"
                                                << "05/01/01 09:00:00";
    QTest::newRow("leading zeros") << "2005/01/02 01:00:00" << "05/01/02 01:00:00"
                                   << "05/01/02 10:00:00";
    QTest::newRow("empty") << "" << "" << "";
    QTest::newRow("not a time") << "2005/13/01 1:00:00" << "2005/13/01 1:00:00"
                                << "2005/13/01 1:00:00";
    QTest::newRow("trailing text") << "2005/01/01 1:00:00x" << "2005/01/01 1:00:00x"
                                   << "2005/01/01 1:00:00x";
}

void TestGridModel::timeText()
{
    QFETCH(QString, stored);
    QFETCH(QString, utc);
    QFETCH(QString, japan);
    QCOMPARE(gridTimeText(stored, TimeView::Utc), utc);
    QCOMPARE(gridTimeText(stored, TimeView::Japan), japan);
}

void TestGridModel::fillShowsTheProject()
{
    Document doc;
    ProjectModel m = modelOf({{"1", "2004/10/12 9:05:30", "P1"}, {"2", "", "P2"}});
    m.occupations[1].receiverName = "R1";
    m.baselines[2].startOccupation = 0; // unmatched end
    m.baselines[2].ppMode = "Static";
    doc.adoptImported(m, "/x.xml");
    BaselineGridModel grid(doc);
    grid.FillGrid();

    QCOMPARE(grid.rowCount(), 2);
    QCOMPARE(grid.columnCount(), 20);
    QCOMPARE(column(grid, GridColumn::No), (QStringList{"1", "2"}));
    QCOMPARE(column(grid, GridColumn::SW), (QStringList{"○", "○"}));
    QCOMPARE(column(grid, GridColumn::StartTime), (QStringList{"04/10/12 09:05:30", ""}));
    QCOMPARE(column(grid, GridColumn::StartPointName), (QStringList{"P1", ""}));
    QCOMPARE(column(grid, GridColumn::StartReceiverName), (QStringList{"R1", ""}));
    QCOMPARE(column(grid, GridColumn::PPMode), (QStringList{"", "Static"}));
    QCOMPARE(grid.headerData(GridColumn::StartAntennaName, Qt::Horizontal, Qt::DisplayRole)
                 .toString(),
             QStringLiteral("ｱﾝﾃﾅﾀｲﾌﾟ"));
    QCOMPARE(grid.index(0, 7).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::AlignRight | Qt::AlignVCenter);

    doc.adoptImported(ProjectModel{}, "/empty.xml");
    grid.FillGrid();
    QCOMPARE(grid.rowCount(), 0);
}

void TestGridModel::sortsStablyAndNoRestoresOrder_data()
{
    QTest::addColumn<int>("sortColumn");
    QTest::addColumn<QStringList>("order"); // baseline indices after the sort

    // Sessions A2 A10 A2 b A10 — text order puts A10 before A2 and upper case first;
    // equal sessions keep their order.
    QTest::newRow("session as text") << int(GridColumn::Session)
                                     << QStringList{"2", "5", "1", "3", "4"};
    // The start times as shown: 04/... before 05/..., equal times keep their order.
    QTest::newRow("start time as shown") << int(GridColumn::StartTime)
                                         << QStringList{"4", "5", "1", "3", "2"};
    QTest::newRow("start point") << int(GridColumn::StartPointName)
                                 << QStringList{"3", "1", "2", "4", "5"};
}

void TestGridModel::sortsStablyAndNoRestoresOrder()
{
    QFETCH(int, sortColumn);
    QFETCH(QStringList, order);
    Document doc;
    doc.adoptImported(modelOf({{"A2", "2005/01/01 10:00:00", "P2"},
                               {"A10", "2005/01/02 1:00:00", "P2"},
                               {"A2", "2005/01/01 10:00:00", "P10"},
                               {"b", "2004/12/31 23:00:00", "P2"},
                               {"A10", "2004/12/31 23:00:00", "P3"}}),
                      "/x.xml");
    BaselineGridModel grid(doc);
    grid.FillGrid();
    QSignalSpy layout(&grid, &QAbstractItemModel::layoutChanged);

    grid.sortByColumnText(sortColumn);
    QCOMPARE(column(grid, GridColumn::No), order);
    QCOMPARE(layout.count(), 1);
    // Every row still shows its own baseline.
    for (int r = 0; r < grid.rowCount(); ++r)
        QCOMPARE(grid.cellText(r, GridColumn::Session),
                 doc.model().baselines[grid.baselineAt(r)].session);

    grid.sortByBaselineIndex();
    QCOMPARE(column(grid, GridColumn::No), (QStringList{"1", "2", "3", "4", "5"}));
}

void TestGridModel::switchesFollowTheirRows()
{
    Document doc;
    doc.adoptImported(modelOf({{"B", "", "P"}, {"A", "", "P"}, {"C", "", "P"}}), "/x.xml");
    BaselineGridModel grid(doc);
    grid.FillGrid();

    grid.toggleSwitch(0);
    grid.toggleSwitch(2);
    grid.toggleSwitch(2); // twice is as before
    QCOMPARE(column(grid, GridColumn::SW), (QStringList{"×", "○", "○"}));
    QCOMPARE(grid.switchedOnBaselines(), (QList<int>{2, 3}));

    grid.sortByColumnText(GridColumn::Session); // A B C: baseline 1 moves to row 1
    QCOMPARE(column(grid, GridColumn::SW), (QStringList{"○", "×", "○"}));
    QCOMPARE(grid.switchedOnBaselines(), (QList<int>{2, 3}));

    grid.setAllSwitches(false);
    QVERIFY(grid.switchedOnBaselines().isEmpty());
    grid.setAllSwitches(true);
    grid.toggleSwitch(1);
    grid.FillGrid(); // a rebuild switches every baseline on again
    QCOMPARE(column(grid, GridColumn::SW), (QStringList{"○", "○", "○"}));
}

void TestGridModel::timeViewSurvivesFillAndSort()
{
    Document doc;
    doc.adoptImported(modelOf({{"2", "2004/12/31 20:00:00", "P"}, {"1", "2005/01/01 1:00:00", "P"}}),
                      "/x.xml");
    BaselineGridModel grid(doc);
    grid.FillGrid();

    grid.setTimeView(TimeView::Japan);
    grid.setTimeView(TimeView::Japan); // recomputed from the stored text, not added twice
    QCOMPARE(column(grid, GridColumn::StartTime),
             (QStringList{"05/01/01 05:00:00", "05/01/01 10:00:00"}));

    grid.FillGrid();
    QCOMPARE(column(grid, GridColumn::EndTime),
             (QStringList{"05/01/01 05:00:00", "05/01/01 10:00:00"}));

    grid.sortByColumnText(GridColumn::Session);
    QCOMPARE(column(grid, GridColumn::StartTime),
             (QStringList{"05/01/01 10:00:00", "05/01/01 05:00:00"}));

    grid.setTimeView(TimeView::Utc);
    QCOMPARE(column(grid, GridColumn::StartTime),
             (QStringList{"05/01/01 01:00:00", "04/12/31 20:00:00"}));
}

QTEST_GUILESS_MAIN(TestGridModel)
#include "tst_gridmodel.moc"
