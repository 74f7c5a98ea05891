#include "model/geodesy.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

namespace {

// The angle text as the one-argument arctangent and a 180° raise in the text computed
// it before west longitudes were handled: what every point in Japan must keep.
QString oldLongitudeText(double x, double y)
{
    double d = std::atan(y / x) / decimalPi * 180.0;
    if (d < 0.0)
        d += 180.0;
    return AngleTextFromDegrees(d, AngleKind::Longitude);
}

} // namespace

class TestGeodesy : public QObject
{
    Q_OBJECT

private slots:
    void angleText_data();
    void angleText();
    void pointPosition_data();
    void pointPosition();
    void eastLongitudesKeepTheirTexts();
};

void TestGeodesy::angleText_data()
{
    QTest::addColumn<double>("radians");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");

    QTest::newRow("negative forward azimuth raised by 360") << -0.5 << 2 << "331°21′07.60″";
    QTest::newRow("negative backward azimuth raised by 360") << -0.5 << 3 << "331°21′07.60″";
    QTest::newRow("inclination keeps its sign") << -0.01 << 4 << "-0°34′22.65″";
    QTest::newRow("backward inclination positive") << 0.01 << 5 << "0°34′22.65″";
    QTest::newRow("south latitude") << -35.5 / 180.0 * decimalPi << 0 << "-35°30′00.00000″";
    QTest::newRow("west longitude stays negative") << -70.25 / 180.0 * decimalPi << 1
                                                   << "-70°15′00.00000″";
    QTest::newRow("zero") << 0.0 << 0 << "0°00′00.00000″";
    // 10°59′59.999996″ rounds to 60 seconds at five decimals: carry into the minutes.
    QTest::newRow("seconds carry into minutes")
        << (10.0 + 59.0 / 60.0 + 59.999996 / 3600.0) / 180.0 * decimalPi << 0
        << "11°00′00.00000″";
    QTest::newRow("carry through minutes into degrees")
        << (29.0 + 59.0 / 60.0 + 59.996 / 3600.0) / 180.0 * decimalPi << 2 << "30°00′00.00″";
    QTest::newRow("not a number gives nothing") << std::nan("") << 0 << "";
    QTest::newRow("infinity gives nothing") << HUGE_VAL << 2 << "";
}

void TestGeodesy::angleText()
{
    QFETCH(double, radians);
    QFETCH(int, kind);
    QFETCH(QString, text);
    QCOMPARE(AngleText(radians, AngleKind(kind)), text);
}

void TestGeodesy::pointPosition_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("z");
    QTest::addColumn<QString>("latitude");
    QTest::addColumn<QString>("longitude");

    QTest::newRow("Tsukuba") << -3957199.0 << 3310199.0 << 3737711.0 << "36°06′20.44216″"
                             << "140°05′15.00297″";
    QTest::newRow("east of Greenwich, X > 0") << 4000000.0 << 100000.0 << 4900000.0
                                              << "50°57′18.48366″" << "1°25′55.54626″";
    QTest::newRow("west, X > 0 and Y < 0") << 4000000.0 << -100000.0 << 4900000.0
                                           << "50°57′18.48366″" << "-1°25′55.54626″";
    QTest::newRow("west, X < 0 and Y < 0") << -4000000.0 << -100000.0 << -4900000.0
                                           << "-50°57′18.48366″" << "-178°34′04.45374″";
    QTest::newRow("north pole") << 0.0 << 0.0 << 6356752.0 << "90°00′00.00000″"
                                << "0°00′00.00000″";
    QTest::newRow("south pole") << 0.0 << 0.0 << -6356752.0 << "-90°00′00.00000″"
                                << "0°00′00.00000″";
    QTest::newRow("on the Y axis") << 0.0 << 6378137.0 << 0.0 << "0°00′00.00000″"
                                   << "90°00′00.00000″";
    QTest::newRow("date line, Y = 0 and X < 0") << -6378137.0 << 0.0 << 0.0
                                                << "0°00′00.00000″" << "180°00′00.00000″";
}

void TestGeodesy::pointPosition()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, z);
    QFETCH(QString, latitude);
    QFETCH(QString, longitude);
    QCOMPARE(AngleText(LatitudeFromXYZ(x, y, z), AngleKind::Latitude), latitude);
    QCOMPARE(AngleTextFromDegrees(LongitudeDegreesFromXY(x, y), AngleKind::Longitude),
             longitude);
    QCOMPARE(AngleText(LongitudeFromXY(x, y), AngleKind::Longitude), longitude);
}

void TestGeodesy::eastLongitudesKeepTheirTexts()
{
    QRandomGenerator random(20261210);
    for (int i = 0; i < 200000; ++i) {
        const double lon = random.bounded(180.0) / 180.0 * M_PI;
        const double x = std::round(6378137.0 * std::cos(lon) * 1000.0) / 1000.0;
        const double y = std::round(6378137.0 * std::sin(lon) * 1000.0) / 1000.0;
        if (y <= 0.0)
            continue;
        const QString text = AngleTextFromDegrees(LongitudeDegreesFromXY(x, y),
                                                  AngleKind::Longitude);
        if (text != oldLongitudeText(x, y))
            QFAIL(qPrintable(QStringLiteral("X=%1 Y=%2: %3").arg(x).arg(y).arg(text)));
    }
}

QTEST_GUILESS_MAIN(TestGeodesy)
#include "tst_geodesy.moc"
