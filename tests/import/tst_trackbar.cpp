#include "import/trackbar.h"

#include <QRandomGenerator>
#include <QTest>

#include <limits>

namespace {

// A bar drawn by hand: dashes at the positions given (the leading "|" is position 1).
QString barWithDashes(const QList<QPair<int, int>>& runs)
{
    QString bar = QStringLiteral("|") + QString(89, u' ') + QStringLiteral("|");
    for (const auto& [from, to] : runs) {
        for (int p = from; p <= to; ++p)
            bar[p - 1] = u'-';
    }
    return bar;
}

} // namespace

class TestTrackBar : public QObject
{
    Q_OBJECT

private slots:
    void bars_data();
    void bars();
    void scaleIsTheLatestValue();
    void keysTellBarsApart();
};

void TestTrackBar::bars_data()
{
    QTest::addColumn<TrackRow>("row");
    QTest::addColumn<float>("scale");
    QTest::addColumn<QString>("bar");

    QTest::newRow("tracked throughout") << TrackRow{0, 7200} << 80.0f
                                        << barWithDashes({{2, 90}});
    QTest::newRow("two intervals") << TrackRow{0, 30, 60, 90} << 1.0f
                                   << barWithDashes({{2, 30}, {61, 90}});
    QTest::newRow("empty list") << TrackRow{} << 1.0f << barWithDashes({});
    QTest::newRow("same position still switches the fill")
        << TrackRow{10, 10.2f, 50, 60} << 1.0f << barWithDashes({{51, 60}});
    QTest::newRow("open interval ends in blanks") << TrackRow{0, 45, 60} << 1.0f
                                                  << barWithDashes({{2, 45}});
    QTest::newRow("halves round up") << TrackRow{0, 44.5f} << 1.0f << barWithDashes({{2, 45}});
    QTest::newRow("end marker stops the row") << TrackRow{0, 30, -1, 90} << 1.0f
                                              << barWithDashes({{2, 30}});
    QTest::newRow("values off the bar stand at its edges")
        << TrackRow{std::numeric_limits<float>::quiet_NaN(), 30, 1e30f, -50} << 1.0f
        << barWithDashes({{2, 30}});
    QTest::newRow("no scale") << TrackRow{0, 30} << 0.0f << "||";
}

void TestTrackBar::bars()
{
    QFETCH(TrackRow, row);
    QFETCH(float, scale);
    QFETCH(QString, bar);
    QCOMPARE(TrackBar(row, scale), bar);
    if (scale > 0)
        QCOMPARE(TrackBar(row, scale).size(), 91);
}

void TestTrackBar::scaleIsTheLatestValue()
{
    const QList<TrackRow> rows{{0, 3600}, {0, 1800}, {600, 7200}, {}};
    QCOMPARE(LargestTrackValue(rows), 7200.0f);
    const float scale = LargestTrackValue(rows) / 90.0f;
    QCOMPARE(TrackBar(rows[2], scale), barWithDashes({{9, 90}}));
    QCOMPARE(TrackBar(rows[0], scale), barWithDashes({{2, 45}}));
    QCOMPARE(LargestTrackValue({{-1, 5000}, {}}), 0.0f);
}

void TestTrackBar::keysTellBarsApart()
{
    // Many short rows of the kind a file holds, some drawn the same though their values
    // differ: two rows must have equal keys exactly when their bars are equal.
    QRandomGenerator random(7);
    QList<TrackRow> rows{{}, {0, 9030}, {0, 9030, 9030}, {10, 10.2f, 50, 60}, {0, 30, -1, 90}};
    for (int i = 0; i < 400; ++i) {
        TrackRow row;
        const int values = int(random.bounded(6));
        for (int v = 0; v < values; ++v)
            row.append(float(random.bounded(9300) - 100) / (v % 3 == 0 ? 1.0f : 7.0f));
        rows.append(row);
    }
    int sameBars = 0;
    for (const float scale : {100.0f, 30.0f, 0.0f}) {
        QList<QString> bars;
        QList<QByteArray> keys;
        for (const TrackRow& row : rows) {
            TrackBarKey buffer;
            keys.append(TrackBarKeyOf(row, scale, buffer).toByteArray());
            bars.append(TrackBar(row, scale));
        }
        for (qsizetype a = 0; a < rows.size(); ++a) {
            for (qsizetype b = a + 1; b < rows.size(); ++b) {
                QCOMPARE(keys[a] == keys[b], bars[a] == bars[b]);
                sameBars += bars[a] == bars[b] ? 1 : 0;
            }
        }
    }
    // Enough pairs on both sides to mean something.
    QVERIFY(sameBars > 100);
}

QTEST_GUILESS_MAIN(TestTrackBar)
#include "tst_trackbar.moc"
