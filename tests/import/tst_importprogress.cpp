// Progress and cancelling of the import: the callback hears the bytes read, in order, up
// to the file's size; a cancel stops the import at once and leaves the open project, its
// file name and its flags as they were.
#include "document/document.h"
#include "exchangegenerator.h"
#include "import/exchangeimport.h"
#include "progressreports.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray surveyBytes()
{
    GeneratorOptions options;
    options.baselines = 600; // a few megabytes: several reports
    options.seed = 11;
    return generateExchangeFile(options);
}

} // namespace

class TestImportProgress : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void reportsFollowTheFile();
    void cancelStopsAtOnce_data();
    void cancelStopsAtOnce();
    void cancelledOpenChangesNothing();

private:
    QByteArray bytes_;
    QTemporaryDir dir_;
};

void TestImportProgress::initTestCase()
{
    bytes_ = surveyBytes();
    QVERIFY(bytes_.size() > 3 * (1 << 20));
    QVERIFY(dir_.isValid());
}

void TestImportProgress::reportsFollowTheFile()
{
    ProgressReports reports;
    ProjectModel withProgress;
    QVERIFY(ImportExchangeBytes(bytes_, withProgress, reports.callback()));
    // The same project as without a callback.
    ProjectModel without;
    QVERIFY(ImportExchangeBytes(bytes_, without));
    QVERIFY(withProgress == without);

    QVERIFY(reports.done.size() >= bytes_.size() / (1 << 20));
    QCOMPARE(reports.done.first(), 0);
    for (qsizetype i = 0; i < reports.done.size(); ++i) {
        QCOMPARE(reports.total[i], bytes_.size());
        QVERIFY(reports.done[i] <= bytes_.size());
        if (i > 0)
            QVERIFY(reports.done[i] > reports.done[i - 1]);
    }
}

void TestImportProgress::cancelStopsAtOnce_data()
{
    QTest::addColumn<int>("stopAt");
    QTest::newRow("at the start") << 1;
    QTest::newRow("in the occupations") << 2;
    QTest::newRow("late") << 3;
}

void TestImportProgress::cancelStopsAtOnce()
{
    QFETCH(int, stopAt);
    ProgressReports reports;
    reports.stopAt = stopAt;
    ProjectModel model;
    const Outcome outcome = ImportExchangeBytes(bytes_, model, reports.callback());
    QVERIFY(WasCancelled(outcome));
    QVERIFY(outcome.message.isEmpty());
    // Nothing is read, and nobody asked, after the answer.
    QCOMPARE(reports.done.size(), stopAt);
}

void TestImportProgress::cancelledOpenChangesNothing()
{
    const QString first = dir_.filePath(QStringLiteral("first.xml"));
    const QString second = dir_.filePath(QStringLiteral("second.xml"));
    for (const QString& path : {first, second}) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes_), bytes_.size());
    }
    Document document;
    QVERIFY(document.open(first));
    document.ChangeSessionData({1}, QStringLiteral("X"));
    const ProjectModel before = document.model();
    const QString caption = document.caption();

    ProgressReports reports;
    reports.stopAt = 2;
    const Outcome outcome = document.open(second, reports.callback());
    QVERIFY(WasCancelled(outcome));
    QVERIFY(document.model() == before);
    QCOMPARE(document.caption(), caption);
    QVERIFY(document.modified());
    QVERIFY(document.notYetSaved());
}

QTEST_GUILESS_MAIN(TestImportProgress)
#include "tst_importprogress.moc"
