#include "document/document.h"
#include "document/documentview.h"
#include "modelbuilder.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

// Three baselines; baseline 3 has an unmatched end.
ProjectModel network()
{
    ModelBuilder b;
    b.baseline("K01", "K02", {.session = "A", .minSVs = "4", .minElevation = "15"});
    b.baseline("K02", "K03", {.session = "A", .minSVs = "4", .minElevation = "15"});
    b.baseline("K03", "", {.session = "B", .minSVs = "5", .minElevation = "15"});
    return b.build();
}

class SaveAsView : public DocumentView
{
public:
    QString fileName;
    SaveAnswer askSaveChanges() override { return SaveAnswer::Cancel; }
    QString askSaveFileName() override { return fileName; }
    void showOutcome(const Outcome&) override {}
};

using Edit = std::function<void(Document&)>;

} // namespace

class TestUndo : public QObject
{
    Q_OBJECT

private slots:
    void everyEditUndoesAndRedoes_data();
    void everyEditUndoesAndRedoes();
    void savingMarksTheStackClean();
    void pointEditIsOneStep();
    void openingAnotherProjectForgetsTheHistory();
    void noticeNamesTheCellsThatChanged();
};

void TestUndo::everyEditUndoesAndRedoes_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("undoText");
    QTest::newRow("cell, receiver of the start end")
        << Edit([](Document& d) { QVERIFY(d.UpdateCellData(ProjectField::StartReceiverName, {1, 2}, "NEW")); })
        << "ｾﾙ編集";
    QTest::newRow("cell, minimum satellites")
        << Edit([](Document& d) { QVERIFY(d.UpdateCellData(ProjectField::MinSVs, {3}, "6")); })
        << "ｾﾙ編集";
    QTest::newRow("point number")
        << Edit([](Document& d) { QCOMPARE(d.UpdatePointName("K02", "K2"), 2); }) << "点番号の変更";
    QTest::newRow("point name")
        << Edit([](Document& d) { QCOMPARE(d.UpdatePtCode("K03", "三"), 2); }) << "点名称の変更";
    QTest::newRow("receiver name")
        << Edit([](Document& d) { QCOMPARE(d.UpdateReceiverName("RCV", "GR"), 5); }) << "受信機名称の変更";
    QTest::newRow("receiver serial")
        << Edit([](Document& d) { QCOMPARE(d.UpdateReceiverSN("R1", "9"), 5); }) << "受信機番号の変更";
    QTest::newRow("antenna type")
        << Edit([](Document& d) { QCOMPARE(d.UpdateAntennaType("ANT", "X"), 5); }) << "ｱﾝﾃﾅﾀｲﾌﾟの変更";
    QTest::newRow("antenna serial")
        << Edit([](Document& d) { QCOMPARE(d.UpdateAntennaSN("A1", "7"), 5); }) << "ｱﾝﾃﾅ番号の変更";
    QTest::newRow("session")
        << Edit([](Document& d) { QCOMPARE(d.ChangeSessionData({2, 3}, "C"), 2); }) << "ｾｯｼｮﾝ名の変更";
    QTest::newRow("common data")
        << Edit([](Document& d) {
               d.UpdateCommonData({.interval = "15", .minElevation = "10", .ephType = "精密暦", .daen = "WGS84"});
           })
        << "共通ﾃﾞｰﾀの変更";
}

void TestUndo::everyEditUndoesAndRedoes()
{
    QFETCH(Edit, edit);
    QFETCH(QString, undoText);
    Document doc;
    doc.adoptImported(network(), "/x/survey.xml");
    const ProjectModel original = doc.model();

    edit(doc);
    const ProjectModel edited = doc.model();
    QVERIFY(!(edited == original));
    QVERIFY(doc.modified());
    QCOMPARE(doc.undoStack().undoText(), undoText);
    // Element 0 stands for "no set-up" and never takes a value, not even by undo.
    QCOMPARE(doc.model().occupations[0], OccupationRecord{});

    doc.undoStack().undo();
    QVERIFY(doc.model() == original);
    QVERIFY(!doc.modified());

    doc.undoStack().redo();
    QVERIFY(doc.model() == edited);
    QVERIFY(doc.modified());
    QCOMPARE(doc.model().occupations[0], OccupationRecord{});
}

void TestUndo::savingMarksTheStackClean()
{
    QTemporaryDir dir;
    SaveAsView view;
    view.fileName = dir.filePath("p.dat");
    Document doc;
    doc.setView(&view);
    doc.adoptImported(network(), "/x/survey.xml");
    QSignalSpy state(&doc, &Document::stateChanged);

    doc.ChangeSessionData({1}, "S1");
    QVERIFY(doc.modified());
    doc.saveAsCommand();
    QVERIFY(!doc.modified());
    const ProjectModel saved = doc.model();

    // Away from the saved state and back again: modified follows.
    doc.ChangeSessionData({1}, "S2");
    QVERIFY(doc.modified());
    doc.undoStack().undo();
    QVERIFY(!doc.modified());
    QVERIFY(doc.model() == saved);
    // Undoing past the save changes the project against its file.
    doc.undoStack().undo();
    QVERIFY(doc.modified());
    QCOMPARE(doc.model().baselines[1].session, QStringLiteral("A"));
    QVERIFY(state.count() >= 4);
}

void TestUndo::pointEditIsOneStep()
{
    Document doc;
    doc.adoptImported(network(), "/x/survey.xml");
    const ProjectModel original = doc.model();
    // Name first, then number: both find the set-ups by the number as it was.
    doc.UpdatePoint("K02", QStringLiteral("K2"), QStringLiteral("二"));
    QCOMPARE(doc.model().occupations[2].pointName, QStringLiteral("K2"));
    QCOMPARE(doc.model().occupations[2].ptCode, QStringLiteral("二"));
    QCOMPARE(doc.undoStack().count(), 1);
    doc.undoStack().undo();
    QVERIFY(doc.model() == original);
}

void TestUndo::openingAnotherProjectForgetsTheHistory()
{
    Document doc;
    doc.adoptImported(network(), "/x/survey.xml");
    doc.ChangeSessionData({1}, "Z");
    QVERIFY(doc.undoStack().canUndo());
    doc.adoptImported(network(), "/x/other.xml");
    QVERIFY(!doc.undoStack().canUndo());
    QVERIFY(!doc.modified());
    // Nothing of the old project can be undone into the new one.
    doc.undoStack().undo();
    QCOMPARE(doc.model().baselines[1].session, QStringLiteral("A"));
}

void TestUndo::noticeNamesTheCellsThatChanged()
{
    Document doc;
    doc.adoptImported(network(), "/x/survey.xml");
    QSignalSpy edited(&doc, &Document::projectEdited);

    // K02 is the end of baseline 1 and the start of baseline 2.
    doc.UpdatePointName("K02", "K2");
    QCOMPARE(edited.count(), 1);
    const auto change = edited.takeFirst().first().value<ProjectChange>();
    QCOMPARE(change.baselines, (QList<int>{1, 2}));
    QCOMPARE(change.fields, (QSet<ProjectField>{ProjectField::EndPointName, ProjectField::StartPointName}));

    // Undo announces the same cells.
    doc.undoStack().undo();
    QCOMPARE(edited.takeFirst().first().value<ProjectChange>(), change);

    doc.UpdateCommonData({.interval = "1", .minElevation = "5", .ephType = "", .daen = ""});
    const auto common = edited.takeFirst().first().value<ProjectChange>();
    QCOMPARE(common.baselines, (QList<int>{1, 2, 3}));
    QCOMPARE(common.fields, (QSet<ProjectField>{ProjectField::MinElevation, ProjectField::CommonData}));
}

QTEST_GUILESS_MAIN(TestUndo)
#include "tst_undo.moc"
