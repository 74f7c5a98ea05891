#include "core/numericdatawriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QList<ResultPoint> twoPoints()
{
    return {
        {QStringLiteral("00007"), QStringLiteral("本郷"), QStringLiteral("35.39291234"),
         QStringLiteral("139.03075000"), QStringLiteral("-12345.678"), QStringLiteral("+5432.100"),
         QStringLiteral("8.334"), QStringLiteral("12.346")},
        {QStringLiteral("12345"), QStringLiteral("ｱｻﾋ台"), QStringLiteral("36.00000000"),
         QStringLiteral("140.59599999"), QStringLiteral("0.000"), QStringLiteral("-0.010"),
         QStringLiteral("100.5"), QStringLiteral("0.500")},
    };
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

class TestNumericDataWriter : public QObject
{
    Q_OBJECT

private slots:
    void writes_data();
    void writes();
    void refuses_data();
    void refuses();
    void reportsUnwritablePath();
};

void TestNumericDataWriter::writes_data()
{
    QTest::addColumn<NumericDataOptions>("options");
    QTest::addColumn<QList<ResultPoint>>("points");
    QTest::addColumn<QString>("expected");

    QTest::newRow("新設, world datum")
        << NumericDataOptions{WorkCategory::New, QStringLiteral("基準点測量（2級）"),
                              GeodeticDatum::World, QStringLiteral("9")}
        << twoPoints() << "writer-new-world.txt";
    QTest::newRow("改算, Japanese datum, empty content and zone")
        << NumericDataOptions{WorkCategory::ConversionByRecalculation, QString(),
                              GeodeticDatum::Japan, QString()}
        << twoPoints() << "writer-recalculation-japan-empty.txt";
    QTest::newRow("改測, no points")
        << NumericDataOptions{WorkCategory::ConversionByResurvey, QStringLiteral("改測"),
                              GeodeticDatum::World, QStringLiteral("10")}
        << QList<ResultPoint>() << "writer-resurvey-no-points.txt";
}

void TestNumericDataWriter::writes()
{
    QFETCH(NumericDataOptions, options);
    QFETCH(QList<ResultPoint>, points);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    const QString out = dir.filePath("out.txt");
    // A longer file already there must be replaced completely.
    writeBytes(out, QByteArray(10000, 'x'));
    const dravel::Outcome f = NumericDataWriter::write(out, points, options);
    QVERIFY2(f, qPrintable(f.message));
    QCOMPARE(readAll(out), readAll(QStringLiteral(TEST_DATA_DIR "/") + expected));
}

void TestNumericDataWriter::refuses_data()
{
    QTest::addColumn<NumericDataOptions>("options");
    QTest::addColumn<QList<ResultPoint>>("points");
    QTest::addColumn<QString>("named");

    const auto content = [](const QString& text) {
        return NumericDataOptions{WorkCategory::New, text, GeodeticDatum::World, "9"};
    };
    const auto zone = [](const QString& text) {
        return NumericDataOptions{WorkCategory::New, "内容", GeodeticDatum::World, text};
    };
    const QString contentBox = QStringLiteral("作業内容");
    const QString zoneBox = QStringLiteral("平面直角座標系");
    QTest::newRow("comma in content") << content("2級,3級") << twoPoints() << contentBox;
    QTest::newRow("CR LF in content") << content("2級\r\n3級") << twoPoints() << contentBox;
    QTest::newRow("LF in content") << content("2級\n") << twoPoints() << contentBox;
    QTest::newRow("comma in zone") << zone("9,10") << twoPoints() << zoneBox;
    QTest::newRow("CR in zone") << zone("9\r") << twoPoints() << zoneBox;
    QTest::newRow("content beyond code page 932") << content("Café") << twoPoints()
                                                  << contentBox;
    QTest::newRow("zone beyond code page 932") << zone("\U0001F600") << QList<ResultPoint>()
                                               << zoneBox;

    QList<ResultPoint> damaged = twoPoints();
    damaged[1].PointName = QStringLiteral("ｱｻﾋ\uFFFD");
    QTest::newRow("point name that was not Shift-JIS in the report")
        << content("x") << damaged << QStringLiteral("点 12345 の点名");
    damaged = twoPoints();
    damaged[0].X = QStringLiteral("1,234.5");
    QTest::newRow("comma in a point value") << content("x") << damaged
                                            << QStringLiteral("点 00007 のX座標");
}

void TestNumericDataWriter::refuses()
{
    QFETCH(NumericDataOptions, options);
    QFETCH(QList<ResultPoint>, points);
    QFETCH(QString, named);

    QTemporaryDir dir;
    const QString existing = dir.filePath("existing.txt");
    writeBytes(existing, "earlier file\r\n");
    const dravel::Outcome f = NumericDataWriter::write(existing, points, options);
    QVERIFY(!f);
    QVERIFY2(f.message.contains(named), qPrintable(f.message));
    QCOMPARE(readAll(existing), QByteArray("earlier file\r\n"));

    const QString fresh = dir.filePath("fresh.txt");
    QVERIFY(!NumericDataWriter::write(fresh, points, options));
    QVERIFY(!QFile::exists(fresh));
}

void TestNumericDataWriter::reportsUnwritablePath()
{
    QTemporaryDir dir;
    const QString out = dir.filePath("no such folder/out.txt");
    const dravel::Outcome f = NumericDataWriter::write(out, twoPoints(), {});
    QVERIFY(!f);
    QVERIFY2(f.message.contains(QStringLiteral("no such folder")), qPrintable(f.message));
}

QTEST_APPLESS_MAIN(TestNumericDataWriter)
#include "tst_numericdatawriter.moc"
