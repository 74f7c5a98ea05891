#include "document/document.h"
#include "model/valuespresent.h"

#include <QSignalSpy>
#include <QTest>

namespace {

using Field = QString OccupationRecord::*;
using Update = int (Document::*)(const QString&, const QString&);

struct Equipment
{
    Field field;
    Update update;
};

const Equipment equipment[] = {
    {&OccupationRecord::receiverName, &Document::UpdateReceiverName},
    {&OccupationRecord::receiverSN, &Document::UpdateReceiverSN},
    {&OccupationRecord::antennaName, &Document::UpdateAntennaType},
    {&OccupationRecord::antennaSN, &Document::UpdateAntennaSN},
};

// Set-ups as an import leaves them: every baseline end with a record of its own.
//   baseline 1: P1 (1) - P2 (2)
//   baseline 2: P2 (3) - P1 (4)     P2 again, under another name
//   baseline 3: p1 (5) - unmatched end, an empty copy of element 0 (6)
//   baseline 4: P4 (7) - P4 (8)     the same point at both ends
//   baseline 5: P3 (9) - index 0    an end that never found a set-up
//   occupation 10: P5, used by no baseline
// Each equipment field holds X1 in 1, 4 and 10, X2 in 2 and 3, x1 in 5, nothing in 6.
ProjectModel survey()
{
    ProjectModel m;
    const QList<std::pair<const char*, const char*>> points{
        {"P1", "一"}, {"P2", "二"}, {"P2", "ﾆ"}, {"P1", "一"}, {"p1", "小一"},
        {"", ""},     {"P4", "四"}, {"P4", "四"}, {"P3", "三"}, {"P5", "五"}};
    const QStringList values{"X1", "X2", "X2", "X1", "x1", "", "X4", "X4", "X3", "X1"};
    for (int i = 0; i < points.size(); ++i) {
        OccupationRecord o{.pointName = QString::fromUtf8(points[i].first),
                           .ptCode = QString::fromUtf8(points[i].second),
                           .antennaHeight = "1.5"};
        for (const Equipment& e : equipment)
            o.*e.field = values[i];
        m.occupations.append(o);
    }
    const QList<std::pair<int, int>> ends{{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 0}};
    for (const auto& [s, e] : ends)
        m.baselines.append(BaselineRecord{.session = "1", .startOccupation = s,
                                          .endOccupation = e, .minElevation = "15"});
    m.common = {.interval = "30", .minSVs = "4", .ephType = "放送暦", .daen = "GRS80",
                .frequency = "L1", .ppMode = "Static"};
    return m;
}

// The point number, as the grid shows it, of both ends of every baseline.
QStringList shownNumbers(const ProjectModel& m)
{
    QStringList shown;
    for (int b = 1; b <= m.baselineCount(); ++b)
        shown << m.startOccupationOf(m.baselines[b]).pointName + "-" +
                     m.endOccupationOf(m.baselines[b]).pointName;
    return shown;
}

} // namespace

class TestDocumentEditors : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void equipmentReplacedByValue_data();
    void equipmentReplacedByValue();
    void emptyOldValueLeavesElementZeroAlone();
    void valueNobodyHoldsStillMarksModified();
    void pointNumberAtBothEnds();
    void pointNumberAndNameTogether_data();
    void pointNumberAndNameTogether();
    void sessionOfListedBaselines();
    void commonDataMarksModified();

private:
    std::unique_ptr<Document> doc_;
};

void TestDocumentEditors::init()
{
    doc_ = std::make_unique<Document>();
    doc_->adoptImported(survey(), "/x/survey.xml");
    QVERIFY(!doc_->modified());
}

void TestDocumentEditors::equipmentReplacedByValue_data()
{
    QTest::addColumn<int>("which");
    QTest::newRow("UpdateReceiverName") << 0;
    QTest::newRow("UpdateReceiverSN") << 1;
    QTest::newRow("UpdateAntennaType") << 2;
    QTest::newRow("UpdateAntennaSN") << 3;
}

void TestDocumentEditors::equipmentReplacedByValue()
{
    QFETCH(int, which);
    const Equipment& e = equipment[which];
    QSignalSpy edited(doc_.get(), &Document::projectEdited);
    const ProjectModel before = doc_->model();
    QCOMPARE(ValuesPresent(before, e.field), (QStringList{"X1", "X2", "x1", "", "X4", "X3"}));

    // X1 → X2 while another set-up already holds X2: both merge into one entry. The
    // set-up no baseline uses changes too; the lower-case x1 does not.
    QCOMPARE(((*doc_).*e.update)("X1", "X2"), 3);

    ProjectModel expected = before;
    for (int i : {1, 4, 10})
        expected.occupations[i].*e.field = "X2";
    QVERIFY(doc_->model() == expected);
    QCOMPARE(ValuesPresent(doc_->model(), e.field), (QStringList{"X2", "x1", "", "X4", "X3"}));
    QVERIFY(doc_->modified());
    QCOMPARE(edited.count(), 1);
}

void TestDocumentEditors::emptyOldValueLeavesElementZeroAlone()
{
    // The empty copy at the end of baseline 3 is a record of its own and takes the new
    // value; the end of baseline 5, which refers to element 0, keeps showing nothing.
    QCOMPARE(doc_->UpdateReceiverName("", "R9"), 1);
    const ProjectModel& m = doc_->model();
    QCOMPARE(m.occupations[6].receiverName, QStringLiteral("R9"));
    QCOMPARE(m.endOccupationOf(m.baselines[5]).receiverName, QString());
    QCOMPARE(m.occupations[0], OccupationRecord{});

    QCOMPARE(doc_->UpdatePointName("", "P6"), 1);
    QCOMPARE(shownNumbers(m), (QStringList{"P1-P2", "P2-P1", "p1-P6", "P4-P4", "P3-"}));
    QCOMPARE(doc_->model().occupations[0], OccupationRecord{});
}

void TestDocumentEditors::valueNobodyHoldsStillMarksModified()
{
    const ProjectModel before = doc_->model();
    QCOMPARE(doc_->UpdateAntennaSN("nothing", "X"), 0);
    QCOMPARE(doc_->UpdatePtCode("P9", "X"), 0);
    QVERIFY(doc_->model() == before);
    QVERIFY(doc_->modified());
}

void TestDocumentEditors::pointNumberAtBothEnds()
{
    QCOMPARE(doc_->UpdatePointName("P4", "Q4"), 2);
    QCOMPARE(doc_->UpdatePointName("P1", "Q1"), 2);
    QCOMPARE(shownNumbers(doc_->model()),
             (QStringList{"Q1-P2", "P2-Q1", "p1-", "Q4-Q4", "P3-"}));
    QVERIFY(doc_->modified());

    // A number may become one that exists: the two points are then listed as one.
    QCOMPARE(doc_->UpdatePointName("Q1", "P2"), 2);
    QCOMPARE(PointsPresent(doc_->model()).first(), (PresentPoint{"P2", "一"}));
}

void TestDocumentEditors::pointNumberAndNameTogether_data()
{
    QTest::addColumn<bool>("changeNumber");
    QTest::addColumn<bool>("changeName");
    QTest::addColumn<QStringList>("numbers"); // of set-ups 1 to 4
    QTest::addColumn<QStringList>("names");

    const QStringList numbers{"P1", "P2", "P2", "P1"};
    const QStringList names{"一", "二", "ﾆ", "一"};
    QTest::newRow("both") << true << true << QStringList{"P1", "Q2", "Q2", "P1"}
                          << QStringList{"一", "新二", "新二", "一"};
    QTest::newRow("number only") << true << false << QStringList{"P1", "Q2", "Q2", "P1"}
                                 << names;
    QTest::newRow("name only") << false << true << numbers
                               << QStringList{"一", "新二", "新二", "一"};
    QTest::newRow("neither") << false << false << numbers << names;
}

void TestDocumentEditors::pointNumberAndNameTogether()
{
    QFETCH(bool, changeNumber);
    QFETCH(bool, changeName);
    QFETCH(QStringList, numbers);
    QFETCH(QStringList, names);

    // Chosen by the number before the change: P2, whose two set-ups disagree on the name.
    doc_->UpdatePoint("P2", changeNumber ? std::optional<QString>("Q2") : std::nullopt,
                      changeName ? std::optional<QString>("新二") : std::nullopt);
    QStringList gotNumbers, gotNames;
    for (int i = 1; i <= 4; ++i) {
        gotNumbers << doc_->model().occupations[i].pointName;
        gotNames << doc_->model().occupations[i].ptCode;
    }
    QCOMPARE(gotNumbers, numbers);
    QCOMPARE(gotNames, names);
    QCOMPARE(doc_->modified(), changeNumber || changeName);
}

void TestDocumentEditors::sessionOfListedBaselines()
{
    QSignalSpy edited(doc_.get(), &Document::projectEdited);
    // Indices left over from a longer project are skipped.
    QCOMPARE(doc_->ChangeSessionData({4, 2, 0, 6}, "B"), 2);
    QStringList sessions;
    for (int b = 1; b <= doc_->model().baselineCount(); ++b)
        sessions << doc_->model().baselines[b].session;
    QCOMPARE(sessions, (QStringList{"1", "B", "1", "B", "1"}));
    QVERIFY(doc_->modified());
    QCOMPARE(edited.count(), 1);
}

void TestDocumentEditors::commonDataMarksModified()
{
    ProjectModel expected = doc_->model();
    doc_->UpdateCommonData(
        {.interval = "15", .minElevation = "", .ephType = "精密暦", .daen = "Bessel"});

    expected.common.interval = "15";
    expected.common.ephType = "精密暦";
    expected.common.daen = "Bessel";
    for (int b = 1; b <= expected.baselineCount(); ++b)
        expected.baselines[b].minElevation = "";
    QVERIFY(doc_->model() == expected);
    QVERIFY(expected.baselines[0].minElevation.isEmpty());
    // Common data is saved with the project, so the save question must ask.
    QVERIFY(doc_->modified());
}

QTEST_GUILESS_MAIN(TestDocumentEditors)
#include "tst_documenteditors.moc"
