// The print menu's helper: what it fills, what the preview shows, and what it reports
// instead of a preview.
#include "fakeuserdialogs.h"
#include "reportfixture.h"

#include "grid/baselinegridmodel.h"
#include "document/document.h"
#include "reports/reportdatabase.h"
#include "shell/mainwindow.h"
#include "shell/reportpreview.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScopeGuard>
#include <QAction>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace reportfixture;

namespace {

// Runs `show` while a timer answers the modal preview: records its page count and title,
// then closes it. -1 pages when no preview appeared.
struct Seen
{
    int pages = -1;
    QString title;
};

Seen answerPreview(const std::function<Outcome()>& show, Outcome* outcome)
{
    Seen seen;
    QTimer timer;
    timer.setInterval(50);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (auto* widget = dialog->findChild<QPrintPreviewWidget*>())
            seen.pages = widget->pageCount();
        seen.title = dialog->windowTitle();
        dialog->reject();
    });
    timer.start();
    *outcome = show();
    return seen;
}

} // namespace

class TestReportPreview : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void previewShowsFilledForm_data();
    void previewShowsFilledForm();
    void nothingWithoutBaselines();
    void databaseNotOpenIsReported();
    void mainWindowPrintMenu();
    void mainWindowWithoutDatabase();

private:
    QTemporaryDir dir_;
    Document document_;
};

void TestReportPreview::init()
{
    QVERIFY(dir_.isValid());
    document_.adoptImported(surveyModel(), dir_.filePath("survey.xml"));
}

void TestReportPreview::previewShowsFilledForm_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("pages");
    QTest::newRow("field book, all") << int(ReportKind::FieldBookAll) << "GPS測量観測手簿" << 4;
    QTest::newRow("field book, by session")
        << int(ReportKind::FieldBookBySession) << "GPS測量観測手簿" << 3; // A001 once
    QTest::newRow("record") << int(ReportKind::Record) << "GPS測量観測記簿" << 2;
}

void TestReportPreview::previewShowsFilledForm()
{
    QFETCH(int, kind);
    QFETCH(QString, title);
    QFETCH(int, pages);

    // The grid's switch decides: baseline 3 (session 2) switched off.
    BaselineGridModel grid(document_);
    grid.FillGrid();
    grid.toggleSwitch(2);
    const QList<OutputRow> rows = GridOutputRows(grid);
    QCOMPARE(rows, (QList<OutputRow>{{1, true}, {2, true}, {3, false}}));

    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath("BMSData.db")));
    Outcome outcome;
    const Seen seen = answerPreview(
        [&] { return ShowReportPreview(nullptr, ReportKind(kind), document_, rows, db); }, &outcome);
    QVERIFY2(outcome, qPrintable(outcome.message));
    QCOMPARE(seen.title, title);
    QCOMPARE(seen.pages, pages);

    // The database keeps the fill after the preview is closed.
    Result<SqliteStatement> q = db.connection().prepare(QStringLiteral("SELECT COUNT(*) FROM tblBaseLine"));
    QVERIFY(q && q->next());
    QCOMPARE(q->value(0).toInt(), kind == int(ReportKind::Record) ? 2 : pages);
}

void TestReportPreview::nothingWithoutBaselines()
{
    Document empty;
    ReportDatabase db; // not even open: with no baselines nothing is said either
    Outcome outcome = Outcome::failure(QStringLiteral("unset"));
    const Seen seen = answerPreview(
        [&] { return ShowReportPreview(nullptr, ReportKind::Record, empty, {}, db); }, &outcome);
    QVERIFY(outcome);
    QCOMPARE(seen.pages, -1);
}

void TestReportPreview::databaseNotOpenIsReported()
{
    ReportDatabase db;
    const QString path = dir_.filePath("missing/BMSData.db");
    QVERIFY(!db.open(path));
    Outcome outcome;
    const Seen seen = answerPreview(
        [&] {
            return ShowReportPreview(nullptr, ReportKind::FieldBookAll, document_,
                                     OutputRowsInBaselineOrder(3), db);
        },
        &outcome);
    QVERIFY(!outcome);
    QVERIFY2(outcome.message.contains(QDir::toNativeSeparators(path)), qPrintable(outcome.message));
    QCOMPARE(seen.pages, -1);
}

namespace {

int rowsIn(const QString& dbFile, const QString& table)
{
    int n = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setDatabaseName(dbFile);
        if (db.open()) {
            QSqlQuery q(QStringLiteral("SELECT COUNT(*) FROM ") + table, db);
            if (q.next())
                n = q.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    return n;
}

} // namespace

void TestReportPreview::mainWindowPrintMenu()
{
    // The window opens BMSData.db beside the program at load, the menu items fill it and
    // show the preview, and unloading empties it.
    QTemporaryDir programDir;
    FakeUserDialogs dialogs;
    const QString dbFile = programDir.filePath("BMSData.db");
    {
        MainWindow window(programDir.path(), QStringLiteral("山田"), dialogs);
        QVERIFY(window.reportDatabase().isOpen());
        QCOMPARE(window.reportDatabase().filePath(), dbFile);

        // Nothing loaded: the commands do nothing and say nothing.
        Outcome unused;
        Seen seen = answerPreview([&] { window.menuItem("miKibo")->trigger(); return Outcome(); }, &unused);
        QCOMPARE(seen.pages, -1);

        window.openFile(QStringLiteral(TEST_DATA_DIR "/small-survey.xml"));
        QCOMPARE(window.document().model().baselineCount(), 3);
        window.gridModel()->toggleSwitch(0);
        const struct
        {
            const char* item;
            int pages;
        } commands[] = {{"miSyuboAll", 4}, {"miSyuboSession", 3}, {"miKibo", 2}};
        for (const auto& c : commands) {
            seen = answerPreview([&] { window.menuItem(c.item)->trigger(); return Outcome(); }, &unused);
            QCOMPARE(seen.pages, c.pages);
        }
        QCOMPARE(dialogs.messages.size(), 0);
        QCOMPARE(rowsIn(dbFile, "tblBaseLine"), 2);

        QVERIFY(window.close());
        QVERIFY(!window.reportDatabase().isOpen());
    }
    QCOMPARE(rowsIn(dbFile, "Common"), 0);
    QCOMPARE(rowsIn(dbFile, "tblBaseLine"), 0);
}

void TestReportPreview::mainWindowWithoutDatabase()
{
    // Neither beside the program nor in the user's folder can the file be made: the
    // window still opens, and each print command says which file it could not open.
    QStandardPaths::setTestModeEnabled(true);
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const auto restore = qScopeGuard([&] {
        QDir(userDir).removeRecursively();
        QStandardPaths::setTestModeEnabled(false);
    });
    QVERIFY(QDir().mkpath(userDir + "/BMSData.db"));
    QTemporaryDir programDir;
    QVERIFY(QDir().mkpath(programDir.filePath("BMSData.db")));
    FakeUserDialogs dialogs;
    {
        MainWindow window(programDir.path(), QStringLiteral("山田"), dialogs);
        QVERIFY(!window.reportDatabase().isOpen());
        window.openFile(QStringLiteral(TEST_DATA_DIR "/small-survey.xml"));
        for (const char* item : {"miSyuboAll", "miSyuboSession", "miKibo"}) {
            Outcome unused;
            const Seen seen =
                answerPreview([&] { window.menuItem(item)->trigger(); return Outcome(); }, &unused);
            QCOMPARE(seen.pages, -1);
        }
        QCOMPARE(dialogs.messages.size(), 3);
        for (const Outcome& m : dialogs.messages)
            QVERIFY2(m.message.contains(QDir::toNativeSeparators(programDir.filePath("BMSData.db"))),
                     qPrintable(m.message));
        QVERIFY(window.close());
    }
}

QTEST_MAIN(TestReportPreview)
#include "tst_reportpreview.moc"
