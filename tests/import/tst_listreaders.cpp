#include "import/exchangeimport.h"

#include <QFile>
#include <QTest>

namespace {

QByteArray crlf(QByteArray text)
{
    return text.replace("\n", "\r\n");
}

const QByteArray root =
    "<JapaneseExchangeFormat Software=\"Trimble Total Control 2.71\">\n";
const QByteArray rootEnd = "</JapaneseExchangeFormat>\n";

QByteArray timeElement(const char* tag, int seconds)
{
    return QByteArray("<") + tag + ">\n<Week>1304</Week>\n<Seconds>" +
           QByteArray::number(seconds) + "</Seconds>\n</" + tag + ">\n";
}

QByteArray occupation(const char* point, int start, int end, const QByteArray& satList = {})
{
    return QByteArray("<Occupation>\n<PointName>") + point + "</PointName>\n" +
           timeElement("StartTime", start) + timeElement("EndTime", end) +
           "<Antenna>\n<Name>ANT-" + point + "</Name>\n<Height>1.2</Height>\n</Antenna>\n" +
           satList + "</Occupation>\n";
}

QByteArray baseline(const char* from, const char* to, int start, int end,
                    const QByteArray& startPointExtra = {})
{
    return QByteArray("<Baseline>\n<SPoint>\n<PointName>") + from + "</PointName>\n" +
           startPointExtra + "</SPoint>\n<EPoint>\n<PointName>" + to +
           "</PointName>\n</EPoint>\n<Parameter>\n" + timeElement("StartTime", start) +
           timeElement("EndTime", end) + "</Parameter>\n</Baseline>\n";
}

ProjectModel import(const QByteArray& body, bool expectOk = true)
{
    ProjectModel model;
    const Outcome outcome = ImportExchangeBytes(crlf(root + body + rootEnd), model);
    if (outcome.ok != expectOk)
        qFatal("unexpected import outcome: %s", qPrintable(outcome.message));
    return model;
}

} // namespace

class TestListReaders : public QObject
{
    Q_OBJECT

private slots:
    void sampleFixture();
    void endsAreMatched_data();
    void endsAreMatched();
    void baselineListBeforeOccupationList();
    void valuesBeforeTheFirstRecordLeaveElementZeroEmpty();
    void latitudeNeedsTheCoordinatesFirst();
    void satelliteListLimitsAreGone();
    void emptySatListKeepsScale();
    void tooManyBaselinesRefused();
    void invalidBytesBecomeReplacements();
    void damagedSatelliteLists_data();
    void damagedSatelliteLists();
};

void TestListReaders::sampleFixture()
{
    QFile file(QStringLiteral(TEST_DATA_DIR "/small-survey.xml"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    ProjectModel m;
    QVERIFY(ImportExchangeBytes(file.readAll(), m).ok);

    QCOMPARE(m.common.ephType, QStringLiteral("放送暦"));
    QCOMPARE(m.common.daen, QStringLiteral("GRS80"));
    QCOMPARE(m.common.minSVs, QStringLiteral("6")); // the last occupation decides
    QCOMPARE(m.baselineCount(), 3);

    const BaselineRecord& b1 = m.baselines[1];
    QCOMPARE(b1.startTime, QStringLiteral("2005/01/02 1:00:00"));
    QCOMPARE(b1.startPoint.ptType, QStringLiteral("Input"));
    QCOMPARE(b1.endPoint.ptType, QStringLiteral("Control"));
    QCOMPARE(b1.startPoint.posN, QStringLiteral("36°06′20.44216″"));
    QCOMPARE(b1.startPoint.posE, QStringLiteral("140°05′15.00297″"));
    QCOMPARE(b1.vector.fwdAzimuth, QStringLiteral("331°21′07.60″"));
    QCOMPARE(b1.vector.fwdInclination, QStringLiteral("-0°34′22.65″"));
    QCOMPARE(b1.vector.stDX, QStringLiteral("0.002"));
    QCOMPARE(b1.minSVs, QStringLiteral("6"));
    QCOMPARE(b1.startOccupation, 1);
    QCOMPARE(b1.endOccupation, 2);

    // Baseline 2 starts from the set-up baseline 1 holds: it gets a copy of its own.
    const BaselineRecord& b2 = m.baselines[2];
    QCOMPARE(b2.startOccupation, 4);
    QCOMPARE(b2.endOccupation, 3);
    QVERIFY(m.occupations[4] == m.occupations[1]);
    QCOMPARE(m.occupations[4].firstSat, 1);

    // Baseline 3 starts one second before its set-ups: neither end is found.
    QCOMPARE(m.baselines[3].startOccupation, 0);
    QCOMPARE(m.baselines[3].endOccupation, 0);

    QCOMPARE(m.occupations[2].ptCode, QStringLiteral("ﾄﾘﾃﾞ"));
    QCOMPARE(m.occupations[2].firstSat, 3);
    QCOMPARE(m.occupations[2].satCount, 2);
    QCOMPARE(m.satelliteCount(), 6);
    QCOMPARE(m.satellites[1].l2, QStringLiteral("|") + QString(29, u'-') + QString(30, u' ') +
                                     QString(30, u'-') + QStringLiteral("|"));
    QCOMPARE(m.satellites[2].l2, QStringLiteral("|") + QString(89, u' ') + QStringLiteral("|"));
    QCOMPARE(m.satellites[2].l1, QStringLiteral("|") + QString(89, u'-') + QStringLiteral("|"));
}

void TestListReaders::endsAreMatched_data()
{
    QTest::addColumn<int>("baselineStart");
    QTest::addColumn<int>("baselineEnd");
    QTest::addColumn<int>("startOccupation");

    // Occupations of A: 1 (3600..7200), 2 (3600..10800), 3 (0..20000).
    QTest::newRow("first covering set-up wins") << 3600 << 7200 << 1;
    QTest::newRow("later end needs a longer set-up") << 3600 << 7201 << 2;
    QTest::newRow("earlier start only in the third") << 3599 << 7000 << 3;
    QTest::newRow("nothing covers") << 0 << 20001 << 0;
}

void TestListReaders::endsAreMatched()
{
    QFETCH(int, baselineStart);
    QFETCH(int, baselineEnd);
    QFETCH(int, startOccupation);
    const ProjectModel m = import("<OccupationList>\n" + occupation("A", 3600, 7200) +
                                  occupation("A", 3600, 10800) + occupation("A", 0, 20000) +
                                  occupation("B", 0, 200000) + "</OccupationList>\n" +
                                  "<BaselineList>\n" +
                                  baseline("A", "B", baselineStart, baselineEnd) +
                                  "</BaselineList>\n");
    QCOMPARE(m.baselines[1].startOccupation, startOccupation);
    QCOMPARE(m.baselines[1].endOccupation, baselineEnd <= 200000 ? 4 : 0);
}

void TestListReaders::baselineListBeforeOccupationList()
{
    const ProjectModel m =
        import("<BaselineList>\n" + baseline("A", "B", 3600, 7200) + baseline("A", "B", 3600, 7200) +
               "</BaselineList>\n<OccupationList>\n" + occupation("A", 0, 9000) +
               occupation("B", 0, 9000) + "</OccupationList>\n");
    QCOMPARE(m.baselines[1].startOccupation, 0);
    QCOMPARE(m.baselines[1].endOccupation, 0);
    // The occupation list that came later starts its arrays afresh: the empty copies
    // made for baseline 2's unmatched ends are gone, only the two set-ups are left.
    QCOMPARE(m.occupationCount(), 2);
}

void TestListReaders::valuesBeforeTheFirstRecordLeaveElementZeroEmpty()
{
    const ProjectModel m = import(
        "<OccupationList>\n<PointName>STRAY</PointName>\n<SatList>\n<Name>G99</Name>\n"
        "</SatList>\n" +
        occupation("A", 0, 9000) + occupation("B", 0, 9000) +
        "</OccupationList>\n<BaselineList>\n<Parameter>\n<Session>STRAY</Session>\n"
        "</Parameter>\n<Broken\n\n" +
        baseline("A", "X", 10, 20) + baseline("B", "Y", 10, 20) + "</BaselineList>\n");
    QVERIFY(m.occupations[0] == OccupationRecord{});
    QVERIFY(m.baselines[0] == BaselineRecord{});
    QCOMPARE(m.baselineCount(), 2);
    // Both unmatched ends of baseline 2 refer to empty copies, never to element 0.
    QCOMPARE(m.baselines[1].endOccupation, 0);
    QCOMPARE(m.baselines[2].endOccupation, 3);
    QVERIFY(m.occupations[3] == OccupationRecord{});
}

void TestListReaders::latitudeNeedsTheCoordinatesFirst()
{
    const ProjectModel m = import(
        "<BaselineList>\n" +
        baseline("A", "B", 0, 1,
                 "<N>1</N>\n<E>2</E>\n<X>-3957199</X>\n<Y>3310199</Y>\n<Z>3737711</Z>\n"
                 "<H>50</H>\n") +
        "</BaselineList>\n");
    QCOMPARE(m.baselines[1].startPoint.posN, QString());
    QCOMPARE(m.baselines[1].startPoint.posE, QString());
    QCOMPARE(m.baselines[1].startPoint.posX, QStringLiteral("-3957199"));
    QCOMPARE(m.baselines[1].startPoint.posH, QStringLiteral("50"));
}

void TestListReaders::satelliteListLimitsAreGone()
{
    QByteArray sats = "<SatList>\n";
    for (int s = 0; s < 60; ++s) {
        sats += "<Sat>\n<Name>G" + QByteArray::number(s) + "</Name>\n<TrackListL1>\n";
        for (int v = 0; v < 1200; ++v)
            sats += "<From>" + QByteArray::number(v * 2) + "</From>\n";
        sats += "</TrackListL1>\n</Sat>\n";
    }
    sats += "</SatList>\n";
    const ProjectModel m =
        import("<OccupationList>\n" + occupation("A", 0, 1, sats) + "</OccupationList>\n");
    QCOMPARE(m.occupations[1].satCount, 60);
    QCOMPARE(m.satelliteCount(), 60);
    QCOMPARE(m.satellites[60].satname, QStringLiteral("G59"));
    QCOMPARE(m.trackScale, 2398.0f / 90.0f);
    QCOMPARE(m.satellites[60].l1.size(), 91);
}

void TestListReaders::emptySatListKeepsScale()
{
    const QByteArray oneSat =
        "<SatList>\n<Sat>\n<TrackListL1>\n<From>0</From>\n<To>900</To>\n</TrackListL1>\n"
        "</Sat>\n</SatList>\n";
    const ProjectModel m = import("<OccupationList>\n" + occupation("A", 0, 1, oneSat) +
                                  occupation("B", 0, 1, "<SatList>\n</SatList>\n") +
                                  "</OccupationList>\n");
    QCOMPARE(m.occupations[2].firstSat, 0);
    QCOMPARE(m.occupations[2].satCount, 0);
    QCOMPARE(m.trackScale, 10.0f);
}

void TestListReaders::tooManyBaselinesRefused()
{
    QByteArray list = "<BaselineList>\n";
    for (int i = 0; i <= maxBaselineCount; ++i)
        list += "<Baseline>\n</Baseline>\n";
    ProjectModel m;
    const Outcome outcome = ImportExchangeBytes(crlf(root + list + "</BaselineList>\n" + rootEnd), m);
    QVERIFY(!outcome.ok);
    QVERIFY(outcome.message.contains(QStringLiteral("32767")));

    ProjectModel exactly;
    list.chop(QByteArray("<Baseline>\n</Baseline>\n").size());
    QVERIFY(ImportExchangeBytes(crlf(root + list + "</BaselineList>\n" + rootEnd), exactly).ok);
    QCOMPARE(exactly.baselineCount(), maxBaselineCount);
}

void TestListReaders::invalidBytesBecomeReplacements()
{
    // A sequence cut short by "<" and a stray byte inside a tag: values get "?" as if
    // the whole file had been decoded first, and the damaged tag matches nothing.
    const ProjectModel m = import("<OccupationList>\n<Occupation>\n"
                                  "<PtCode>\xE7\xAD\x91\xE6\xB3</PtCode>\n"
                                  "<PointName>A\xC3</PointName>\n"
                                  "<Rece\xFFiver>\n<Name>R</Name>\n</Receiver>\n"
                                  "</Occupation>\n</OccupationList>\n");
    QCOMPARE(m.occupations[1].ptCode, QStringLiteral("筑??"));
    QCOMPARE(m.occupations[1].pointName, QStringLiteral("A?"));
    QCOMPARE(m.occupations[1].receiverName, QString());
}

void TestListReaders::damagedSatelliteLists_data()
{
    QTest::addColumn<QByteArray>("satList");
    QTest::addColumn<int>("satCount");
    QTest::addColumn<int>("satellites");
    QTest::addColumn<QString>("l1");

    const QString dashes = QStringLiteral("|") + QString(89, u'-') + QStringLiteral("|");
    QTest::newRow("closing tags without opening ones")
        << QByteArray("<SatList>\n</Sat>\n</Sat>\n</SatList>\n") << 0 << 0 << "";
    QTest::newRow("one satellite, one stray closing tag")
        << QByteArray("<SatList>\n<Sat>\n<TrackListL1>\n<From>0</From>\n<To>60</To>\n"
                      "</TrackListL1>\n</Sat>\n</Sat>\n</SatList>\n")
        << 1 << 1 << dashes;
    QTest::newRow("values that are no single-precision number are left out")
        << QByteArray("<SatList>\n<Sat>\n<TrackListL1>\n<From>0</From>\n<To>1e300</To>\n"
                      "<To>nan</To>\n<To>inf</To>\n<To>60</To>\n</TrackListL1>\n</Sat>\n</SatList>\n")
        << 1 << 1 << dashes;
}

void TestListReaders::damagedSatelliteLists()
{
    QFETCH(QByteArray, satList);
    QFETCH(int, satCount);
    QFETCH(int, satellites);
    QFETCH(QString, l1);
    const ProjectModel m =
        import("<OccupationList>\n" + occupation("A", 0, 1, satList) + "</OccupationList>\n");
    QCOMPARE(m.occupations[1].satCount, satCount);
    QCOMPARE(m.satelliteCount(), satellites);
    QVERIFY(m.occupations[1].firstSat + m.occupations[1].satCount - 1 <= m.satelliteCount());
    if (satellites > 0)
        QCOMPARE(m.satellites[1].l1, l1);
}

QTEST_GUILESS_MAIN(TestListReaders)
#include "tst_listreaders.moc"
