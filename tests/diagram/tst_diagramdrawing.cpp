// Drawing the observation diagram: labels that keep clear of each other and of the
// symbols, sessions told apart, the scale bar's round length, and the placement on a
// generated network of a few hundred points as the painter does it.
#include "exchangegenerator.h"

#include "diagram/diagramfurniture.h"
#include "diagram/diagramlayout.h"
#include "diagram/diagrampainter.h"
#include "diagram/diagramstyle.h"
#include "diagram/labelplacement.h"
#include "import/exchangeimport.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

namespace {

struct Overlaps
{
    int labels = 0;  // pairs of labels that cover each other
    int symbols = 0; // labels covering a symbol
};

// Checked pair by pair, independently of the grid the placement uses.
Overlaps overlapsOf(const QList<QPointF>& anchors, const QList<QRectF>& boxes, double radius)
{
    Overlaps o;
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        for (qsizetype j = i + 1; j < boxes.size(); ++j)
            if (boxes[i].intersects(boxes[j]))
                ++o.labels;
        for (const QPointF& a : anchors)
            if (boxes[i].intersects(QRectF(a.x() - radius, a.y() - radius, 2 * radius, 2 * radius)))
                ++o.symbols;
    }
    return o;
}

QList<QRectF> boxesOf(const QList<PlacedLabel>& placed)
{
    QList<QRectF> boxes;
    for (const PlacedLabel& p : placed)
        boxes << p.box;
    return boxes;
}

LabelPlacementOptions options(double radius = 2)
{
    LabelPlacementOptions o;
    o.symbolRadius = radius;
    o.gap = 0.5;
    return o;
}

// Points scattered at random over an area with room for every label.
QList<LabelRequest> scattered(int count, const QSizeF& area, const QSizeF& label, quint32 seed)
{
    QRandomGenerator random(seed);
    QList<LabelRequest> requests;
    for (int i = 0; i < count; ++i)
        requests << LabelRequest{QPointF(random.bounded(area.width()), random.bounded(area.height())), label};
    return requests;
}

QList<QPointF> anchorsOf(const QList<LabelRequest>& requests)
{
    QList<QPointF> anchors;
    for (const LabelRequest& r : requests)
        anchors << r.anchor;
    return anchors;
}

} // namespace

class TestDiagramDrawing : public QObject
{
    Q_OBJECT

private slots:
    void labelGivesWayToNeighbour();
    void denseNetworkWithoutOverlaps();
    void crowdedPointsStillPlaced();
    void leaderWhenSymbolIsHemmedIn();
    void labelsKeepInsideBounds();
    void labelAvoidsCrossingLine();
    void sessionStylesDiffer();
    void scaleBarLength_data();
    void scaleBarLength();
    void generatedNetworkAsPainted();
    void emptyDiagramPaints();
};

void TestDiagramDrawing::labelGivesWayToNeighbour()
{
    // The second symbol sits where the first label would go to the upper right.
    const QList<LabelRequest> requests{{QPointF(0, 0), QSizeF(40, 10)}, {QPointF(20, -7), QSizeF(40, 10)}};
    const QList<PlacedLabel> placed = PlaceLabels(requests, {}, options());
    const Overlaps o = overlapsOf(anchorsOf(requests), boxesOf(placed), 2);
    QCOMPARE(o.labels, 0);
    QCOMPARE(o.symbols, 0);
    for (const PlacedLabel& p : placed) {
        QVERIFY(!p.overlaps);
        QVERIFY(!p.leader);
    }
}

void TestDiagramDrawing::denseNetworkWithoutOverlaps()
{
    const QList<LabelRequest> requests = scattered(300, QSizeF(1100, 800), QSizeF(36, 12), 7);
    // Every label at the upper right would collide here, so the test asks for real work.
    QList<QRectF> naive;
    for (const LabelRequest& r : requests)
        naive << QRectF(r.anchor.x() + 2.5, r.anchor.y() - 14.5, 36, 12);
    const Overlaps before = overlapsOf(anchorsOf(requests), naive, 2);
    QVERIFY(before.labels + before.symbols > 20);

    const QList<PlacedLabel> placed = PlaceLabels(requests, {}, options());
    QCOMPARE(placed.size(), requests.size());
    const Overlaps after = overlapsOf(anchorsOf(requests), boxesOf(placed), 2);
    QCOMPARE(after.labels, 0);
    QCOMPARE(after.symbols, 0);
    for (qsizetype i = 0; i < placed.size(); ++i) {
        QVERIFY(!placed[i].overlaps);
        QCOMPARE(placed[i].box.size(), requests[i].size);
        // Near its own symbol: within the outermost ring.
        const QPointF c = placed[i].box.center();
        QVERIFY(std::abs(c.x() - requests[i].anchor.x()) < 36 + 4 * 12);
        QVERIFY(std::abs(c.y() - requests[i].anchor.y()) < 12 + 4 * 12);
    }
}

void TestDiagramDrawing::crowdedPointsStillPlaced()
{
    // Forty points on top of each other have no room: every label is still drawn, next
    // to its symbol, and the ones that cover others say so.
    QList<LabelRequest> requests = scattered(40, QSizeF(4, 4), QSizeF(30, 10), 3);
    // One point far off is unaffected.
    requests << LabelRequest{QPointF(500, 500), QSizeF(30, 10)};
    const QList<PlacedLabel> placed = PlaceLabels(requests, {}, options());
    QCOMPARE(placed.size(), requests.size());
    int flagged = 0;
    for (qsizetype i = 0; i < placed.size(); ++i) {
        flagged += placed[i].overlaps;
        if (placed[i].overlaps)
            QVERIFY(QLineF(placed[i].box.center(), requests[i].anchor).length() < 40);
    }
    QVERIFY(flagged > 0);
    QVERIFY(!placed.last().overlaps);
    QVERIFY(!placed.last().leader);
    // The labels without the flag cover no symbol and none of each other.
    const QList<QRectF> all = boxesOf(placed);
    QList<QRectF> clear;
    for (qsizetype i = 0; i < placed.size(); ++i)
        if (!placed[i].overlaps)
            clear << all[i];
    QVERIFY(clear.size() > 1);
    const Overlaps o = overlapsOf(anchorsOf(requests), clear, 2);
    QCOMPARE(o.labels, 0);
    QCOMPARE(o.symbols, 0);
}

void TestDiagramDrawing::leaderWhenSymbolIsHemmedIn()
{
    // Four symbols (with empty labels) block all eight places next to the middle one;
    // its label goes one ring out with a leader line.
    QList<LabelRequest> requests{{QPointF(0, 0), QSizeF(20, 6)}};
    for (const QPointF& at : {QPointF(3, -3), QPointF(3, 3), QPointF(-3, -3), QPointF(-3, 3)})
        requests << LabelRequest{at, QSizeF()};
    const QList<PlacedLabel> placed = PlaceLabels(requests, {}, options(1));
    QVERIFY(placed.first().leader);
    QVERIFY(!placed.first().overlaps);
    const Overlaps o = overlapsOf(anchorsOf(requests), {placed.first().box}, 1);
    QCOMPARE(o.symbols, 0);
}

void TestDiagramDrawing::labelsKeepInsideBounds()
{
    // At the right edge the label goes to the left; at the top, below.
    LabelPlacementOptions o = options();
    o.bounds = QRectF(0, 0, 200, 100);
    const QList<PlacedLabel> placed =
        PlaceLabels({{QPointF(195, 50), QSizeF(40, 10)}, {QPointF(100, 5), QSizeF(40, 10)}}, {}, o);
    for (const PlacedLabel& p : placed) {
        QVERIFY(!p.overlaps);
        QVERIFY(o.bounds.contains(p.box));
    }
    QVERIFY(placed[0].box.right() < 195);
    QVERIFY(placed[1].box.top() > 5);
}

void TestDiagramDrawing::labelAvoidsCrossingLine()
{
    // A baseline leaves towards the upper right, where the label would go first.
    const QList<LabelRequest> requests{{QPointF(0, 0), QSizeF(40, 10)}, {QPointF(100, -100), QSizeF(40, 10)}};
    const QList<PlacedLabel> placed =
        PlaceLabels(requests, {QLineF(0, 0, 100, -100)}, options());
    const QRectF box = placed.first().box;
    QVERIFY(!placed.first().overlaps);
    QVERIFY2(box.left() > 0 && box.top() > 0, "expected below right of the point"); // SE
    // Without the line it takes the upper right.
    QVERIFY(PlaceLabels(requests, {}, options()).first().box.bottom() < 0);
}

void TestDiagramDrawing::sessionStylesDiffer()
{
    QSet<QString> seen;
    QSet<QRgb> colours;
    QSet<int> patterns;
    for (int i = 0; i < 500; ++i) {
        const SessionLineStyle s = SessionStyle(i);
        QString key = QString::number(s.colour.rgb(), 16);
        for (qreal d : s.dashes)
            key += u',' + QString::number(d);
        QVERIFY2(!seen.contains(key), qPrintable(QStringLiteral("session %1 repeats %2").arg(i).arg(key)));
        seen.insert(key);
        if (i < 10) {
            colours.insert(s.colour.rgb());
            patterns.insert(int(s.dashes.size() * 100 + (s.dashes.isEmpty() ? 0 : s.dashes[0])));
        }
    }
    // The first ten sessions differ in colour and use every pattern.
    QCOMPARE(colours.size(), 10);
    QCOMPARE(patterns.size(), 5);
}

void TestDiagramDrawing::scaleBarLength_data()
{
    QTest::addColumn<double>("room");
    QTest::addColumn<double>("length");
    QTest::newRow("under one") << 0.9 << 0.5;
    QTest::newRow("one") << 1.0 << 1.0;
    QTest::newRow("7.3") << 7.3 << 5.0;
    QTest::newRow("just under twenty") << 19.99 << 10.0;
    QTest::newRow("twenty") << 20.0 << 20.0;
    QTest::newRow("4999") << 4999.0 << 2000.0;
    QTest::newRow("5000") << 5000.0 << 5000.0;
    QTest::newRow("9999") << 9999.0 << 5000.0;
    QTest::newRow("nothing") << 0.0 << 0.0;
}

void TestDiagramDrawing::scaleBarLength()
{
    QFETCH(double, room);
    QFETCH(double, length);
    QCOMPARE(ScaleBarLength(room), length);
}

void TestDiagramDrawing::generatedNetworkAsPainted()
{
    GeneratorOptions g;
    g.points = 300;
    g.sessions = 60;
    g.baselines = 700;
    g.seed = 7;
    ProjectModel model;
    QVERIFY(ImportExchangeBytes(generateExchangeFile(g), model));
    const Result<DiagramLayout> layout = BuildDiagramLayout(model, {});
    QVERIFY(layout);
    QCOMPARE(layout->points.size(), 300);

    // An A3 page's drawing area at 100 dots per inch.
    const double upm = 100 / 25.4;
    QImage image(QSize(int(400 * upm), int(277 * upm)), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(upm * 1000));
    image.setDotsPerMeterY(int(upm * 1000));
    image.fill(Qt::white);
    DiagramPainter diagram(*layout);
    const QRectF target(QPointF(0, 0), QSizeF(image.size()));
    {
        QPainter painter(&image);
        diagram.paint(painter, target, upm);
    }
    const QList<PlacedLabel>& placed = diagram.placedLabels();
    QCOMPARE(placed.size(), layout->points.size());

    const QRectF map = diagram.frame(target, upm).map;
    const DiagramViewport v = diagram.fittedViewport(map, upm);
    QList<QPointF> anchors;
    for (const DiagramPoint& p : layout->points)
        anchors << map.center() + QPointF((p.y - v.centreY) * v.unitsPerMetre, -(p.x - v.centreX) * v.unitsPerMetre);
    const Overlaps o = overlapsOf(anchors, boxesOf(placed), symbolRadiusMm * upm);
    QCOMPARE(o.labels, 0);
    QCOMPARE(o.symbols, 0);
    QPainter painter(&image);
    const QRectF scaleBar = ScaleBarBox(painter, map, upm, v.unitsPerMetre);
    QVERIFY(!scaleBar.isEmpty());
    int leaders = 0;
    for (const PlacedLabel& p : placed) {
        QVERIFY(!p.overlaps);
        QVERIFY(map.contains(p.box));
        // The north arrow and the scale bar stay readable.
        QVERIFY(!p.box.intersects(NorthArrowBox(map, upm)));
        QVERIFY(!p.box.intersects(scaleBar));
        leaders += p.leader;
    }
    // Most labels sit right next to their points.
    QVERIFY2(leaders < layout->points.size() / 10, qPrintable(QString::number(leaders)));
}

void TestDiagramDrawing::emptyDiagramPaints()
{
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    DiagramPainter diagram;
    QPainter painter(&image);
    QCOMPARE(diagram.paint(painter, QRectF(0, 0, 800, 600), 96 / 25.4), 0);
    QVERIFY(diagram.placedLabels().isEmpty());
}

QTEST_MAIN(TestDiagramDrawing)
#include "tst_diagramdrawing.moc"
