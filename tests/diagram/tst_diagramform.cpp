// Forms on the paper the device has: a form designed for A4 portrait is scaled to fit
// other paper and centred on it, never cut off and never put back on A4; and the
// observation diagram as a form, on its own page with its session table continued.
#include "reportfixture.h"

#include "diagram/diagramform.h"
#include "diagram/diagramlayout.h"
#include "exchangegenerator.h"
#include "import/exchangeimport.h"
#include "reports/formpainter.h"
#include "reports/outputrows.h"
#include "reports/reportdatabase.h"
#include "reports/reportjob.h"

#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr double ptPerMm = 72 / 25.4;

struct Word
{
    QString text;
    QRectF box; // points
};

struct PdfPage
{
    QSizeF size; // points
    QList<Word> words;
};

// Every page of a PDF with its words where `pdftotext -bbox` finds them.
QList<PdfPage> pdfWords(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        qFatal("pdftotext failed on %s", qPrintable(pdf));
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression tag(QStringLiteral(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfPage> pages;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (!m.captured(1).isEmpty()) {
            pages << PdfPage{QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()), {}};
        } else if (!pages.isEmpty()) {
            // The font's tilde comes back as a wave dash.
            QString text = m.captured(7);
            text.replace(QChar(0x301C), QChar(0xFF5E));
            pages.last().words << Word{text,
                                       QRectF(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()),
                                              QPointF(m.captured(5).toDouble(), m.captured(6).toDouble()))};
        }
    }
    return pages;
}

} // namespace

class TestDiagramForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void formScaledToPaper_data();
    void formScaledToPaper();
    void diagramOfSample();
    void longSessionTableContinues();
    void diagramKeepsChosenPaper();

private:
    // Returns the PDF and the page as the writer took it.
    std::pair<QString, QPageLayout> renderRecord(const QPageLayout& paper, const QString& name);

    QTemporaryDir dir_;
    ReportDatabase database_;
    DiagramLayout sample_;
};

void TestDiagramForm::initTestCase()
{
    QVERIFY(dir_.isValid());
    QVERIFY(database_.open(dir_.filePath(QStringLiteral("forms.db"))));
    QVERIFY(FillReport(database_, ReportKind::Record, reportfixture::surveyModel(),
                       OutputRowsInBaselineOrder(3)));
    ProjectModel model;
    QVERIFY(ReadExchangeFile(QStringLiteral(SOURCE_DIR "/examples/sample-survey.xml"), model));
    const Result<DiagramLayout> layout = BuildDiagramLayout(model, {});
    QVERIFY(layout);
    sample_ = *layout;
}

std::pair<QString, QPageLayout> TestDiagramForm::renderRecord(const QPageLayout& paper, const QString& name)
{
    const QString pdf = dir_.filePath(name + QStringLiteral(".pdf"));
    QPdfWriter writer(pdf);
    writer.setPageLayout(paper);
    const QPageLayout taken = writer.pageLayout();
    const Outcome drawn = RenderReport(database_, ReportKind::Record, writer);
    if (!drawn)
        qFatal("%s", qPrintable(drawn.message));
    return {pdf, taken};
}

void TestDiagramForm::formScaledToPaper_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<double>("margin"); // mm on every side

    QTest::newRow("A3 portrait, larger") << int(QPageSize::A3) << int(QPageLayout::Portrait) << 10.0;
    QTest::newRow("Letter, smaller and wider") << int(QPageSize::Letter) << int(QPageLayout::Portrait) << 6.35;
    QTest::newRow("A4 landscape") << int(QPageSize::A4) << int(QPageLayout::Landscape) << 5.0;
    QTest::newRow("A4 portrait, other margins") << int(QPageSize::A4) << int(QPageLayout::Portrait) << 20.0;
}

void TestDiagramForm::formScaledToPaper()
{
    QFETCH(int, paper);
    QFETCH(int, orientation);
    QFETCH(double, margin);

    // The record as designed: A4 portrait with the form's own margins.
    const FormDesign design;
    const auto [a4, designPage] = renderRecord(design.pageLayout(), QStringLiteral("a4"));
    const QList<PdfPage> reference = pdfWords(a4);
    const auto [pdf, layout] = renderRecord(
        QPageLayout(QPageSize(QPageSize::PageSizeId(paper)), QPageLayout::Orientation(orientation),
                    QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter),
        QStringLiteral("paper%1").arg(paper));
    const QList<PdfPage> pages = pdfWords(pdf);
    QCOMPARE(pages.size(), reference.size());

    // Where the design's printable area lands on this paper: scaled to fit, centred.
    const QRectF designed = designPage.paintRect(QPageLayout::Millimeter);
    const QRectF area = layout.paintRect(QPageLayout::Millimeter);
    const double scale = std::min(area.width() / designed.width(), area.height() / designed.height());
    const QPointF origin = (area.topLeft() + QPointF((area.width() - designed.width() * scale) / 2,
                                                     (area.height() - designed.height() * scale) / 2)) * ptPerMm;
    const auto expected = [&](const QPointF& p) { return origin + (p - designed.topLeft() * ptPerMm) * scale; };

    const QSizeF paperPt = layout.fullRect(QPageLayout::Point).size();
    const QRectF areaPt = layout.paintRect(QPageLayout::Point);
    for (qsizetype n = 0; n < pages.size(); ++n) {
        const PdfPage& page = pages[n];
        // The paper the device was given, not A4 portrait again.
        QVERIFY(std::abs(page.size.width() - paperPt.width()) < 1);
        QVERIFY(std::abs(page.size.height() - paperPt.height()) < 1);
        QCOMPARE(page.words.size(), reference[n].words.size());
        // The page header, one of a kind, anchors the comparison.
        const Word& firstRef = reference[n].words.first();
        QCOMPARE(firstRef.text, QStringLiteral("世界測地系"));
        const auto found = std::find_if(page.words.cbegin(), page.words.cend(),
                                        [&](const Word& w) { return w.text == firstRef.text; });
        QVERIFY(found != page.words.cend());
        const Word& first = *found;
        // The writer puts its origin a fraction of a point off the margins; the layout
        // as a whole must land there.
        QVERIFY(QLineF(first.box.topLeft(), expected(firstRef.box.topLeft())).length() < 1.5);
        for (const Word& w : page.words) {
            // Nothing cut off: every word inside the paper's printable area.
            QVERIFY2(areaPt.adjusted(-1, -1, 1, 1).contains(w.box), qPrintable(w.text));
        }
        // Every word where the scaled design puts it, at the scaled size (words are
        // matched by text and place: pdftotext may list a line's words in another order).
        for (const Word& r : reference[n].words) {
            const QPointF target = first.box.topLeft() + (r.box.topLeft() - firstRef.box.topLeft()) * scale;
            double nearest = 1e9;
            const Word* match = nullptr;
            for (const Word& w : page.words) {
                const double d = QLineF(w.box.topLeft(), target).length();
                if (w.text == r.text && d < nearest) {
                    nearest = d;
                    match = &w;
                }
            }
            QVERIFY2(match && nearest < 0.05, qPrintable(QStringLiteral("%1 %2 pt off").arg(r.text).arg(nearest)));
            QVERIFY(std::abs(match->box.width() - r.box.width() * scale) < 0.05);
            QVERIFY(std::abs(match->box.height() - r.box.height() * scale) < 0.05);
        }
    }
}

void TestDiagramForm::diagramOfSample()
{
    // Eight points: one A4 landscape page with every point, the zone and the table.
    QVERIFY(sample_.points.size() == 8);
    const QString pdf = dir_.filePath(QStringLiteral("sample-diagram.pdf"));
    QVERIFY(WriteDiagramPdf(sample_, pdf));
    const QList<PdfPage> pages = pdfWords(pdf);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(qRound(pages[0].size.width()), 842);
    QCOMPARE(qRound(pages[0].size.height()), 595);
    QStringList words;
    for (const Word& w : pages[0].words) {
        // Numbers in the table are listed with commas.
        words << (w.text.endsWith(u',') ? w.text.chopped(1) : w.text);
        QVERIFY(QRectF(QPointF(0, 0), pages[0].size).contains(w.box));
    }
    for (const DiagramPoint& p : sample_.points) {
        QVERIFY2(words.count(p.number) >= 2, qPrintable(p.number)); // its label and the table
        QVERIFY2(words.contains(p.name), qPrintable(p.name));
    }
    const QString text = words.join(u' ');
    QVERIFY(text.contains(QStringLiteral("観測図")));
    QVERIFY(text.contains(QStringLiteral("平面直角座標系 第X系")));
    QVERIFY(text.contains(QStringLiteral("凡例")));
    for (const DiagramSession& s : sample_.sessions)
        QVERIFY2(text.contains(s.date + u' ' + s.start + QStringLiteral("～") + s.end), qPrintable(s.name));
    QVERIFY(text.contains(QRegularExpression(QStringLiteral("\\b0 \\d+ m\\b"))));
    QVERIFY(!text.contains(QStringLiteral("続きは次ページ")));
}

void TestDiagramForm::longSessionTableContinues()
{
    GeneratorOptions options;
    options.points = 300;
    options.sessions = 60;
    options.baselines = 700;
    options.seed = 7;
    ProjectModel model;
    QVERIFY(ImportExchangeBytes(generateExchangeFile(options), model));
    const Result<DiagramLayout> layout = BuildDiagramLayout(model, {});
    QVERIFY(layout);
    QCOMPARE(layout->sessions.size(), 60);

    const QString pdf = dir_.filePath(QStringLiteral("net.pdf"));
    QVERIFY(WriteDiagramPdf(*layout, pdf));
    const QList<PdfPage> pages = pdfWords(pdf);
    QVERIFY(pages.size() >= 2);
    QString all;
    for (const PdfPage& page : pages) {
        QCOMPARE(qRound(page.size.width()), 1191); // A3 landscape
        QCOMPARE(qRound(page.size.height()), 842);
        QStringList words;
        for (const Word& w : page.words)
            words << w.text;
        all += words.join(u' ') + u'\n';
    }
    QVERIFY(all.section(u'\n', 0, 0).contains(QStringLiteral("続きは次ページ")));
    // Every session's row once, none lost between the pages.
    for (const DiagramSession& s : layout->sessions) {
        const QString row = s.date + u' ' + s.start + QStringLiteral("～") + s.end;
        QCOMPARE(all.count(row), 1);
    }
}

void TestDiagramForm::diagramKeepsChosenPaper()
{
    // A page set up in the print preview (A4 portrait here) is drawn on as it is.
    const QString pdf = dir_.filePath(QStringLiteral("portrait.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setPageLayout(FormDesign().pageLayout());
        QVERIFY(RenderDiagram(sample_, writer));
    }
    const QList<PdfPage> pages = pdfWords(pdf);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(qRound(pages[0].size.width()), 595);
    QCOMPARE(qRound(pages[0].size.height()), 842);
    QVERIFY(!pages[0].words.isEmpty());
    for (const Word& w : pages[0].words)
        QVERIFY(QRectF(QPointF(0, 0), pages[0].size).contains(w.box));
}

QTEST_MAIN(TestDiagramForm)
#include "tst_diagramform.moc"
