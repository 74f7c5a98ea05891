#include "exchangegenerator.h"
#include "import/exchangeimport.h"
#include "model/modelfields.h"
#include "project/projectfile.h"
#include "model/textcodec.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <limits>

namespace {

// Project file bytes written by hand, element by element, so the tests state the
// layout independently of the writer.
class FileBytes
{
public:
    FileBytes& s30(const QByteArray& text)
    {
        bytes += text.left(30);
        bytes += QByteArray(30 - qMin<qsizetype>(30, text.size()), ' ');
        return *this;
    }
    FileBytes& i16(qint16 v) { return put(v); }
    FileBytes& f(float v) { return put(v); }
    FileBytes& r4(quint32 v) { return put(v); }
    FileBytes& t(const QByteArray& text)
    {
        put(quint16(text.size()));
        bytes += text;
        return *this;
    }
    FileBytes& t(const QString& text) { return t(*EncodeShiftJis(text)); }
    FileBytes& t(const char* ascii) { return t(QByteArray(ascii)); }

    FileBytes& header(qint16 version, float occupations, float baselines, float satellites,
                      const QByteArray& software = "Trimble Total Control 2.71")
    {
        return s30(software).i16(version).f(occupations).f(baselines).f(satellites);
    }

    // Common data: element n holds "c<n>".
    FileBytes& common()
    {
        for (int n = 1; n <= 7; ++n)
            t(QByteArray("c") + QByteArray::number(n));
        return *this;
    }

    // Baseline i: text element n holds "b<i>e<n>", numbered as in a version-105 record
    // even where an older version leaves elements out.
    FileBytes& baseline(int version, int i, float startOccupation, float endOccupation)
    {
        const auto e = [&](int n) { t("b" + QByteArray::number(i) + "e" + QByteArray::number(n)); };
        const int pointTexts = version >= 104 ? 8 : 7;
        for (int n = 1; n <= 3; ++n)
            e(n);
        for (int n = 4; n < 4 + pointTexts; ++n)
            e(n);
        f(startOccupation);
        for (int n = 13; n < 13 + pointTexts; ++n)
            e(n);
        f(endOccupation);
        for (int n = 22; n <= 47; ++n)
            e(n);
        if (version >= 105)
            for (int n = 48; n <= 51; ++n)
                e(n);
        return *this;
    }

    // Occupation i: text element n holds "o<i>e<n>".
    FileBytes& occupation(int version, int i, float firstSat, float satCount)
    {
        const auto e = [&](int n) { t("o" + QByteArray::number(i) + "e" + QByteArray::number(n)); };
        for (int n = 1; n <= 9; ++n)
            e(n);
        f(firstSat).f(satCount);
        if (version >= 105)
            e(12);
        return *this;
    }

    FileBytes& satellite(int i, quint32 reserved)
    {
        r4(reserved);
        for (int n = 2; n <= 5; ++n)
            t("s" + QByteArray::number(i) + "e" + QByteArray::number(n));
        return *this;
    }

    QByteArray bytes;

private:
    template <class T> FileBytes& put(T v)
    {
        char raw[sizeof(T)];
        qToLittleEndian(v, raw);
        bytes.append(raw, sizeof(T));
        return *this;
    }
};

// A small project of any version: two baselines that share occupation 1 at their start
// ends (the second one's end is unmatched), three occupations, two satellites.
QByteArray fixture(int version)
{
    FileBytes b;
    const QByteArray software = version == 102 ? "TrimbleTotalControlSupportData" : "Trimble Total Control 2.71";
    b.header(qint16(version), 3, 2, 2, software).common();
    b.baseline(version, 1, 1, 2).baseline(version, 2, 1, 0);
    b.occupation(version, 1, 1, 2).occupation(version, 2, 0, 0).occupation(version, 3, 1, 2);
    b.satellite(1, 0xDEADBEEF).satellite(2, 0);
    return b.bytes;
}

QString padded30(const QString& text)
{
    return text.leftJustified(30, u' ', true);
}

// A project with something in every kind of field, Japanese texts included.
ProjectModel handBuiltModel()
{
    ProjectModel m;
    m.swProgram = QStringLiteral("Trimble Total Control 2.71");
    m.common = {.interval = "1", .minElevation = "15", .minSVs = "4",
                .ephType = QStringLiteral("放送暦"), .daen = "GRS80", .frequency = "L1+L2",
                .ppMode = "Static"};
    BaselineRecord b;
    b.session = QStringLiteral("ｾｯｼｮﾝA");
    b.startTime = "2023/04/01 9:00:00";
    b.startPoint.posN = QStringLiteral("35°40′12.34567″");
    b.startPoint.posX = "-3959000.123";
    b.startOccupation = 1;
    b.endOccupation = 2;
    b.vector.fwdAzimuth = QStringLiteral("-123°04′05.60″");
    b.vector.rdop = "0.1";
    b.minElevation = "15";
    m.baselines.append(b);
    b.session.clear(); // an empty text among filled ones
    b.startOccupation = 3;
    b.endOccupation = 7; // outside the occupations, kept as it stands
    m.baselines.append(b);
    for (int i = 1; i <= 3; ++i) {
        OccupationRecord o;
        o.pointName = QStringLiteral("P%1").arg(i);
        o.ptCode = QStringLiteral("東京%1").arg(i);
        o.antennaHeight = "1.500";
        o.firstSat = i == 2 ? 0 : 1;
        o.satCount = i == 2 ? 0 : 2;
        m.occupations.append(o);
    }
    m.satellites.append({.reserved = 0xDEADBEEF, .satname = "G01", .health = "0",
                         .l1 = QString(91, u'*'), .l2 = QString(91, u' ')});
    m.satellites.append({.reserved = 0, .satname = "R24"});
    return m;
}

// Fills every field of a record with random content: texts from a pool of awkward
// ones or random ASCII, indices in and out of range, any reserved word.
struct RandomFiller
{
    QRandomGenerator& rng;

    void text(const char*, QString& v)
    {
        static const QStringList pool = {"", "0.123456", QStringLiteral("放送暦"), QStringLiteral("ｱﾝﾃﾅ"),
                                         QStringLiteral("点名①"), "A long text with blanks   "};
        v.clear();
        if (rng.bounded(3) == 0) {
            v = pool[rng.bounded(int(pool.size()))];
            return;
        }
        for (int n = rng.bounded(12); n > 0; --n)
            v += QChar(0x20 + rng.bounded(0x5F));
    }
    void index(const char*, int& v) { v = rng.bounded(-2, 40); }
    void raw(const char*, quint32& v) { v = rng.generate(); }
    template <class R> void record(const char*, R& r) { visitFields(r, *this); }
};

ProjectModel randomModel(quint32 seed)
{
    QRandomGenerator rng(seed);
    RandomFiller fill{rng};
    ProjectModel m;
    for (int n = rng.bounded(35); n > 0; --n)
        m.swProgram += QChar(0x20 + rng.bounded(0x5F));
    m.swProgram = padded30(m.swProgram);
    visitFields(m.common, fill);
    for (int n = rng.bounded(1, 30); n > 0; --n)
        visitFields(m.baselines.emplace_back(), fill);
    for (int n = rng.bounded(0, 40); n > 0; --n)
        visitFields(m.occupations.emplace_back(), fill);
    for (int n = rng.bounded(0, 60); n > 0; --n)
        visitFields(m.satellites.emplace_back(), fill);
    return m;
}

QByteArray encoded(const ProjectModel& model)
{
    QByteArray bytes;
    const Outcome o = EncodeProjectFile(model, bytes);
    if (!o)
        qFatal("encoding refused: %s", qPrintable(o.message));
    return bytes;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void setFloat(QByteArray& bytes, qsizetype offset, float value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

} // namespace

class TestProjectFile : public QObject
{
    Q_OBJECT

private slots:
    void asciiAgreesWithCodePage932();
    void roundTripIsByteIdentical_data();
    void roundTripIsByteIdentical();
    void headerAndFirstTexts();
    void softwareTextIsThirtyBytes_data();
    void softwareTextIsThirtyBytes();
    void fieldsLandWhereEachVersionStoresThem_data();
    void fieldsLandWhereEachVersionStoresThem();
    void olderVersionsAreConverted_data();
    void olderVersionsAreConverted();
    void refusesHeader_data();
    void refusesHeader();
    void refusesEveryTruncation_data();
    void refusesEveryTruncation();
    void refusesDamagedNumbers_data();
    void refusesDamagedNumbers();
    void indexFieldsReadAsTheyStand();
    void zeroCountsAndTrailingBytes();
    void refusesUnsavableText_data();
    void refusesUnsavableText();
    void longestTextIsSaved();
    void refusesMoreBaselinesThanAFileCanHold();
    void shorterSaveLeavesNoStaleBytes();
};

void TestProjectFile::asciiAgreesWithCodePage932()
{
    // The file code skips the converter for printable ASCII; that is only right while
    // the code page agrees with it there.
    QByteArray bytes;
    for (int c = 0x20; c < 0x7F; ++c)
        bytes += char(c);
    const QString decoded = DecodeShiftJis(bytes);
    QCOMPARE(decoded, QString::fromLatin1(bytes));
    QCOMPARE(EncodeShiftJis(decoded).value(), bytes);
}

void TestProjectFile::roundTripIsByteIdentical_data()
{
    QTest::addColumn<ProjectModel>("model");
    QTest::newRow("hand-built") << handBuiltModel();
    ProjectModel sample;
    if (!ReadExchangeFile(QStringLiteral(TEST_DATA_DIR "/small-survey.xml"), sample))
        qFatal("the sample exchange file was refused");
    QTest::newRow("sample project") << sample;
    for (std::uint64_t seed : {5u, 6u}) {
        ProjectModel generated;
        if (!ImportExchangeBytes(generateExchangeFile({.baselines = 120, .seed = seed}), generated))
            qFatal("a generated exchange file was refused");
        QTest::newRow(qPrintable(QStringLiteral("generated %1").arg(seed))) << generated;
    }
    for (quint32 seed : {1u, 2u, 3u, 4u})
        QTest::newRow(qPrintable(QStringLiteral("random %1").arg(seed))) << randomModel(seed);
    ProjectModel onlyCommon;
    onlyCommon.common.ephType = QStringLiteral("放送暦");
    QTest::newRow("no records") << onlyCommon;
}

void TestProjectFile::roundTripIsByteIdentical()
{
    QFETCH(ProjectModel, model);
    const QByteArray first = encoded(model);

    ProjectModel loaded;
    const Outcome o = DecodeProjectFile(first, loaded);
    QVERIFY2(o.ok, qPrintable(o.message));
    ProjectModel expected = model;
    expected.swProgram = padded30(model.swProgram); // the header keeps the blanks
    QVERIFY(loaded == expected);
    QCOMPARE(encoded(loaded), first);

    // And through the file on disk.
    QTemporaryDir dir;
    const QString path = dir.filePath("p.dat");
    QVERIFY(SaveProjectFile(loaded, path).ok);
    QCOMPARE(readAll(path), first);
    ProjectModel reloaded;
    QVERIFY(LoadProjectFile(path, reloaded).ok);
    QVERIFY(reloaded == expected);
}

void TestProjectFile::headerAndFirstTexts()
{
    ProjectModel m;
    m.swProgram = QStringLiteral("Trimble Total Control 2.71");
    m.common.ephType = QStringLiteral("放送暦");
    for (int i = 0; i < 3; ++i)
        m.baselines.append(BaselineRecord{});
    for (int i = 0; i < 6; ++i)
        m.occupations.append(OccupationRecord{});
    for (int i = 0; i < 40; ++i)
        m.satellites.append(SatelliteRecord{});
    const QByteArray bytes = encoded(m);

    const QByteArray expected = QByteArray("Trimble Total Control 2.71    ") +
                                QByteArray::fromHex("6900" "0000c040" "00004040" "00002042") +
                                QByteArray::fromHex("000000000000" "060095fa919797ef" "000000000000");
    QCOMPARE(bytes.left(expected.size()).toHex(' '), expected.toHex(' '));
    // Element 0 is never written: only 3, 6 and 40 records of empty texts follow.
    QCOMPARE(bytes.size(), 44 + 7 * 2 + 6 + 3 * 106 + 6 * 28 + 40 * 12);
}

void TestProjectFile::softwareTextIsThirtyBytes_data()
{
    QTest::addColumn<QString>("swProgram");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("empty") << QString() << QByteArray(30, ' ');
    QTest::newRow("longer than 30") << QString(40, u'x') << QByteArray(30, 'x');
    QTest::newRow("double-byte fits") << QString(28, u'a') + QStringLiteral("放")
                                      << QByteArray(28, 'a') + QByteArray::fromHex("95fa");
    QTest::newRow("double-byte would be split")
        << QString(29, u'a') + QStringLiteral("放") << QByteArray(29, 'a') + ' ';
    QTest::newRow("half-width katakana is one byte")
        << QString(29, u'a') + QStringLiteral("ｱｲ") << QByteArray(29, 'a') + '\xb1';
}

void TestProjectFile::softwareTextIsThirtyBytes()
{
    QFETCH(QString, swProgram);
    QFETCH(QByteArray, stored);
    ProjectModel m;
    m.swProgram = swProgram;
    QCOMPARE(encoded(m).left(30).toHex(' '), stored.toHex(' '));
}

void TestProjectFile::fieldsLandWhereEachVersionStoresThem_data()
{
    QTest::addColumn<int>("version");
    for (int v : {102, 103, 104, 105})
        QTest::newRow(qPrintable(QString::number(v))) << v;
}

void TestProjectFile::fieldsLandWhereEachVersionStoresThem()
{
    QFETCH(int, version);
    ProjectModel m;
    QVERIFY(DecodeProjectFile(fixture(version), m).ok);

    QCOMPARE(m.swProgram, version == 102 ? QStringLiteral("Trimble Total Control 2.71")
                                         : padded30("Trimble Total Control 2.71"));
    QCOMPARE(m.common.interval, "c1");
    QCOMPARE(m.common.ppMode, "c7");
    QCOMPARE(m.baselineCount(), 2);
    const BaselineRecord& b = m.baselines[2];
    QCOMPARE(b.session, "b2e1");
    QCOMPARE(b.endTime, "b2e3");
    QCOMPARE(b.startPoint.ptType, "b2e4");
    QCOMPARE(b.startPoint.posZ, "b2e10");
    QCOMPARE(b.endPoint.ptType, "b2e13");
    QCOMPARE(b.endPoint.posZ, "b2e19");
    QCOMPARE(b.endOccupation, 0);
    QCOMPARE(b.vector.solutionType, "b2e22");
    QCOMPARE(b.vector.rdop, "b2e47");
    if (version >= 104) {
        QCOMPARE(b.startPoint.antHeight, "b2e11");
        QCOMPARE(b.endPoint.antHeight, "b2e20");
    }
    if (version == 105) {
        QCOMPARE(b.minSVs, "b2e48");
        QCOMPARE(b.minElevation, "b2e51");
        QCOMPARE(m.occupations[3].minElevation, "o3e12");
    }
    QCOMPARE(m.occupations[3].pointName, "o3e1");
    QCOMPARE(m.occupations[3].endTime, "o3e9");
    QCOMPARE(m.occupations[3].firstSat, 1);
    QCOMPARE(m.occupations[3].satCount, 2);
    QCOMPARE(m.satelliteCount(), 2);
    QCOMPARE(m.satellites[1].reserved, 0xDEADBEEFu);
    QCOMPARE(m.satellites[1].satname, "s1e2");
    QCOMPARE(m.satellites[2].l2, "s2e5");
}

void TestProjectFile::olderVersionsAreConverted_data()
{
    fieldsLandWhereEachVersionStoresThem_data();
}

void TestProjectFile::olderVersionsAreConverted()
{
    QFETCH(int, version);
    ProjectModel m;
    QVERIFY(DecodeProjectFile(fixture(version), m).ok);
    if (version == 105) {
        // Nothing to convert: the shared start occupation stays shared.
        QCOMPARE(m.occupationCount(), 3);
        QCOMPARE(m.baselines[2].startOccupation, 1);
        return;
    }
    for (int i = 1; i <= 2; ++i) {
        const BaselineRecord& b = m.baselines[i];
        QCOMPARE(b.minSVs, "c3");
        QCOMPARE(b.frequency, "c6");
        QCOMPARE(b.ppMode, "c7");
        QCOMPARE(b.minElevation, "c2");
    }
    const BaselineRecord& b1 = m.baselines[1];
    const BaselineRecord& b2 = m.baselines[2];
    if (version <= 103) {
        // Antenna heights come from the occupations; the unmatched end gets the empty
        // height of element 0.
        QCOMPARE(b1.startPoint.antHeight, "o1e7");
        QCOMPARE(b1.endPoint.antHeight, "o2e7");
        QCOMPARE(b2.startPoint.antHeight, "o1e7");
        QCOMPARE(b2.endPoint.antHeight, "");
    } else {
        QCOMPARE(b1.endPoint.antHeight, "b1e20");
    }
    // Baseline 2 shared occupation 1 with baseline 1; it now has a copy of its own,
    // with the same satellite run.
    QCOMPARE(m.occupationCount(), 4);
    QCOMPARE(m.baselines[1].startOccupation, 1);
    QCOMPARE(m.baselines[2].startOccupation, 4);
    QVERIFY(m.occupations[4] == m.occupations[1]);
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(m.occupations[i].minElevation, "c2");
}

void TestProjectFile::refusesHeader_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray v102 = fixture(102);
    v102[0] = 't';
    QTest::newRow("102 with another software text") << v102;
    QByteArray v102Blank = fixture(102);
    v102Blank.replace(0, 30, QByteArray("Trimble Total Control 2.71    "));
    QTest::newRow("102 with the newer software text") << v102Blank;
    for (int v : {0, 101, 106, -105}) {
        QByteArray b = fixture(105);
        qToLittleEndian(qint16(v), b.data() + 30);
        QTest::newRow(qPrintable(QStringLiteral("version %1").arg(v))) << b;
    }
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("43 bytes") << fixture(105).left(43);
}

void TestProjectFile::refusesHeader()
{
    QFETCH(QByteArray, bytes);
    ProjectModel m = handBuiltModel();
    const Outcome o = DecodeProjectFile(bytes, m);
    QVERIFY(!o.ok);
    QCOMPARE(o.message, QStringLiteral("読込できません"));
    QCOMPARE(o.title, QStringLiteral("エラー"));
    QVERIFY(m == handBuiltModel());
}

void TestProjectFile::refusesEveryTruncation_data()
{
    QTest::addColumn<QByteArray>("whole");
    QTest::newRow("105") << fixture(105);
    QTest::newRow("103") << fixture(103);
    QTest::newRow("105 with empty texts") << encoded(handBuiltModel());
}

void TestProjectFile::refusesEveryTruncation()
{
    QFETCH(QByteArray, whole);
    const ProjectModel before = handBuiltModel();
    // Every record boundary, and every byte between them: nothing short of the whole
    // file is a project.
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        ProjectModel m = before;
        if (DecodeProjectFile(whole.left(cut), m).ok)
            QFAIL(qPrintable(QStringLiteral("a file cut after %1 of %2 bytes was read").arg(cut).arg(whole.size())));
        if (!(m == before))
            QFAIL(qPrintable(QStringLiteral("a file cut after %1 bytes changed the model").arg(cut)));
    }
    ProjectModel m;
    QVERIFY(DecodeProjectFile(whole, m).ok);
}

void TestProjectFile::refusesDamagedNumbers_data()
{
    QTest::addColumn<qsizetype>("offset");
    QTest::addColumn<float>("value");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct
    {
        const char* name;
        qsizetype offset;
    } counts[] = {{"occupationTotal", 32}, {"baselineTotal", 36}, {"satelliteTotal", 40}};
    for (const auto& c : counts) {
        for (float v : {1e9f, -1.0f, 2.5f, 0.5f, nan, inf, -inf})
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(c.name).arg(v))) << c.offset << v;
    }
    QTest::newRow("baselineTotal beyond a 16-bit count") << qsizetype(36) << 32768.0f;

    // The start point's last text is "b1e11"; startOccupation follows it.
    const qsizetype startOccupation = fixture(105).indexOf("b1e11") + 5;
    QTest::newRow("index NaN") << startOccupation << nan;
    QTest::newRow("index beyond int") << startOccupation << 3e9f;
    QTest::newRow("index -inf") << startOccupation << -inf;
}

void TestProjectFile::refusesDamagedNumbers()
{
    QFETCH(qsizetype, offset);
    QFETCH(float, value);
    QByteArray bytes = fixture(105);
    if (offset > 44) {
        // The offset must really be the index field's.
        QByteArray sound = bytes;
        setFloat(sound, offset, 2.0f);
        ProjectModel check;
        QVERIFY(DecodeProjectFile(sound, check).ok);
        QCOMPARE(check.baselines[1].startOccupation, 2);
    }
    setFloat(bytes, offset, value);
    const ProjectModel before = handBuiltModel();
    ProjectModel m = before;
    QVERIFY(!DecodeProjectFile(bytes, m).ok);
    QVERIFY(m == before);
}

void TestProjectFile::indexFieldsReadAsTheyStand()
{
    FileBytes b;
    b.header(105, 1, 3, 0).common();
    b.baseline(105, 1, 99, -3);   // outside the occupations
    b.baseline(105, 2, 2.5f, 3.5f); // halves go to the even neighbour
    b.baseline(105, 3, -0.5f, 1.4999f);
    b.occupation(105, 1, 0, 0);
    ProjectModel m;
    QVERIFY(DecodeProjectFile(b.bytes, m).ok);
    QCOMPARE(m.baselines[1].startOccupation, 99);
    QCOMPARE(m.baselines[1].endOccupation, -3);
    QVERIFY(m.startOccupationOf(m.baselines[1]) == OccupationRecord{});
    QVERIFY(m.endOccupationOf(m.baselines[1]) == OccupationRecord{});
    QCOMPARE(m.baselines[2].startOccupation, 2);
    QCOMPARE(m.baselines[2].endOccupation, 4);
    QCOMPARE(m.baselines[3].startOccupation, 0);
    QCOMPARE(m.baselines[3].endOccupation, 1);
    // Saved again as they stand.
    ProjectModel again;
    QVERIFY(DecodeProjectFile(encoded(m), again).ok);
    QVERIFY(again == m);
}

void TestProjectFile::zeroCountsAndTrailingBytes()
{
    FileBytes b;
    b.header(105, 0, 0, 0).common();
    ProjectModel m = handBuiltModel();
    QVERIFY(DecodeProjectFile(b.bytes + "trailing bytes are ignored", m).ok);
    QCOMPARE(m.baselines.size(), 1);
    QCOMPARE(m.occupations.size(), 1);
    QCOMPARE(m.satellites.size(), 1);
    QCOMPARE(m.common.interval, "c1");
}

void TestProjectFile::refusesUnsavableText_data()
{
    QTest::addColumn<ProjectModel>("model");
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("field");

    ProjectModel m = handBuiltModel();
    m.baselines[2].vector.fwdAzimuth = QStringLiteral("12°34′56.00″ 😀");
    QTest::newRow("emoji in a nested field") << m << "基線 2" << "vector.fwdAzimuth";
    m = handBuiltModel();
    m.occupations[3].ptCode = QStringLiteral("한국");
    QTest::newRow("hangul in an occupation") << m << "観測記録 3" << "ptCode";
    m = handBuiltModel();
    m.satellites[2].health = QStringLiteral("é");
    QTest::newRow("accented letter in a satellite") << m << "衛星 2" << "health";
    m = handBuiltModel();
    m.common.daen = QString(65536, u'a');
    QTest::newRow("65536 ASCII bytes") << m << "共通データ" << "daen";
    m = handBuiltModel();
    m.baselines[1].endPoint.antHeight = QString(32768, QChar(0x3042));
    QTest::newRow("32768 double-byte characters") << m << "基線 1" << "endPoint.antHeight";
    m = handBuiltModel();
    m.swProgram = QStringLiteral("Trimble 😀");
    QTest::newRow("software text") << m << "ヘッダー" << "swProgram";
}

void TestProjectFile::refusesUnsavableText()
{
    QFETCH(ProjectModel, model);
    QFETCH(QString, record);
    QFETCH(QString, field);
    QTemporaryDir dir;
    const QString path = dir.filePath("old.dat");
    const QByteArray old = fixture(104);
    writeAll(path, old);

    const Outcome o = SaveProjectFile(model, path);
    QVERIFY(!o.ok);
    QVERIFY2(o.message.contains(record + QStringLiteral(" の ") + field + u' '), qPrintable(o.message));
    QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.dat"});
}

void TestProjectFile::longestTextIsSaved()
{
    ProjectModel m = handBuiltModel();
    m.baselines[1].vector.rms = QString(32767, QChar(0x3042)) + u'x'; // 65535 bytes
    const QByteArray bytes = encoded(m);
    ProjectModel loaded;
    QVERIFY(DecodeProjectFile(bytes, loaded).ok);
    QCOMPARE(loaded.baselines[1].vector.rms, m.baselines[1].vector.rms);
}

void TestProjectFile::refusesMoreBaselinesThanAFileCanHold()
{
    ProjectModel m;
    m.baselines.resize(maxBaselineCount + 2); // element 0 and 32768 baselines
    QByteArray bytes;
    QVERIFY(!EncodeProjectFile(m, bytes).ok);
    m.baselines.removeLast();
    QVERIFY(EncodeProjectFile(m, bytes).ok);
    ProjectModel loaded;
    QVERIFY(DecodeProjectFile(bytes, loaded).ok);
    QCOMPARE(loaded.baselineCount(), maxBaselineCount);
}

void TestProjectFile::shorterSaveLeavesNoStaleBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.dat");
    QVERIFY(SaveProjectFile(randomModel(7), path).ok);
    const ProjectModel small = handBuiltModel();
    QVERIFY(SaveProjectFile(small, path).ok);
    QCOMPARE(readAll(path), encoded(small));
}

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
