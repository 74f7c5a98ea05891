#include "outputs/sheetreader.h"
#include "outputs/xlsxworkbook.h"
#include "outputs/zippackage.h"
#include "templategenerator.h"

#include <QFile>
#include <QTest>

// The sample templates in share/ are what the generator makes, and hold what the
// commands need of them.
class TestTemplates : public QObject
{
    Q_OBJECT

private slots:
    void committedFilesMatchTheGenerator_data();
    void committedFilesMatchTheGenerator();
    void checkWorkbookHasItsSheetsAndHeadings();
    void otherWorkbooksCarryTheirTitles_data();
    void otherWorkbooksCarryTheirTitles();
};

void TestTemplates::committedFilesMatchTheGenerator_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("generated");
    const auto all = GenerateTemplates();
    for (const GeneratedTemplate& t : all)
        QTest::newRow(qPrintable(t.fileName)) << t.fileName << t.bytes;
}

void TestTemplates::committedFilesMatchTheGenerator()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, generated);
    QFile committed(QStringLiteral(SOURCE_DIR "/share/") + fileName);
    QVERIFY2(committed.open(QIODevice::ReadOnly),
             "share/ lacks a generated template; run gen-templates share");
    QVERIFY2(committed.readAll() == generated,
             "share/ is out of date with the generator; run gen-templates share");
}

void TestTemplates::checkWorkbookHasItsSheetsAndHeadings()
{
    const auto book = XlsxWorkbook::fromFile(QStringLiteral(SOURCE_DIR "/share/kisenkakusa.xlsx"));
    QVERIFY2(book, qPrintable(book.message()));
    QStringList names;
    for (const auto& s : book->sheets())
        names << s.name;
    QCOMPARE(names, (QStringList{QStringLiteral("基線一覧"), QStringLiteral("精度管理表(副表-点検測量)"),
                                 QStringLiteral("電子基準点点検"), QStringLiteral("環閉合"),
                                 QStringLiteral("重複基線較差")}));

    const auto cells = ReadSheetCells(*book, QStringLiteral("基線一覧"));
    QVERIFY2(cells, qPrintable(cells.message()));
    const QStringList headings = BaselineListHeadings();
    QCOMPARE(headings.size(), 21);
    for (int column = 1; column <= 21; ++column)
        QCOMPARE(cells->value({1, column}).text, headings[column - 1]);
    // Row 1 only: the list itself is the program's to write.
    for (auto it = cells->cbegin(); it != cells->cend(); ++it)
        QCOMPARE(it.key().first, 1);
    QCOMPARE(book->activeSheetName(), QStringLiteral("基線一覧"));
}

void TestTemplates::otherWorkbooksCarryTheirTitles_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("title");
    QTest::newRow("assumed network") << "tenken-katei.xlsx" << "点検計算書（仮定網）";
    QTest::newRow("deviations") << "seido-fuku.xlsx" << "精度管理計算書（仮定・実用_偏差）";
    QTest::newRow("results table") << "kijuntenseika.xlsx" << "基準点成果表";
}

void TestTemplates::otherWorkbooksCarryTheirTitles()
{
    QFETCH(QString, fileName);
    QFETCH(QString, title);
    const auto book = XlsxWorkbook::fromFile(QStringLiteral(SOURCE_DIR "/share/") + fileName);
    QVERIFY2(book, qPrintable(book.message()));
    const auto cells = ReadSheetCells(*book, book->sheets().first().name);
    QVERIFY2(cells, qPrintable(cells.message()));
    QCOMPARE(cells->value({1, 1}).text, title);
    QVERIFY(cells->value({4, 1}).text.size() > 0); // a heading row
}

QTEST_GUILESS_MAIN(TestTemplates)
#include "tst_templates.moc"
