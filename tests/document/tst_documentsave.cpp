#include "document/document.h"
#include "project/projectfile.h"
#include "modelbuilder.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Answers the Document's questions from prepared lists and records what it was asked.
class FakeView : public DocumentView
{
public:
    QList<SaveAnswer> answers;
    QStringList fileNames;
    int questions = 0;
    int dialogs = 0;
    QList<Outcome> shown;

    SaveAnswer askSaveChanges() override
    {
        ++questions;
        return answers.isEmpty() ? SaveAnswer::Cancel : answers.takeFirst();
    }
    QString askSaveFileName() override
    {
        ++dialogs;
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
    void showOutcome(const Outcome& outcome) override { shown << outcome; }
};

// Two baselines, P1-Q1 and P2-Q2, of one session, on set-ups without equipment.
ProjectModel twoBaselines(const QString& session = QStringLiteral("S1"))
{
    ModelBuilder b;
    b.baseline("P1", "Q1", {.session = session}, {}).baseline("P2", "Q2", {.session = session}, {});
    b.model().swProgram = QStringLiteral("Trimble Total Control 2.71");
    return b.build();
}

// An edit that leaves every text as it was, yet counts as a change: the project is
// modified without a visible difference, so file contents stay comparable.
void makeModified(Document& doc)
{
    doc.UpdateCommonData(StoredCommonData(doc.model()));
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QByteArray encoded(const ProjectModel& model)
{
    QByteArray bytes;
    if (!EncodeProjectFile(model, bytes))
        qFatal("encoding refused");
    return bytes;
}

struct State
{
    bool modified;
    bool notYetSaved;
    QString projectFileName;
    QString shownPath;
};

State stateOf(const Document& d)
{
    return {d.modified(), d.notYetSaved(), d.projectFileName(), d.shownPath()};
}

void compareState(const Document& d, const State& s)
{
    QCOMPARE(d.modified(), s.modified);
    QCOMPARE(d.notYetSaved(), s.notYetSaved);
    QCOMPARE(d.projectFileName(), s.projectFileName);
    QCOMPARE(d.shownPath(), s.shownPath);
}

} // namespace

class TestDocumentSave : public QObject
{
    Q_OBJECT

private slots:
    void querySaveChanges_data();
    void querySaveChanges();
    void saveAsksForANameOnceThenOverwrites();
    void failedSaveKeepsTheProjectModified();
    void saveCommandsNeedBaselines();
    void openProjectFileMakesItTheProject();
    void refusedProjectFileChangesNothing();
    void importAfterOpenAsksForANewName();
};

void TestDocumentSave::querySaveChanges_data()
{
    QTest::addColumn<bool>("saved");      // the project has a project file already
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");      // DocumentView::SaveAnswer
    QTest::addColumn<QString>("chosen");  // the save dialog's answer, relative to a temp dir
    QTest::addColumn<bool>("goOn");
    QTest::addColumn<bool>("written");
    QTest::addColumn<int>("dialogs");

    using A = DocumentView::SaveAnswer;
    QTest::newRow("unchanged: no question") << false << false << int(A::Cancel) << "" << true << false << 0;
    QTest::newRow("no") << false << true << int(A::No) << "" << true << false << 0;
    QTest::newRow("cancel") << false << true << int(A::Cancel) << "" << false << false << 0;
    QTest::newRow("yes, not yet saved, named") << false << true << int(A::Yes) << "new.dat" << true << true << 1;
    QTest::newRow("yes, dialog cancelled") << false << true << int(A::Yes) << "" << false << false << 1;
    QTest::newRow("yes, save fails") << false << true << int(A::Yes) << "missing/dir/new.dat" << false << false << 1;
    QTest::newRow("yes, overwrites its file") << true << true << int(A::Yes) << "" << true << true << 0;
}

void TestDocumentSave::querySaveChanges()
{
    QFETCH(bool, saved);
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(QString, chosen);
    QFETCH(bool, goOn);
    QFETCH(bool, written);
    QFETCH(int, dialogs);

    QTemporaryDir dir;
    FakeView view;
    Document doc;
    doc.setView(&view);
    doc.adoptImported(twoBaselines(), dir.filePath("survey.xml"));
    const QString existing = dir.filePath("old.dat");
    if (saved) {
        view.fileNames << existing;
        doc.saveAsCommand();
        QVERIFY(!doc.notYetSaved());
        view.dialogs = 0;
    }
    if (modified)
        makeModified(doc);
    const QByteArray before = readAll(existing);
    const State stateBefore = stateOf(doc);

    view.answers << DocumentView::SaveAnswer(answer);
    if (!chosen.isEmpty())
        view.fileNames << dir.filePath(chosen);

    QCOMPARE(doc.querySaveChanges(), goOn);
    QCOMPARE(view.questions, modified ? 1 : 0);
    QCOMPARE(view.dialogs, dialogs);

    const QString target = saved ? existing : dir.filePath(chosen);
    if (written) {
        QCOMPARE(readAll(target), encoded(doc.model()));
        QVERIFY(!doc.modified());
        QCOMPARE(doc.projectFileName(), target);
        QVERIFY(!doc.notYetSaved());
        QVERIFY(view.shown.isEmpty());
    } else {
        compareState(doc, stateBefore);
        QCOMPARE(readAll(existing), before);
        if (!chosen.isEmpty())
            QVERIFY(!QFile::exists(target));
        // A failed save says so; a cancelled one does not.
        QCOMPARE(view.shown.size(), chosen.isEmpty() ? 0 : 1);
    }
}

void TestDocumentSave::saveAsksForANameOnceThenOverwrites()
{
    QTemporaryDir dir;
    FakeView view;
    Document doc;
    doc.setView(&view);
    doc.adoptImported(twoBaselines(), dir.filePath("survey.xml"));
    QSignalSpy stateChanged(&doc, &Document::stateChanged);

    const QString path = dir.filePath("survey.dat");
    view.fileNames << path;
    doc.saveCommand(); // never saved: behaves as save-as
    QCOMPARE(view.dialogs, 1);
    compareState(doc, {false, false, path, path});
    QVERIFY(doc.caption().endsWith(QStringLiteral(" - ") + path));
    QVERIFY(stateChanged.count() >= 1);

    // An edit, then 上書き保存 writes to the same file without asking.
    QVERIFY(QFile::remove(path));
    makeModified(doc);
    QVERIFY(doc.modified());
    const QString captionBefore = doc.caption();
    doc.saveCommand();
    QCOMPARE(view.dialogs, 1);
    QVERIFY(!doc.modified());
    QCOMPARE(doc.caption(), captionBefore);
    QCOMPARE(readAll(path), encoded(doc.model()));

    // 名前を付けて保存 moves the project to the new name.
    const QString other = dir.filePath("copy.dat");
    view.fileNames << other;
    doc.saveAsCommand();
    compareState(doc, {false, false, other, other});
    QCOMPARE(readAll(other), readAll(path));
}

void TestDocumentSave::failedSaveKeepsTheProjectModified()
{
    QTemporaryDir dir;
    FakeView view;
    Document doc;
    doc.setView(&view);
    const QString path = dir.filePath("survey.dat");
    view.fileNames << path;
    doc.adoptImported(twoBaselines(), dir.filePath("survey.xml"));
    doc.saveAsCommand();
    const QByteArray onDisk = readAll(path);
    QVERIFY(!onDisk.isEmpty());

    // A text the file cannot hold: the save is refused with a message, the file on
    // disk stays as it was, and the question does not let the caller go on.
    ProjectModel bad = twoBaselines(QStringLiteral("한국"));
    doc.adoptImported(bad, dir.filePath("survey.xml"));
    view.fileNames << path;
    makeModified(doc);
    view.answers << DocumentView::SaveAnswer::Yes;
    QVERIFY(!doc.querySaveChanges());
    QCOMPARE(view.shown.size(), 1);
    QVERIFY2(view.shown[0].message.contains(QStringLiteral("基線 1 の session")), qPrintable(view.shown[0].message));
    QVERIFY(doc.modified());
    QVERIFY(doc.notYetSaved());
    QCOMPARE(readAll(path), onDisk);
}

void TestDocumentSave::saveCommandsNeedBaselines()
{
    FakeView view;
    Document doc;
    doc.setView(&view);
    view.fileNames << QStringLiteral("/nonexistent/x.dat");
    doc.saveCommand();
    doc.saveAsCommand();
    QCOMPARE(view.dialogs, 0);
    QCOMPARE(doc.projectFileName(), QString());
}

void TestDocumentSave::openProjectFileMakesItTheProject()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("survey.dat");
    QVERIFY(SaveProjectFile(twoBaselines(), path).ok);

    Document doc;
    doc.adoptImported(ProjectModel{}, dir.filePath("a.xml"));
    makeModified(doc);
    QSignalSpy reset(&doc, &Document::modelReset);
    QSignalSpy stateChanged(&doc, &Document::stateChanged);
    QVERIFY(doc.openProjectFile(path).ok);
    compareState(doc, {false, false, path, path});
    QCOMPARE(doc.model().baselineCount(), 2);
    QCOMPARE(doc.model().occupationAt(doc.model().baselines[2].endOccupation).pointName, "Q2");
    QCOMPARE(reset.count(), 1);
    QVERIFY(stateChanged.count() >= 1);
}

void TestDocumentSave::refusedProjectFileChangesNothing()
{
    QTemporaryDir dir;
    const QString good = dir.filePath("good.dat");
    QVERIFY(SaveProjectFile(twoBaselines(), good).ok);
    const QString bad = dir.filePath("bad.dat");
    QFile f(bad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(readAll(good).left(200));
    f.close();

    Document doc;
    QVERIFY(doc.openProjectFile(good).ok);
    makeModified(doc);
    const State before = stateOf(doc);
    const ProjectModel model = doc.model();
    const QString caption = doc.caption();
    QSignalSpy reset(&doc, &Document::modelReset);

    for (const QString& path : {bad, dir.filePath("missing.dat")}) {
        const Outcome o = doc.openProjectFile(path);
        QVERIFY(!o.ok);
        QCOMPARE(o.message, QStringLiteral("読込できません"));
        QCOMPARE(o.title, QStringLiteral("エラー"));
        compareState(doc, before);
        QVERIFY(doc.model() == model);
        QCOMPARE(doc.caption(), caption);
    }
    QCOMPARE(reset.count(), 0);
}

void TestDocumentSave::importAfterOpenAsksForANewName()
{
    // After a project file, an exchange file is imported: the old project file's name
    // stays, but 上書き保存 must not overwrite that file with the new project.
    QTemporaryDir dir;
    const QString old = dir.filePath("old.dat");
    QVERIFY(SaveProjectFile(twoBaselines(), old).ok);
    const QByteArray oldBytes = readAll(old);

    FakeView view;
    Document doc;
    doc.setView(&view);
    QVERIFY(doc.openProjectFile(old).ok);
    doc.adoptImported(twoBaselines(QStringLiteral("別")), dir.filePath("new.xml"));
    compareState(doc, {false, true, old, dir.filePath("new.xml")});

    doc.saveCommand(); // dialog cancelled
    QCOMPARE(view.dialogs, 1);
    QCOMPARE(readAll(old), oldBytes);
}

QTEST_GUILESS_MAIN(TestDocumentSave)
#include "tst_documentsave.moc"
