// The occupation matching and the de-sharing are built to run in one pass; these tests
// hold them to the plain loops that compare every baseline with every occupation and
// every earlier baseline, on generated projects.
#include "import/occupationmatching.h"
#include "model/occupationsharing.h"
#include "model/datetimetext.h"
#include "model/projectmodel.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// Compares two date-time texts as date-time values: dates first, then times of day.
// Unreadable texts make the comparison fail.
bool notLater(const QString& a, const QString& b)
{
    const auto x = ParseDateTimeText(a);
    const auto y = ParseDateTimeText(b);
    if (!x || !y)
        return false;
    if (x->date() != y->date())
        return x->date() < y->date();
    return x->time() <= y->time();
}

void plainMatchOccupations(const ProjectModel& m, BaselineRecord& b, const QString& startName,
                           const QString& endName)
{
    for (int i = 1; i < m.occupations.size(); ++i) {
        const OccupationRecord& o = m.occupations[i];
        if (o.pointName == startName && notLater(o.startTime, b.startTime) &&
            notLater(b.endTime, o.endTime)) {
            b.startOccupation = i;
            break;
        }
    }
    for (int i = 1; i < m.occupations.size(); ++i) {
        const OccupationRecord& o = m.occupations[i];
        if (o.pointName == endName && notLater(o.startTime, b.startTime) &&
            notLater(b.endTime, o.endTime)) {
            b.endOccupation = i;
            break;
        }
    }
}

void plainSeparateSharedOccupations(ProjectModel& m)
{
    const int count = m.baselineCount();
    if (count <= 1)
        return;
    for (int i = 2; i <= count; ++i) {
        for (int j = 1; j <= i - 1; ++j) {
            const int s = m.baselines[i].startOccupation;
            if (s == m.baselines[j].startOccupation || s == m.baselines[j].endOccupation) {
                m.occupations.append(m.occupationAt(s));
                m.baselines[i].startOccupation = m.occupationCount();
                break;
            }
        }
        for (int j = 1; j <= i - 1; ++j) {
            const int e = m.baselines[i].endOccupation;
            if (e == m.baselines[j].startOccupation || e == m.baselines[j].endOccupation) {
                m.occupations.append(m.occupationAt(e));
                m.baselines[i].endOccupation = m.occupationCount();
                break;
            }
        }
    }
}

QString randomTime(QRandomGenerator& random)
{
    if (random.bounded(50) == 0)
        return random.bounded(2) ? QString() : QStringLiteral("2005/13/01");
    const QDateTime t = QDateTime(QDate(2005, 1, 1), QTime(0, 0), Qt::UTC)
                            .addSecs(qint64(random.bounded(3 * 86400)) / 600 * 600);
    return DateTimeText(t);
}

QString randomPoint(QRandomGenerator& random, int points)
{
    return QStringLiteral("P%1").arg(random.bounded(points));
}

} // namespace

class TestOccupationLinks : public QObject
{
    Q_OBJECT

private slots:
    void matchingEqualsPlainLoops();
    void separatingEqualsPlainLoops();
};

void TestOccupationLinks::matchingEqualsPlainLoops()
{
    QRandomGenerator random(7);
    for (int round = 0; round < 40; ++round) {
        ProjectModel m;
        const int points = 2 + random.bounded(12);
        for (int i = random.bounded(80); i > 0; --i) {
            OccupationRecord o;
            o.pointName = randomPoint(random, points);
            o.startTime = randomTime(random);
            o.endTime = randomTime(random);
            m.occupations.append(o);
        }
        const OccupationMatcher matcher(m);
        for (int i = 0; i < 200; ++i) {
            BaselineRecord b;
            b.startTime = randomTime(random);
            b.endTime = randomTime(random);
            const QString from = randomPoint(random, points + 1);
            const QString to = randomPoint(random, points + 1);
            BaselineRecord expected = b;
            plainMatchOccupations(m, expected, from, to);
            MatchOccupations(matcher, b, from, to);
            QCOMPARE(b.startOccupation, expected.startOccupation);
            QCOMPARE(b.endOccupation, expected.endOccupation);
        }
    }
}

void TestOccupationLinks::separatingEqualsPlainLoops()
{
    QRandomGenerator random(11);
    for (int round = 0; round < 200; ++round) {
        ProjectModel m;
        const int occupations = random.bounded(30);
        for (int i = 1; i <= occupations; ++i)
            m.occupations.append(OccupationRecord{.pointName = QString::number(i), .firstSat = i});
        // Indices include 0 (unmatched ends) and values beyond the array, as a damaged
        // project file may hold; some of those are reached by the copies' indices.
        const int baselines = random.bounded(60);
        for (int i = 0; i < baselines; ++i) {
            BaselineRecord b;
            b.startOccupation = random.bounded(occupations + 8);
            b.endOccupation = random.bounded(occupations + 8);
            m.baselines.append(b);
        }
        ProjectModel expected = m;
        plainSeparateSharedOccupations(expected);
        SeparateSharedOccupations(m);
        QVERIFY2(m == expected, qPrintable(QStringLiteral("round %1").arg(round)));
    }
}

QTEST_GUILESS_MAIN(TestOccupationLinks)
#include "tst_occupationlinks.moc"
