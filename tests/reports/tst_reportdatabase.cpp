// The report database as the forms see it: which rows each fill writes, in which order,
// with which values, and what happens when a fill or the file itself fails.
#include "reportfixture.h"

#include "reports/outputrows.h"
#include "reports/reportdatabase.h"
#include "reports/reportjob.h"
#include "reports/reportwriter.h"
#include "reports/satellitesummary.h"

#include <QTemporaryDir>
#include <QTest>

using namespace reportfixture;

namespace {

QList<QVariantList> select(ReportDatabase& db, const QString& sql)
{
    Result<SqliteStatement> q = db.connection().prepare(sql);
    if (!q)
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.message()));
    QList<QVariantList> rows;
    while (q->next()) {
        QVariantList row;
        for (int i = 0; i < q->columnCount(); ++i)
            row << q->value(i);
        rows << row;
    }
    if (!q->steppedOutcome())
        qFatal("%s: %s", qPrintable(sql), qPrintable(q->steppedOutcome().message));
    return rows;
}

QList<int> ints(ReportDatabase& db, const QString& sql)
{
    QList<int> out;
    for (const QVariantList& row : select(db, sql))
        out << row.value(0).toInt();
    return out;
}

int count(ReportDatabase& db, const QString& table)
{
    return ints(db, QStringLiteral("SELECT COUNT(*) FROM ") + table).value(0);
}

QList<OutputRow> rowsInOrder(std::initializer_list<int> order, QSet<int> off = {})
{
    QList<OutputRow> rows;
    for (int b : order)
        rows.append({b, !off.contains(b)});
    return rows;
}

} // namespace

class TestReportDatabase : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void fieldBookStations_data();
    void fieldBookStations();
    void fieldBookRowValues();
    void recordRowValues();
    void recordIdsFollowGridRows_data();
    void recordIdsFollowGridRows();
    void rejectRatio_data();
    void rejectRatio();
    void everySwitchOff();
    void fillReplacesPreviousFill();
    void manyRowsKeepOrderAndValues();

    void satelliteNumber_data();
    void satelliteNumber();
    void twoDigitNumber_data();
    void twoDigitNumber();
    void summaryGroups();
    void damagedSatelliteRunStaysInside();

    void failedFillRollsBack();
    void unopenableFileIsReported_data();
    void unopenableFileIsReported();
    void olderFileGetsMissingColumns();
    void openForProgramFallsBackToUserFolder();
    void severalDatabasesAtOnce();
    void clearEmptiesTables();

private:
    QTemporaryDir dir_;
    ProjectModel model_;
};

void TestReportDatabase::init()
{
    QVERIFY(dir_.isValid());
    model_ = surveyModel();
}

void TestReportDatabase::fieldBookStations_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<OutputRow>>("rows");
    QTest::addColumn<QList<int>>("stations");   // BaseLineID of each station row, in order
    QTest::addColumn<QList<int>>("satellites"); // occupations in SSatList, in order

    // Every selected baseline gives both ends; satellites of every occupation, printed
    // or not (occupation 3 shares occupation 1's run, 4 has none).
    QTest::newRow("all") << 0 << rowsInOrder({1, 2, 3}) << QList<int>{1, 2, 3, 4, 5, 6}
                         << QList<int>{1, 2, 3, 5, 6};
    QTest::newRow("all, baseline 1 off")
        << 0 << rowsInOrder({1, 2, 3}, {1}) << QList<int>{3, 4, 5, 6} << QList<int>{1, 2, 3, 5, 6};
    // A001 in session 1 is printed once, from occupation 1; occupation 3 stays out of
    // the satellite list as well.
    QTest::newRow("by session") << 1 << rowsInOrder({1, 2, 3}) << QList<int>{1, 2, 4, 5, 6}
                                << QList<int>{1, 2, 5, 6};
    // With baseline 1 off, occupation 3 is A001's first appearance in session 1.
    QTest::newRow("by session, baseline 1 off")
        << 1 << rowsInOrder({1, 2, 3}, {1}) << QList<int>{3, 4, 5, 6} << QList<int>{3, 5, 6};
    // The grid's order decides which record of a point is the first.
    QTest::newRow("by session, sorted grid")
        << 1 << rowsInOrder({3, 2, 1}) << QList<int>{5, 6, 3, 4, 2} << QList<int>{2, 3, 5, 6};
    QTest::newRow("all, sorted grid")
        << 0 << rowsInOrder({3, 2, 1}) << QList<int>{5, 6, 3, 4, 1, 2} << QList<int>{1, 2, 3, 5, 6};
}

void TestReportDatabase::fieldBookStations()
{
    QFETCH(int, mode);
    QFETCH(QList<OutputRow>, rows);
    QFETCH(QList<int>, stations);
    QFETCH(QList<int>, satellites);

    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath("r.db")));
    const Outcome outcome =
        FillReport(db, mode == 0 ? ReportKind::FieldBookAll : ReportKind::FieldBookBySession,
                   model_, rows);
    QVERIFY2(outcome, qPrintable(outcome.message));

    QCOMPARE(count(db, "Common"), 1);
    QCOMPARE(ints(db, "SELECT BaseLineID FROM tblBaseLine ORDER BY rowid"), stations);
    QList<int> distinct;
    for (int id : ints(db, "SELECT BaseLineID FROM SSatList ORDER BY rowid"))
        if (distinct.isEmpty() || distinct.last() != id)
            distinct << id;
    QCOMPARE(distinct, satellites);
    // Each occupation's satellites once, in the order of its run.
    QCOMPARE(ints(db, "SELECT COUNT(*) FROM SSatList WHERE BaseLineID = 1").value(0),
             satellites.contains(1) ? 14 : 0);
}

void TestReportDatabase::fieldBookRowValues()
{
    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath("r.db")));
    QVERIFY(FillReport(db, ReportKind::FieldBookAll, model_, OutputRowsInBaselineOrder(3)));

    const QList<QVariantList> rows = select(
        db, "SELECT SpointName, SptCode, SreceiverName, SreceiverSN, SantennaName, SantennaSN, "
            "SantennaHeight, SstartTime, SendTime, session, minSVs, minElevation, EpointName, "
            "SposN, rejectRatio FROM tblBaseLine ORDER BY rowid LIMIT 1");
    QCOMPARE(rows.size(), 1);
    const QVariantList& r = rows[0];
    QCOMPARE(r[0].toString(), "A001");
    QCOMPARE(r[1].toString(), "A001 (12)"); // the field book puts a blank before "("
    QCOMPARE(r[2].toString(), "R-a1");
    QCOMPARE(r[3].toString(), "RSN-a1");
    QCOMPARE(r[4].toString(), "ANT-a1");
    QCOMPARE(r[5].toString(), "ASN-a1");
    QCOMPARE(r[6].toString(), "1.5"); // the occupation's antenna height
    QCOMPARE(r[7].toString(), "2004/10/12 9:00:00");
    QCOMPARE(r[8].toString(), "2004/10/12 11:00:00");
    QCOMPARE(r[9].toString(), "1");
    QCOMPARE(r[10].toString(), "4");
    QCOMPARE(r[11].toString(), "15");
    // Columns only the record writes stay empty.
    QVERIFY(r[12].isNull());
    QVERIFY(r[13].isNull());
    QVERIFY(r[14].isNull());

    const QList<QVariantList> sats = select(
        db, "SELECT satname, l1, l2, health FROM SSatList WHERE BaseLineID = 2 ORDER BY rowid");
    QCOMPARE(sats.size(), 2);
    QCOMPARE(sats[0][0].toString(), "Sat 05");
    QCOMPARE(sats[1][0].toString(), "Sat ");
    QCOMPARE(sats[0][1].toString().size(), 91);
    QCOMPARE(sats[1][3].toString(), "1");

    const QList<QVariantList> summary = select(
        db, "SELECT SSatStatNo1, SSatStatOK1, SSatStatNo2 FROM tblBaseLine WHERE BaseLineID = 2");
    QCOMPARE(summary[0][0].toString(), "     05     ");
    QCOMPARE(summary[0][1].toString(), "      0      1");
    QCOMPARE(summary[0][2].toString(), "");
}

void TestReportDatabase::recordRowValues()
{
    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath("r.db")));
    QVERIFY(FillReport(db, ReportKind::Record, model_, OutputRowsInBaselineOrder(3)));
    QCOMPARE(count(db, "SSatList"), 0);

    const QList<QVariantList> rows = select(
        db, "SELECT SptCode, SreceiverName, SantennaHeight, EptCode, EreceiverName, "
            "EantennaHeight, SptType, SposN, session, startTime, solutionType, rejectRatio, "
            "minElevation, frequency, ppMode, SstartTime, SSatStatNo1, minSVs "
            "FROM tblBaseLine ORDER BY rowid");
    QCOMPARE(rows.size(), 3);
    const QVariantList& r = rows[0];
    QCOMPARE(r[0].toString(), "A001(12)"); // no blank in the record
    QCOMPARE(r[1].toString(), "R-a1(RSN-a1)");
    QCOMPARE(r[2].toString(), "1.111"); // the baseline's own antenna heights
    QCOMPARE(r[3].toString(), "B002(ﾄﾘﾃﾞ)");
    QCOMPARE(r[4].toString(), "R-b2(RSN-b2)");
    QCOMPARE(r[5].toString(), "2.222");
    QCOMPARE(r[6].toString(), "入力値");
    QCOMPARE(r[7].toString(), "36°06′12.34567″");
    QCOMPARE(r[8].toString(), "1");
    QCOMPARE(r[9].toString(), "2004/10/12 9:05:30");
    QCOMPARE(r[10].toString(), "Fixed");
    QCOMPARE(r[11].toDouble(), 0.01);
    QCOMPARE(r[12].toString(), "15");
    QCOMPARE(r[13].toString(), "L1/L2");
    QCOMPARE(r[14].toString(), "Static");
    QVERIFY(r[15].isNull());
    QVERIFY(r[16].isNull());
    QVERIFY(r[17].isNull());

    // A point type other than exactly "Input" leaves the column empty.
    model_.baselines[1].startPoint.ptType = QStringLiteral("input");
    QVERIFY(FillReport(db, ReportKind::Record, model_, OutputRowsInBaselineOrder(1)));
    QCOMPARE(select(db, "SELECT SptType FROM tblBaseLine")[0][0].toString(), "");
}

void TestReportDatabase::recordIdsFollowGridRows_data()
{
    QTest::addColumn<QList<OutputRow>>("rows");
    QTest::addColumn<QList<int>>("ids");
    QTest::addColumn<QStringList>("starts");

    QTest::newRow("all on") << rowsInOrder({1, 2, 3}) << QList<int>{1, 2, 3}
                            << QStringList{"A001", "A001", "A001"};
    QTest::newRow("gap for a switched-off row")
        << rowsInOrder({1, 2, 3}, {2}) << QList<int>{1, 3} << QStringList{"A001", "A001"};
    // The id is the grid row, not the baseline index.
    QTest::newRow("sorted grid, first row off")
        << rowsInOrder({3, 1, 2}, {3}) << QList<int>{2, 3} << QStringList{"A001", "A001"};
}

void TestReportDatabase::recordIdsFollowGridRows()
{
    QFETCH(QList<OutputRow>, rows);
    QFETCH(QList<int>, ids);
    QFETCH(QStringList, starts);
    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath("r.db")));
    QVERIFY(FillReport(db, ReportKind::Record, model_, rows));
    QCOMPARE(ints(db, "SELECT BaseLineID FROM tblBaseLine ORDER BY rowid"), ids);
    QStringList got;
    for (const QVariantList& r : select(db, "SELECT SpointName FROM tblBaseLine ORDER BY rowid"))
        got << r[0].toString();
    QCOMPARE(got, starts);
}

void TestReportDatabase::rejectRatio_data()
{
    QTest::addColumn<QString>("rejected");
    QTest::addColumn<QString>("used");
    QTest::addColumn<QVariant>("ratio");

    QTest::newRow("plain quotient") << "39" << "2992" << QVariant(39.0 / 2992.0);
    QTest::newRow("blanks around") << " 5 " << "20" << QVariant(0.25);
    QTest::newRow("decimal counts") << "1.5" << "3" << QVariant(0.5);
    QTest::newRow("none used") << "5" << "0" << QVariant();
    QTest::newRow("zero over zero") << "0" << "0" << QVariant();
    QTest::newRow("used not a number") << "5" << "n/a" << QVariant();
    QTest::newRow("rejected empty") << "" << "10" << QVariant();
    QTest::newRow("infinite") << "inf" << "10" << QVariant();
}

void TestReportDatabase::rejectRatio()
{
    QFETCH(QString, rejected);
    QFETCH(QString, used);
    QFETCH(QVariant, ratio);
    model_.baselines[1].vector.rejectedObs = rejected;
    model_.baselines[1].vector.usedObs = used;

    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath("r.db")));
    QVERIFY(FillReport(db, ReportKind::Record, model_, OutputRowsInBaselineOrder(1)));
    const QVariant stored = select(db, "SELECT rejectRatio FROM tblBaseLine")[0][0];
    QCOMPARE(stored.isNull(), ratio.isNull());
    if (!ratio.isNull())
        QCOMPARE(stored.toDouble(), ratio.toDouble());
    // The counts themselves are kept as written.
    QCOMPARE(select(db, "SELECT usedObs FROM tblBaseLine")[0][0].toString(), used);
}

void TestReportDatabase::everySwitchOff()
{
    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath("r.db")));
    const QList<OutputRow> off = OutputRowsInBaselineOrder(3, {1, 2, 3});
    for (ReportKind kind : {ReportKind::FieldBookBySession, ReportKind::Record}) {
        QVERIFY(FillReport(db, kind, model_, off));
        QCOMPARE(count(db, "Common"), 1);
        QCOMPARE(count(db, "tblBaseLine"), 0);
        QCOMPARE(count(db, "SSatList"), 0);
    }
    // In mode 0 the satellites of every occupation are still written; with no station
    // row nothing shows them.
    QVERIFY(FillReport(db, ReportKind::FieldBookAll, model_, off));
    QCOMPARE(count(db, "tblBaseLine"), 0);
    QCOMPARE(count(db, "SSatList"), 14 + 2 + 14 + 1 + 2);

    const QList<QVariantList> common = select(
        db, "SELECT swProgram, interval, minElevation, minSVs, ephType, frequency, ppMode, daen, "
            "kiatu, ondo, situdo FROM Common");
    QCOMPARE(common[0], (QVariantList{"Trimble Total Control 2.7", "30", "10", "4", "放送暦", "L1",
                                      "Static", "GRS80", "1013.0", "20.0", "50.0"}));
}

void TestReportDatabase::fillReplacesPreviousFill()
{
    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath("r.db")));
    QVERIFY(FillReport(db, ReportKind::FieldBookAll, model_, OutputRowsInBaselineOrder(3)));
    QVERIFY(FillReport(db, ReportKind::Record, model_, OutputRowsInBaselineOrder(3, {3})));
    QCOMPARE(count(db, "Common"), 1);
    QCOMPARE(count(db, "tblBaseLine"), 2);
    QCOMPARE(count(db, "SSatList"), 0);
}

void TestReportDatabase::manyRowsKeepOrderAndValues()
{
    // Enough baselines, stations and satellites that rows go in several statements of
    // several rows, with a partial one at the end.
    ProjectModel m;
    const int n = 333;
    for (int b = 1; b <= n; ++b) {
        OccupationRecord s = occupation(QStringLiteral("S%1").arg(b), QString::number(b), QStringLiteral("s"));
        OccupationRecord e = occupation(QStringLiteral("E%1").arg(b), QString::number(b), QStringLiteral("e"));
        addSatellites(m, s, {QStringLiteral("GPS%1").arg(b % 100, 2, 10, QChar(u'0')), QStringLiteral("GPS99")});
        m.occupations << s << e;
        m.baselines << baseline(QString::number(b), 2 * b - 1, 2 * b);
        m.baselines.last().vector.usedObs = QString::number(b);
        m.baselines.last().vector.rejectedObs = QStringLiteral("1");
    }
    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath("r.db")));

    QVERIFY(FillReport(db, ReportKind::Record, m, OutputRowsInBaselineOrder(n, {5})));
    const QList<QVariantList> records =
        select(db, "SELECT BaseLineID, SpointName, EptCode, rejectRatio, usedObs FROM tblBaseLine ORDER BY rowid");
    QCOMPARE(records.size(), n - 1);
    for (const QVariantList& r : records) {
        const int b = r[0].toInt();
        QCOMPARE(r[1].toString(), QStringLiteral("S%1").arg(b));
        QCOMPARE(r[2].toString(), QStringLiteral("E%1(%1)").arg(b));
        QCOMPARE(r[3].toDouble(), 1.0 / b);
        QCOMPARE(r[4].toString(), QString::number(b));
    }
    QCOMPARE(records[3][0].toInt(), 4);
    QCOMPARE(records[4][0].toInt(), 6);

    QVERIFY(FillReport(db, ReportKind::FieldBookAll, m, OutputRowsInBaselineOrder(n)));
    const QList<QVariantList> stations =
        select(db, "SELECT BaseLineID, SpointName, SSatStatNo1 FROM tblBaseLine ORDER BY rowid");
    QCOMPARE(stations.size(), 2 * n);
    for (int i = 0; i < stations.size(); ++i) {
        const int b = i / 2 + 1;
        QCOMPARE(stations[i][0].toInt(), i + 1);
        QCOMPARE(stations[i][1].toString(), (i % 2 ? QStringLiteral("E%1") : QStringLiteral("S%1")).arg(b));
        QCOMPARE(stations[i][2].toString(),
                 i % 2 ? QString() : QStringLiteral("     %1     99").arg(b % 100, 2, 10, QChar(u'0')));
    }
    const QList<QVariantList> sats = select(db, "SELECT BaseLineID, satname FROM SSatList ORDER BY rowid");
    QCOMPARE(sats.size(), 2 * n);
    for (int i = 0; i < sats.size(); ++i) {
        const int b = i / 2 + 1;
        QCOMPARE(sats[i][0].toInt(), 2 * b - 1);
        QCOMPARE(sats[i][1].toString(),
                 i % 2 ? QStringLiteral("Sat 99") : QStringLiteral("Sat %1").arg(b % 100, 2, 10, QChar(u'0')));
    }
}

void TestReportDatabase::satelliteNumber_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("number");
    QTest::newRow("GPS05") << "GPS05" << "05";
    QTest::newRow("GPS123") << "GPS123" << "123";
    QTest::newRow("four characters") << "GPS5" << "5";
    QTest::newRow("three characters") << "G07" << "";
    QTest::newRow("G7") << "G7" << "";
    QTest::newRow("empty") << "" << "";
}

void TestReportDatabase::satelliteNumber()
{
    QFETCH(QString, name);
    QFETCH(QString, number);
    QCOMPARE(SatelliteNumber(name), number);
}

void TestReportDatabase::twoDigitNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("one digit") << "5" << "05";
    QTest::newRow("two digits") << "12" << "12";
    QTest::newRow("three digits") << "123" << "123";
    QTest::newRow("leading zeros") << "005" << "05";
    QTest::newRow("zero") << "0" << "00";
    QTest::newRow("not a number") << "A5" << "A5";
    QTest::newRow("fraction") << "1.5" << "1.5";
    QTest::newRow("empty") << "" << "";
}

void TestReportDatabase::twoDigitNumber()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(TwoDigitNumber(text), shown);
}

void TestReportDatabase::summaryGroups()
{
    // Fourteen satellites: twelve in group 1, two in group 2, none in group 3.
    const SatelliteSummaryTexts s = SatelliteSummary(model_, model_.occupations[1]);
    QCOMPARE(s.no[0].size(), 84);
    QCOMPARE(s.ok[0].size(), 84);
    QCOMPARE(s.no[0].left(14), "     01     02");
    QCOMPARE(s.no[0].right(7), "     12");
    QCOMPARE(s.ok[0].left(14), "      0      1");
    QCOMPARE(s.no[1], "     13     14");
    QCOMPARE(s.ok[1], "      0      1");
    QCOMPARE(s.no[2], "");
    QCOMPARE(s.ok[2], "");

    // More than 36: the rest is not shown. A long health text stays whole.
    ProjectModel m;
    OccupationRecord o;
    QStringList forty;
    for (int i = 1; i <= 40; ++i)
        forty << QStringLiteral("GPS%1").arg(i);
    addSatellites(m, o, forty);
    m.satellites[o.firstSat].health = QStringLiteral("UNHEALTHY");
    const SatelliteSummaryTexts full = SatelliteSummary(m, o);
    QCOMPARE(full.no[2].size(), 84);
    QVERIFY(full.no[2].endsWith(u"     36"));
    QVERIFY(full.ok[0].startsWith(u"UNHEALTHY      1"));

    const SatelliteSummaryTexts none = SatelliteSummary(m, OccupationRecord{});
    QCOMPARE(none.no[0], "");
    QCOMPARE(none.ok[0], "");
}

void TestReportDatabase::damagedSatelliteRunStaysInside()
{
    // A run pointing past the satellites (a damaged project file) must not read outside.
    model_.occupations[2].satCount = 1000;
    model_.occupations[4].firstSat = 9999;
    model_.occupations[4].satCount = 3;
    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath("r.db")));
    QVERIFY(FillReport(db, ReportKind::FieldBookAll, model_, OutputRowsInBaselineOrder(3)));
    QCOMPARE(ints(db, "SELECT COUNT(*) FROM SSatList WHERE BaseLineID = 4").value(0), 0);
    QCOMPARE(ints(db, "SELECT COUNT(*) FROM SSatList WHERE BaseLineID = 2").value(0),
             model_.satelliteCount() - model_.occupations[2].firstSat + 1);
}

void TestReportDatabase::failedFillRollsBack()
{
    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath("r.db")));
    QVERIFY(FillReport(db, ReportKind::Record, model_, OutputRowsInBaselineOrder(3)));

    // The field book fails at its satellites, after its station rows went in.
    QVERIFY(db.connection().execute("CREATE TRIGGER failing BEFORE INSERT ON SSatList WHEN "
                                    "NEW.satname = 'Sat 05' BEGIN SELECT RAISE(ABORT, 'disk on fire'); END"));
    const Outcome outcome =
        FillReport(db, ReportKind::FieldBookAll, model_, OutputRowsInBaselineOrder(3));
    QVERIFY(!outcome);
    QVERIFY2(outcome.message.contains(dir_.filePath("r.db")), qPrintable(outcome.message));
    QVERIFY(outcome.message.contains("disk on fire"));

    // The record's rows are as they were, not half a field book.
    QCOMPARE(count(db, "Common"), 1);
    QCOMPARE(ints(db, "SELECT BaseLineID FROM tblBaseLine ORDER BY rowid"), (QList<int>{1, 2, 3}));
    QCOMPARE(select(db, "SELECT COUNT(*) FROM tblBaseLine WHERE SSatStatNo1 IS NOT NULL")[0][0].toInt(), 0);
    QCOMPARE(count(db, "SSatList"), 0);

    // The connection is usable again afterwards.
    QVERIFY(db.connection().execute("DROP TRIGGER failing"));
    QVERIFY(FillReport(db, ReportKind::FieldBookAll, model_, OutputRowsInBaselineOrder(3)));
    QCOMPARE(count(db, "tblBaseLine"), 6);
}

void TestReportDatabase::unopenableFileIsReported_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("folder missing") << "no/such/folder/BMSData.db" << QByteArray();
    QTest::newRow("not a database") << "BMSData.db" << QByteArray(4096, 'x');
    QTest::newRow("a folder") << "folder.db" << QByteArray();
}

void TestReportDatabase::unopenableFileIsReported()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, contents);
    const QString path = dir_.filePath(name);
    if (!contents.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contents);
    }
    if (name == "folder.db")
        QVERIFY(QDir().mkpath(path));

    ReportDatabase db;
    const Outcome outcome = db.open(path);
    QVERIFY(!outcome);
    QVERIFY(!db.isOpen());
    QVERIFY2(outcome.message.contains(QDir::toNativeSeparators(path)), qPrintable(outcome.message));

    // The report commands then say so and write nothing.
    const Outcome fill = FillReport(db, ReportKind::Record, model_, OutputRowsInBaselineOrder(3));
    QVERIFY(!fill);
    QVERIFY(fill.message.contains(QDir::toNativeSeparators(path)));
    QVERIFY(!db.ClearReportTables());
    if (!contents.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), contents);
    }
}

void TestReportDatabase::olderFileGetsMissingColumns()
{
    const QString path = dir_.filePath("old.db");
    {
        SqliteConnection raw;
        QVERIFY(raw.open(path));
        QVERIFY(raw.execute("CREATE TABLE Common (swProgram TEXT, interval TEXT); "
                            "INSERT INTO Common VALUES ('old', '1')"));
    }

    ReportDatabase db;
    const Outcome outcome = db.open(path);
    QVERIFY2(outcome, qPrintable(outcome.message));
    QVERIFY(FillReport(db, ReportKind::FieldBookBySession, model_, OutputRowsInBaselineOrder(3)));
    QCOMPARE(select(db, "SELECT swProgram, situdo FROM Common")[0],
             (QVariantList{"Trimble Total Control 2.7", "50.0"}));
}

void TestReportDatabase::openForProgramFallsBackToUserFolder()
{
    const QString program = dir_.filePath("program");
    const QString user = dir_.filePath("user/Bemsol");
    QVERIFY(QDir().mkpath(program));
    ReportDatabase db;
    QVERIFY(db.openForProgram(FileLocations(program, user)));
    QCOMPARE(db.filePath(), QDir(program).filePath("BMSData.db"));

    // A program folder that cannot hold files, and an installed program: the user's
    // folder, made when missing.
    const QString installed = dir_.filePath("usr/bin");
    QVERIFY(QDir().mkpath(installed));
    QVERIFY(QDir().mkpath(dir_.filePath("usr/share/bemsol")));
    for (const QString& programDir : {dir_.filePath("gone"), installed}) {
        QVERIFY(db.openForProgram(FileLocations(programDir, user)));
        QCOMPARE(db.filePath(), QDir(user).filePath("BMSData.db"));
        QVERIFY(!QFile::exists(QDir(programDir).filePath("BMSData.db")));
    }
}

void TestReportDatabase::severalDatabasesAtOnce()
{
    ReportDatabase a;
    ReportDatabase b;
    QVERIFY(a.open(dir_.filePath("a.db")));
    QVERIFY(b.open(dir_.filePath("b.db")));
    QVERIFY(FillReport(a, ReportKind::Record, model_, OutputRowsInBaselineOrder(3)));
    QVERIFY(FillReport(b, ReportKind::FieldBookAll, model_, OutputRowsInBaselineOrder(3)));
    QCOMPARE(count(a, "tblBaseLine"), 3);
    QCOMPARE(count(b, "tblBaseLine"), 6);
    a.close();
    QVERIFY(!a.isOpen());
    QCOMPARE(count(b, "tblBaseLine"), 6);
    // Reopening the same file keeps what the last fill left.
    QVERIFY(a.open(dir_.filePath("a.db")));
    QCOMPARE(count(a, "tblBaseLine"), 3);
}

void TestReportDatabase::clearEmptiesTables()
{
    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath("r.db")));
    QVERIFY(FillReport(db, ReportKind::FieldBookAll, model_, OutputRowsInBaselineOrder(3)));
    QVERIFY(db.ClearReportTables());
    QCOMPARE(count(db, "Common"), 0);
    QCOMPARE(count(db, "tblBaseLine"), 0);
    QCOMPARE(count(db, "SSatList"), 0);
}

QTEST_GUILESS_MAIN(TestReportDatabase)
#include "tst_reportdatabase.moc"
