#include "model/geodesy.h"
#include "outputs/cellvalue.h"
#include "outputs/dmstext.h"
#include "outputs/neuconversion.h"

#include <QTest>

#include <array>
#include <cmath>

namespace {

using Vec = std::array<double, 3>;

Vec cross(const Vec& a, const Vec& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double dot(const Vec& a, const Vec& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

Vec normalized(const Vec& a)
{
    const double n = std::sqrt(dot(a, a));
    return {a[0] / n, a[1] / n, a[2] / n};
}

// Geodetic to earth-centred coordinates on GRS80, with the full-precision π.
Vec toCartesian(double latDeg, double lonDeg, double h)
{
    const double a = 6378137.0;
    const double f = 1.0 / 298.257222101;
    const double e2 = f * (2.0 - f);
    const double phi = latDeg * M_PI / 180.0;
    const double lambda = lonDeg * M_PI / 180.0;
    const double n = a / std::sqrt(1.0 - e2 * std::sin(phi) * std::sin(phi));
    return {(n + h) * std::cos(phi) * std::cos(lambda), (n + h) * std::cos(phi) * std::sin(lambda),
            (n * (1.0 - e2) + h) * std::sin(phi)};
}

QString plain(double v)
{
    return QString::number(v, 'f', 4);
}

} // namespace

class TestNeuConversion : public QObject
{
    Q_OBJECT

private slots:
    void roundsHalvesUpward_data();
    void roundsHalvesUpward();
    void readsAngleTexts_data();
    void readsAngleTexts();
    void equatorAtLongitudeZero();
    void agreesWithLocalFrameFromGeometry_data();
    void agreesWithLocalFrameFromGeometry();
    void unreadableInputsGiveNothing_data();
    void unreadableInputsGiveNothing();
    void typedEntries_data();
    void typedEntries();
};

void TestNeuConversion::roundsHalvesUpward_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("positive half up") << 0.0625 << 0.063;
    QTest::newRow("negative half toward +inf") << -0.0625 << -0.062;
    QTest::newRow("negative half of a thousandth") << -0.0015 << -0.001;
    QTest::newRow("below half goes down") << 2.0004 << 2.0;
    QTest::newRow("negative below half") << -12.3454 << -12.345;
    QTest::newRow("negative above half") << -12.3456 << -12.346;
    QTest::newRow("large coordinate") << -3957199.12351 << -3957199.124;
}

void TestNeuConversion::roundsHalvesUpward()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(my_round3(value), rounded);
}

void TestNeuConversion::readsAngleTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("degrees");
    const double a = 35.0 + 39.0 / 60.0 + 29.12345 / 3600.0;
    QTest::newRow("latitude") << "35°39′29.12345″" << a;
    QTest::newRow("minus makes the whole angle negative") << "-35°39′29.12345″" << -a;
    QTest::newRow("minus zero degrees") << "-0°34′22.65″" << -(34.0 / 60.0 + 22.65 / 3600.0);
    QTest::newRow("blanks around pieces") << " 140 ° 05 ′ 15.00297 ″" << 140.0 + 5.0 / 60.0 + 15.00297 / 3600.0;
    QTest::newRow("sixty seconds read as written") << "10°59′60.00000″" << 11.0;
    QTest::newRow("text after the seconds ignored") << "1°02′03″N" << 1.0 + 2.0 / 60.0 + 3.0 / 3600.0;
}

void TestNeuConversion::readsAngleTexts()
{
    QFETCH(QString, text);
    QFETCH(double, degrees);
    const auto parsed = ParseDmsText(text);
    QVERIFY(parsed);
    QCOMPARE(*parsed, degrees);
}

void TestNeuConversion::equatorAtLongitudeZero()
{
    const auto v = ConvertToNEU(u"0°00′00.00000″", u"0°00′00.00000″", u"12.345", u"-6.5", u"3.25");
    QVERIFY(v);
    QCOMPARE(v->n, 3.25);
    QCOMPARE(v->e, -6.5);
    QCOMPARE(v->u, 12.345);
}

void TestNeuConversion::agreesWithLocalFrameFromGeometry_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<double>("north");
    QTest::addColumn<double>("east");
    QTest::addColumn<double>("up");
    QTest::newRow("Tsukuba, 3 km north-east") << 36.10568 << 140.08750 << 2400.0 << 1800.0 << 35.0;
    QTest::newRow("Sapporo, south-west, downhill") << 43.06417 << 141.34694 << -950.0 << -1200.0 << -80.0;
    QTest::newRow("Naha, long east baseline") << 26.21250 << 127.68111 << 150.0 << 9800.0 << 12.0;
    QTest::newRow("Ishigaki, short") << 24.34056 << 124.15556 << -3.2 << 7.9 << 0.4;
}

// The local axes are made from the ellipsoid normal by cross products, and the
// baseline from two points laid out along them: nothing of the formula under test.
void TestNeuConversion::agreesWithLocalFrameFromGeometry()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(double, north);
    QFETCH(double, east);
    QFETCH(double, up);

    const Vec start = toCartesian(lat, lon, 50.0);
    const double phi = lat * M_PI / 180.0;
    const double lambda = lon * M_PI / 180.0;
    const Vec upAxis{std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda), std::sin(phi)};
    const Vec eastAxis = normalized(cross({0, 0, 1}, upAxis));
    const Vec northAxis = cross(upAxis, eastAxis);
    Vec d;
    for (int i = 0; i < 3; ++i)
        d[i] = north * northAxis[i] + east * eastAxis[i] + up * upAxis[i];

    // The start point's texts as the import makes them from its coordinates.
    const QString latText =
        AngleText(LatitudeFromXYZ(start[0], start[1], start[2]), AngleKind::Latitude);
    const QString lonText = AngleText(LongitudeFromXY(start[0], start[1]), AngleKind::Longitude);
    const auto v = ConvertToNEU(latText, lonText, plain(d[0]), plain(d[1]), plain(d[2]));
    QVERIFY(v);
    // The texts round the angles to 1e-5″ and the vector to 0.1 mm.
    const double tolerance = 2e-4;
    QVERIFY2(std::fabs(v->n - north) < tolerance, qPrintable(QString::number(v->n - north)));
    QVERIFY2(std::fabs(v->e - east) < tolerance, qPrintable(QString::number(v->e - east)));
    QVERIFY2(std::fabs(v->u - up) < tolerance, qPrintable(QString::number(v->u - up)));
}

void TestNeuConversion::unreadableInputsGiveNothing_data()
{
    QTest::addColumn<QString>("lat");
    QTest::addColumn<QString>("dx");
    QTest::newRow("no degree sign") << "35 39′29.1″" << "1";
    QTest::newRow("no minute sign") << "35°39 29.1″" << "1";
    QTest::newRow("no second sign") << "35°39′29.1" << "1";
    QTest::newRow("empty angle") << "" << "1";
    QTest::newRow("letters in the minutes") << "35°3a′29.1″" << "1";
    QTest::newRow("signed minutes") << "35°-3′29.1″" << "1";
    QTest::newRow("empty number") << "35°39′29.1″" << "";
    QTest::newRow("comma decimal") << "35°39′29.1″" << "1,5";
    QTest::newRow("not a number") << "35°39′29.1″" << "nan";
    QTest::newRow("overflow") << "35°39′29.1″" << "1e999";
}

void TestNeuConversion::unreadableInputsGiveNothing()
{
    QFETCH(QString, lat);
    QFETCH(QString, dx);
    QVERIFY(!ConvertToNEU(lat, u"140°00′00.0″", dx, u"2", u"3"));
}

void TestNeuConversion::typedEntries_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("number");
    const int empty = int(CellValue::Kind::Empty);
    const int textKind = int(CellValue::Kind::Text);
    const int number = int(CellValue::Kind::Number);
    QTest::newRow("decimal") << "-3957199.1234" << number << -3957199.1234;
    QTest::newRow("blanks around") << " 12.5 " << number << 12.5;
    QTest::newRow("exponent") << "1.5E-3" << number << 0.0015;
    QTest::newRow("leading point") << ".25" << number << 0.25;
    QTest::newRow("minus zero is zero") << "-0" << number << 0.0;
    QTest::newRow("angle") << "36°06′20.44216″" << textKind << 0.0;
    QTest::newRow("point name") << "P-12" << textKind << 0.0;
    QTest::newRow("date-like") << "2024/01/02" << textKind << 0.0;
    QTest::newRow("thousands") << "1,234" << textKind << 0.0;
    QTest::newRow("infinity") << "inf" << textKind << 0.0;
    QTest::newRow("empty") << "" << empty << 0.0;
}

void TestNeuConversion::typedEntries()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(double, number);
    const CellValue v = CellValue::typedEntry(text);
    QCOMPARE(int(v.kind), kind);
    if (v.kind == CellValue::Kind::Number) {
        QCOMPARE(v.number, number);
        QVERIFY(!std::signbit(v.number) || v.number != 0.0);
    }
    if (v.kind == CellValue::Kind::Text)
        QCOMPARE(v.text, text);
}

QTEST_GUILESS_MAIN(TestNeuConversion)
#include "tst_neuconversion.moc"
