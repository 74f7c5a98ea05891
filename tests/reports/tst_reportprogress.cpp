// Progress and cancelling of the print commands' work: filling the report tables and
// drawing a form. A cancelled fill leaves the tables as the previous fill left them; a
// cancelled drawing stops at the next report.
#include "exchangegenerator.h"
#include "import/exchangeimport.h"
#include "progressreports.h"
#include "reports/outputrows.h"
#include "reports/reportdatabase.h"
#include "reports/reportjob.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

namespace {

qint64 rowsIn(ReportDatabase& db, const QString& table)
{
    Result<SqliteStatement> count = db.connection().prepare(QStringLiteral("SELECT COUNT(*) FROM ") + table);
    return count && count->next() ? count->value(0).toLongLong() : -1;
}

} // namespace

class TestReportProgress : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fillReportsAndCancels_data();
    void fillReportsAndCancels();
    void drawingReportsAndCancels_data();
    void drawingReportsAndCancels();

private:
    QTemporaryDir dir_;
    ProjectModel model_;
};

void TestReportProgress::initTestCase()
{
    QVERIFY(dir_.isValid());
    GeneratorOptions options;
    options.baselines = 300;
    options.seed = 5;
    QVERIFY(ImportExchangeBytes(generateExchangeFile(options), model_));
}

void TestReportProgress::fillReportsAndCancels_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("stopAt");
    QTest::newRow("field book") << int(ReportKind::FieldBookAll) << 0;
    QTest::newRow("field book, cancelled at once") << int(ReportKind::FieldBookAll) << 1;
    QTest::newRow("field book by session, cancelled in the satellites")
        << int(ReportKind::FieldBookBySession) << 3;
    QTest::newRow("record") << int(ReportKind::Record) << 0;
    QTest::newRow("record, cancelled") << int(ReportKind::Record) << 1;
}

void TestReportProgress::fillReportsAndCancels()
{
    QFETCH(int, kind);
    QFETCH(int, stopAt);
    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath(QStringLiteral("r.db"))));
    // What an earlier command left: the record of the first ten baselines.
    QVERIFY(FillReport(db, ReportKind::Record, model_, OutputRowsInBaselineOrder(10)));

    const QList<OutputRow> rows = OutputRowsInBaselineOrder(model_.baselineCount());
    ProgressReports reports;
    reports.stopAt = stopAt;
    const Outcome outcome = FillReport(db, ReportKind(kind), model_, rows, reports.callback());
    QVERIFY(!reports.done.isEmpty());
    for (qsizetype i = 1; i < reports.done.size(); ++i)
        QVERIFY(reports.done[i] > reports.done[i - 1]);
    for (qsizetype i = 0; i < reports.done.size(); ++i)
        QVERIFY(reports.done[i] <= reports.total[i]);
    if (stopAt == 0) {
        QVERIFY2(outcome, qPrintable(outcome.message));
        QVERIFY(rowsIn(db, QStringLiteral("tblBaseLine")) >= model_.baselineCount());
        return;
    }
    QVERIFY(WasCancelled(outcome));
    QCOMPARE(reports.done.size(), stopAt);
    QCOMPARE(rowsIn(db, QStringLiteral("tblBaseLine")), 10);
    QCOMPARE(rowsIn(db, QStringLiteral("Common")), 1);
    QCOMPARE(rowsIn(db, QStringLiteral("SSatList")), 0);
    // The connection is left without a transaction: the next fill goes through.
    QVERIFY(FillReport(db, ReportKind::Record, model_, OutputRowsInBaselineOrder(3)));
    QCOMPARE(rowsIn(db, QStringLiteral("tblBaseLine")), 3);
}

void TestReportProgress::drawingReportsAndCancels_data()
{
    QTest::addColumn<int>("stopAt");
    QTest::newRow("drawn to the end") << 0;
    QTest::newRow("cancelled at the first report") << 1;
    QTest::newRow("cancelled later") << 3;
}

void TestReportProgress::drawingReportsAndCancels()
{
    QFETCH(int, stopAt);
    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath(QStringLiteral("d.db"))));
    // Twenty baselines switched on: forty stations, a page each.
    QList<OutputRow> rows = OutputRowsInBaselineOrder(model_.baselineCount());
    for (qsizetype i = 20; i < rows.size(); ++i)
        rows[i].switchedOn = false;
    QVERIFY(FillReport(db, ReportKind::FieldBookAll, model_, rows));

    ProgressReports reports;
    reports.stopAt = stopAt;
    QBuffer pdf;
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    int pages = -1;
    Outcome outcome;
    {
        QPdfWriter writer(&pdf);
        outcome = RenderReport(db, ReportKind::FieldBookAll, writer, &pages, reports.callback());
    }
    if (stopAt == 0) {
        QVERIFY2(outcome, qPrintable(outcome.message));
        QCOMPARE(pages, 40);
        QCOMPARE(reports.done, (QList<qint64>{0, 8, 16, 24, 32}));
        QCOMPARE(reports.total, QList<qint64>(5, 40));
        return;
    }
    QVERIFY(WasCancelled(outcome));
    QCOMPARE(reports.done.size(), stopAt);
    // The document is closed where it stopped: a PDF of the pages drawn so far.
    QVERIFY(pdf.data().startsWith("%PDF"));
}

QTEST_MAIN(TestReportProgress)
#include "tst_reportprogress.moc"
