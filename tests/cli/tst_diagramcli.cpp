// bemsol-cli diagram: the JSON of the layout, the drawing as PDF or SVG, --off and
// --zone, and the refusals with their exit codes.
#include "clirunner.h"

#include "import/exchangeimport.h"
#include "model/projectmodel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString sample = QStringLiteral(SOURCE_DIR "/examples/sample-survey.xml");

QJsonObject jsonOf(const CliRun& run)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(run.out, &error);
    if (error.error != QJsonParseError::NoError)
        qFatal("not JSON: %s", qPrintable(error.errorString()));
    return doc.object();
}

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestDiagramCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void jsonOfSample_data();
    void jsonOfSample();
    void pdfAndSvg();
    void refused_data();
    void refused();

private:
    ProjectModel model_;
    QTemporaryDir dir_;
};

void TestDiagramCli::initTestCase()
{
    QVERIFY(dir_.isValid());
    QVERIFY(ReadExchangeFile(sample, model_));
}

void TestDiagramCli::jsonOfSample_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QList<int>>("off");
    QTest::addColumn<int>("zone");
    QTest::addColumn<QList<double>>("first"); // x, y of the first point

    // From GeographicLib's CartConvert and TransverseMercatorProj, run by hand on
    // TR37305293 (X -3635655.6175, Y 3286645.2740, Z 4069023.2736).
    QTest::newRow("zone nearest the points")
        << QStringList{} << QList<int>{} << 10 << QList<double>{-8049.111, -252055.691};
    QTest::newRow("--zone 8") << QStringList{"--zone", "8"} << QList<int>{} << 8
                              << QList<double>{431913.913, -52484.311};
    QTest::newRow("--off 1,2") << QStringList{"--off", "1,2"} << QList<int>{1, 2} << 10 << QList<double>{};
}

void TestDiagramCli::jsonOfSample()
{
    QFETCH(QStringList, options);
    QFETCH(QList<int>, off);
    QFETCH(int, zone);
    QFETCH(QList<double>, first);

    const QString pdf = dir_.filePath(QStringLiteral("json.pdf"));
    const CliRun run = runCli(QStringList{"diagram", sample, pdf, "--json", "--no-names"} + options);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(QFile::exists(pdf));
    // The keys in the documented order, one line.
    QVERIFY(QRegularExpression(QStringLiteral(R"(^\{"zone":\d+,"points":\[\{"number":".*"name":".*"x":-?\d+\.\d{3},"y":-?\d+\.\d{3}\}.*\],"baselines":\[\{"baseline":\d+,"from":".*","to":".*","session":".*"\}\]\}\n$)"))
                .match(QString::fromUtf8(run.out))
                .hasMatch());

    const QJsonObject json = jsonOf(run);
    QCOMPARE(json.value(QStringLiteral("zone")).toInt(), zone);

    // Drawn baselines in baseline order; points in order of first appearance.
    QStringList expectedPoints;
    QJsonArray expectedBaselines;
    for (int i = 1; i <= model_.baselineCount(); ++i) {
        if (off.contains(i))
            continue;
        const BaselineRecord& b = model_.baselines[i];
        const QString from = model_.startOccupationOf(b).pointName;
        const QString to = model_.endOccupationOf(b).pointName;
        for (const QString& p : {from, to})
            if (!expectedPoints.contains(p))
                expectedPoints << p;
        expectedBaselines.append(QJsonObject{{"baseline", i}, {"from", from}, {"to", to}, {"session", b.session}});
    }
    QCOMPARE(json.value(QStringLiteral("baselines")).toArray(), expectedBaselines);
    const QJsonArray points = json.value(QStringLiteral("points")).toArray();
    QStringList numbers;
    for (const QJsonValue& p : points) {
        numbers << p[QStringLiteral("number")].toString();
        QVERIFY(!p[QStringLiteral("name")].toString().isEmpty());
        // Three decimals at most.
        for (const char* axis : {"x", "y"}) {
            const double v = p[QLatin1String(axis)].toDouble();
            QCOMPARE(std::round(v * 1000) / 1000, v);
        }
    }
    QCOMPARE(numbers, expectedPoints);
    if (!first.isEmpty()) {
        QCOMPARE(points[0][QStringLiteral("x")].toDouble(), first[0]);
        QCOMPARE(points[0][QStringLiteral("y")].toDouble(), first[1]);
    }
}

void TestDiagramCli::pdfAndSvg()
{
    const QString pdf = dir_.filePath(QStringLiteral("d.pdf"));
    const QString svg = dir_.filePath(QStringLiteral("d.svg"));
    QCOMPARE(runCli({"diagram", sample, pdf}).exitCode, 0);
    const CliRun svgRun = runCli({"diagram", sample, svg, "--zone", "9"});
    QVERIFY2(svgRun.exitCode == 0, qPrintable(svgRun.err));
    QVERIFY(svgRun.out.isEmpty()); // no --json, nothing on standard output

    const QString text = pdfText(pdf);
    QVERIFY(text.contains(QStringLiteral("観測図")));
    QVERIFY(text.contains(QStringLiteral("第X系")));
    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString drawing = QString::fromUtf8(file.readAll());
    // Qt SVG writes the Latin numeral as a text run of its own.
    QVERIFY(drawing.contains(QStringLiteral("平面直角座標系 第")));
    QVERIFY(drawing.contains(QStringLiteral(">IX<")));
    for (int i = 1; i <= model_.occupationCount(); ++i)
        QVERIFY2(text.contains(model_.occupations[i].pointName) && drawing.contains(model_.occupations[i].pointName),
                 qPrintable(model_.occupations[i].pointName));
}

void TestDiagramCli::refused_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("zone 0") << QStringList{"diagram", sample, "OUT", "--zone", "0"} << 2 << "0";
    QTest::newRow("zone 20") << QStringList{"diagram", sample, "OUT", "--zone", "20"} << 2 << "20";
    QTest::newRow("zone not a number") << QStringList{"diagram", sample, "OUT", "--zone", "IX"} << 2 << "IX";
    QTest::newRow("zone without a number") << QStringList{"diagram", sample, "OUT", "--zone"} << 2 << "usage";
    QTest::newRow("off past the end") << QStringList{"diagram", sample, "OUT", "--off", "16"} << 2 << "16";
    QTest::newRow("names and no names")
        << QStringList{"diagram", sample, "OUT", "--names", "x.ini", "--no-names"} << 2 << "usage";
    QTest::newRow("unknown option") << QStringList{"diagram", sample, "OUT", "--by-session"} << 2 << "usage";
    QTest::newRow("neither pdf nor svg") << QStringList{"diagram", sample, "DIR/out.png"} << 2 << "usage";
    QTest::newRow("no output") << QStringList{"diagram", sample} << 2 << "usage";
    QTest::newRow("missing input") << QStringList{"diagram", "DIR/missing.xml", "OUT"} << 1 << "missing.xml";
    QTest::newRow("output folder missing")
        << QStringList{"diagram", sample, "DIR/no/such/d.svg", "--json"} << 1 << "d.svg";
}

void TestDiagramCli::refused()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("out.pdf");
    const CliRun r = runCli(withPlaces(args, dir.path(), pdf));
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
    QVERIFY(!QFile::exists(pdf));
}

QTEST_MAIN(TestDiagramCli)
#include "tst_diagramcli.moc"
