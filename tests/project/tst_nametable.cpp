#include "project/nametable.h"
#include "model/projectmodel.h"
#include "model/textcodec.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray sjis(const QString& text)
{
    return *EncodeShiftJis(text);
}

// Two baselines, each end with its own occupation: 1-2 and 3-4.
ProjectModel twoBaselines()
{
    ProjectModel m;
    for (int i = 1; i <= 4; ++i) {
        OccupationRecord o;
        o.pointName = QStringLiteral("P%1").arg(i);
        o.antennaName = i == 1 ? QStringLiteral("A") : QStringLiteral("TRM");
        o.antennaSN = QStringLiteral("SN%1").arg(i);
        o.receiverName = QStringLiteral("R ");
        o.receiverSN = QStringLiteral("RSN");
        m.occupations.append(o);
    }
    m.baselines.append(BaselineRecord{.session = "1", .startOccupation = 1, .endOccupation = 2});
    m.baselines.append(BaselineRecord{.session = "", .startOccupation = 3, .endOccupation = 4});
    return m;
}

} // namespace

class TestNameTable : public QObject
{
    Q_OBJECT

private slots:
    void nextField_data();
    void nextField();
    void parsesRecords();
    void applies_data();
    void applies();
    void unreferencedOccupationKeepsNames();
    void loadsFile();
    void missingAndUnreadableFiles();
    void damagingTablesRefused_data();
    void damagingTablesRefused();
};

void TestNameTable::nextField_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("rest");
    QTest::newRow("no comma") << "SS" << "SS" << "SS";
    QTest::newRow("one comma") << "SS,1" << "SS" << "1";
    QTest::newRow("trailing comma") << "1," << "1" << "";
    QTest::newRow("blanks kept") << " AN , x" << " AN " << " x";
    QTest::newRow("empty") << "" << "" << "";
}

void TestNameTable::nextField()
{
    QFETCH(QString, line);
    QFETCH(QString, field);
    QFETCH(QString, rest);
    QCOMPARE(NextField(line), field);
    QCOMPARE(line, rest);
}

void TestNameTable::parsesRecords()
{
    const NameTable t = ParseNameTable(sjis(QStringLiteral(
        "// コメント\r\n"
        "SS,1,A\r\n"
        "SS,2\r\n"          // from and to both "2"
        "SS\r\n"            // a pair SS -> SS
        "AN,TRM,ﾄﾘﾝﾌﾞﾙ,extra\r\n"
        "an,x,y\r\n"        // lower-case key ignored
        " RN,x,y\r\n"       // leading blank ignored
        "[section]\r\n"
        "\r\n"
        "RS,1234,\r\n"      // empty replacement
        "AS,SN ,Z")));      // trailing blank belongs to the name; no final line end
    QCOMPARE(t.sessionMap, (QList<NameMapping>{{"1", "A"}, {"2", "2"}, {"SS", "SS"}}));
    QCOMPARE(t.antennaNameMap, (QList<NameMapping>{{"TRM", QStringLiteral("ﾄﾘﾝﾌﾞﾙ")}}));
    QVERIFY(t.receiverNameMap.isEmpty());
    QCOMPARE(t.receiverSNMap, (QList<NameMapping>{{"1234", ""}}));
    QCOMPARE(t.antennaSNMap, (QList<NameMapping>{{"SN ", "Z"}}));
}

void TestNameTable::applies_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("sessions");
    QTest::addColumn<QStringList>("antennas"); // occupations 1..4

    QTest::newRow("comments only change nothing") << "/ only a comment\r\n"
                                                  << QStringList{"1", ""}
                                                  << QStringList{"A", "TRM", "TRM", "TRM"};
    QTest::newRow("chain A->B then B->C gives C") << "AN,A,B\r\nAN,B,C\r\n"
                                                  << QStringList{"1", ""}
                                                  << QStringList{"C", "TRM", "TRM", "TRM"};
    QTest::newRow("reversed chain stops at B") << "AN,B,C\r\nAN,A,B\r\n"
                                               << QStringList{"1", ""}
                                               << QStringList{"B", "TRM", "TRM", "TRM"};
    QTest::newRow("both ends of every baseline") << "AN,TRM,T2\r\n" << QStringList{"1", ""}
                                                 << QStringList{"A", "T2", "T2", "T2"};
    QTest::newRow("empty session gets X") << "SS,,X\r\nSS,1,A\r\n" << QStringList{"A", "X"}
                                          << QStringList{"A", "TRM", "TRM", "TRM"};
}

void TestNameTable::applies()
{
    QFETCH(QString, table);
    QFETCH(QStringList, sessions);
    QFETCH(QStringList, antennas);
    ProjectModel m = twoBaselines();
    ApplyNameTable(ParseNameTable(sjis(table)), m);
    QCOMPARE((QStringList{m.baselines[1].session, m.baselines[2].session}), sessions);
    QStringList gotAntennas;
    for (int i = 1; i <= 4; ++i)
        gotAntennas << m.occupations[i].antennaName;
    QCOMPARE(gotAntennas, antennas);
}

void TestNameTable::unreferencedOccupationKeepsNames()
{
    ProjectModel m = twoBaselines();
    m.occupations.append(OccupationRecord{.receiverName = "R "});
    m.baselines[2].endOccupation = 0; // unmatched end: element 0 must stay empty
    ApplyNameTable(ParseNameTable(sjis("RN,R ,NEW\r\nRN,,FILLED\r\n")), m);
    QCOMPARE(m.occupations[1].receiverName, QStringLiteral("NEW"));
    QCOMPARE(m.occupations[4].receiverName, QStringLiteral("R "));
    QCOMPARE(m.occupations[5].receiverName, QStringLiteral("R "));
    QVERIFY(m.occupations[0] == OccupationRecord{});
}

void TestNameTable::loadsFile()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("ChangeName.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(sjis(QStringLiteral("SS,1,A\r\nAN,TRM,ﾄﾘﾝﾌﾞﾙ\r\n")));
    file.close();
    const Result<NameTable> loaded = LoadNameTable(file.fileName());
    QVERIFY2(loaded, qPrintable(loaded.message()));
    QCOMPARE(loaded->sessionMap, (QList<NameMapping>{{"1", "A"}}));
    QCOMPARE(loaded->antennaNameMap, (QList<NameMapping>{{"TRM", QStringLiteral("ﾄﾘﾝﾌﾞﾙ")}}));
}

void TestNameTable::missingAndUnreadableFiles()
{
    QTemporaryDir dir;
    const Result<NameTable> missing = LoadNameTable(dir.filePath("ChangeName.ini"));
    QVERIFY(missing);
    QVERIFY(missing->isEmpty());

    // A directory in the file's place cannot be read as a file.
    QVERIFY(QDir(dir.path()).mkdir("ChangeName.ini"));
    const Result<NameTable> unreadable = LoadNameTable(dir.filePath("ChangeName.ini"));
    QVERIFY(!unreadable);
    QVERIFY(unreadable.message().contains("ChangeName.ini"));
}

void TestNameTable::damagingTablesRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("refusal"); // empty: loaded
    QTest::addColumn<int>("sessionPairs");

    const QByteArray longName(0xFFFF - 5, 'x');
    QTest::newRow("empty") << QByteArray() << "" << 0;
    QTest::newRow("last line without its end") << QByteArray("SS,1,A\r\nSS,2,B") << "" << 2;
    QTest::newRow("damaged replacement") << QByteArray("SS,1,A\r\nSS,2,\x82\r\n")
                                         << "2 行目にシフトJISで読めないバイトがあります" << 0;
    QTest::newRow("saved as UTF-8") << QStringLiteral("AN,TRM,アンテナ\n").toUtf8()
                                    << "1 行目にシフトJISで読めないバイトがあります" << 0;
    QTest::newRow("binary") << QByteArray("SS,\xff\xfe\0\x01,\xfd\n", 10)
                            << "1 行目にテキストでないバイト（NUL）があります" << 0;
    QTest::newRow("NUL in a comment") << QByteArray("SS,1,A\r\n/ \0\r\n", 13)
                                      << "2 行目にテキストでないバイト（NUL）があります" << 0;
    QTest::newRow("damaged comment is passed by") << QByteArray("/ \x82\x20\r\nSS,1,A\r\n") << "" << 1;
    QTest::newRow("damaged line without a key is passed by")
        << QByteArray("XX,\xff\r\nSS,1,A\r\n") << "" << 1;
    QTest::newRow("longest line") << "SS,1," + longName << "" << 1;
    QTest::newRow("line too long") << "SS,1,x" + longName + "\r\nSS,2,B\r\n"
                                   << "1 行目が長すぎます（65535バイトを超えます）" << 0;
}

// A table whose names could not be saved in a project is refused as a whole, with the
// line that is at fault.
void TestNameTable::damagingTablesRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, refusal);
    QFETCH(int, sessionPairs);
    QTemporaryDir dir;
    const QString path = dir.filePath("ChangeName.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    const Result<NameTable> load = LoadNameTable(path);
    QCOMPARE(bool(load), refusal.isEmpty());
    if (refusal.isEmpty()) {
        QCOMPARE(load->sessionMap.size(), sessionPairs);
        return;
    }
    QCOMPARE(sessionPairs, 0);
    QVERIFY2(load.message().startsWith(QStringLiteral("名前変換表を読み込めません: ") + path),
             qPrintable(load.message()));
    QVERIFY2(load.message().endsWith(refusal), qPrintable(load.message()));
}

QTEST_GUILESS_MAIN(TestNameTable)
#include "tst_nametable.moc"
