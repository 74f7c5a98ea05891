// bemsol-cli checks: the JSON (its keys in order, its numbers as written), the options
// that change the answer, the PDF, and the exit codes.
#include "checksfixture.h"
#include "clirunner.h"

#include "project/projectfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The keys of every object in the order written, objects in the order they close.
QList<QStringList> keysInOrder(const QByteArray& json)
{
    QList<QStringList> closed;
    QList<QStringList> open;
    QString pendingString;
    bool haveString = false;
    const QString text = QString::fromUtf8(json);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            QString s;
            for (++i; i < text.size() && text[i] != u'"'; ++i) {
                if (text[i] == u'\\')
                    ++i;
                s += text[i];
            }
            pendingString = s;
            haveString = true;
            continue;
        }
        if (c == u':' && haveString && !open.isEmpty())
            open.last() << pendingString;
        if (!c.isSpace())
            haveString = false;
        if (c == u'{')
            open.append(QStringList{});
        else if (c == u'}' && !open.isEmpty())
            closed.append(open.takeLast());
    }
    return closed;
}

// A triangle of two sessions whose baseline 2 is 4, -10 and 20 mm off, a repeat of
// baseline 1 observed backwards (which makes a second triangle), a side to D in session 1
// only, and a baseline with an end the import could not match.
ProjectModel knownNetwork()
{
    ChecksNetwork n;
    n.place(QStringLiteral("A"), 0, 0, 0);
    n.place(QStringLiteral("B"), 1200, 300, -200);
    n.place(QStringLiteral("C"), 400, 1500, 100);
    n.place(QStringLiteral("D"), -900, 800, 50);
    n.baseline(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("1"));
    n.baseline(QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("1"), {0.004, -0.010, 0.020});
    n.baseline(QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("2"));
    n.baseline(QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("2"), {0.001, 0, 0});
    n.baseline(QStringLiteral("C"), QStringLiteral("D"), QStringLiteral("1"));
    n.baseline(QStringLiteral("A"), QStringLiteral("D"), QStringLiteral("1"));
    n.at(6).endOccupation = 0;
    // Baseline 5 observed 50 minutes: too short for static.
    n.at(5).endTime = QStringLiteral("2024/05/01 9:50:00");
    return n.model;
}

class Fixture
{
public:
    Fixture()
    {
        project = dir.filePath(QStringLiteral("known.dat"));
        if (!SaveProjectFile(knownNetwork(), project))
            qFatal("cannot write the project file");
    }
    QTemporaryDir dir;
    QString project;
};

} // namespace

class TestChecksCli : public QObject
{
    Q_OBJECT

private slots:
    void jsonShape();
    void jsonValues();
    void optionsChangeTheAnswer_data();
    void optionsChangeTheAnswer();
    void tableAndPdf();
    void exitCodes_data();
    void exitCodes();
};

void TestChecksCli::jsonShape()
{
    Fixture f;
    const CliRun r = runCli({"checks", f.project, "--json", "--no-names"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QJsonParseError error;
    QVERIFY2(QJsonDocument::fromJson(r.out, &error).isObject(), qPrintable(error.errorString()));

    const QStringList vectorKeys{"dX", "dY", "dZ", "dN", "dE", "dU", "limitNE", "limitU", "pass"};
    const QList<QStringList> keys = keysInOrder(r.out);
    const QStringList loop = QStringList{"path", "sides"} + vectorKeys;
    const QStringList repeat = QStringList{"first", "other", "reversed"} + vectorKeys;
    const QStringList unusable{"baseline", "reason"};
    const QStringList condition{"baseline", "minutes", "interval", "satellites", "elevation", "problems"};
    const QStringList whole{"loops", "repeats", "unchecked", "unusable", "conditions", "pass"};
    // Two loops, one repeat, one unusable baseline, five conditions, then the whole.
    QCOMPARE(keys, (QList<QStringList>{loop, loop, repeat, unusable, condition, condition,
                                       condition, condition, condition, whole}));
}

void TestChecksCli::jsonValues()
{
    Fixture f;
    const CliRun r = runCli({"checks", f.project, "--json", "--no-names"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();

    // The triangle closes by baseline 2's error; on the equator at longitude 0 north,
    // east and up are ΔZ, ΔY and ΔX.
    const QJsonObject loop = o["loops"].toArray().at(0).toObject();
    QCOMPARE(o["loops"].toArray().size(), 2);
    QCOMPARE(loop["path"].toArray(), (QJsonArray{1, 2, 3}));
    QCOMPARE(loop["sides"].toInt(), 3);
    QCOMPARE(loop["dX"].toDouble(), 0.004);
    QCOMPARE(loop["dY"].toDouble(), -0.010);
    QCOMPARE(loop["dZ"].toDouble(), 0.020);
    QCOMPARE(loop["dN"].toDouble(), 0.020);
    QCOMPARE(loop["dE"].toDouble(), -0.010);
    QCOMPARE(loop["dU"].toDouble(), 0.004);
    QCOMPARE(loop["limitNE"].toDouble(), 0.035);
    QCOMPARE(loop["limitU"].toDouble(), 0.052);
    QCOMPARE(loop["pass"].toBool(), true);
    // The repeat, not yet in a loop, closes one of its own: B to A, A to C, C to B, where
    // the errors of baselines 4 and 2 (backwards) meet.
    const QJsonObject second = o["loops"].toArray().at(1).toObject();
    QCOMPARE(second["path"].toArray(), (QJsonArray{4, -3, -2}));
    QCOMPARE(second["dX"].toDouble(), -0.003);
    QCOMPARE(second["dY"].toDouble(), 0.010);
    QCOMPARE(second["dZ"].toDouble(), -0.020);

    const QJsonObject repeat = o["repeats"].toArray().at(0).toObject();
    QCOMPARE(repeat["first"].toInt(), 1);
    QCOMPARE(repeat["other"].toInt(), 4);
    QCOMPARE(repeat["reversed"].toBool(), true);
    // Baseline 4 is B to A with 1 mm more in ΔX: negated, it is 1 mm short of baseline 1.
    QCOMPARE(repeat["dX"].toDouble(), -0.001);
    QCOMPARE(repeat["dU"].toDouble(), -0.001);
    QCOMPARE(repeat["dN"].toDouble(), 0.0);

    QCOMPARE(o["unchecked"].toArray(), QJsonArray{5});
    QCOMPARE(o["unusable"].toArray().size(), 1);
    QCOMPARE(o["unusable"].toArray().at(0).toObject()["baseline"].toInt(), 6);
    QVERIFY(!o["unusable"].toArray().at(0).toObject()["reason"].toString().isEmpty());

    const QJsonArray conditions = o["conditions"].toArray();
    QCOMPARE(conditions.size(), 5);
    const QJsonObject first = conditions.at(0).toObject();
    QCOMPARE(first["baseline"].toInt(), 1);
    QCOMPARE(first["minutes"].toDouble(), 90.0);
    QCOMPARE(first["interval"].toDouble(), 30.0);
    QCOMPARE(first["satellites"].toInt(), 6);
    QCOMPARE(first["elevation"].toDouble(), 15.0);
    QCOMPARE(first["problems"].toArray(), QJsonArray{});
    const QJsonObject fifth = conditions.at(4).toObject();
    QCOMPARE(fifth["baseline"].toInt(), 5);
    QCOMPARE(fifth["minutes"].toDouble(), 50.0);
    QCOMPARE(fifth["problems"].toArray(), QJsonArray{"time"});
    QCOMPARE(o["pass"].toBool(), false);

    // Numbers as few digits as give them back; whole minutes keep their decimal point.
    QVERIFY(r.out.contains("\"limitNE\":0.02,"));
    QVERIFY(r.out.contains("\"limitU\":0.052,"));
    QVERIFY(r.out.contains("\"minutes\":90.0,"));
    QVERIFY(!r.out.contains("0000000"));
}

void TestChecksCli::optionsChangeTheAnswer_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("loops");
    QTest::addColumn<QList<int>>("unchecked");
    QTest::addColumn<int>("failingConditions");
    QTest::addColumn<bool>("pass");

    QTest::newRow("defaults") << QStringList{} << 2 << QList<int>{5} << 1 << false;
    // Without baseline 3 both triangles are gone; baselines 1 and 4 are still checked as
    // repeats.
    QTest::newRow("off breaks the loop") << QStringList{"--off", "3"} << 0 << QList<int>{2, 5} << 1 << false;
    QTest::newRow("off the short one and the dangling one")
        << QStringList{"--off", "5"} << 2 << QList<int>{} << 0 << true;
    // Short static: 20 minutes, 15 s and 5 satellites; the interval of 30 s fails everywhere.
    QTest::newRow("short static")
        << QStringList{"--class", "3", "--method", "short-static"} << 2 << QList<int>{5} << 5 << false;
    QTest::newRow("static named") << QStringList{"--class", "4", "--method", "static"} << 2
                                  << QList<int>{5} << 1 << false;
}

void TestChecksCli::optionsChangeTheAnswer()
{
    QFETCH(QStringList, options);
    QFETCH(int, loops);
    QFETCH(QList<int>, unchecked);
    QFETCH(int, failingConditions);
    QFETCH(bool, pass);
    Fixture f;
    const CliRun r = runCli(QStringList{"checks", f.project, "--json", "--no-names"} + options);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    QCOMPARE(o["loops"].toArray().size(), loops);
    QList<int> gotUnchecked;
    for (const QJsonValue& v : o["unchecked"].toArray())
        gotUnchecked << v.toInt();
    QCOMPARE(gotUnchecked, unchecked);
    int failing = 0;
    for (const QJsonValue& v : o["conditions"].toArray())
        failing += v.toObject()["problems"].toArray().isEmpty() ? 0 : 1;
    QCOMPARE(failing, failingConditions);
    QCOMPARE(o["pass"].toBool(), pass);
}

void TestChecksCli::tableAndPdf()
{
    Fixture f;
    const QString pdf = f.dir.filePath(QStringLiteral("book.pdf"));
    const CliRun r = runCli({"checks", f.project, "--pdf", pdf});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QString table = QString::fromUtf8(r.out);
    QVERIFY(table.contains(QStringLiteral("1, 2, 3")));
    QVERIFY(table.contains(QStringLiteral("判定 不合格")));
    QVERIFY(!table.contains(u'{'));

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(60000));
    const QString book = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY(book.contains(QStringLiteral("点検計算簿")));
    QVERIFY(book.contains(QStringLiteral("known.dat")));
}

void TestChecksCli::exitCodes_data()
{
    QTest::addColumn<QStringList>("arguments"); // after "checks"; PROJECT is the fixture
    QTest::addColumn<int>("exitCode");

    QTest::newRow("checks ran") << QStringList{"PROJECT"} << 0;
    QTest::newRow("short static 1級") << QStringList{"PROJECT", "--method", "short-static"} << 2;
    QTest::newRow("short static 2級")
        << QStringList{"PROJECT", "--class", "2", "--method", "short-static"} << 2;
    QTest::newRow("short static 4級")
        << QStringList{"PROJECT", "--class", "4", "--method", "short-static"} << 0;
    QTest::newRow("class 5") << QStringList{"PROJECT", "--class", "5"} << 2;
    QTest::newRow("class 1級") << QStringList{"PROJECT", "--class", "1級"} << 2;
    QTest::newRow("method unknown") << QStringList{"PROJECT", "--method", "rtk"} << 2;
    QTest::newRow("no input") << QStringList{"--json"} << 2;
    QTest::newRow("two inputs") << QStringList{"PROJECT", "PROJECT"} << 2;
    QTest::newRow("unknown option") << QStringList{"PROJECT", "--verbose"} << 2;
    QTest::newRow("names and no names") << QStringList{"PROJECT", "--names", "x.ini", "--no-names"} << 2;
    QTest::newRow("baseline off the end") << QStringList{"PROJECT", "--off", "7"} << 2;
    QTest::newRow("pdf not named .pdf") << QStringList{"PROJECT", "--pdf", "PROJECT"} << 2;
    QTest::newRow("input missing") << QStringList{"DIR/none.dat"} << 1;
    QTest::newRow("input refused") << QStringList{"DIR/garbage.dat"} << 1;
    QTest::newRow("input of no known kind") << QStringList{"DIR/GARBAGE.XML"} << 1;
    QTest::newRow("name table missing") << QStringList{"PROJECT", "--names", "DIR/none.ini"} << 1;
    QTest::newRow("pdf not writable") << QStringList{"PROJECT", "--pdf", "DIR/no/such/dir/book.pdf"} << 1;
}

void TestChecksCli::exitCodes()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    Fixture f;
    QFile garbage(f.dir.filePath(QStringLiteral("garbage.dat")));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a project file\n");
    garbage.close();
    QVERIFY(garbage.copy(f.dir.filePath(QStringLiteral("GARBAGE.XML"))));
    for (QString& a : arguments) {
        a.replace(QStringLiteral("PROJECT"), f.project);
        a.replace(QStringLiteral("DIR"), f.dir.path());
    }
    const CliRun r = runCli(QStringList{"checks"} + arguments);
    QCOMPARE(r.exitCode, exitCode);
    if (exitCode == 0)
        QVERIFY(!r.out.isEmpty());
    else
        QVERIFY(!r.err.isEmpty());
}

QTEST_GUILESS_MAIN(TestChecksCli)
#include "tst_checkscli.moc"
