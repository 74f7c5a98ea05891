// The observation checks on small hand-made networks whose answers are worked out by
// hand: which loops are chosen and how they are travelled, their closures and verdicts,
// repeated baselines, the baselines left unchecked or unusable, and the observation
// conditions at their limits. The loop search is also compared with an exhaustive search
// written here, on many random networks.
#include "checksfixture.h"

#include "checks/loopfinder.h"
#include "checks/runchecks.h"
#include "exchangegenerator.h"
#include "import/exchangeimport.h"

#include <QSet>
#include <QTest>

#include <algorithm>
#include <functional>

using IntLists = QList<QList<int>>;
Q_DECLARE_METATYPE(std::function<void(ChecksNetwork&)>)

namespace {

// "A-B/1 C-B/2": baselines from A to B in session 1, from C to B in session 2, numbered in
// this order. Each point gets coordinates of its own, so every loop closes exactly.
ChecksNetwork networkOf(const QString& sides)
{
    ChecksNetwork n;
    QStringList points;
    for (const QString& side : sides.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = side.split(u'/');
        const QStringList ends = parts[0].split(u'-');
        for (const QString& p : ends) {
            if (points.contains(p))
                continue;
            const int i = int(points.size());
            points << p;
            n.place(p, 1000.0 * i + 17 * i * i, 700.0 * (i % 3) - 40 * i, 300.0 * (i % 4) + 11 * i);
        }
        n.baseline(ends[0], ends[1], parts[1]);
    }
    return n;
}

// The sides of a ring of `count` points, all in session 1 except the last in session 2.
QString ring(int count)
{
    QStringList sides;
    for (int i = 0; i < count; ++i)
        sides << QStringLiteral("P%1-P%2/%3").arg(i).arg((i + 1) % count).arg(i + 1 == count ? 2 : 1);
    return sides.join(u' ');
}

IntLists loopPaths(const CheckResult& r)
{
    IntLists paths;
    for (const LoopCheck& l : r.loops)
        paths << l.path();
    return paths;
}

IntLists repeatTriples(const CheckResult& r)
{
    IntLists triples;
    for (const RepeatCheck& rep : r.repeats)
        triples << QList<int>{rep.first, rep.other, rep.reversed ? 1 : 0};
    return triples;
}

QList<int> unusableNumbers(const CheckResult& r)
{
    QList<int> numbers;
    for (const UnusableBaseline& u : r.unusable)
        numbers << u.baseline;
    return numbers;
}

CheckResult run(const ProjectModel& model, const QList<int>& off = {},
                const CheckSettings& settings = {})
{
    const Result<CheckResult> r = RunChecks(model, QSet<int>(off.begin(), off.end()), settings);
    if (!r)
        qFatal("%s", qPrintable(r.message()));
    return *r;
}

// The loops by brute force: every simple path back from each edge's end to its start,
// with nothing pruned, then the rule applied to the whole list.
QList<QList<LoopStep>> exhaustiveLoops(const QList<LoopEdge>& edges, int maxSides)
{
    QList<QList<LoopStep>> loops;
    QSet<int> covered;
    for (int e = 0; e < edges.size(); ++e) {
        if (covered.contains(e))
            continue;
        QList<QList<LoopStep>> candidates;
        QList<LoopStep> path{{e, false}};
        QSet<int> visited{edges[e].start, edges[e].end};
        std::function<void(int)> extend = [&](int at) {
            for (int f = 0; f < edges.size(); ++f) {
                if (f == e)
                    continue;
                int next = -1;
                bool backwards = false;
                if (edges[f].start == at) {
                    next = edges[f].end;
                } else if (edges[f].end == at) {
                    next = edges[f].start;
                    backwards = true;
                } else {
                    continue;
                }
                path.append({f, backwards});
                if (next == edges[e].start) {
                    if (path.size() >= 3)
                        candidates << path;
                } else if (!visited.contains(next) && path.size() < maxSides) {
                    visited.insert(next);
                    extend(next);
                    visited.remove(next);
                }
                path.removeLast();
            }
        };
        extend(edges[e].end);
        std::optional<QList<LoopStep>> best;
        QList<int> bestKey;
        for (const QList<LoopStep>& c : candidates) {
            QSet<int> sessions;
            QList<int> key;
            for (const LoopStep& s : c) {
                sessions.insert(edges[s.edge].session);
                key << s.edge;
            }
            if (sessions.size() < 2)
                continue;
            std::sort(key.begin(), key.end());
            if (!best || c.size() < best->size() || (c.size() == best->size() && key < bestKey)) {
                best = c;
                bestKey = key;
            }
        }
        if (!best)
            continue;
        for (const LoopStep& s : *best)
            covered.insert(s.edge);
        loops << *best;
    }
    return loops;
}

} // namespace

class TestChecks : public QObject
{
    Q_OBJECT

private slots:
    void loopsAndRepeats_data();
    void loopsAndRepeats();
    void loopSearchMatchesExhaustiveSearch();
    void closures_data();
    void closures();
    void closureAtReferenceStartPoint();
    void repeatDifferences_data();
    void repeatDifferences();
    void unusableBaselines_data();
    void unusableBaselines();
    void conditions_data();
    void conditions();
    void satellitesCountedOnceInBothEnds();
    void settingsRefused();
    void plantedBlundersAndRepeats();
    void overallVerdict();
};

void TestChecks::loopsAndRepeats_data()
{
    QTest::addColumn<QString>("sides");
    QTest::addColumn<QList<int>>("off");
    QTest::addColumn<IntLists>("loops");
    QTest::addColumn<IntLists>("repeats"); // first, other, reversed
    QTest::addColumn<QList<int>>("unchecked");

    QTest::newRow("triangle of two sessions")
        << "A-B/1 B-C/1 C-A/2" << QList<int>{} << IntLists{{1, 2, 3}} << IntLists{} << QList<int>{};
    QTest::newRow("sides travelled backwards are negative")
        << "A-B/1 C-B/1 A-C/2" << QList<int>{} << IntLists{{1, -2, -3}} << IntLists{} << QList<int>{};
    QTest::newRow("single-session triangle does not count")
        << "A-B/1 B-C/1 C-A/1" << QList<int>{} << IntLists{} << IntLists{} << QList<int>{1, 2, 3};
    // The triangle of session 1 is passed over for a square; baseline 3, still
    // unchecked, then gets a triangle of its own through sides already used.
    QTest::newRow("single-session triangle beside a second session")
        << "A-B/1 B-C/1 C-A/1 C-D/2 D-A/2" << QList<int>{}
        << IntLists{{1, 2, 4, 5}, {3, -5, -4}} << IntLists{} << QList<int>{};
    QTest::newRow("repeated reversed baseline")
        << "A-B/1 B-A/2" << QList<int>{} << IntLists{} << IntLists{{1, 2, 1}} << QList<int>{};
    QTest::newRow("repeats are compared with the first")
        << "A-B/1 A-B/2 B-A/3" << QList<int>{} << IntLists{}
        << IntLists{{1, 2, 0}, {1, 3, 1}} << QList<int>{};
    // Baseline 1 and its repeat cannot make a loop together; the rest of the triangle is
    // session 1 like baseline 1, so only the repeat closes a loop.
    QTest::newRow("two sides between the same points are no loop")
        << "A-B/1 B-A/2 B-C/1 C-A/1" << QList<int>{} << IntLists{{2, -4, -3}}
        << IntLists{{1, 2, 1}} << QList<int>{};
    // Two triangles through baseline 1: {1,2,8} comes before {1,3,4} although the way
    // through baseline 3 leaves B first. 5-7 hang off the network.
    QTest::newRow("ties broken by the sorted baseline numbers")
        << "A-B/1 X-A/2 B-Y/1 Y-A/2 A-E/1 E-F/1 F-G/1 B-X/1" << QList<int>{}
        << IntLists{{1, 8, 2}, {3, 4, 1}} << IntLists{} << QList<int>{5, 6, 7};
    QTest::newRow("fewest sides before the sorted numbers")
        << "A-B/1 B-D/2 D-E/1 E-A/1 F-G/1 B-C/2 C-A/1" << QList<int>{}
        << IntLists{{1, 6, 7}, {2, 3, 4, 1}} << IntLists{} << QList<int>{5};
    // The only way back with a second session runs out to D and back again: not simple.
    QTest::newRow("a way back through a dead end is no loop")
        << "A-B/1 B-C/1 C-A/1 C-D/2 D-C/2" << QList<int>{} << IntLists{}
        << IntLists{{4, 5, 1}} << QList<int>{1, 2, 3};
    QTest::newRow("ten sides close")
        << ring(10) << QList<int>{} << IntLists{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}} << IntLists{}
        << QList<int>{};
    QTest::newRow("eleven sides do not")
        << ring(11) << QList<int>{} << IntLists{} << IntLists{}
        << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    QTest::newRow("switched-off baseline breaks the loop")
        << "A-B/1 B-C/1 C-A/2" << QList<int>{3} << IntLists{} << IntLists{} << QList<int>{1, 2};
    QTest::newRow("switched-off first of a repeat")
        << "A-B/1 B-A/2" << QList<int>{1} << IntLists{} << IntLists{} << QList<int>{2};
}

void TestChecks::loopsAndRepeats()
{
    QFETCH(QString, sides);
    QFETCH(QList<int>, off);
    QFETCH(IntLists, loops);
    QFETCH(IntLists, repeats);
    QFETCH(QList<int>, unchecked);
    const CheckResult r = run(networkOf(sides).model, off);
    QCOMPARE(loopPaths(r), loops);
    QCOMPARE(repeatTriples(r), repeats);
    QCOMPARE(r.unchecked, unchecked);
    QVERIFY(r.unusable.isEmpty()); // switched-off baselines are not unusable
    QCOMPARE(r.usableCount + r.switchedOffCount, r.baselineCount);
    QCOMPARE(r.conditions.size(), r.usableCount);
    for (const LoopCheck& l : r.loops) {
        QVERIFY(l.closure.pass); // the vectors are exact
        // Each side starts where the one before ended, and the last ends at the start.
        for (int i = 0; i < l.sideCount(); ++i)
            QCOMPARE(l.sides[i].to, l.sides[(i + 1) % l.sideCount()].from);
    }
}

void TestChecks::loopSearchMatchesExhaustiveSearch()
{
    // Small dense networks with repeats and few sessions, where ties, dead ends and
    // single-session cycles are common.
    std::uint64_t state = 12345;
    const auto next = [&](int n) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((state >> 33) % std::uint64_t(n));
    };
    int loopsCompared = 0;
    for (int round = 0; round < 400; ++round) {
        const int points = 3 + next(5);
        const int edgeCount = 2 + next(12);
        const int sessions = 1 + next(3);
        const int maxSides = 3 + next(5);
        QList<LoopEdge> edges;
        while (edges.size() < edgeCount) {
            const int a = next(points);
            const int b = next(points);
            if (a != b)
                edges.append({a, b, next(sessions)});
        }
        const QList<QList<LoopStep>> expected = exhaustiveLoops(edges, maxSides);
        const QList<QList<LoopStep>> found = FindLoops(edges, points, maxSides);
        QVERIFY2(found == expected, qPrintable(QStringLiteral("round %1").arg(round)));
        loopsCompared += int(expected.size());
    }
    QVERIFY(loopsCompared > 200); // the rounds did find loops to compare
}

void TestChecks::closures_data()
{
    QTest::addColumn<QString>("sides");
    QTest::addColumn<int>("blundered");
    QTest::addColumn<QList<double>>("error"); // ΔX ΔY ΔZ added to the blundered baseline
    QTest::addColumn<QList<double>>("closure"); // dX dY dZ dN dE dU limitNE limitU
    QTest::addColumn<bool>("pass");

    // On the equator at longitude 0: N = ΔZ, E = ΔY, U = ΔX. Three sides: the limits are
    // 20 mm·√3 = 34.6 mm and 30 mm·√3 = 52.0 mm, shown and compared as 0.035 and 0.052.
    const QString triangle = QStringLiteral("A-B/1 B-C/1 C-A/2");
    QTest::newRow("small closure")
        << triangle << 2 << QList<double>{0.004, -0.010, 0.020}
        << QList<double>{0.004, -0.010, 0.020, 0.020, -0.010, 0.004, 0.035, 0.052} << true;
    QTest::newRow("north at its limit")
        << triangle << 1 << QList<double>{0, 0, -0.035}
        << QList<double>{0, 0, -0.035, -0.035, 0, 0, 0.035, 0.052} << true;
    // 0.0354 is over 20 mm·√3 but shows as 0.035: the rounded values are compared.
    QTest::newRow("compared as rounded")
        << triangle << 3 << QList<double>{0, 0.0354, 0}
        << QList<double>{0, 0.035, 0, 0, 0.035, 0, 0.035, 0.052} << true;
    QTest::newRow("east over its limit")
        << triangle << 3 << QList<double>{0, 0.0356, 0}
        << QList<double>{0, 0.036, 0, 0, 0.036, 0, 0.035, 0.052} << false;
    QTest::newRow("up at its limit")
        << triangle << 1 << QList<double>{0.052, 0, 0}
        << QList<double>{0.052, 0, 0, 0, 0, 0.052, 0.035, 0.052} << true;
    QTest::newRow("up over its limit")
        << triangle << 1 << QList<double>{-0.053, 0, 0}
        << QList<double>{-0.053, 0, 0, 0, 0, -0.053, 0.035, 0.052} << false;
    // Path 1, -2, -3: the error of baseline 3, travelled backwards, counts negated.
    QTest::newRow("backwards side negated")
        << "A-B/1 C-B/1 A-C/2" << 3 << QList<double>{0.001, 0.002, 0.030}
        << QList<double>{-0.001, -0.002, -0.030, -0.030, -0.002, -0.001, 0.035, 0.052} << true;
    // Four sides: 0.040 and 0.060.
    QTest::newRow("four sides")
        << "A-B/1 B-C/1 C-D/1 D-A/2" << 4 << QList<double>{0.061, 0.040, 0}
        << QList<double>{0.061, 0.040, 0, 0, 0.040, 0.061, 0.04, 0.06} << false;
}

void TestChecks::closures()
{
    QFETCH(QString, sides);
    QFETCH(int, blundered);
    QFETCH(QList<double>, error);
    QFETCH(QList<double>, closure);
    QFETCH(bool, pass);

    ChecksNetwork n = networkOf(sides);
    BaselineRecord& b = n.at(blundered);
    b.vector.dx = QString::number(b.vector.dx.toDouble() + error[0], 'f', 4);
    b.vector.dy = QString::number(b.vector.dy.toDouble() + error[1], 'f', 4);
    b.vector.dz = QString::number(b.vector.dz.toDouble() + error[2], 'f', 4);
    const CheckResult r = run(n.model);
    QCOMPARE(r.loops.size(), 1);
    const VectorCheck& c = r.loops[0].closure;
    const QList<double> got{c.dX, c.dY, c.dZ, c.dN.value_or(99), c.dE.value_or(99),
                            c.dU.value_or(99), c.limitNE, c.limitU};
    for (int i = 0; i < got.size(); ++i)
        QVERIFY2(qAbs(got[i] - closure[i]) < 1e-9,
                 qPrintable(QStringLiteral("value %1: %2, expected %3").arg(i).arg(got[i]).arg(closure[i])));
    QCOMPARE(c.pass, pass);
}

void TestChecks::closureAtReferenceStartPoint()
{
    // North, east and up are taken at the start of the loop's first baseline. At
    // longitude 90° on the equator, N = ΔZ, E = -ΔX, U = ΔY; elsewhere in this network
    // the points stay at longitude 0, where the answer would differ.
    ChecksNetwork n = networkOf(QStringLiteral("A-B/1 B-C/1 C-A/2"));
    n.at(1).startPoint.posE = QStringLiteral("90°00′00.00000″");
    n.at(2).vector.dx = QString::number(n.at(2).vector.dx.toDouble() + 0.010, 'f', 4);
    n.at(2).vector.dy = QString::number(n.at(2).vector.dy.toDouble() + 0.020, 'f', 4);
    n.at(2).vector.dz = QString::number(n.at(2).vector.dz.toDouble() + 0.005, 'f', 4);
    const CheckResult r = run(n.model);
    QCOMPARE(r.loops.size(), 1);
    const VectorCheck& c = r.loops[0].closure;
    QCOMPARE(*c.dN, 0.005);
    QCOMPARE(*c.dE, -0.010);
    QCOMPARE(*c.dU, 0.020);

    // A reference start point whose longitude does not read cannot be judged.
    n.at(1).startPoint.posE = QStringLiteral("east");
    const CheckResult unreadable = run(n.model);
    QVERIFY(!unreadable.loops[0].closure.dN);
    QVERIFY(!unreadable.loops[0].closure.pass);
}

void TestChecks::repeatDifferences_data()
{
    QTest::addColumn<QString>("sides");
    QTest::addColumn<QList<double>>("error"); // added to baseline 2
    QTest::addColumn<QList<double>>("difference"); // dX dY dZ dN dE dU
    QTest::addColumn<bool>("pass");

    // Baseline 2 runs B to A: its vector is negated before the first's is taken away.
    QTest::newRow("reversed, at the limits")
        << "A-B/1 B-A/2" << QList<double>{-0.030, 0.020, -0.020}
        << QList<double>{0.030, -0.020, 0.020, 0.020, -0.020, 0.030} << true;
    QTest::newRow("reversed, north over")
        << "A-B/1 B-A/2" << QList<double>{0, 0, -0.021}
        << QList<double>{0, 0, 0.021, 0.021, 0, 0} << false;
    QTest::newRow("same direction, up over")
        << "A-B/1 A-B/2" << QList<double>{0.031, 0, 0}
        << QList<double>{0.031, 0, 0, 0, 0, 0.031} << false;
}

void TestChecks::repeatDifferences()
{
    QFETCH(QString, sides);
    QFETCH(QList<double>, error);
    QFETCH(QList<double>, difference);
    QFETCH(bool, pass);
    ChecksNetwork n = networkOf(sides);
    BaselineRecord& b = n.at(2);
    b.vector.dx = QString::number(b.vector.dx.toDouble() + error[0], 'f', 4);
    b.vector.dy = QString::number(b.vector.dy.toDouble() + error[1], 'f', 4);
    b.vector.dz = QString::number(b.vector.dz.toDouble() + error[2], 'f', 4);
    const CheckResult r = run(n.model);
    QCOMPARE(r.repeats.size(), 1);
    const VectorCheck& d = r.repeats[0].difference;
    const QList<double> got{d.dX, d.dY, d.dZ, *d.dN, *d.dE, *d.dU};
    for (int i = 0; i < got.size(); ++i)
        QVERIFY2(qAbs(got[i] - difference[i]) < 1e-9, qPrintable(QString::number(i)));
    QCOMPARE(d.limitNE, 0.02);
    QCOMPARE(d.limitU, 0.03);
    QCOMPARE(d.pass, pass);
}

void TestChecks::unusableBaselines_data()
{
    QTest::addColumn<std::function<void(ChecksNetwork&)>>("damage"); // done to baseline 2
    QTest::addColumn<QString>("about"); // a word the reason must hold

    using Damage = std::function<void(ChecksNetwork&)>;
    QTest::newRow("start not matched") << Damage([](ChecksNetwork& n) { n.at(2).startOccupation = 0; })
                                       << QStringLiteral("始点");
    QTest::newRow("end not matched") << Damage([](ChecksNetwork& n) { n.at(2).endOccupation = 0; })
                                     << QStringLiteral("終点");
    QTest::newRow("end outside the table")
        << Damage([](ChecksNetwork& n) { n.at(2).endOccupation = 99; }) << QStringLiteral("終点");
    QTest::newRow("start without a point name")
        << Damage([](ChecksNetwork& n) { n.model.occupations[n.at(2).startOccupation].pointName.clear(); })
        << QStringLiteral("始点");
    QTest::newRow("vector does not read")
        << Damage([](ChecksNetwork& n) { n.at(2).vector.dy = QStringLiteral("12,5"); })
        << QStringLiteral("ベクトル");
    QTest::newRow("vector not finite")
        << Damage([](ChecksNetwork& n) { n.at(2).vector.dz = QStringLiteral("1e999"); })
        << QStringLiteral("ベクトル");
    QTest::newRow("both ends one point")
        << Damage([](ChecksNetwork& n) { n.model.occupations[n.at(2).endOccupation].pointName = QStringLiteral("B"); })
        << QStringLiteral("同じ");
}

void TestChecks::unusableBaselines()
{
    QFETCH(std::function<void(ChecksNetwork&)>, damage);
    QFETCH(QString, about);
    ChecksNetwork n = networkOf(QStringLiteral("A-B/1 B-C/1 C-A/2"));
    damage(n);
    const CheckResult r = run(n.model);
    QCOMPARE(unusableNumbers(r), QList<int>{2});
    QVERIFY2(r.unusable[0].reason.contains(about), qPrintable(r.unusable[0].reason));
    QVERIFY(r.loops.isEmpty());
    QCOMPARE(r.unchecked, (QList<int>{1, 3}));
    QCOMPARE(r.conditions.size(), 2);
    QCOMPARE(r.usableCount, 2);

    // Switched off, it is not listed at all.
    const CheckResult off = run(n.model, {2});
    QVERIFY(off.unusable.isEmpty());
    QCOMPARE(off.switchedOffCount, 1);
}

void TestChecks::conditions_data()
{
    QTest::addColumn<int>("surveyClass");
    QTest::addColumn<bool>("shortStatic");
    QTest::addColumn<QString>("endTime"); // observed from 9:00:00
    QTest::addColumn<QString>("interval");
    QTest::addColumn<int>("satellites"); // tracked at both ends
    QTest::addColumn<double>("slope");
    QTest::addColumn<QStringList>("problems");

    const QString hour = QStringLiteral("2024/05/01 10:00:00");
    const QString twoHours = QStringLiteral("2024/05/01 11:00:00");
    const QStringList none;
    QTest::newRow("2級 static at every limit") << 2 << false << hour << "30" << 4 << 20000.0 << none;
    QTest::newRow("2級 static half a minute short")
        << 2 << false << "2024/05/01 9:59:30" << "30" << 4 << 5000.0 << QStringList{"time"};
    QTest::newRow("2級 static interval over") << 2 << false << hour << "31" << 4 << 5000.0 << QStringList{"interval"};
    QTest::newRow("2級 static three satellites") << 2 << false << hour << "30" << 3 << 5000.0 << QStringList{"satellites"};
    QTest::newRow("1級 just under 10 km") << 1 << false << hour << "30" << 4 << 9999.999 << none;
    QTest::newRow("1級 at 10 km needs two hours")
        << 1 << false << hour << "30" << 4 << 10000.0 << QStringList{"time", "satellites"};
    QTest::newRow("1級 at 10 km, two hours, five satellites") << 1 << false << twoHours << "30" << 5 << 10000.0 << none;
    QTest::newRow("4級 static long baseline") << 4 << false << hour << "30" << 4 << 15000.0 << none;
    QTest::newRow("3級 short static at every limit")
        << 3 << true << "2024/05/01 9:20:00" << "15" << 5 << 3000.0 << none;
    QTest::newRow("4級 short static everything short")
        << 4 << true << "2024/05/01 9:19:59" << "16" << 4 << 3000.0
        << QStringList{"time", "interval", "satellites"};
    QTest::newRow("over midnight") << 2 << false << "2024/05/02" << "30" << 4 << 3000.0 << none;
    QTest::newRow("time does not read") << 2 << false << "soon" << "30" << 4 << 3000.0 << QStringList{"time"};
    QTest::newRow("interval empty") << 2 << false << hour << "" << 4 << 3000.0 << QStringList{"interval"};
    QTest::newRow("interval zero") << 2 << false << hour << "0" << 4 << 3000.0 << QStringList{"interval"};
}

void TestChecks::conditions()
{
    QFETCH(int, surveyClass);
    QFETCH(bool, shortStatic);
    QFETCH(QString, endTime);
    QFETCH(QString, interval);
    QFETCH(int, satellites);
    QFETCH(double, slope);
    QFETCH(QStringList, problems);

    ChecksNetwork n;
    n.satellites.clear();
    for (int i = 1; i <= satellites; ++i)
        n.satellites << QStringLiteral("G%1").arg(i, 2, 10, QLatin1Char('0'));
    n.vector(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("1"), {slope, 0, 0});
    n.at(1).startTime = QStringLiteral("2024/05/01 9:00:00");
    n.at(1).endTime = endTime;
    n.model.common.interval = interval;
    CheckSettings settings;
    settings.surveyClass = SurveyClass(surveyClass);
    settings.method = shortStatic ? ObservationMethod::ShortStatic : ObservationMethod::Static;
    const CheckResult r = run(n.model, {}, settings);
    QCOMPARE(r.conditions.size(), 1);
    QCOMPARE(r.conditions[0].problems(), problems);
    QCOMPARE(r.conditions[0].satellites, satellites);
    QCOMPARE(r.conditions[0].pass(), problems.isEmpty());
}

void TestChecks::satellitesCountedOnceInBothEnds()
{
    ChecksNetwork n;
    n.vector(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("1"), {100, 0, 0});
    BaselineRecord& b = n.at(1);
    b.startOccupation = n.occupation(QStringLiteral("A"), {"G01", "G02", "G02", "G03", "R07", ""});
    b.endOccupation = n.occupation(QStringLiteral("B"), {"G03", "G02", "G04", "R07", ""});
    QCOMPARE(run(n.model).conditions[0].satellites, 3); // G02, G03, R07
    // A run of satellites past the end of the table (a damaged file) counts what is there.
    n.model.occupations[b.endOccupation].satCount = 1000;
    QCOMPARE(run(n.model).conditions[0].satellites, 3);
    n.model.occupations[b.endOccupation].firstSat = 0;
    n.model.occupations[b.endOccupation].satCount = 0;
    QCOMPARE(run(n.model).conditions[0].satellites, 0);
}

void TestChecks::settingsRefused()
{
    const ProjectModel model = networkOf(QStringLiteral("A-B/1")).model;
    CheckSettings s;
    s.method = ObservationMethod::ShortStatic;
    for (const SurveyClass c : {SurveyClass::First, SurveyClass::Second}) {
        s.surveyClass = c;
        QVERIFY(!RunChecks(model, {}, s));
    }
    s.surveyClass = SurveyClass::Third;
    QVERIFY(RunChecks(model, {}, s));
    s.loopLimitNE = 0;
    QVERIFY(!RunChecks(model, {}, s));
}

void TestChecks::plantedBlundersAndRepeats()
{
    // A generated survey with a blunder on baseline 7, baseline 2 observed again and
    // baseline 5 observed again from its end point (they become baselines 31 and 32).
    GeneratorOptions options;
    options.baselines = 30;
    options.seed = 77;
    options.repeats = {2, -5};
    options.blunders = {7};
    ProjectModel model;
    QVERIFY(ImportExchangeBytes(generateExchangeFile(options), model).ok);
    QCOMPARE(model.baselineCount(), 32);
    const CheckResult r = run(model);

    int throughBlunder = 0;
    for (const LoopCheck& l : r.loops) {
        const bool blundered = l.baselines().contains(7);
        throughBlunder += blundered ? 1 : 0;
        QCOMPARE(l.closure.pass, !blundered);
        if (blundered)
            QVERIFY(qAbs(qAbs(*l.closure.dN) - 0.100) < 0.01); // the 100 mm to the north
    }
    QVERIFY(throughBlunder > 0);
    bool found2 = false;
    bool found5 = false;
    for (const RepeatCheck& rep : r.repeats) {
        QCOMPARE(rep.difference.pass, rep.first != 7 && rep.other != 7);
        if (rep.first == 2 && rep.other == 31) {
            found2 = true;
            QVERIFY(!rep.reversed);
        }
        if (rep.first == 5 && rep.other == 32) {
            found5 = true;
            QVERIFY(rep.reversed);
        }
    }
    QVERIFY(found2);
    QVERIFY(found5);
}

void TestChecks::overallVerdict()
{
    ChecksNetwork n = networkOf(QStringLiteral("A-B/1 B-C/1 C-A/2"));
    QVERIFY(run(n.model).pass());
    // A baseline in nothing but a single-session chain stays unchecked: no pass.
    ChecksNetwork chain = networkOf(QStringLiteral("A-B/1 B-C/1 C-A/2 C-D/1"));
    QCOMPARE(run(chain.model).unchecked, QList<int>{4});
    QVERIFY(!run(chain.model).pass());
    // A failed condition alone fails the whole.
    n.model.common.interval = QStringLiteral("60");
    QVERIFY(!run(n.model).pass());
    // An unusable baseline is listed but does not fail the checks by itself.
    n.model.common.interval = QStringLiteral("30");
    n.vector(QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("3"), {1, 2, 3});
    n.at(4).endOccupation = 0;
    const CheckResult withUnusable = run(n.model);
    QCOMPARE(unusableNumbers(withUnusable), QList<int>{4});
    QVERIFY(withUnusable.pass());
}

QTEST_GUILESS_MAIN(TestChecks)
#include "tst_checks.moc"
