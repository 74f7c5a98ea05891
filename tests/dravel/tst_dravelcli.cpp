#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode;
    QString err;
};

Run run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(BIN_DIR "/") + program, args);
    if (!p.waitForFinished(120000))
        qFatal("%s did not finish", qPrintable(program));
    if (p.exitStatus() != QProcess::NormalExit)
        qFatal("%s crashed", qPrintable(program));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

const QString exampleReport = QStringLiteral(SOURCE_DIR "/examples/results-report/report.htm");

} // namespace

class TestDravelCli : public QObject
{
    Q_OBJECT

private slots:
    void writesExample_data();
    void writesExample();
    void refusesInput_data();
    void refusesInput();
    void usageErrors_data();
    void usageErrors();
    void readsGeneratedReportOfAnySize();
};

void TestDravelCli::writesExample_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("expected");
    QTest::newRow("defaults") << QStringList{} << "example-defaults.txt";
    QTest::newRow("改算, Japanese datum")
        << QStringList{"--category", "改算による座標変換", "--content", "基準点測量（3級）",
                       "--datum", "1", "--zone", "9"}
        << "example-recalculation-japan.txt";
    QTest::newRow("改測, world datum, options first")
        << QStringList{"--zone", "10", "--datum", "0", "--category", "改測による座標変換",
                       "--content", "改測"}
        << "example-resurvey-world.txt";
}

void TestDravelCli::writesExample()
{
    QFETCH(QStringList, options);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString out = dir.filePath("out.txt");
    const Run r = run("dravel-cli", options + QStringList{exampleReport, out});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(readAll(out), readAll(QStringLiteral(TEST_DATA_DIR "/") + expected));
}

void TestDravelCli::refusesInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing report") << QStringList{"/nonexistent/report.htm"}
                                    << "/nonexistent/report.htm";
    QTest::newRow("comma in content")
        << QStringList{exampleReport, "--content", "2級,3級"} << "作業内容";
    QTest::newRow("LF in zone") << QStringList{exampleReport, "--zone", "9\n"}
                                << "平面直角座標系";
}

void TestDravelCli::refusesInput()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString out = dir.filePath("out.txt");
    const Run r = run("dravel-cli", args + QStringList{out});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(!QFile::exists(out));
}

void TestDravelCli::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("no output") << QStringList{"report.htm"};
    QTest::newRow("three files") << QStringList{"report.htm", "a.txt", "b.txt"};
    QTest::newRow("unknown category")
        << QStringList{"report.htm", "a.txt", "--category", "改修"};
    QTest::newRow("datum 2") << QStringList{"report.htm", "a.txt", "--datum", "2"};
    QTest::newRow("option without value") << QStringList{"report.htm", "a.txt", "--zone"};
    QTest::newRow("option twice")
        << QStringList{"report.htm", "a.txt", "--zone", "9", "--zone", "10"};
    QTest::newRow("unknown option") << QStringList{"report.htm", "a.txt", "--fast"};
}

void TestDravelCli::usageErrors()
{
    QFETCH(QStringList, args);
    const Run r = run("dravel-cli", args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains("usage:"), qPrintable(r.err));
}

void TestDravelCli::readsGeneratedReportOfAnySize()
{
    QTemporaryDir dir;
    const int points = 1234;
    const Run gen = run("gen-results-report",
                        {dir.filePath("report"), QString::number(points), "--rows-per-page", "37",
                         "--page-every", "9"});
    QVERIFY2(gen.exitCode == 0, qPrintable(gen.err));

    const QString out = dir.filePath("out.txt");
    const Run r = run("dravel-cli", {dir.filePath("report/report.htm"), out, "--zone", "12"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QList<QByteArray> lines = readAll(out).split('\n');
    QCOMPARE(lines.size(), 4 + points + 1 + 1); // Z00..A00, the points, A99, after the last CR LF
    QCOMPARE(lines[4].left(10), QByteArray("A01,00001,"));
    QCOMPARE(lines[3 + points].left(10), QByteArray("A01,01234,"));
    QCOMPARE(lines[4 + points], QByteArray("A99,\r"));
    QVERIFY(lines.last().isEmpty());
}

QTEST_GUILESS_MAIN(TestDravelCli)
#include "tst_dravelcli.moc"
