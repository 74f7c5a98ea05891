#include "core/numericdatawriter.h"
#include "core/resultsreportreader.h"
#include "core/valueformats.h"
#include "reportgenerator.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

// A change to a report that breaks it in one way.
using Mutation = std::function<void(QList<GeneratedPage>&)>;

GeneratedPage& page(QList<GeneratedPage>& pages, const QString& name)
{
    for (GeneratedPage& p : pages) {
        if (p.fileName == name)
            return p;
    }
    qFatal("no page %s", qPrintable(name));
}

Mutation replaceIn(const QString& name, const QString& from, const QString& to)
{
    return [=](QList<GeneratedPage>& pages) {
        GeneratedPage& p = page(pages, name);
        const QString before = p.lines.join(u'\n');
        p.lines.replaceInStrings(from, to);
        if (p.lines.join(u'\n') == before)
            qFatal("%s does not hold %s", qPrintable(name), qPrintable(from));
    };
}

Mutation removePage(const QString& name)
{
    return [=](QList<GeneratedPage>& pages) {
        pages.removeIf([&](const GeneratedPage& p) { return p.fileName == name; });
    };
}

// Cuts the page off after its first line that contains `text`.
Mutation cutAfter(const QString& name, const QString& text)
{
    return [=](QList<GeneratedPage>& pages) {
        QStringList& lines = page(pages, name).lines;
        for (qsizetype at = 0; at < lines.size(); ++at) {
            if (lines[at].contains(text)) {
                lines.resize(at + 1);
                return;
            }
        }
        qFatal("%s does not hold %s", qPrintable(name), qPrintable(text));
    };
}

ReportPoint reportPoint(const QString& number, const QString& name, const QString& latitude,
                        const QString& longitude, const QString& x, const QString& y,
                        const QString& result, const QString& list, bool pageBefore = false)
{
    return {number, name, latitude, longitude, x, y, result, list, pageBefore};
}

// Three points over two list pages, with a results page for no point before the second
// point's page, and the values whose handling is easy to get wrong.
QList<GeneratedPage> edgeReport()
{
    return generateResultsReport(
        {
            reportPoint("7", "本郷", "35°39′29.12345″", "139°03′07.5000″", "-12345.678",
                        "+05432.100", "8.334", "12.3456"),
            reportPoint("12345", "ｱｻﾋ台(旧)", "36°00′29.99999″", "140°59′59.9″", "0.000",
                        "-0.010", "-1.5", "0.5", true),
            reportPoint("0815", "代々木", "35°41′00.00001″", "139°41′59.99995″", "-1.0", "2",
                        "12.0000", "99.9995"),
        },
        2);
}

QString writeOut(const QTemporaryDir& dir, const QList<GeneratedPage>& pages)
{
    const QString error = writeReport(dir.path(), pages);
    if (!error.isEmpty())
        qFatal("%s", qPrintable(error));
    return dir.filePath(reportFrameSetName);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

Q_DECLARE_METATYPE(Mutation)

class TestResultsReportReader : public QObject
{
    Q_OBJECT

private slots:
    void readsReport();
    void readsAnyNumberOfPoints_data();
    void readsAnyNumberOfPoints();
    void refusesBrokenReport_data();
    void refusesBrokenReport();
    void damagedBytesAreRefusedWhenWritten();
    void packsDms_data();
    void packsDms();
    void formatsThreeDecimals_data();
    void formatsThreeDecimals();
};

void TestResultsReportReader::readsReport()
{
    QTemporaryDir dir;
    const ReportReading report = readResultsReport(writeOut(dir, edgeReport()));
    QVERIFY2(report.outcome, qPrintable(report.outcome.message));

    QByteArray bytes;
    const NumericDataOptions options{WorkCategory::New, QStringLiteral("基準点測量"),
                                     GeodeticDatum::World, QStringLiteral("9")};
    QVERIFY(NumericDataWriter::encode(report.points, options, bytes));
    QCOMPARE(bytes, readAll(TEST_DATA_DIR "/report-edge.txt"));
}

void TestResultsReportReader::readsAnyNumberOfPoints_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("rowsPerPage");
    QTest::addColumn<int>("pageEvery");
    QTest::newRow("none") << 0 << 50 << 0;
    QTest::newRow("500, one list page") << 500 << 500 << 0;
    QTest::newRow("501 over many list pages") << 501 << 50 << 7;
    QTest::newRow("one row per list page") << 5 << 1 << 1;
}

void TestResultsReportReader::readsAnyNumberOfPoints()
{
    QFETCH(int, count);
    QFETCH(int, rowsPerPage);
    QFETCH(int, pageEvery);

    const QList<ReportPoint> made = syntheticPoints(count, pageEvery);
    QTemporaryDir dir;
    const ReportReading report =
        readResultsReport(writeOut(dir, generateResultsReport(made, rowsPerPage)));
    QVERIFY2(report.outcome, qPrintable(report.outcome.message));
    QCOMPARE(report.points.size(), count);
    for (int i = 0; i < count; ++i) {
        const ResultPoint& p = report.points[i];
        QCOMPARE(p.PointNumber, made[i].number.rightJustified(5, u'0'));
        QCOMPARE(p.PointName, made[i].name);
        QCOMPARE(p.X, made[i].x);
        QCOMPARE(p.Y, made[i].y);
        QCOMPARE(p.ResultValue, made[i].resultValue);
    }
}

void TestResultsReportReader::refusesBrokenReport_data()
{
    QTest::addColumn<Mutation>("mutation");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("part");

    QTest::newRow("no index frame")
        << replaceIn("report.htm", "name=\"contents\">", "name=\"toc\">") << "report.htm"
        << "name=\"contents\"";
    QTest::newRow("no coordinate list link")
        << replaceIn("contents.htm", "座標の計算結果", "座標一覧") << "contents.htm"
        << "座標の計算結果";
    QTest::newRow("no results link") << replaceIn("contents.htm", "成果表", "一覧")
                                     << "contents.htm" << "成果表";
    QTest::newRow("linked page missing") << removePage("list002.htm") << "list002.htm"
                                         << "開けません";
    QTest::newRow("list table missing")
        << replaceIn("list001.htm", "<table border=\"1\">", "<div>") << "list001.htm"
        << "座標一覧の表";
    QTest::newRow("list page ends inside a row")
        << cutAfter("list001.htm", "7 (本郷)") << "list001.htm" << "途中で終わっています";
    QTest::newRow("row cell without parentheses")
        << replaceIn("list001.htm", "7 (本郷)", "7 本郷") << "list001.htm" << "点番号と点名";
    QTest::newRow("row cell without blank")
        << replaceIn("list001.htm", "7 (本郷)", "7(本郷)") << "list001.htm" << "点番号と点名";
    QTest::newRow("point number of six characters")
        << replaceIn("list001.htm", "7 (本郷)", "123456 (本郷)") << "list001.htm"
        << "123456";
    QTest::newRow("list value without full-width metre sign")
        << replaceIn("list001.htm", "12.3456ｍ", "12.3456m") << "list001.htm" << "ｍ";
    QTest::newRow("list value not a number")
        << replaceIn("list001.htm", "12.3456ｍ", "12,3456ｍ") << "list001.htm" << "12,3456";
    QTest::newRow("list pages link back")
        << replaceIn("list002.htm", "href=\"result0001.htm\"", "href=\"list001.htm\"")
        << "list002.htm" << "list001.htm";
    QTest::newRow("X without metre sign")
        << replaceIn("result0001.htm", "-12345.678 m", "-12345.678") << "result0001.htm"
        << "X座標";
    QTest::newRow("latitude not in degrees, minutes, seconds")
        << replaceIn("result0001.htm", "35°39′29.12345″", "35.658090") << "result0001.htm"
        << "緯度";
    QTest::newRow("results page ends early")
        << cutAfter("result0003.htm", "<td>緯度</td>") << "result0003.htm"
        << "途中で終わっています";
    QTest::newRow("results run out before the last point")
        << replaceIn("result0004.htm", "<td>代々木</td>", "<td>-</td>") << "contents.htm"
        << "代々木";
    QTest::newRow("results pages link back")
        << replaceIn("result0002.htm", "href=\"result0003.htm\"", "href=\"result0002.htm\"")
        << "result0002.htm" << "戻っています";
}

void TestResultsReportReader::refusesBrokenReport()
{
    QFETCH(Mutation, mutation);
    QFETCH(QString, page);
    QFETCH(QString, part);

    QList<GeneratedPage> pages = edgeReport();
    mutation(pages);
    QTemporaryDir dir;
    const ReportReading report = readResultsReport(writeOut(dir, pages));
    QVERIFY(!report.outcome);
    QVERIFY(report.points.isEmpty());
    QVERIFY2(report.outcome.message.contains(QDir::toNativeSeparators(dir.filePath(page))),
             qPrintable(report.outcome.message));
    QVERIFY2(report.outcome.message.contains(part), qPrintable(report.outcome.message));
}

void TestResultsReportReader::damagedBytesAreRefusedWhenWritten()
{
    QTemporaryDir dir;
    const QString frameSet = writeOut(dir, edgeReport());
    // A byte that is no code page 932 character in the middle of Y.
    QFile results(dir.filePath("result0001.htm"));
    QVERIFY(results.open(QIODevice::ReadOnly));
    QByteArray bytes = results.readAll();
    results.close();
    QVERIFY(bytes.contains("+05432.100 m"));
    bytes.replace("+05432.100 m", "+05432.\xff" "00 m");
    QVERIFY(results.open(QIODevice::WriteOnly | QIODevice::Truncate));
    results.write(bytes);
    results.close();

    const ReportReading report = readResultsReport(frameSet);
    QVERIFY2(report.outcome, qPrintable(report.outcome.message));
    QByteArray out;
    const dravel::Outcome f = NumericDataWriter::encode(report.points, {}, out);
    QVERIFY(!f);
    QVERIFY2(f.message.contains(QStringLiteral("点 00007 のY座標")), qPrintable(f.message));
}

void TestResultsReportReader::packsDms_data()
{
    QTest::addColumn<QString>("angle");
    QTest::addColumn<QString>("packed"); // empty: refused
    QTest::newRow("five decimals cut to four") << "35°39′29.12345″" << "35.39291234";
    QTest::newRow("four decimals") << "139°03′07.5000″" << "139.03075000";
    QTest::newRow("no carry from cut nines") << "36°59′59.99999″" << "36.59599999";
    QTest::newRow("short decimals kept short") << "140°59′59.9″" << "140.59599";
    QTest::newRow("whole seconds only") << "35°39′29″" << "35.3929";
    QTest::newRow("ASCII signs") << "35°39'29.1234\"" << "35.39291234";
    QTest::newRow("no degree sign") << "35.658090" << "";
    QTest::newRow("one-digit minutes") << "35°9′29.1234″" << "";
    QTest::newRow("seconds missing") << "35°39′" << "";
    QTest::newRow("degrees not a number") << "北緯35°39′29.1234″" << "";
}

void TestResultsReportReader::packsDms()
{
    QFETCH(QString, angle);
    QFETCH(QString, packed);
    QCOMPARE(ToPackedDms(angle).value_or(QString()), packed);
}

void TestResultsReportReader::formatsThreeDecimals_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("formatted"); // empty: refused
    QTest::newRow("rounds up") << "12.3456" << "12.346";
    QTest::newRow("pads") << "0.5" << "0.500";
    QTest::newRow("half away from zero") << "2.0005" << "2.001";
    QTest::newRow("negative half away from zero") << "-2.0005" << "-2.001";
    QTest::newRow("carry into the whole part") << "99.9995" << "100.000";
    QTest::newRow("below the half") << "1.00049999" << "1.000";
    QTest::newRow("negative that rounds to zero") << "-0.0004" << "0.000";
    QTest::newRow("leading zeros and plus") << "+007.1" << "7.100";
    QTest::newRow("no whole part") << ".25" << "0.250";
    QTest::newRow("whole number") << "1234" << "1234.000";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("comma") << "1,234.5" << "";
    QTest::newRow("two points") << "1.2.3" << "";
    QTest::newRow("sign only") << "-" << "";
}

void TestResultsReportReader::formatsThreeDecimals()
{
    QFETCH(QString, number);
    QFETCH(QString, formatted);
    QCOMPARE(formatThreeDecimals(number).value_or(QString()), formatted);
}

QTEST_GUILESS_MAIN(TestResultsReportReader)
#include "tst_resultsreportreader.moc"
