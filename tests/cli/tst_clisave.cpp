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
    void refusedInputWritesNothing();
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

void TestCliSave::refusedInputWritesNothing()
{
    QTemporaryDir dir;
    const QString damaged = dir.filePath("damaged.dat");
    QFile f(damaged);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(44, '\0'));
    f.close();
    const QString out = dir.filePath("out.dat");

    const CliRun r = runCli({"save", damaged, out});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(QStringLiteral("読込できません")), qPrintable(r.err));
    QVERIFY(!QFile::exists(out));

    const CliRun dump = runCli({"dump", damaged});
    QCOMPARE(dump.exitCode, 1);
    QVERIFY(dump.out.isEmpty());

    const CliRun unwritable = runCli({"save", sample, dir.filePath("no/such/dir/out.dat")});
    QCOMPARE(unwritable.exitCode, 1);
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
