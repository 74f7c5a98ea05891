#include "exchangegenerator.h"
#include "import/exchangeimport.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>

// The generator is checked through the bytes it writes, read back with an XML parser of
// its own, so that a fault in the plan and a fault in the writer show alike.

namespace {

constexpr qint64 secondsPerWeek = 604800;

struct ParsedOccupation
{
    QString point;
    qint64 start = -1;
    qint64 end = -1;
    QList<QList<qint64>> trackLists; // From/To values of each TrackListL1 and TrackListL2
};

struct ParsedBaseline
{
    QString session;
    QString startName;
    QString endName;
    std::array<qint64, 3> startPos{};
    std::array<qint64, 3> endPos{};
    std::array<qint64, 3> vector{};
    qint64 start = -1;
    qint64 end = -1;
};

struct ParsedFile
{
    QString software;
    QList<ParsedOccupation> occupations;
    QList<ParsedBaseline> baselines;
    bool occupationsFirst = false;
    QString error;
};

// A coordinate text as whole tenths of a millimetre; the generator writes four decimals.
qint64 tenths(const QString& text, bool& ok)
{
    static const QRegularExpression format(QStringLiteral("^-?\\d+\\.\\d{4}$"));
    ok = ok && format.match(text).hasMatch();
    return qRound64(text.toDouble() * 1e4);
}

ParsedFile parse(const QByteArray& bytes)
{
    ParsedFile f;
    QXmlStreamReader xml(bytes);
    QStringList path;
    QString text;
    QStringList timeParts;
    bool numbersOk = true;
    auto parent = [&](int up) { return path.size() > up ? path[path.size() - 1 - up] : QString(); };

    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QString name = xml.name().toString();
            path.append(name);
            text.clear();
            if (path.size() == 1)
                f.software = xml.attributes().value(QStringLiteral("Software")).toString();
            if (name == u"Occupation" && parent(1) == u"OccupationList")
                f.occupations.append(ParsedOccupation{});
            if (name == u"BaselineList" && f.baselines.isEmpty())
                f.occupationsFirst = !f.occupations.isEmpty();
            if (name == u"Baseline" && parent(1) == u"BaselineList")
                f.baselines.append(ParsedBaseline{});
            if ((name == u"TrackListL1" || name == u"TrackListL2") && !f.occupations.isEmpty())
                f.occupations.last().trackLists.append(QList<qint64>{});
            if (name == u"StartTime" || name == u"EndTime")
                timeParts.clear();
        } else if (token == QXmlStreamReader::Characters) {
            text += xml.text();
        } else if (token == QXmlStreamReader::EndElement) {
            const QString name = path.last();
            const QString up = parent(1);
            const QString up2 = parent(2);
            if (up == u"StartTime" || up == u"EndTime")
                timeParts.append(text.trimmed());
            if ((name == u"StartTime" || name == u"EndTime") && timeParts.size() == 2) {
                const qint64 t = timeParts[0].toLongLong() * secondsPerWeek + timeParts[1].toLongLong();
                const bool isStart = name == u"StartTime";
                if (up == u"Occupation" && !f.occupations.isEmpty())
                    (isStart ? f.occupations.last().start : f.occupations.last().end) = t;
                if (up == u"Parameter" && !f.baselines.isEmpty())
                    (isStart ? f.baselines.last().start : f.baselines.last().end) = t;
            }
            if (up == u"Occupation" && name == u"PointName" && !f.occupations.isEmpty())
                f.occupations.last().point = text;
            if (up == u"Track" && (name == u"From" || name == u"To") && !f.occupations.isEmpty()
                && !f.occupations.last().trackLists.isEmpty())
                f.occupations.last().trackLists.last().append(text.toLongLong());
            if (!f.baselines.isEmpty() && up2 == u"Baseline") {
                ParsedBaseline& b = f.baselines.last();
                const int axis = name == u"X" ? 0 : name == u"Y" ? 1 : name == u"Z" ? 2 : -1;
                if (up == u"SPoint" && name == u"PointName")
                    b.startName = text;
                if (up == u"EPoint" && name == u"PointName")
                    b.endName = text;
                if (axis >= 0 && up == u"SPoint")
                    b.startPos[axis] = tenths(text, numbersOk);
                if (axis >= 0 && up == u"EPoint")
                    b.endPos[axis] = tenths(text, numbersOk);
                if (axis >= 0 && up == u"Vector")
                    b.vector[axis] = tenths(text, numbersOk);
                if (up == u"Parameter" && name == u"Session")
                    b.session = text;
            }
            path.removeLast();
            text.clear();
        }
    }
    if (xml.hasError())
        f.error = xml.errorString();
    else if (!numbersOk)
        f.error = QStringLiteral("a coordinate is not written with four decimals");
    return f;
}

GeneratorOptions options(int points, int sessions, int baselines, quint64 seed)
{
    GeneratorOptions o;
    o.points = points;
    o.sessions = sessions;
    o.baselines = baselines;
    o.seed = seed;
    return o;
}

// The command written in tools/gen-exchange/README.md for examples/sample-survey.xml.
const GeneratorOptions sampleOptions = options(8, 3, 15, 23);

} // namespace

class TestExchangeGenerator : public QObject
{
    Q_OBJECT

private slots:
    void sameSeedSameBytes();
    void fileShape_data();
    void fileShape();
    void loopsCloseToMillimetres();
    void impossibleOptionsAreRefused_data();
    void impossibleOptionsAreRefused();
    void importMatchesEveryEnd();
    void sampleIsUpToDate();
};

void TestExchangeGenerator::sameSeedSameBytes()
{
    const GeneratorOptions o = options(12, 4, 25, 42);
    const QByteArray first = generateExchangeFile(o);
    QCOMPARE(generateExchangeFile(o), first);
    GeneratorOptions other = o;
    other.seed = 43;
    QVERIFY(generateExchangeFile(other) != first);
}

void TestExchangeGenerator::fileShape_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("sessions");
    QTest::addColumn<int>("baselines");
    QTest::addColumn<int>("minSats");
    QTest::addColumn<int>("maxSats");

    QTest::newRow("one baseline") << 2 << 1 << 1 << 6 << 12;
    QTest::newRow("sample size") << 8 << 3 << 15 << 6 << 12;
    QTest::newRow("every pair of one session") << 6 << 1 << 15 << 6 << 12;
    QTest::newRow("long traverse, few baselines") << 40 << 10 << 39 << 6 << 12;
    QTest::newRow("chosen points and sessions") << 0 << 0 << 400 << 6 << 12;
    QTest::newRow("no satellites") << 4 << 2 << 5 << 0 << 0;
}

void TestExchangeGenerator::fileShape()
{
    QFETCH(int, points);
    QFETCH(int, sessions);
    QFETCH(int, baselines);
    QFETCH(int, minSats);
    QFETCH(int, maxSats);
    GeneratorOptions o = options(points, sessions, baselines, 2024);
    o.minSatellites = minSats;
    o.maxSatellites = maxSats;
    QVERIFY2(checkGeneratorOptions(o).isEmpty(), qPrintable(checkGeneratorOptions(o)));
    const GeneratorOptions resolved = resolvedOptions(o);
    const QByteArray bytes = generateExchangeFile(o);

    // CR LF only, one element per line: the reader looks at nothing but each line's first
    // tag and the value up to the next "<".
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
    static const QRegularExpression oneElement(QStringLiteral(
        R"(^ *(<\?xml [^>]*\?>|<[A-Za-z0-9]+( [^<>]*)?>|</[A-Za-z0-9]+>|<([A-Za-z0-9]+)>[^<>]*</\3>)$)"));
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast(); // after the last CR LF
    for (const QByteArray& line : std::as_const(lines)) {
        const QString text = QString::fromUtf8(line.chopped(1));
        QVERIFY2(oneElement.match(text).hasMatch(), qPrintable(text));
    }

    const ParsedFile f = parse(bytes);
    QVERIFY2(f.error.isEmpty(), qPrintable(f.error));
    QCOMPARE(f.software.left(26), QStringLiteral("Trimble Total Control 2.71"));
    QVERIFY(f.occupationsFirst);
    QCOMPARE(f.baselines.size(), baselines);

    QSet<QString> sessionNames, pointNames;
    for (const ParsedOccupation& occ : f.occupations)
        pointNames.insert(occ.point);
    for (const ParsedBaseline& b : f.baselines)
        sessionNames.insert(b.session);
    QCOMPARE(sessionNames.size(), resolved.sessions);
    QCOMPARE(pointNames.size(), resolved.points);

    // Tracking values are seconds since the occupation's start, in pairs, in order, and
    // inside the occupation.
    for (const ParsedOccupation& occ : f.occupations) {
        QVERIFY(occ.start >= 0 && occ.end > occ.start);
        for (const QList<qint64>& list : occ.trackLists) {
            QCOMPARE(list.size() % 2, 0);
            for (qsizetype i = 0; i < list.size(); ++i) {
                QVERIFY(list[i] >= 0 && list[i] <= occ.end - occ.start);
                if (i > 0)
                    QVERIFY(list[i] > list[i - 1] || (i % 2 == 0 && list[i] == list[i - 1]));
            }
        }
    }

    // Each end of a baseline lies within exactly one occupation of its point, and the
    // vector is exactly the end minus the start.
    QHash<QString, QList<int>> occupationsOf;
    for (int i = 0; i < f.occupations.size(); ++i)
        occupationsOf[f.occupations[i].point].append(i);
    QHash<int, int> endsPerOccupation;
    for (const ParsedBaseline& b : f.baselines) {
        QVERIFY(b.start >= 0 && b.end > b.start);
        for (int axis = 0; axis < 3; ++axis)
            QCOMPARE(b.vector[axis], b.endPos[axis] - b.startPos[axis]);
        QVERIFY(b.startName != b.endName);
        for (const QString& name : {b.startName, b.endName}) {
            QList<int> covering;
            for (int i : occupationsOf.value(name))
                if (f.occupations[i].start <= b.start && f.occupations[i].end >= b.end)
                    covering.append(i);
            QVERIFY2(covering.size() == 1, qPrintable(name));
            ++endsPerOccupation[covering.first()];
        }
    }
    // Several baselines from one set-up is the usual case the import must separate.
    if (baselines > 1) {
        int shared = 0;
        for (int n : std::as_const(endsPerOccupation))
            shared += n > 1 ? 1 : 0;
        QVERIFY(shared > 0);
    }
}

void TestExchangeGenerator::loopsCloseToMillimetres()
{
    const ParsedFile f = parse(generateExchangeFile(options(30, 6, 60, 7)));
    QVERIFY(f.error.isEmpty());
    // Vectors between the points of each session, both directions.
    QHash<QString, std::array<qint64, 3>> vectors;
    auto key = [](const QString& s, const QString& a, const QString& b) {
        return s + u'|' + a + u'|' + b;
    };
    QHash<QString, QStringList> pointsOfSession;
    for (const ParsedBaseline& b : f.baselines) {
        vectors[key(b.session, b.startName, b.endName)] = b.vector;
        vectors[key(b.session, b.endName, b.startName)] = {-b.vector[0], -b.vector[1], -b.vector[2]};
        for (const QString& p : {b.startName, b.endName})
            if (!pointsOfSession[b.session].contains(p))
                pointsOfSession[b.session].append(p);
    }
    int loops = 0;
    double worst = 0;
    for (auto it = pointsOfSession.cbegin(); it != pointsOfSession.cend(); ++it) {
        const QStringList& p = it.value();
        for (qsizetype i = 0; i < p.size(); ++i)
            for (qsizetype j = i + 1; j < p.size(); ++j)
                for (qsizetype k = j + 1; k < p.size(); ++k) {
                    const QString ab = key(it.key(), p[i], p[j]), bc = key(it.key(), p[j], p[k]),
                                  ca = key(it.key(), p[k], p[i]);
                    if (!vectors.contains(ab) || !vectors.contains(bc) || !vectors.contains(ca))
                        continue;
                    double sq = 0;
                    for (int axis = 0; axis < 3; ++axis) {
                        const double d = double(vectors[ab][axis] + vectors[bc][axis] + vectors[ca][axis]) * 1e-4;
                        sq += d * d;
                    }
                    worst = std::max(worst, std::sqrt(sq));
                    ++loops;
                }
    }
    QVERIFY(loops > 0);
    // Millimetre noise on baselines of a few kilometres: a few centimetres at the very worst.
    QVERIFY2(worst < 0.05, qPrintable(QString::number(worst)));
    QVERIFY(worst > 0); // the solutions are measurements, not exact differences
}

void TestExchangeGenerator::impossibleOptionsAreRefused_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("sessions");
    QTest::addColumn<int>("baselines");
    QTest::addColumn<int>("minSats");
    QTest::addColumn<int>("maxSats");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("smallest survey") << 2 << 1 << 1 << 6 << 12 << true;
    QTest::newRow("one point") << 1 << 1 << 1 << 6 << 12 << false;
    QTest::newRow("too few baselines to connect") << 10 << 2 << 8 << 6 << 12 << false;
    QTest::newRow("more baselines than pairs") << 3 << 2 << 7 << 6 << 12 << false;
    QTest::newRow("as many baselines as pairs") << 3 << 2 << 6 << 6 << 12 << true;
    QTest::newRow("session without baseline") << 2 << 3 << 2 << 6 << 12 << false;
    QTest::newRow("no baselines") << 0 << 0 << 0 << 6 << 12 << false;
    QTest::newRow("satellite range upside down") << 4 << 1 << 3 << 9 << 8 << false;
    QTest::newRow("more satellites than exist") << 4 << 1 << 3 << 6 << 33 << false;
}

void TestExchangeGenerator::impossibleOptionsAreRefused()
{
    QFETCH(int, points);
    QFETCH(int, sessions);
    QFETCH(int, baselines);
    QFETCH(int, minSats);
    QFETCH(int, maxSats);
    QFETCH(bool, accepted);
    GeneratorOptions o = options(points, sessions, baselines, 1);
    o.minSatellites = minSats;
    o.maxSatellites = maxSats;
    QCOMPARE(checkGeneratorOptions(o).isEmpty(), accepted);
    if (accepted)
        QCOMPARE(parse(generateExchangeFile(o)).baselines.size(), baselines);
}

// The program's own import finds both ends of every generated baseline: the two sides
// agree on the time format and the line shape.
void TestExchangeGenerator::importMatchesEveryEnd()
{
    const QByteArray bytes = generateExchangeFile(options(20, 5, 40, 11));
    const ParsedFile f = parse(bytes);
    ProjectModel model;
    const Outcome outcome = ImportExchangeBytes(bytes, model);
    QVERIFY2(outcome.ok, qPrintable(outcome.message));
    QCOMPARE(model.swProgram, QStringLiteral("Trimble Total Control 2.71"));
    QCOMPARE(model.baselineCount(), f.baselines.size());
    for (int i = 1; i <= model.baselineCount(); ++i) {
        const BaselineRecord& b = model.baselines[i];
        QVERIFY2(b.startOccupation > 0 && b.endOccupation > 0, qPrintable(QString::number(i)));
        QCOMPARE(model.startOccupationOf(b).pointName, f.baselines[i - 1].startName);
        QCOMPARE(model.endOccupationOf(b).pointName, f.baselines[i - 1].endName);
    }
}

void TestExchangeGenerator::sampleIsUpToDate()
{
    QFile sample(QStringLiteral(SOURCE_DIR "/examples/sample-survey.xml"));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    QVERIFY2(sample.readAll() == generateExchangeFile(sampleOptions),
             "examples/sample-survey.xml differs from what the generator makes; regenerate it "
             "with the command in tools/gen-exchange/README.md");
}

QTEST_APPLESS_MAIN(TestExchangeGenerator)
#include "tst_exchangegenerator.moc"
