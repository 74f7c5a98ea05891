// The record (記簿) as a reader of the page finds its values: each beside its own label,
// the start point's at the left and the end point's at the right, the solution under its
// headings in the rows of its points, the covariances in the lower triangle. A value
// that is only somewhere on the page does not pass.
#include "pdfwords.h"
#include "reportfixture.h"

#include "reports/outputrows.h"
#include "reports/reportdatabase.h"
#include "reports/reportjob.h"

#include <QTemporaryDir>
#include <QTest>

using namespace pdfwords;

namespace {

// One baseline whose every printed value differs from every other.
ProjectModel recordModel()
{
    ProjectModel m = reportfixture::surveyModel();
    BaselineRecord& b = m.baselines[1];
    b.startTime = QStringLiteral("2004/10/12 9:05:30");
    b.endTime = QStringLiteral("2004/10/12 10:55:00");
    b.minElevation = QStringLiteral("17");
    b.frequency = QStringLiteral("L1/L2");
    b.ppMode = QStringLiteral("Static");
    b.session = QStringLiteral("S-101");
    b.startPoint = {.ptType = QStringLiteral("Input"), .posN = QStringLiteral("36°06′12.34567″"),
                    .posE = QStringLiteral("140°05′00.22222″"), .posH = QStringLiteral("101.111"),
                    .posX = QStringLiteral("-3957000.111"), .posY = QStringLiteral("3310000.111"),
                    .posZ = QStringLiteral("3737000.111"), .antHeight = QStringLiteral("1.111")};
    b.endPoint = {.ptType = QStringLiteral("Computed"), .posN = QStringLiteral("36°07′00.11111″"),
                  .posE = QStringLiteral("140°06′00.33333″"), .posH = QStringLiteral("202.222"),
                  .posX = QStringLiteral("-3958000.222"), .posY = QStringLiteral("3311000.222"),
                  .posZ = QStringLiteral("3738000.222"), .antHeight = QStringLiteral("2.222")};
    VectorData& v = b.vector;
    v.solutionType = QStringLiteral("Fixed");
    v.ratio = QStringLiteral("12.3");
    v.dx = QStringLiteral("1000.001");
    v.dy = QStringLiteral("-2000.002");
    v.dz = QStringLiteral("3000.003");
    v.slope = QStringLiteral("3741.661");
    v.stDX = QStringLiteral("0.0011");
    v.stDY = QStringLiteral("0.0022");
    v.stDZ = QStringLiteral("0.0033");
    v.stSlope = QStringLiteral("0.0044");
    v.fwdAzimuth = QStringLiteral("45°00′01.1″");
    v.fwdInclination = QStringLiteral("1°00′02.2″");
    v.bkwdAzimuth = QStringLiteral("225°00′03.3″");
    v.bkwdInclination = QStringLiteral("-1°00′04.4″");
    v.geoDist = QStringLiteral("3741.600");
    v.heightDiff = QStringLiteral("60.606");
    v.CovXX = QStringLiteral("1.1E-07");
    v.CovYX = QStringLiteral("2.1E-07");
    v.CovYY = QStringLiteral("2.2E-07");
    v.CovZX = QStringLiteral("3.1E-07");
    v.CovZY = QStringLiteral("3.2E-07");
    v.CovZZ = QStringLiteral("3.3E-07");
    v.usedObs = QStringLiteral("3000");
    v.rejectedObs = QStringLiteral("30");
    v.rms = QStringLiteral("0.012");
    v.rdop = QStringLiteral("0.345");
    return m;
}

bool isSeparator(const QString& word)
{
    return word == u":" || word == u"=" || word == u"：";
}

} // namespace

class TestRecordLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void valuesBesideTheirLabels_data();
    void valuesBesideTheirLabels();
    void valuesUnderTheirHeadings_data();
    void valuesUnderTheirHeadings();
    void covarianceUpperTriangleEmpty();

private:
    // The words after the `occurrence`-th appearance of `label` on its line, separators
    // skipped, as many as `value` has.
    QString after(const QString& label, int occurrence, const QString& value) const;
    // The first line at or after `from` that begins with `words`; -1 if none.
    int lineStartingWith(const QStringList& words, int from = 0) const;
    // The word of line `row` that ends where `heading` ends on line `headings`: the
    // forms set both flush right in the same box.
    QString under(int headings, const QString& heading, int row) const;

    QTemporaryDir dir_;
    QList<Line> lines_;
};

void TestRecordLayout::initTestCase()
{
    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath(QStringLiteral("record.db"))));
    const QString pdf = dir_.filePath(QStringLiteral("record.pdf"));
    const Outcome written =
        WriteReportPdf(db, ReportKind::Record, recordModel(), OutputRowsInBaselineOrder(3, {2, 3}), pdf);
    QVERIFY2(written, qPrintable(written.message));
    lines_ = linesOf(pageWords(pdf, 1));
    QVERIFY(lines_.size() > 30);
    QVERIFY(pageWords(pdf, 2).isEmpty()); // one baseline, one page
}

QString TestRecordLayout::after(const QString& label, int occurrence, const QString& value) const
{
    const QStringList labelWords = wordsOf(label);
    int seen = 0;
    for (const Line& line : lines_) {
        const QStringList texts = line.texts();
        for (qsizetype i = 0; i + labelWords.size() <= texts.size(); ++i) {
            if (texts.mid(i, labelWords.size()) != labelWords || seen++ != occurrence)
                continue;
            qsizetype k = i + labelWords.size();
            while (k < texts.size() && isSeparator(texts[k]))
                ++k;
            return texts.mid(k, wordsOf(value).size()).join(u' ');
        }
    }
    return QStringLiteral("<no %1 #%2>").arg(label).arg(occurrence);
}

int TestRecordLayout::lineStartingWith(const QStringList& words, int from) const
{
    for (int i = std::max(from, 0); i < lines_.size(); ++i)
        if (lines_[i].texts().mid(0, words.size()) == words)
            return i;
    return -1;
}

QString TestRecordLayout::under(int headings, const QString& heading, int row) const
{
    if (headings < 0 || row < 0)
        return QStringLiteral("<no line>");
    double right = -1;
    for (const Word& w : lines_[headings].words)
        if (w.text == heading)
            right = w.box.right();
    if (right < 0)
        return QStringLiteral("<no heading %1>").arg(heading);
    for (const Word& w : lines_[row].words)
        if (std::abs(w.box.right() - right) < 1.5)
            return w.text;
    return QStringLiteral("<nothing under %1>").arg(heading);
}

void TestRecordLayout::valuesBesideTheirLabels_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("occurrence"); // 0: start point or the only one, 1: end point
    QTest::addColumn<QString>("value");

    const ProjectModel m = recordModel();
    const BaselineRecord& b = m.baselines[1];
    const OccupationRecord& s = m.startOccupationOf(b);
    const OccupationRecord& e = m.endOccupationOf(b);
    const VectorData& v = b.vector;
    const QList<std::tuple<const char*, int, QString>> rows{
        {"解析ｿﾌﾄｳｪｱ", 0, m.swProgram},
        {"使用した軌道情報", 0, m.common.ephType},
        {"使用した楕円体", 0, m.common.daen},
        {"使用した周波数", 0, b.frequency},
        {"基線解析ﾓｰﾄﾞ", 0, b.ppMode},
        {"ｾｯｼｮﾝ名", 0, b.session},
        {"開始", 0, b.startTime},
        {"終了", 0, b.endTime},
        {"最低高度角", 0, b.minElevation},
        {"気圧", 0, QStringLiteral("1013.0")},
        {"温度", 0, QStringLiteral("20.0")},
        {"湿度", 0, QStringLiteral("50.0")},
        {"観測点1(Code)", 0, s.pointName + u'(' + s.ptCode + u')'},
        {"観測点2(Code)", 0, e.pointName + u'(' + e.ptCode + u')'},
        {"受信機名(No)", 0, s.receiverName + u'(' + s.receiverSN + u')'},
        {"受信機名(No)", 1, e.receiverName + u'(' + e.receiverSN + u')'},
        {"ｱﾝﾃﾅ高", 0, b.startPoint.antHeight},
        {"ｱﾝﾃﾅ高", 1, b.endPoint.antHeight},
        {"起　点", 0, QStringLiteral("入力値")},
        {"緯　度", 0, b.startPoint.posN},
        {"緯　度", 1, b.endPoint.posN},
        {"経　度", 0, b.startPoint.posE},
        {"経　度", 1, b.endPoint.posE},
        {"楕円体高", 0, b.startPoint.posH},
        {"楕円体高", 1, b.endPoint.posH},
        {"座標値 X", 0, b.startPoint.posX},
        {"座標値 X", 1, b.endPoint.posX},
        {"座標値 Y", 0, b.startPoint.posY},
        {"座標値 Y", 1, b.endPoint.posY},
        {"座標値 Z", 0, b.startPoint.posZ},
        {"座標値 Z", 1, b.endPoint.posZ},
        {"解の種類", 0, v.solutionType},
        {"バイアス決定比", 0, v.ratio},
        {"使用したﾃﾞｰﾀ数", 0, v.usedObs},
        {"棄却したﾃﾞｰﾀ数", 0, v.rejectedObs},
        {"棄却率", 0, QStringLiteral("0.01")},
        {"使用したﾃﾞｰﾀ間隔", 0, m.common.interval},
        {"RMS", 0, v.rms},
        {"RDOP", 0, v.rdop},
    };
    for (const auto& [label, occurrence, value] : rows)
        QTest::addRow("%s #%d", label, occurrence) << QString::fromUtf8(label) << occurrence << value;
}

void TestRecordLayout::valuesBesideTheirLabels()
{
    QFETCH(QString, label);
    QFETCH(int, occurrence);
    QFETCH(QString, value);
    QVERIFY(!value.isEmpty());
    QCOMPARE(after(label, occurrence, value), value);
}

void TestRecordLayout::valuesUnderTheirHeadings_data()
{
    QTest::addColumn<QStringList>("headingsLine"); // how the line of headings begins
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QStringList>("rowLine");      // how the value's line begins
    QTest::addColumn<QString>("value");

    const VectorData v = recordModel().baselines[1].vector;
    const QStringList vectorHeadings{"観測点", "観測点", "DX"};
    const QStringList angleHeadings{"観測点", "観測点", "方位角"};
    const QStringList covarianceHeadings{"DX", "DY", "DZ"};
    const QStringList forward{"1", "2"};
    const QStringList backward{"2", "1"};
    const QStringList deviation{"標準偏差"};
    const QList<std::tuple<QStringList, const char*, QStringList, QString>> rows{
        {vectorHeadings, "DX", forward, v.dx},
        {vectorHeadings, "DY", forward, v.dy},
        {vectorHeadings, "DZ", forward, v.dz},
        {vectorHeadings, "斜距離", forward, v.slope},
        {vectorHeadings, "DX", deviation, v.stDX},
        {vectorHeadings, "DY", deviation, v.stDY},
        {vectorHeadings, "DZ", deviation, v.stDZ},
        {vectorHeadings, "斜距離", deviation, v.stSlope},
        {angleHeadings, "方位角", forward, v.fwdAzimuth},
        {angleHeadings, "高度角", forward, v.fwdInclination},
        {angleHeadings, "測地線長", forward, v.geoDist},
        {angleHeadings, "楕円体比高", forward, v.heightDiff},
        {angleHeadings, "方位角", backward, v.bkwdAzimuth},
        {angleHeadings, "高度角", backward, v.bkwdInclination},
        {covarianceHeadings, "DX", {"DX"}, v.CovXX},
        {covarianceHeadings, "DX", {"DY"}, v.CovYX},
        {covarianceHeadings, "DY", {"DY"}, v.CovYY},
        {covarianceHeadings, "DX", {"DZ"}, v.CovZX},
        {covarianceHeadings, "DY", {"DZ"}, v.CovZY},
        {covarianceHeadings, "DZ", {"DZ"}, v.CovZZ},
    };
    for (const auto& [headings, heading, row, value] : rows)
        QTest::addRow("%s, row %s", heading, qPrintable(row.join(u' ')))
            << headings << QString::fromUtf8(heading) << row << value;
}

void TestRecordLayout::valuesUnderTheirHeadings()
{
    QFETCH(QStringList, headingsLine);
    QFETCH(QString, heading);
    QFETCH(QStringList, rowLine);
    QFETCH(QString, value);
    const int headings = lineStartingWith(headingsLine);
    QVERIFY(headings >= 0);
    // The value's row is the first below its headings that begins as asked.
    QCOMPARE(under(headings, heading, lineStartingWith(rowLine, headings + 1)), value);
}

void TestRecordLayout::covarianceUpperTriangleEmpty()
{
    const int headings = lineStartingWith({"DX", "DY", "DZ"});
    QVERIFY(headings >= 0);
    const QStringList axes{"DX", "DY", "DZ"};
    for (int r = 0; r < 3; ++r) {
        const int row = lineStartingWith({axes[r]}, headings + 1);
        QVERIFY(row > headings);
        // The row's label and the values up to the diagonal, nothing right of it.
        QCOMPARE(lines_[row].words.size(), r + 2);
    }
}

QTEST_MAIN(TestRecordLayout)
#include "tst_recordlayout.moc"
