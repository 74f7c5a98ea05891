#include "document/commondataedit.h"
#include "grid/sessionselection.h"
#include "model/valuespresent.h"
#include "model/wholenumbertext.h"

#include <QTest>

class TestEditorHelpers : public QObject
{
    Q_OBJECT

private slots:
    void wholeNumberText_data();
    void wholeNumberText();
    void numberBoxGivesBackStoredTextUntilEdited_data();
    void numberBoxGivesBackStoredTextUntilEdited();
    void storedCommonDataOfAProject();
    void valuesPresentInOrderOfFirstAppearance();
    void pointsPresentWithTheFirstName();
    void sessionSelection_data();
    void sessionSelection();
};

void TestEditorHelpers::wholeNumberText_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");

    QTest::newRow("whole") << "30" << "30";
    QTest::newRow("decimal zero") << "30.0" << "30";
    QTest::newRow("zero is empty") << "0" << "";
    QTest::newRow("zero with decimals") << "0.00" << "";
    QTest::newRow("rounds to zero") << "0.4" << "";
    QTest::newRow("negative rounding to zero") << "-0.4" << "";
    QTest::newRow("half away from zero") << "2.5" << "3";
    QTest::newRow("negative half away from zero") << "-2.5" << "-3";
    QTest::newRow("below half") << "14.49" << "14";
    QTest::newRow("leading zeros") << "015" << "15";
    QTest::newRow("plus sign") << "+5" << "5";
    QTest::newRow("fraction only") << ".6" << "1";
    QTest::newRow("exponent") << "1.5e1" << "15";
    QTest::newRow("blanks around") << " 15 " << "15";
    QTest::newRow("large") << "123456789012" << "123456789012";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("word") << "GRS80" << "GRS80";
    QTest::newRow("unit") << "30s" << "30s";
    QTest::newRow("thousands separator") << "1,000" << "1,000";
    QTest::newRow("infinity") << "inf" << "inf";
    QTest::newRow("overflow") << "1e999" << "1e999";
    QTest::newRow("sign alone") << "-" << "-";
    QTest::newRow("point alone") << "." << ".";
    QTest::newRow("exponent without digits") << "1e" << "1e";
}

void TestEditorHelpers::wholeNumberText()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QCOMPARE(WholeNumberText(stored), shown);
}

void TestEditorHelpers::numberBoxGivesBackStoredTextUntilEdited_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("result");

    QTest::newRow("untouched fraction") << "0.2" << "" << "0.2";
    QTest::newRow("untouched decimal") << "15.5" << "16" << "15.5";
    QTest::newRow("untouched text") << "abc" << "abc" << "abc";
    QTest::newRow("typed") << "15.5" << "20" << "20";
    QTest::newRow("cleared") << "30" << "" << "";
    QTest::newRow("typed into empty") << "" << "5" << "5";
}

void TestEditorHelpers::numberBoxGivesBackStoredTextUntilEdited()
{
    QFETCH(QString, stored);
    QFETCH(QString, box);
    QFETCH(QString, result);
    QCOMPARE(NumberBoxResult(stored, box), result);
}

void TestEditorHelpers::storedCommonDataOfAProject()
{
    ProjectModel m;
    m.common = {.interval = "30.0", .minElevation = "10", .minSVs = "4", .ephType = "放送暦",
                .daen = "GRS80"};
    QCOMPARE(StoredCommonData(m).minElevation, QString()); // no baseline to show

    m.baselines.append(BaselineRecord{.minElevation = "15"});
    m.baselines.append(BaselineRecord{.minElevation = "20"});
    // The mask shown is that of baseline 1, not the project's own field.
    QCOMPARE(StoredCommonData(m),
             (CommonDataEdit{.interval = "30.0", .minElevation = "15", .ephType = "放送暦",
                             .daen = "GRS80"}));
}

void TestEditorHelpers::valuesPresentInOrderOfFirstAppearance()
{
    ProjectModel m;
    m.occupations[0].receiverName = "never listed";
    for (const char* r : {"R2", "R1", "R2", "", "r1", "R1", ""})
        m.occupations.append(OccupationRecord{.receiverName = QString::fromUtf8(r)});
    QCOMPARE(ValuesPresent(m, &OccupationRecord::receiverName),
             (QStringList{"R2", "R1", "", "r1"}));
    QCOMPARE(ValuesPresent(m, &OccupationRecord::antennaSN), QStringList{""});
    QCOMPARE(ValuesPresent(ProjectModel{}, &OccupationRecord::antennaSN), QStringList{});
}

void TestEditorHelpers::pointsPresentWithTheFirstName()
{
    ProjectModel m;
    m.occupations.append(OccupationRecord{.pointName = "P2", .ptCode = "二"});
    m.occupations.append(OccupationRecord{.pointName = "P1", .ptCode = "一"});
    m.occupations.append(OccupationRecord{.pointName = "P2", .ptCode = "ﾆ"});
    m.occupations.append(OccupationRecord{.pointName = "p2", .ptCode = "小"});
    QCOMPARE(PointsPresent(m), (QList<PresentPoint>{{"P2", "二"}, {"P1", "一"}, {"p2", "小"}}));
}

void TestEditorHelpers::sessionSelection_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("colSel");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("session column") << 2 << 2 << true;
    QTest::newRow("from session into others") << 2 << 9 << true;
    QTest::newRow("from session leftwards") << 2 << 0 << true;
    QTest::newRow("switch to 16") << 1 << 16 << true;
    QTest::newRow("whole rows, switch to 19") << 1 << 19 << true;
    QTest::newRow("switch alone") << 1 << 1 << false;
    QTest::newRow("switch to 15") << 1 << 15 << false;
    QTest::newRow("switch to session") << 1 << 2 << false;
    QTest::newRow("ending in the session column") << 5 << 2 << false;
    QTest::newRow("from 16 back to switch") << 16 << 1 << false;
    QTest::newRow("No column") << 0 << 19 << false;
    QTest::newRow("receiver") << 9 << 9 << false;
}

void TestEditorHelpers::sessionSelection()
{
    QFETCH(int, col);
    QFETCH(int, colSel);
    QFETCH(bool, accepted);
    QCOMPARE(SessionSelectionAccepted(col, colSel), accepted);
}

QTEST_APPLESS_MAIN(TestEditorHelpers)
#include "tst_editorhelpers.moc"
