#include "project/modeljson.h"
#include "model/projectmodel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

class TestProjectModel : public QObject
{
    Q_OBJECT

private slots:
    void startsWithElementZeroOnly();
    void occupationLookupOutsideIsEmpty_data();
    void occupationLookupOutsideIsEmpty();
    void recordsAreValues();
    void jsonShape();
};

void TestProjectModel::startsWithElementZeroOnly()
{
    const ProjectModel m;
    QCOMPARE(m.baselines.size(), 1);
    QCOMPARE(m.occupations.size(), 1);
    QCOMPARE(m.satellites.size(), 1);
    QCOMPARE(m.baselineCount(), 0);
}

void TestProjectModel::occupationLookupOutsideIsEmpty_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("pointName");
    QTest::addColumn<bool>("editable");
    QTest::newRow("zero") << 0 << "" << false;
    QTest::newRow("first") << 1 << "P1" << true;
    QTest::newRow("last") << 2 << "P2" << true;
    QTest::newRow("past the end") << 3 << "" << false;
    QTest::newRow("negative") << -1 << "" << false;
    QTest::newRow("huge") << 2147483647 << "" << false;
}

void TestProjectModel::occupationLookupOutsideIsEmpty()
{
    QFETCH(int, index);
    QFETCH(QString, pointName);
    QFETCH(bool, editable);
    ProjectModel m;
    m.occupations.append(OccupationRecord{.pointName = "P1"});
    m.occupations.append(OccupationRecord{.pointName = "P2"});
    QCOMPARE(m.occupationAt(index).pointName, pointName);
    QCOMPARE(m.editableOccupation(index) != nullptr, editable);
}

void TestProjectModel::recordsAreValues()
{
    BaselineRecord a;
    a.startPoint.posX = QStringLiteral("1");
    BaselineRecord b = a;
    b.startPoint.posX = QStringLiteral("2");
    QCOMPARE(a.startPoint.posX, QStringLiteral("1"));
    QVERIFY(!(a == b));
}

void TestProjectModel::jsonShape()
{
    ProjectModel m;
    m.swProgram = QStringLiteral("Trimble Total Control 2.71");
    m.common.ephType = QStringLiteral("放送暦");
    BaselineRecord b;
    b.session = QStringLiteral("A\"\\\n");
    b.startOccupation = 1;
    b.vector.CovZZ = QStringLiteral("0.1");
    m.baselines.append(b);
    m.occupations.append(OccupationRecord{.pointName = QString(QChar(char16_t(0xD800))),
                                          .firstSat = 1, .satCount = 1});
    m.satellites.append(SatelliteRecord{.reserved = 7, .satname = "G01"});

    const QByteArray json = ModelToJson(m);
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(json, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(root.keys(), (QStringList{"baselines", "common", "occupations", "satellites",
                                       "swProgram"}));
    QCOMPARE(root["common"].toObject().size(), 7);
    QCOMPARE(root["common"]["ephType"].toString(), QStringLiteral("放送暦"));
    const QJsonObject baseline = root["baselines"].toArray().at(0).toObject();
    QCOMPARE(root["baselines"].toArray().size(), 1);
    QCOMPARE(baseline.size(), 12);
    QCOMPARE(baseline["session"].toString(), QStringLiteral("A\"\\\n"));
    QVERIFY(baseline["startOccupation"].isDouble());
    QCOMPARE(baseline["startOccupation"].toInt(), 1);
    QCOMPARE(baseline["startPoint"].toObject().size(), 8);
    QCOMPARE(baseline["vector"].toObject().size(), 26);
    QCOMPARE(baseline["vector"]["CovZZ"].toString(), QStringLiteral("0.1"));
    const QJsonObject occupation = root["occupations"].toArray().at(0).toObject();
    QCOMPARE(occupation.size(), 12);
    QVERIFY(occupation["satCount"].isDouble());
    QVERIFY(json.contains("\\ud800"));
    const QJsonObject satellite = root["satellites"].toArray().at(0).toObject();
    QCOMPARE(satellite["reserved"].toInt(), 7);
    QVERIFY(satellite["l1"].isString());
    // Keys in stored order, so the dump reads like the record.
    QVERIFY(json.indexOf("\"session\"") < json.indexOf("\"startTime\""));
    QVERIFY(json.indexOf("\"startPoint\"") < json.indexOf("\"startOccupation\""));
}

QTEST_GUILESS_MAIN(TestProjectModel)
#include "tst_projectmodel.moc"
