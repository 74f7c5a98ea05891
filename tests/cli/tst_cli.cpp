#include "clirunner.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write");
    f.write(bytes);
    return f.fileName();
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void dumpsSoftwareVersion();
    void namesTableApplied();
    void refusedVersionExitsOne();
    void usageErrorsExitTwo_data();
    void usageErrorsExitTwo();
};

void TestCli::dumpsSoftwareVersion()
{
    QTemporaryDir dir;
    const QString path = writeFile(
        dir, "small.xml",
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
        "<JapaneseExchangeFormat Software=\"Trimble Total Control 2.71\">\r\n"
        "</JapaneseExchangeFormat>\r\n");
    const CliRun r = runCli({"dump", path});
    QCOMPARE(r.exitCode, 0);
    const QJsonObject root = QJsonDocument::fromJson(r.out).object();
    QCOMPARE(root["swProgram"].toString(), QStringLiteral("Trimble Total Control 2.71"));
}

void TestCli::namesTableApplied()
{
    QTemporaryDir dir;
    // Shift-JIS: "SS,1,第1セッション" and an antenna chain A1 -> X -> ｱﾝﾃﾅ.
    const QString names = writeFile(
        dir, "ChangeName.ini",
        QByteArray("// c\r\nSS,1,\x91\xe6\x31\x83\x5a\x83\x62\x83\x56\x83\x87\x83\x93\r\n"
                   "AN,A1,X\r\nAN,X,\xb1\xdd\xc3\xc5\r\n"));
    const CliRun r = runCli({"dump", QStringLiteral(TEST_DATA_DIR "/small-survey.xml"), "--names", names});
    QCOMPARE(r.exitCode, 0);
    const QJsonObject root = QJsonDocument::fromJson(r.out).object();
    QCOMPARE(root["baselines"][0]["session"].toString(), QStringLiteral("第1セッション"));
    QCOMPARE(root["baselines"][2]["session"].toString(), QStringLiteral("2"));
    QCOMPARE(root["occupations"][0]["antennaName"].toString(), QStringLiteral("ｱﾝﾃﾅ"));
    // The copy made for baseline 2's start is converted as well: it is a baseline end.
    QCOMPARE(root["occupations"][3]["antennaName"].toString(), QStringLiteral("ｱﾝﾃﾅ"));

    QCOMPARE(runCli({"dump", QStringLiteral(TEST_DATA_DIR "/small-survey.xml"), "--names",
                     dir.filePath("missing.ini")})
                 .exitCode,
             1);
}

void TestCli::refusedVersionExitsOne()
{
    QTemporaryDir dir;
    const QString path =
        writeFile(dir, "other.xml", "<JapaneseExchangeFormat Software=\"Other 9\">\r\n");
    const CliRun r = runCli({"dump", path});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.err.contains(QStringLiteral("ファイルのバージョンが違います")), qPrintable(r.err));
}

void TestCli::usageErrorsExitTwo_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"print", "a.xml"};
    QTest::newRow("no input") << QStringList{"dump"};
    QTest::newRow("names without file") << QStringList{"dump", "a.xml", "--names"};
    QTest::newRow("unknown option") << QStringList{"dump", "a.xml", "--fast"};
}

void TestCli::usageErrorsExitTwo()
{
    QFETCH(QStringList, args);
    QCOMPARE(runCli(args).exitCode, 2);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
