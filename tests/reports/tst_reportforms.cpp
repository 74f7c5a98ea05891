// The two printed forms as a reader of the PDF sees them: every fixed label, the values
// of the rows they were drawn from, one station or baseline per page, and character
// columns that line up.
#include "reportfixture.h"

#include "import/exchangeimport.h"
#include "reports/formpainter.h"
#include "reports/outputrows.h"
#include "reports/reportcolumns.h"
#include "reports/reportdatabase.h"
#include "reports/reportjob.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace reportfixture;

namespace {

QString samplePath()
{
    const QString sample = QStringLiteral(SOURCE_DIR "/examples/sample-survey.xml");
    return QFile::exists(sample) ? sample : QStringLiteral(TEST_DATA_DIR "/small-survey.xml");
}

// The pages of a PDF as `pdftotext -layout` lays them out.
QStringList pdfPages(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        qFatal("pdftotext failed on %s", qPrintable(pdf));
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// Blanks between words vary with the layout; compare texts with runs of blanks as one.
QString squeezed(QString text)
{
    // pdftotext gives an ideographic space as blanks.
    static const QRegularExpression blanks(QStringLiteral("[ \\t\\x{3000}]+"));
    return text.replace(blanks, QStringLiteral(" "));
}

} // namespace

class TestReportForms : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void fieldBookOfSample();
    void recordOfSample();
    void trackingColumnsLineUp();
    void fixedPitchFont();
    void longSatelliteListContinues();
    void emptyFormsHaveOnePage_data();
    void emptyFormsHaveOnePage();
    void unwritablePdfLeavesNothing();
    void unreadableRowFailsTheForm_data();
    void unreadableRowFailsTheForm();

private:
    QString render(ReportKind kind, const ProjectModel& model, const QList<OutputRow>& rows,
                   const QString& name);

    QTemporaryDir dir_;
    ProjectModel sample_;
};

void TestReportForms::initTestCase()
{
    QVERIFY(dir_.isValid());
    const Outcome read = ReadExchangeFile(samplePath(), sample_);
    QVERIFY2(read, qPrintable(read.message));
    QVERIFY(sample_.baselineCount() >= 2);
}

QString TestReportForms::render(ReportKind kind, const ProjectModel& model,
                                const QList<OutputRow>& rows, const QString& name)
{
    ReportDatabase db;
    const QString pdf = dir_.filePath(name + QStringLiteral(".pdf"));
    const Outcome open = db.open(dir_.filePath(name + QStringLiteral(".db")));
    if (!open)
        qFatal("%s", qPrintable(open.message));
    const Outcome written = WriteReportPdf(db, kind, model, rows, pdf);
    if (!written)
        qFatal("%s", qPrintable(written.message));
    return pdf;
}

void TestReportForms::fieldBookOfSample()
{
    const QList<OutputRow> rows = OutputRowsInBaselineOrder(sample_.baselineCount());
    const QStringList pages =
        pdfPages(render(ReportKind::FieldBookAll, sample_, rows, QStringLiteral("fieldbook")));
    // Mode 0: both ends of every baseline, one page each when the satellites fit.
    QCOMPARE(pages.size(), 2 * sample_.baselineCount());
    for (const QString& page : pages) {
        QVERIFY(page.left(page.indexOf(u'\n', page.indexOf(u"世界測地系"))).contains(u"世界測地系"));
        QCOMPARE(page.count(QStringLiteral("GPS測量観測手簿")), 1);
    }

    const QString first = squeezed(pages.first());
    for (const char16_t* label :
         {u"GPS測量観測手簿", u"観測点", u"受信機名", u"受信機番号", u"ｱﾝﾃﾅﾀｲﾌﾟ", u"ｱﾝﾃﾅ番号",
          u"ﾃﾞｰﾀ取得間隔", u"最低高度角", u"最小衛星数", u"ｱﾝﾃﾅ高", u"ｾｯｼｮﾝ名", u"開始", u"終了",
          u"電波の受信状況", u"L1:", u"L2:", u"衛星の状態", u"衛星数", u"ｽﾃｰﾀｽ"})
        QVERIFY2(first.contains(QString::fromUtf16(label)), qPrintable(QString::fromUtf16(label)));

    // The first station is the start of the first baseline.
    const BaselineRecord& bl = sample_.baselines[1];
    const OccupationRecord& occ = sample_.startOccupationOf(bl);
    const QStringList lines = first.split(u'\n');
    const auto line = [&](const QString& label) {
        for (const QString& l : lines)
            if (l.trimmed().startsWith(label))
                return l.trimmed();
        return QString();
    };
    QCOMPARE(line(QStringLiteral("観測点")), QStringLiteral("観測点 %1 (%2)").arg(occ.pointName, occ.ptCode));
    QCOMPARE(line(QStringLiteral("受信機名")), QStringLiteral("受信機名 ") + occ.receiverName);
    QCOMPARE(line(QStringLiteral("受信機番号")), QStringLiteral("受信機番号 ") + occ.receiverSN);
    QCOMPARE(line(QStringLiteral("ｱﾝﾃﾅﾀｲﾌﾟ")), QStringLiteral("ｱﾝﾃﾅﾀｲﾌﾟ ") + occ.antennaName);
    QCOMPARE(line(QStringLiteral("ｱﾝﾃﾅ番号")), QStringLiteral("ｱﾝﾃﾅ番号 ") + occ.antennaSN);
    QCOMPARE(line(QStringLiteral("ﾃﾞｰﾀ取得間隔")), QStringLiteral("ﾃﾞｰﾀ取得間隔 ") + sample_.common.interval);
    QCOMPARE(line(QStringLiteral("最低高度角")), QStringLiteral("最低高度角 ") + occ.minElevation);
    QCOMPARE(line(QStringLiteral("最小衛星数")), QStringLiteral("最小衛星数 ") + bl.minSVs);
    QCOMPARE(line(QStringLiteral("ｱﾝﾃﾅ高")), QStringLiteral("ｱﾝﾃﾅ高 ") + occ.antennaHeight);
    QCOMPARE(line(QStringLiteral("ｾｯｼｮﾝ名")), QStringLiteral("ｾｯｼｮﾝ名 ") + bl.session);
    QCOMPARE(line(QStringLiteral("開始")), QStringLiteral("開始 ") + occ.startTime);
    QCOMPARE(line(QStringLiteral("終了")), QStringLiteral("終了 ") + occ.endTime);
    // One pair of bars per satellite of the station.
    QCOMPARE(first.count(QStringLiteral("L1:")), occ.satCount);
    QCOMPARE(first.count(QStringLiteral("L2:")), occ.satCount);

    // By session: each point once per session, so never more pages than mode 0.
    const QStringList bySession = pdfPages(
        render(ReportKind::FieldBookBySession, sample_, rows, QStringLiteral("fieldbook1")));
    QVERIFY(bySession.size() < pages.size());
    QVERIFY(squeezed(bySession.first()).contains(QStringLiteral("%1 (%2)").arg(occ.pointName, occ.ptCode)));
}

void TestReportForms::recordOfSample()
{
    // Baseline 2 switched off: one page per remaining baseline.
    const QList<OutputRow> rows = OutputRowsInBaselineOrder(sample_.baselineCount(), {2});
    const QStringList pages =
        pdfPages(render(ReportKind::Record, sample_, rows, QStringLiteral("record")));
    QCOMPARE(pages.size(), sample_.baselineCount() - 1);
    for (const QString& page : pages)
        QVERIFY(page.contains(u"世界測地系"));

    const QString first = squeezed(pages.first());
    for (const char16_t* label :
         {u"GPS測量観測記簿", u"解析ｿﾌﾄｳｪｱ", u"使用した軌道情報", u"使用した楕円体",
          u"使用した周波数", u"基線解析ﾓｰﾄﾞ", u"ｾｯｼｮﾝ名", u"基線解析ﾃﾞｰﾀ", u"開始 :", u"終了 :",
          u"最低高度角", u"気圧", u"温度 :", u"湿度 :", u"観測点1(Code)", u"観測点2(Code)",
          u"受信機名(No)", u"ｱﾝﾃﾅ高", u"起　点", u"終　点", u"緯　度", u"経　度", u"楕円体高",
          u"座標値 X", u"座標値 Y", u"座標値 Z", u"解析結果", u"解の種類 :", u"バイアス決定比 :",
          u"観測点", u"DX", u"DY", u"DZ", u"斜距離", u"標準偏差", u"方位角", u"高度角", u"測地線長",
          u"楕円体比高", u"分散 共分散行列", u"使用したﾃﾞｰﾀ数", u"棄却したﾃﾞｰﾀ数 :", u"棄却率 :",
          u"使用したﾃﾞｰﾀ間隔", u"RMS", u"RDOP ="})
        QVERIFY2(first.contains(squeezed(QString::fromUtf16(label))),
                 qPrintable(QString::fromUtf16(label)));

    const BaselineRecord& bl = sample_.baselines[1];
    const OccupationRecord& s = sample_.startOccupationOf(bl);
    const OccupationRecord& e = sample_.endOccupationOf(bl);
    const VectorData& v = bl.vector;
    for (const QString& value :
         {sample_.swProgram, sample_.common.ephType, sample_.common.daen, bl.frequency, bl.ppMode,
          bl.startTime, bl.endTime, s.pointName + u'(' + s.ptCode + u')',
          e.pointName + u'(' + e.ptCode + u')', s.receiverName + u'(' + s.receiverSN + u')',
          bl.startPoint.antHeight, bl.endPoint.antHeight, bl.startPoint.posN, bl.endPoint.posE,
          bl.startPoint.posH, bl.endPoint.posX, bl.startPoint.posY, bl.endPoint.posZ,
          v.solutionType, v.ratio, v.dx, v.dy, v.dz, v.slope, v.stDX, v.stSlope, v.fwdAzimuth,
          v.fwdInclination, v.bkwdAzimuth, v.bkwdInclination, v.geoDist, v.heightDiff, v.CovXX,
          v.CovYX, v.CovZZ, v.usedObs, v.rejectedObs, v.rms, v.rdop,
          QStringLiteral("1013.0"), QStringLiteral("20.0"), QStringLiteral("50.0")}) {
        QVERIFY(!value.isEmpty());
        QVERIFY2(first.contains(value), qPrintable(value));
    }
    bool ok = false;
    const double ratio = v.rejectedObs.toDouble(&ok) / v.usedObs.toDouble();
    QVERIFY(ok);
    QVERIFY2(first.contains(QString::number(ratio, 'g', 15)), qPrintable(first));

    // The second page is baseline 3: the switched-off baseline has no page.
    QVERIFY(squeezed(pages[1]).contains(sample_.baselines[3].startTime));
}

void TestReportForms::trackingColumnsLineUp()
{
    // In the PDF's text the bars of every satellite start and end in the same columns,
    // and the summary's numbers stand above their health values.
    const QStringList pages = pdfPages(render(ReportKind::FieldBookBySession, surveyModel(),
                                              OutputRowsInBaselineOrder(3), QStringLiteral("bars")));
    // Fourteen satellites and the summary fit on the station's page.
    const QStringList lines = pages.first().split(u'\n');
    QVERIFY(pages.first().contains(u"衛星の状態"));
    QSet<qsizetype> starts;
    QSet<qsizetype> ends;
    int bars = 0;
    for (const QString& line : lines) {
        if (!line.contains(u"L1:") && !line.contains(u"L2:"))
            continue;
        ++bars;
        starts.insert(line.indexOf(u'|'));
        ends.insert(line.lastIndexOf(u'|'));
    }
    QCOMPARE(bars, 28);
    QCOMPARE(starts.size(), 1);
    QCOMPARE(ends.size(), 1);
    QCOMPARE(*ends.begin() - *starts.begin(), 90);

    qsizetype numbers = -1;
    qsizetype status = -1;
    for (const QString& line : lines) {
        if (line.contains(u"衛星数"))
            numbers = line.lastIndexOf(QStringLiteral("12"));
        if (line.contains(u"ｽﾃｰﾀｽ"))
            status = line.size();
    }
    QVERIFY(numbers > 0);
    QCOMPARE(status, numbers + 2); // the last health value ends under the last number
}

void TestReportForms::fixedPitchFont()
{
    const QFont fixed = FormPainter::fixedFont();
    QCOMPARE(QFontInfo(fixed).family(), QStringLiteral("IPAGothic"));
    // Every character of the bars and the summary is one column wide (fontconfig calls
    // the font dual-width, so QFontInfo::fixedPitch() does not say it).
    const QFontMetricsF metrics(fixed);
    const qreal w = metrics.horizontalAdvance(u'|');
    QVERIFY(w > 0);
    for (QChar c : QStringLiteral("- 0123456789SatL:ｽﾃ"))
        QCOMPARE(metrics.horizontalAdvance(c), w);
    QCOMPARE(metrics.horizontalAdvance(QStringLiteral("|-- -|")), 6 * w);
    // Labels are Japanese too, in an IPA font.
    QVERIFY(QFontInfo(FormPainter::labelFont()).family().startsWith(u"IPA"));
}

void TestReportForms::longSatelliteListContinues()
{
    // A station with forty satellites: the list runs on to further pages, each with the
    // page header, and the summary is still printed.
    ProjectModel m = surveyModel();
    QStringList forty;
    for (int i = 1; i <= 40; ++i)
        forty << QStringLiteral("GPS%1").arg(i, 2, 10, QChar(u'0'));
    addSatellites(m, m.occupations[1], forty);
    const QStringList pages = pdfPages(render(ReportKind::FieldBookAll, m, {{1, true}},
                                              QStringLiteral("long")));
    QVERIFY(pages.size() >= 3);
    int bars = 0;
    for (int i = 0; i < pages.size(); ++i) {
        QVERIFY(pages[i].contains(u"世界測地系"));
        bars += pages[i].count(QStringLiteral("L1:"));
        // No page ends between the two lines of a satellite.
        QCOMPARE(pages[i].count(QStringLiteral("L1:")), pages[i].count(QStringLiteral("L2:")));
    }
    QCOMPARE(bars, 40 + 2);
    // The station's summary follows its last satellite; the next station starts afresh.
    const qsizetype summaryPage = std::find_if(pages.cbegin(), pages.cend(),
                                               [](const QString& p) { return p.contains(u"衛星の状態"); }) -
                                  pages.cbegin();
    const qsizetype lastSatellitePage = std::find_if(pages.cbegin(), pages.cend(),
                                               [](const QString& p) { return p.contains(u"Sat 40"); }) -
                                  pages.cbegin();
    QVERIFY(summaryPage >= lastSatellitePage);
    QVERIFY(summaryPage < pages.size() - 1);
    QVERIFY(pages.last().contains(u"B002 (ﾄﾘﾃﾞ)"));
    QCOMPARE(pages.last().count(QStringLiteral("GPS測量観測手簿")), 1);
}

void TestReportForms::emptyFormsHaveOnePage_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("field book") << int(ReportKind::FieldBookAll);
    QTest::newRow("record") << int(ReportKind::Record);
}

void TestReportForms::emptyFormsHaveOnePage()
{
    QFETCH(int, kind);
    const QStringList pages = pdfPages(render(ReportKind(kind), surveyModel(),
                                              OutputRowsInBaselineOrder(3, {1, 2, 3}),
                                              QStringLiteral("empty%1").arg(kind)));
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pages.first().trimmed(), QStringLiteral("世界測地系"));
}

void TestReportForms::unwritablePdfLeavesNothing()
{
    ReportDatabase db;
    QVERIFY(db.open(dir_.filePath("w.db")));
    const QString pdf = dir_.filePath("missing/folder/out.pdf");
    const Outcome outcome =
        WriteReportPdf(db, ReportKind::Record, surveyModel(), OutputRowsInBaselineOrder(3), pdf);
    QVERIFY(!outcome);
    QVERIFY(outcome.message.contains(QDir::toNativeSeparators(pdf)));
    QVERIFY(!QFile::exists(pdf));
}

void TestReportForms::unreadableRowFailsTheForm_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("field book") << int(ReportKind::FieldBookAll);
    QTest::newRow("record") << int(ReportKind::Record);
}

void TestReportForms::unreadableRowFailsTheForm()
{
    // The second station or baseline cannot be read back (its session is computed with an
    // integer overflow): the form must fail, not come out short or empty.
    QFETCH(int, kind);
    ReportDatabase db;
    const QString path = dir_.filePath(QStringLiteral("unreadable%1.db").arg(kind));
    QVERIFY(db.open(path));
    QVERIFY(FillReport(db, ReportKind(kind), surveyModel(), OutputRowsInBaselineOrder(3)));
    QStringList columns;
    for (const QString& c : BaselineTableColumns())
        columns << (c == u"session" ? QStringLiteral("CASE WHEN CAST(BaseLineID AS INTEGER) = 2 THEN "
                                                     "abs(CAST(BaseLineID AS INTEGER) * 0 - 9223372036854775807 - 1) "
                                                     "ELSE session END AS session")
                                    : c);
    const Outcome replaced = db.connection().execute(
        QStringLiteral("ALTER TABLE tblBaseLine RENAME TO stored; "
                       "CREATE VIEW tblBaseLine AS SELECT %1 FROM stored")
            .arg(columns.join(u", ")));
    QVERIFY2(replaced, qPrintable(replaced.message));

    QPdfWriter pdf(dir_.filePath(QStringLiteral("unreadable%1.pdf").arg(kind)));
    const Outcome outcome = RenderReport(db, ReportKind(kind), pdf);
    QVERIFY(!outcome);
    QVERIFY2(outcome.message.startsWith(QStringLiteral("帳票データベースを読めません")), qPrintable(outcome.message));
    QVERIFY(outcome.message.contains(QDir::toNativeSeparators(path)));
}

QTEST_MAIN(TestReportForms)
#include "tst_reportforms.moc"
