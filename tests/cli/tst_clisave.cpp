#include "clirunner.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

const QString sample = QStringLiteral(TEST_DATA_DIR "/small-survey.xml");

} // namespace

class TestCliSave : public QObject
{
    Q_OBJECT

private slots:
    void savedProjectDumpsLikeItsExchangeFile();
    void refusedInputWritesNothing_data();
    void refusedInputWritesNothing();
    void unwritableOutput();
    void usageErrors_data();
    void usageErrors();
};

void TestCliSave::savedProjectDumpsLikeItsExchangeFile()
{
    QTemporaryDir dir;
    const QString saved = dir.filePath("survey.dat");
    CliRun r = runCli({"save", sample, saved});
    QCOMPARE(r.exitCode, 0);

    const CliRun fromXml = runCli({"dump", sample});
    const CliRun fromDat = runCli({"dump", saved});
    QCOMPARE(fromXml.exitCode, 0);
    QCOMPARE(fromDat.exitCode, 0);
    QJsonObject xml = QJsonDocument::fromJson(fromXml.out).object();
    QJsonObject dat = QJsonDocument::fromJson(fromDat.out).object();
    QVERIFY(!xml.isEmpty());
    // The project file keeps the software text as its 30-byte header field.
    QCOMPARE(dat["swProgram"].toString(), xml["swProgram"].toString().leftJustified(30, u' ', true));
    xml.remove("swProgram");
    dat.remove("swProgram");
    QCOMPARE(dat, xml);

    // A project file saved again is the same file.
    const QString again = dir.filePath("again.dat");
    QCOMPARE(runCli({"save", saved, again}).exitCode, 0);
    QCOMPARE(readAll(again), readAll(saved));
}

void TestCliSave::refusedInputWritesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    const QByteArray root = "<JapaneseExchangeFormat Software=\"Trimble Total Control 2.71\">\r\n";
    QTest::newRow("damaged project") << "damaged.dat" << QByteArray(44, '\0') << "読込できません";
    QTest::newRow("text file") << "hello.xml" << QByteArray("hello world\n")
                               << "ファイルのバージョンが違います";
    QTest::newRow("binary file") << "image.xml" << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                                 << "ファイルのバージョンが違います";
    QTest::newRow("another program's XML")
        << "track.xml" << QByteArray("<?xml version=\"1.0\"?>\r\n<gpx>\r\n</gpx>\r\n")
        << "ファイルのバージョンが違います";
    QTest::newRow("cut in the baseline list")
        << "cut.xml" << root + "<BaselineList>\r\n<Baseline>\r\n" << "ファイルが途中で終わっています";
    QTest::newRow("root not closed") << "open.xml" << root << "ファイルが途中で終わっています";
}

// Exit 1, the message naming the file, and no output file.
void TestCliSave::refusedInputWritesNothing()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString input = dir.filePath(name);
    QFile f(input);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    const QString out = dir.filePath("out.dat");

    const CliRun r = runCli({"save", input, out});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY2(r.err.contains(name), qPrintable(r.err));
    QVERIFY(!QFile::exists(out));

    const CliRun dump = runCli({"dump", input});
    QCOMPARE(dump.exitCode, 1);
    QVERIFY(dump.out.isEmpty());
    QVERIFY2(dump.err.contains(message), qPrintable(dump.err));
}

void TestCliSave::unwritableOutput()
{
    QTemporaryDir dir;
    const CliRun r = runCli({"save", sample, dir.filePath("no/such/dir/out.dat")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(QStringLiteral("保存できません")), qPrintable(r.err));
}

void TestCliSave::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no output") << QStringList{"save", sample};
    QTest::newRow("output not .dat") << QStringList{"save", sample, "copy.xml"};
    QTest::newRow("three files") << QStringList{"save", sample, "a.dat", "b.dat"};
    QTest::newRow("names without file") << QStringList{"save", sample, "a.dat", "--names"};
}

void TestCliSave::usageErrors()
{
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.start(QStringLiteral(BIN_DIR "/bemsol-cli"), args);
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(QDir(dir.path()).isEmpty());
}

QTEST_GUILESS_MAIN(TestCliSave)
#include "tst_clisave.moc"
