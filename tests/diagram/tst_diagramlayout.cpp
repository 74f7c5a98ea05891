// The observation diagram's numbers: which baselines and points are drawn and where,
// the zone chosen for them, the session table and the JSON the command line prints.
#include "diagramfixture.h"

#include "diagram/diagramjson.h"
#include "diagram/diagramlayout.h"
#include "diagram/planezone.h"

#include <QTest>

using namespace diagramfixture;

namespace {

DiagramLayout layoutOf(const ProjectModel& model, const QSet<int>& off = {},
                       std::optional<int> zone = std::nullopt)
{
    const Result<DiagramLayout> layout = BuildDiagramLayout(model, off, zone);
    if (!layout)
        qFatal("%s", qPrintable(layout.message()));
    return *layout;
}

QStringList numbers(const DiagramLayout& layout)
{
    QStringList out;
    for (const DiagramPoint& p : layout.points)
        out << p.number;
    return out;
}

QList<int> drawn(const DiagramLayout& layout)
{
    QList<int> out;
    for (const DiagramBaseline& b : layout.baselines)
        out << b.baseline;
    return out;
}

const DiagramPoint* pointNamed(const DiagramLayout& layout, const QString& number)
{
    for (const DiagramPoint& p : layout.points)
        if (p.number == number)
            return &p;
    return nullptr;
}

} // namespace

class TestDiagramLayout : public QObject
{
    Q_OBJECT

private slots:
    void planeCoordinates_data();
    void planeCoordinates();
    void defaultZone_data();
    void defaultZone();
    void zoneOutsideRangeIsRefused_data();
    void zoneOutsideRangeIsRefused();
    void drawnBaselines_data();
    void drawnBaselines();
    void positionFromFirstDrawnEnd();
    void pointWithoutCoordinatesLeftOut();
    void sessionTable();
    void zoneNames();
    void jsonShape();
};

void TestDiagramLayout::planeCoordinates_data()
{
    QTest::addColumn<QStringList>("xyz");
    QTest::addColumn<int>("zone");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");

    // Computed once with GeographicLib's own programs, independently of this code:
    //   CartConvert -r -e 6378137 1/298.257222101 -p 9
    //   TransverseMercatorProj -k 0.9999 -l LON0 -e 6378137 1/298.257222101 -p 6
    // x is the northing of the point less the northing of the zone's origin latitude.
    QTest::newRow("sample TR37305293, zone X, 250 km west of the meridian")
        << QStringList{"-3635655.6175", "3286645.2740", "4069023.2736"} << 10
        << 39.89003746771873 << 137.88630930990919 << -8049.111396 << -252055.691407;
    QTest::newRow("the same point in zone VIII")
        << QStringList{"-3635655.6175", "3286645.2740", "4069023.2736"} << 8
        << 39.89003746771873 << 137.88630930990919 << 431913.912525 << -52484.311056;
    QTest::newRow("Sapporo, zone XII")
        << QStringList{"-3645259.214", "2914725.180", "4332580.452"} << 12
        << 43.06210000524627 << 141.35440000076053 << -103803.874598 << -72947.413659;
    QTest::newRow("Naha, zone XV")
        << QStringList{"-3500105.624", "4531696.185", "2800218.343"} << 15
        << 26.21250000109209 << 127.68110000353323 << 23553.073556 << 18096.782292;
    QTest::newRow("Tokyo, zone IX")
        << QStringList{"-3959340.649", "3352849.605", "3697469.599"} << 9
        << 35.65810000226035 << 139.74140000258245 << -37928.113559 << -8323.847867;
}

void TestDiagramLayout::planeCoordinates()
{
    QFETCH(QStringList, xyz);
    QFETCH(int, zone);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(double, x);
    QFETCH(double, y);

    ProjectBuilder p;
    PointData start;
    start.posX = xyz[0];
    start.posY = xyz[1];
    start.posZ = xyz[2];
    p.baseline(QStringLiteral("A"), p.occupation(QStringLiteral("P")), start,
               p.occupation(QStringLiteral("Q")), endAt({latitude + 0.01, longitude}));
    const DiagramLayout layout = layoutOf(p.model, {}, zone);
    QCOMPARE(layout.zone, zone);
    const DiagramPoint& point = layout.points.first();
    QVERIFY2(std::abs(point.latitude - latitude) < 1e-10, qPrintable(QString::number(point.latitude, 'g', 17)));
    QVERIFY2(std::abs(point.longitude - longitude) < 1e-10, qPrintable(QString::number(point.longitude, 'g', 17)));
    // A tenth of a millimetre on the plane.
    QVERIFY2(std::abs(point.x - x) < 1e-4, qPrintable(QString::number(point.x, 'f', 6)));
    QVERIFY2(std::abs(point.y - y) < 1e-4, qPrintable(QString::number(point.y, 'f', 6)));
}

void TestDiagramLayout::defaultZone_data()
{
    QTest::addColumn<QList<double>>("places"); // latitude, longitude, ...
    QTest::addColumn<int>("zone");

    QTest::newRow("Hokkaido, Sapporo") << QList<double>{43.06, 141.35, 43.08, 141.33, 43.05, 141.40} << 12;
    QTest::newRow("Kanto, Tokyo") << QList<double>{35.68, 139.76, 35.70, 139.80, 35.66, 139.74} << 9;
    QTest::newRow("Kyushu, Kagoshima") << QList<double>{31.60, 130.55, 31.58, 130.52, 31.62, 130.57} << 2;
    QTest::newRow("Okinawa, Naha") << QList<double>{26.21, 127.68, 26.23, 127.70, 26.20, 127.66} << 15;
    // The first two points lie in Hokkaido, the mean of all four in Tohoku.
    QTest::newRow("mean of the points, not the first")
        << QList<double>{43.06, 141.35, 43.07, 141.36, 35.68, 139.76, 35.69, 139.77} << 10;
    // Nearer zone II's origin in degrees of latitude and longitude, nearer zone III's
    // on the globe, where a degree of longitude is shorter.
    QTest::newRow("great-circle angle, not degrees")
        << QList<double>{34.60, 131.30, 34.61, 131.31, 34.59, 131.29} << 3;
}

void TestDiagramLayout::defaultZone()
{
    QFETCH(QList<double>, places);
    QFETCH(int, zone);
    ProjectBuilder p;
    QList<int> occupations;
    QList<PointData> ends;
    for (qsizetype i = 0; i + 1 < places.size(); i += 2) {
        occupations << p.occupation(QStringLiteral("P%1").arg(i / 2));
        ends << endAt({places[i], places[i + 1]});
    }
    for (qsizetype i = 0; i + 1 < occupations.size(); ++i)
        p.baseline(QStringLiteral("A"), occupations[i], ends[i], occupations[i + 1], ends[i + 1]);

    const DiagramLayout automatic = layoutOf(p.model);
    QCOMPARE(automatic.defaultZone, zone);
    QCOMPARE(automatic.zone, zone);
    // A zone chosen by the user is drawn; the default is still told.
    const int other = zone == 1 ? 2 : 1;
    const DiagramLayout chosen = layoutOf(p.model, {}, other);
    QCOMPARE(chosen.zone, other);
    QCOMPARE(chosen.defaultZone, zone);
    QVERIFY(chosen.points.first().y != automatic.points.first().y);
}

void TestDiagramLayout::zoneOutsideRangeIsRefused_data()
{
    QTest::addColumn<int>("zone");
    QTest::newRow("0") << 0;
    QTest::newRow("20") << 20;
    QTest::newRow("-9") << -9;
}

void TestDiagramLayout::zoneOutsideRangeIsRefused()
{
    QFETCH(int, zone);
    ProjectBuilder p;
    p.baseline(QStringLiteral("A"), QStringLiteral("P"), {36, 140}, QStringLiteral("Q"), {36.01, 140});
    const Result<DiagramLayout> layout = BuildDiagramLayout(p.model, {}, zone);
    QVERIFY(!layout);
    QVERIFY2(layout.message().contains(QString::number(zone)), qPrintable(layout.message()));
}

void TestDiagramLayout::drawnBaselines_data()
{
    QTest::addColumn<QList<int>>("off");
    QTest::addColumn<QList<int>>("baselines");
    QTest::addColumn<QStringList>("points");

    // 1 P1-P2, 2 P2-P3, 3 P3 to an unmatched end, 4 an occupation without a number to
    // P4, 5 P4-P1, 6 P5 to an occupation index past the list, 7 P3-P5.
    QTest::newRow("all switched on") << QList<int>{} << QList<int>{1, 2, 5, 7}
                                     << QStringList{"P1", "P2", "P3", "P4", "P5"};
    QTest::newRow("first switched off: points in their new order")
        << QList<int>{1} << QList<int>{2, 5, 7} << QStringList{"P2", "P3", "P4", "P1", "P5"};
    QTest::newRow("a point only on switched-off baselines is not drawn")
        << QList<int>{7} << QList<int>{1, 2, 5} << QStringList{"P1", "P2", "P3", "P4"};
    QTest::newRow("everything switched off") << QList<int>{1, 2, 5, 7} << QList<int>{} << QStringList{};
}

void TestDiagramLayout::drawnBaselines()
{
    QFETCH(QList<int>, off);
    QFETCH(QList<int>, baselines);
    QFETCH(QStringList, points);

    ProjectBuilder p;
    const auto at = [](int i) { return endAt({36 + i * 0.01, 140}); };
    const int p1 = p.occupation(QStringLiteral("P1"));
    const int p2 = p.occupation(QStringLiteral("P2"));
    const int p3 = p.occupation(QStringLiteral("P3"));
    const int p4 = p.occupation(QStringLiteral("P4"));
    const int p5 = p.occupation(QStringLiteral("P5"));
    const int unnamed = p.occupation(QString());
    p.model.occupations[unnamed].pointName.clear();
    p.baseline(QStringLiteral("A"), p1, at(1), p2, at(2));
    p.baseline(QStringLiteral("A"), p2, at(2), p3, at(3));
    p.baseline(QStringLiteral("A"), p3, at(3), 0, at(9));
    p.baseline(QStringLiteral("B"), unnamed, at(9), p4, at(4));
    p.baseline(QStringLiteral("B"), p4, at(4), p1, at(1));
    p.baseline(QStringLiteral("B"), p5, at(5), 99, at(9));
    p.baseline(QStringLiteral("C"), p3, at(3), p5, at(5));

    const DiagramLayout layout = layoutOf(p.model, QSet<int>(off.cbegin(), off.cend()));
    QCOMPARE(drawn(layout), baselines);
    QCOMPARE(numbers(layout), points);
    for (const DiagramBaseline& b : layout.baselines) {
        const BaselineRecord& record = p.model.baselines[b.baseline];
        QCOMPARE(layout.points[b.from].number, p.model.startOccupationOf(record).pointName);
        QCOMPARE(layout.points[b.to].number, p.model.endOccupationOf(record).pointName);
        QCOMPARE(layout.sessions[b.session].name, record.session);
    }
    if (points.isEmpty()) {
        QVERIFY(layout.isEmpty());
        QCOMPARE(layout.zone, 0);
        QCOMPARE(DiagramToJson(layout), QByteArray("{\"zone\":null,\"points\":[],\"baselines\":[]}\n"));
    } else {
        QCOMPARE(layout.zone, 9);
    }
}

void TestDiagramLayout::positionFromFirstDrawnEnd()
{
    // P2 is written 1 km apart at the end of baseline 1 and the start of baseline 2
    // (as two processings of one station can differ); its name differs too.
    // On zone IX's meridian, where y is 0.
    const double meridian = 139 + 50 / 60.0;
    const Place first{36.00, meridian};
    const Place second{36.009, meridian};
    ProjectBuilder p;
    const int p1 = p.occupation(QStringLiteral("P1"));
    const int p2a = p.occupation(QStringLiteral("P2"), QStringLiteral("一本松"));
    const int p2b = p.occupation(QStringLiteral("P2"), QStringLiteral("二本松"));
    const int p3 = p.occupation(QStringLiteral("P3"));
    p.baseline(QStringLiteral("A"), p1, endAt({35.99, meridian}), p2a, endAt(first));
    p.baseline(QStringLiteral("A"), p2b, endAt(second), p3, endAt({36.02, meridian}));

    const DiagramLayout both = layoutOf(p.model);
    const DiagramPoint* p2 = pointNamed(both, QStringLiteral("P2"));
    QVERIFY(p2);
    QVERIFY(std::abs(p2->latitude - first.latitude) < 1e-9);
    QCOMPARE(p2->name, QStringLiteral("一本松"));
    QVERIFY(!p2->control);

    // With baseline 1 off, the first drawn end naming P2 is baseline 2's start.
    const DiagramLayout second2 = layoutOf(p.model, {1});
    p2 = pointNamed(second2, QStringLiteral("P2"));
    QVERIFY(p2);
    QVERIFY(std::abs(p2->latitude - second.latitude) < 1e-9);
    QCOMPARE(p2->name, QStringLiteral("二本松"));

    // An end whose coordinates cannot be read gives way to the next end of the point.
    p.model.baselines[1].endPoint.posX = QStringLiteral("--");
    const DiagramLayout unread = layoutOf(p.model);
    p2 = pointNamed(unread, QStringLiteral("P2"));
    QVERIFY(p2);
    QVERIFY(std::abs(p2->latitude - second.latitude) < 1e-9);
    QCOMPARE(p2->name, QStringLiteral("一本松"));
    QCOMPARE(numbers(unread), (QStringList{"P1", "P2", "P3"}));

    // The plane follows the points: x north, y east, in metres.
    const DiagramPoint* a = pointNamed(both, QStringLiteral("P1"));
    const DiagramPoint* c = pointNamed(both, QStringLiteral("P3"));
    QVERIFY(c->x - a->x > 3300 && c->x - a->x < 3340); // 0.03° of latitude
    QVERIFY(std::abs(c->y) < 0.001 && std::abs(a->y) < 0.001);
    QCOMPARE(both.extents.minX, a->x);
    QCOMPARE(both.extents.maxX, c->x);
}

void TestDiagramLayout::pointWithoutCoordinatesLeftOut()
{
    ProjectBuilder p;
    const int p1 = p.occupation(QStringLiteral("P1"));
    const int p2 = p.occupation(QStringLiteral("P2"));
    const int p3 = p.occupation(QStringLiteral("P3"));
    PointData nowhere;
    nowhere.posX = QStringLiteral("0");
    nowhere.posY = QStringLiteral("0");
    nowhere.posZ = QStringLiteral("0");
    p.baseline(QStringLiteral("A"), p1, endAt({36, 140}), p2, nowhere);
    p.baseline(QStringLiteral("A"), p1, endAt({36, 140}), p3, endAt({36.01, 140}));
    p.baseline(QStringLiteral("A"), p2, PointData{}, p3, endAt({36.01, 140}));

    const DiagramLayout layout = layoutOf(p.model);
    QCOMPARE(drawn(layout), QList<int>{2});
    QCOMPARE(numbers(layout), (QStringList{"P1", "P3"}));
    QCOMPARE(layout.pointsWithoutPosition, QStringList{"P2"});
    QCOMPARE(layout.baselines.first().from, 0);
    QCOMPARE(layout.baselines.first().to, 1);
}

void TestDiagramLayout::sessionTable()
{
    ProjectBuilder p;
    const auto end = [](int i) { return endAt({36 + i * 0.01, 140}); };
    const int p1 = p.occupation(QStringLiteral("P1"));
    const int p2 = p.occupation(QStringLiteral("P2"));
    const int p3 = p.occupation(QStringLiteral("P3"));
    const int p4 = p.occupation(QStringLiteral("P4"));
    // Session B first, then A (whose first start is the earlier one in the day), then
    // B again; session C past midnight in Japan; D with times that cannot be read.
    p.baseline(QStringLiteral("B"), p3, end(3), p1, end(1), QStringLiteral("2020/07/06 3:00:00"),
               QStringLiteral("2020/07/06 4:15:00"));
    p.baseline(QStringLiteral("A"), p2, end(2), p1, end(1), QStringLiteral("2020/07/05 23:40:10"),
               QStringLiteral("2020/07/06 1:05:00"));
    p.baseline(QStringLiteral("A"), p1, end(1), p3, end(3), QStringLiteral("2020/07/05 23:35:00"),
               QStringLiteral("2020/07/06 1:10:30"));
    p.baseline(QStringLiteral("B"), p4, end(4), p3, end(3), QStringLiteral("2020/07/06 2:55:00"),
               QStringLiteral("2020/07/06 4:20:00"));
    p.baseline(QStringLiteral("C"), p4, end(4), p2, end(2), QStringLiteral("2020/07/06 14:30:00"),
               QStringLiteral("2020/07/06 15:20:00"));
    p.baseline(QStringLiteral("D"), p4, end(4), p1, end(1), QStringLiteral("7月6日"),
               QStringLiteral("?"));
    // Switched off: its earlier start and its point P2 stay out of session B's row.
    p.baseline(QStringLiteral("B"), p2, end(2), p3, end(3), QStringLiteral("2020/07/06 1:00:00"),
               QStringLiteral("2020/07/06 5:00:00"));
    // A date alone is midnight.
    p.baseline(QStringLiteral("E"), p1, end(1), p2, end(2), QStringLiteral("2020/07/07"),
               QStringLiteral("2020/07/07 1:00:00"));

    const DiagramLayout layout = layoutOf(p.model, {7});
    QCOMPARE(layout.sessions.size(), 5);
    const auto row = [&](int i) {
        const DiagramSession& s = layout.sessions[i];
        return QStringList{s.name, s.date, s.start, s.end, s.points.join(u' ')};
    };
    QCOMPARE(row(0), (QStringList{"B", "2020/07/06", "11:55", "13:20", "P3 P1 P4"}));
    QCOMPARE(row(1), (QStringList{"A", "2020/07/06", "08:35", "10:10", "P2 P1 P3"}));
    QCOMPARE(row(2), (QStringList{"C", "2020/07/06", "23:30", "07/07 00:20", "P4 P2"}));
    QCOMPARE(row(3), (QStringList{"D", "", "7月6日", "?", "P4 P1"}));
    QCOMPARE(row(4), (QStringList{"E", "2020/07/07", "09:00", "10:00", "P1 P2"}));
    const QList<int> sessionOfBaseline{0, 1, 1, 0, 2, 3, 4};
    for (qsizetype i = 0; i < layout.baselines.size(); ++i)
        QCOMPARE(layout.baselines[i].session, sessionOfBaseline[i]);
}

void TestDiagramLayout::zoneNames()
{
    QCOMPARE(PlaneZoneName(9), QStringLiteral("平面直角座標系 第IX系"));
    QStringList numerals;
    for (int zone = 1; zone <= planeZoneCount; ++zone)
        numerals << PlaneZoneNumeral(zone);
    QCOMPARE(numerals.join(u' '),
             QStringLiteral("I II III IV V VI VII VIII IX X XI XII XIII XIV XV XVI XVII XVIII XIX"));
    QVERIFY(PlaneZoneNumeral(20).isEmpty());
    // Each zone's origin is its own nearest.
    for (int zone = 1; zone <= planeZoneCount; ++zone) {
        const PlaneZoneOrigin o = PlaneZoneOriginOf(zone);
        QCOMPARE(NearestPlaneZone(o.latitude, o.longitude), zone);
    }
}

void TestDiagramLayout::jsonShape()
{
    DiagramLayout layout;
    layout.zone = 12;
    layout.points = {{QStringLiteral("K01"), QStringLiteral("\"石\\谷\""), false, 0, 0, 1.23449, -0.0004},
                     {QStringLiteral("K02"), QStringLiteral("ﾎﾖｻﾞ"), true, 0, 0, -1234567.8916, 42}};
    layout.sessions = {{QStringLiteral("A"), {}, {}, {}, {}}, {QStringLiteral("セ2"), {}, {}, {}, {}}};
    layout.baselines = {{3, 1, 0, 1}, {5, 0, 1, 0}};
    QCOMPARE(DiagramToJson(layout),
             QByteArray("{\"zone\":12,\"points\":["
                        "{\"number\":\"K01\",\"name\":\"\\\"石\\\\谷\\\"\",\"x\":1.234,\"y\":0.000},"
                        "{\"number\":\"K02\",\"name\":\"ﾎﾖｻﾞ\",\"x\":-1234567.892,\"y\":42.000}],"
                        "\"baselines\":[{\"baseline\":3,\"from\":\"K02\",\"to\":\"K01\",\"session\":\"セ2\"},"
                        "{\"baseline\":5,\"from\":\"K01\",\"to\":\"K02\",\"session\":\"A\"}]}\n"));
}

QTEST_GUILESS_MAIN(TestDiagramLayout)
#include "tst_diagramlayout.moc"
