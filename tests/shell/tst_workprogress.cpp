// Long work in the window: the progress dialog appears only for work that lasts, its
// ｷｬﾝｾﾙ button stops the work, and a cancelled open or print leaves the window, the
// project and the report tables as they were, without a message.
#include "fakeuserdialogs.h"

#include "document/document.h"
#include "exchangegenerator.h"
#include "grid/baselinegridmodel.h"
#include "import/exchangeimport.h"
#include "reports/outputrows.h"
#include "reports/reportdatabase.h"
#include "shell/mainwindow.h"
#include "shell/reportpreview.h"
#include "shell/workprogress.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Clicks ｷｬﾝｾﾙ in the progress dialog as soon as it shows, while `work` runs; tells
// whether it showed. A preview that opens instead is closed, so nothing waits forever.
bool cancelWhenShown(const std::function<void()>& work)
{
    bool shown = false;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* progress = qobject_cast<QProgressDialog*>(modal);
            progress && progress->objectName() == QLatin1String(WorkProgress::objectName) &&
            progress->isVisible() && !shown) {
            shown = true;
            QPushButton* cancel = progress->findChild<QPushButton*>();
            QVERIFY(cancel);
            QCOMPARE(cancel->text(), QStringLiteral("ｷｬﾝｾﾙ"));
            QTest::mouseClick(cancel, Qt::LeftButton);
        } else if (auto* preview = qobject_cast<QPrintPreviewDialog*>(modal)) {
            preview->reject();
        }
    });
    timer.start();
    work();
    return shown;
}

QByteArray largeSurvey()
{
    // Large enough that, in the sanitizer build the tests run in, reading and filling
    // last longer than the dialog's delay; drawing it lasts longer in any build.
    GeneratorOptions options;
    options.baselines = 5000;
    options.seed = 3;
    return generateExchangeFile(options);
}

} // namespace

class TestWorkProgress : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void shortWorkShowsNoDialog();
    void cancelButtonStopsTheWork();
    void cancelledOpenLeavesTheWindow();
    void cancelledFillLeavesTheTables();
    void cancelledDrawingClosesThePreview();

private:
    QTemporaryDir dir_;
    QString largeFile_;
    ProjectModel large_;
    qint64 importMs_ = 0;
};

void TestWorkProgress::initTestCase()
{
    QVERIFY(dir_.isValid());
    const QByteArray bytes = largeSurvey();
    largeFile_ = dir_.filePath(QStringLiteral("large.xml"));
    QFile f(largeFile_);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
    QElapsedTimer clock;
    clock.start();
    QVERIFY(ImportExchangeBytes(bytes, large_));
    importMs_ = clock.elapsed();
}

void TestWorkProgress::shortWorkShowsNoDialog()
{
    WorkProgress progress(nullptr, QStringLiteral("短い仕事"));
    const ProgressCallback report = progress.callback();
    for (int i = 0; i <= 100; ++i)
        QVERIFY(report(i, 100));
    QVERIFY(!QApplication::activeModalWidget());
}

void TestWorkProgress::cancelButtonStopsTheWork()
{
    WorkProgress progress(nullptr, QStringLiteral("長い仕事"));
    const ProgressCallback report = progress.callback();
    int reported = 0;
    QElapsedTimer clock;
    clock.start();
    const bool shown = cancelWhenShown([&] {
        // Slow work: a report every 20 ms, for at most ten seconds.
        while (clock.elapsed() < 10000 && report(++reported, 1000))
            QTest::qSleep(20);
    });
    QVERIFY(shown);
    QVERIFY(clock.elapsed() < 10000);
    QVERIFY(!report(reported, 1000)); // and it stays cancelled
}

void TestWorkProgress::cancelledOpenLeavesTheWindow()
{
    // The dialog shows once the work is expected to last longer than its delay.
    if (importMs_ < 1000)
        QSKIP("this build reads the file before a progress dialog would show");
    QTemporaryDir programDir;
    FakeUserDialogs dialogs;
    MainWindow window(programDir.path(), QStringLiteral("山田"), dialogs);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.openFile(QStringLiteral(TEST_DATA_DIR "/small-survey.xml"));
    const ProjectModel before = window.document().model();
    const QString caption = window.windowTitle();
    const int rows = window.gridModel()->rowCount();
    QVERIFY(rows > 0);

    QVERIFY(cancelWhenShown([&] { window.openFile(largeFile_); }));
    QVERIFY(window.document().model() == before);
    QCOMPARE(window.windowTitle(), caption);
    QCOMPARE(window.gridModel()->rowCount(), rows);
    QVERIFY(dialogs.messages.isEmpty());

    // Not cancelled, the same file opens.
    window.openFile(largeFile_);
    QCOMPARE(window.document().model().baselineCount(), large_.baselineCount());
}

void TestWorkProgress::cancelledFillLeavesTheTables()
{
    if (importMs_ < 1000)
        QSKIP("this build fills the tables before a progress dialog would show");
    Document document;
    document.adoptImported(large_, largeFile_);
    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath(QStringLiteral("fill.db"))));
    QVERIFY(FillReport(db, ReportKind::Record, large_, OutputRowsInBaselineOrder(7)));

    Outcome outcome = Outcome::failure(QStringLiteral("unset"));
    QVERIFY(cancelWhenShown([&] {
        outcome = ShowReportPreview(nullptr, ReportKind::FieldBookAll, document,
                                    OutputRowsInBaselineOrder(large_.baselineCount()), db);
    }));
    // Nothing to tell, no preview, and the record's rows are still there.
    QVERIFY(outcome);
    Result<SqliteStatement> count = db.connection().prepare(QStringLiteral("SELECT COUNT(*) FROM tblBaseLine"));
    QVERIFY(count && count->next());
    QCOMPARE(count->value(0).toInt(), 7);
}

void TestWorkProgress::cancelledDrawingClosesThePreview()
{
    Document document;
    document.adoptImported(large_, largeFile_);
    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath(QStringLiteral("draw.db"))));
    // The record of every baseline: filled quickly, drawn slowly (a page a baseline).
    Outcome outcome = Outcome::failure(QStringLiteral("unset"));
    QVERIFY(cancelWhenShown([&] {
        outcome = ShowReportPreview(nullptr, ReportKind::Record, document,
                                    OutputRowsInBaselineOrder(large_.baselineCount()), db);
    }));
    QVERIFY(outcome);
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(TestWorkProgress)
#include "tst_workprogress.moc"
