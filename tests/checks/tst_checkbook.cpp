// The printed 点検計算簿: page numbers that agree with the pages written, blocks that are
// never split over a page break, and every loop and repeat present, read back from the
// PDF as text.
#include "checks/checkbookform.h"
#include "checks/runchecks.h"
#include "exchangegenerator.h"
#include "import/exchangeimport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

QStringList pdfPages(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// "2/5" from the line "2 / 5" below the page; empty unless there is exactly one.
QString pageNumber(const QString& page)
{
    static const QRegularExpression number(QStringLiteral("^(\\d+) ?/ ?(\\d+)$"),
                                           QRegularExpression::MultilineOption);
    QStringList found;
    for (auto it = number.globalMatch(page); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        found << m.captured(1) + u'/' + m.captured(2);
    }
    return found.size() == 1 ? found.first() : QString();
}

int count(const QString& text, const QRegularExpression& pattern)
{
    int n = 0;
    for (auto it = pattern.globalMatch(text); it.hasNext(); it.next())
        ++n;
    return n;
}

const CheckBookHeader header{QStringLiteral("survey.xml"), QStringLiteral("Trimble Total Control 2.71"),
                             QStringLiteral("2024/05/01")};

} // namespace

class TestCheckBook : public QObject
{
    Q_OBJECT

private slots:
    void pagesOfALargeProject();
    void emptyProjectHasOnePage();
};

void TestCheckBook::pagesOfALargeProject()
{
    GeneratorOptions options;
    options.baselines = 120;
    options.seed = 5;
    options.repeats = {3, -40};
    options.blunders = {10};
    ProjectModel model;
    QVERIFY(ImportExchangeBytes(generateExchangeFile(options), model).ok);
    const Result<CheckResult> result = RunChecks(model, {});
    QVERIFY(result);
    QVERIFY(result->loops.size() > 20);
    QVERIFY(result->failedLoops() > 0);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("book.pdf"));
    QVERIFY(WriteCheckBookPdf(*result, header, pdf));
    const QStringList pages = pdfPages(pdf);
    QVERIFY(pages.size() > 3);

    // pdftotext may drop the blank between a heading and its number.
    const QRegularExpression loopHeading(QStringLiteral("(?:^|\\n)環 ?(\\d+)\\n"));
    const QRegularExpression repeatHeading(QStringLiteral("(?:^|\\n)重複 ?(\\d+)\\n"));
    const QRegularExpression tolerance(QStringLiteral("許容範囲\\n"));
    QList<int> loopsSeen;
    int repeatsSeen = 0;
    for (int i = 0; i < pages.size(); ++i) {
        const QString& page = pages[i];
        QVERIFY2(pageNumber(page) == QStringLiteral("%1/%2").arg(i + 1).arg(pages.size()),
                 qPrintable(QStringLiteral("page %1 has no number of %2").arg(i + 1).arg(pages.size())));
        QVERIFY(page.contains(QStringLiteral("点検計算簿")));
        for (auto it = loopHeading.globalMatch(page); it.hasNext();)
            loopsSeen << it.next().captured(1).toInt();
        const int blocks = count(page, loopHeading) + count(page, repeatHeading);
        repeatsSeen += count(page, repeatHeading);
        // Every loop or repeat ends with its tolerances on the page it began.
        QCOMPARE(count(page, tolerance), blocks);
    }
    // pdftotext keeps the blocks of a page, not always their order.
    std::sort(loopsSeen.begin(), loopsSeen.end());
    QList<int> expected;
    for (int i = 1; i <= result->loops.size(); ++i)
        expected << i;
    QCOMPARE(loopsSeen, expected);
    QCOMPARE(repeatsSeen, int(result->repeats.size()));
    const QString all = pages.join(u'\n');
    QVERIFY(all.contains(QStringLiteral("不合格")));
    QVERIFY(all.contains(QStringLiteral("Trimble Total Control 2.71")));
}

void TestCheckBook::emptyProjectHasOnePage()
{
    const Result<CheckResult> result = RunChecks(ProjectModel{}, {});
    QVERIFY(result);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("empty.pdf"));
    QVERIFY(WriteCheckBookPdf(*result, header, pdf));
    const QStringList pages = pdfPages(pdf);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pageNumber(pages[0]), QStringLiteral("1/1"));
}

QTEST_MAIN(TestCheckBook)
#include "tst_checkbook.moc"
