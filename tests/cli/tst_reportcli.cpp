// bemsol-cli fieldbook and record: the switches from --off, the database left for
// inspection with --db, and the refusals.
#include "clirunner.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString sample = QStringLiteral(TEST_DATA_DIR "/small-survey.xml");

int pdfPages(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return -1;
    const QByteArray text = p.readAllStandardOutput();
    return int(text.count('\f'));
}

QList<int> ids(const QString& dbFile)
{
    QList<int> out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(dbFile);
        if (db.open()) {
            QSqlQuery q(QStringLiteral("SELECT BaseLineID FROM tblBaseLine ORDER BY rowid"), db);
            while (q.next())
                out << q.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return out;
}

} // namespace

class TestReportCli : public QObject
{
    Q_OBJECT

private slots:
    void fieldBookPages_data();
    void fieldBookPages();
    void recordLeavesDatabase();
    void refused_data();
    void refused();
};

void TestReportCli::fieldBookPages_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QList<int>>("stations"); // BaseLineID of the station rows

    // small-survey.xml: baseline 1 P1-P2 (occupations 1, 2) and baseline 2 P1-P3 (4, a copy
    // of 1, and 3) in session 1; baseline 3 in session 2 matched no occupation (0, 0).
    QTest::newRow("all") << QStringList{} << QList<int>{1, 2, 4, 3, 0, 0};
    // P1 once in session 1; the two unmatched ends are one (empty) point in session 2.
    QTest::newRow("by session") << QStringList{"--by-session"} << QList<int>{1, 2, 3, 0};
    QTest::newRow("baseline 1 off") << QStringList{"--off", "1"} << QList<int>{4, 3, 0, 0};
    QTest::newRow("every switch off") << QStringList{"--off", "3,1,2"} << QList<int>{};
    QTest::newRow("empty list") << QStringList{"--off", ""} << QList<int>{1, 2, 4, 3, 0, 0};
}

void TestReportCli::fieldBookPages()
{
    QFETCH(QStringList, options);
    QFETCH(QList<int>, stations);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("fb.pdf");
    const QString db = dir.filePath("fb.db");
    const CliRun r = runCli(QStringList{"fieldbook", sample, pdf, "--db", db} + options);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(ids(db), stations);
    QCOMPARE(pdfPages(pdf), qMax<int>(1, int(stations.size())));
}

void TestReportCli::recordLeavesDatabase()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("rec.pdf");
    const QString db = dir.filePath("sub/../rec.db");
    const CliRun r = runCli({"record", sample, pdf, "--off", "2", "--db", db});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(ids(db), (QList<int>{1, 3}));
    QCOMPARE(pdfPages(pdf), 2);

    // Without --db the run leaves no database beside the PDF.
    const QString pdf2 = dir.filePath("rec2.pdf");
    QCOMPARE(runCli({"record", sample, pdf2}).exitCode, 0);
    QCOMPARE(pdfPages(pdf2), 3);
}

void TestReportCli::refused_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("index 0") << QStringList{"fieldbook", sample, "OUT", "--off", "0"} << 2 << "0";
    QTest::newRow("index past the end")
        << QStringList{"record", sample, "OUT", "--off", "1,4"} << 2 << "4";
    QTest::newRow("not a number") << QStringList{"record", sample, "OUT", "--off", "1;2"} << 2 << "1;2";
    QTest::newRow("--off without list") << QStringList{"record", sample, "OUT", "--off"} << 2 << "";
    QTest::newRow("record by session")
        << QStringList{"record", sample, "OUT", "--by-session"} << 2 << "";
    QTest::newRow("report option on dump") << QStringList{"dump", sample, "--off", "1"} << 2 << "";
    QTest::newRow("not a pdf name") << QStringList{"record", sample, "OUT.dat"} << 2 << "";
    QTest::newRow("missing input")
        << QStringList{"fieldbook", "missing.xml", "OUT"} << 1 << "missing.xml";
    QTest::newRow("database cannot be made")
        << QStringList{"fieldbook", sample, "OUT", "--db", "DIR/no/such/folder/x.db"} << 1
        << "x.db";
}

void TestReportCli::refused()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("out.pdf");
    const CliRun r = runCli(withPlaces(args, dir.path(), pdf));
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(!QFile::exists(pdf));
}

QTEST_GUILESS_MAIN(TestReportCli)
#include "tst_reportcli.moc"
