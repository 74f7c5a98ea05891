#include "document/document.h"
#include "modelbuilder.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Three baselines, each end with its own occupation (1-2, 3-4, 5), all of the same
// equipment, except that the end of baseline 3 is unmatched (occupation 0); occupation
// 6 belongs to no baseline.
ProjectModel threeBaselines()
{
    const BaselineRecord fields{.session = "1", .minSVs = "4", .frequency = "L1", .ppMode = "Static"};
    const OccupationRecord setup{.receiverName = "R", .receiverSN = "RS", .antennaName = "A",
                                 .antennaSN = "AS"};
    ModelBuilder b;
    b.baseline("P1", "P2", fields, setup).baseline("P3", "P4", fields, setup).baseline("P5", "", fields, setup);
    OccupationRecord unused = setup;
    unused.pointName = "P6";
    b.occupation(unused);
    return b.build();
}

// Every text a grid column 9..19 shows, for one baseline.
QStringList shownFields(const ProjectModel& m, int b)
{
    const BaselineRecord& r = m.baselines[b];
    const OccupationRecord& s = m.startOccupationOf(r);
    const OccupationRecord& e = m.endOccupationOf(r);
    return {s.receiverName, s.receiverSN, s.antennaName, s.antennaSN,
            e.receiverName, e.receiverSN, e.antennaName, e.antennaSN,
            r.minSVs, r.frequency, r.ppMode};
}

} // namespace

class TestCellEdit : public QObject
{
    Q_OBJECT

private slots:
    void changesItsField_data();
    void changesItsField();
    void otherFieldsChangeNothing_data();
    void otherFieldsChangeNothing();
    void unmatchedEndKeepsElementZeroEmpty();
};

// The fields the cell editor changes, in the order shownFields lists them.
constexpr ProjectField cellFields[] = {
    ProjectField::StartReceiverName, ProjectField::StartReceiverSN, ProjectField::StartAntennaName,
    ProjectField::StartAntennaSN,    ProjectField::EndReceiverName, ProjectField::EndReceiverSN,
    ProjectField::EndAntennaName,    ProjectField::EndAntennaSN,    ProjectField::MinSVs,
    ProjectField::Frequency,         ProjectField::PpMode,
};

void TestCellEdit::changesItsField_data()
{
    QTest::addColumn<ProjectField>("field");
    QTest::addColumn<int>("position");
    for (int i = 0; i < int(std::size(cellFields)); ++i)
        QTest::addRow("field %d", i) << cellFields[i] << i;
}

void TestCellEdit::changesItsField()
{
    QFETCH(ProjectField, field);
    QFETCH(int, position);
    Document doc;
    doc.adoptImported(threeBaselines(), "/x/survey.xml");
    const ProjectModel before = doc.model();
    QSignalSpy edited(&doc, &Document::projectEdited);

    QVERIFY(doc.UpdateCellData(field, {2, 1}, QStringLiteral("新")));

    // Baselines 1 and 2 show the new text in that column and nowhere else; baseline 3
    // and the records no baseline end refers to are untouched.
    for (int b = 1; b <= 3; ++b) {
        QStringList expected = shownFields(before, b);
        if (b != 3)
            expected[position] = QStringLiteral("新");
        QCOMPARE(shownFields(doc.model(), b), expected);
    }
    QCOMPARE(doc.model().occupations[0], OccupationRecord{});
    // The edit must not be lost without the save question.
    QVERIFY(doc.modified());
    QCOMPARE(edited.count(), 1);
    const auto change = edited.first().first().value<ProjectChange>();
    QCOMPARE(change.baselines, (QList<int>{1, 2}));
    QCOMPARE(change.fields, QSet<ProjectField>{field});
}

void TestCellEdit::otherFieldsChangeNothing_data()
{
    QTest::addColumn<ProjectField>("field");
    QTest::newRow("session") << ProjectField::Session;
    QTest::newRow("start time") << ProjectField::StartTime;
    QTest::newRow("point number") << ProjectField::StartPointName;
    QTest::newRow("point name") << ProjectField::EndPtCode;
    QTest::newRow("elevation mask") << ProjectField::MinElevation;
    QTest::newRow("common data") << ProjectField::CommonData;
}

void TestCellEdit::otherFieldsChangeNothing()
{
    QFETCH(ProjectField, field);
    Document doc;
    doc.adoptImported(threeBaselines(), "/x/survey.xml");
    const ProjectModel before = doc.model();
    QSignalSpy edited(&doc, &Document::projectEdited);

    QVERIFY(!doc.UpdateCellData(field, {1, 2, 3}, QStringLiteral("X")));
    QVERIFY(doc.model() == before);
    QVERIFY(!doc.modified());
    QCOMPARE(edited.count(), 0);
}

void TestCellEdit::unmatchedEndKeepsElementZeroEmpty()
{
    Document doc;
    doc.adoptImported(threeBaselines(), "/x/survey.xml");
    const ProjectModel before = doc.model();

    // Baseline 3 has no end occupation, and 0 and 4 are no baselines: nothing to write.
    QVERIFY(!doc.UpdateCellData(ProjectField::EndReceiverName, {3, 0, 4}, QStringLiteral("X")));
    QVERIFY(doc.model() == before);
    QVERIFY(!doc.modified());

    // Its start end has an occupation of its own.
    QVERIFY(doc.UpdateCellData(ProjectField::StartReceiverName, {3}, QStringLiteral("X")));
    QCOMPARE(doc.model().occupations[5].receiverName, QStringLiteral("X"));
    QCOMPARE(doc.model().occupations[0], OccupationRecord{});
}

QTEST_GUILESS_MAIN(TestCellEdit)
#include "tst_celledit.moc"
