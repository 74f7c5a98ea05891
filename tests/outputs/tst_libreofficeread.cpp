#include "outputfixture.h"
#include "import/exchangeimport.h"
#include "outputs/legacyconversion.h"
#include "outputs/outputcommands.h"
#include "outputs/sheetreader.h"
#include "outputs/xlsxworkbook.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cmath>

namespace {

// One CSV file as LibreOffice writes it: fields separated by commas, quoted with
// doubled quotes inside.
QList<QStringList> parseCsv(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << field;
            field.clear();
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            row << field;
            field.clear();
            rows << row;
            row.clear();
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty())
        rows << (row << field);
    return rows;
}

} // namespace

// A real spreadsheet program, not only our own reader, must accept what we write.
class TestLibreOfficeRead : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsFilledWorkbook();
    void sharedFormulaBesideTheList();

private:
    bool convert(const QString& filter, const QString& input, const QString& outDir);

    QString soffice_;
    QTemporaryDir dir_;
};

void TestLibreOfficeRead::initTestCase()
{
    soffice_ = FindSoffice();
    if (soffice_.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: scripts/install-deps installs libreoffice-calc-nogui");
}

bool TestLibreOfficeRead::convert(const QString& filter, const QString& input, const QString& outDir)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(soffice_, {QStringLiteral("-env:UserInstallation=") +
                           QUrl::fromLocalFile(dir_.filePath(QStringLiteral("profile"))).toString(),
                       QStringLiteral("--headless"), QStringLiteral("--convert-to"), filter,
                       QStringLiteral("--outdir"), outDir, input});
    if (!p.waitForFinished(180000)) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

void TestLibreOfficeRead::readsFilledWorkbook()
{
    ProjectModel model;
    const Outcome imported = ReadExchangeFile(QStringLiteral(TEST_DATA_DIR "/small-survey.xml"), model);
    QVERIFY2(imported, qPrintable(imported.message));
    QVERIFY(model.baselineCount() >= 2);

    const Result<FilledWorkbook> filled = FillBaselineWorkbook(QStringLiteral(SOURCE_DIR "/share/kisenkakusa.xlsx"),
                                                       model, QStringLiteral("環閉合"), {});
    QVERIFY2(filled, qPrintable(filled.message()));
    const QString workbook = dir_.filePath(QStringLiteral("filled.xlsx"));
    QFile out(workbook);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(filled->bytes);
    out.close();

    // Every sheet as CSV in UTF-8, values as stored rather than as formatted.
    const QString csvDir = dir_.filePath(QStringLiteral("csv"));
    QVERIFY(QDir().mkpath(csvDir));
    QVERIFY(convert(QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1"),
                    workbook, csvDir));
    auto readCsv = [&](const QString& sheet) {
        QFile f(QDir(csvDir).filePath(QStringLiteral("filled-%1.csv").arg(sheet)));
        return f.open(QIODevice::ReadOnly) ? parseCsv(QString::fromUtf8(f.readAll())) : QList<QStringList>();
    };

    const auto ours = XlsxWorkbook::fromBytes(filled->bytes);
    QVERIFY2(ours, qPrintable(ours.message()));
    const auto written = ReadSheetCells(*ours, QStringLiteral("基線一覧"));
    QVERIFY2(written, qPrintable(written.message()));

    const QList<QStringList> list = readCsv(QStringLiteral("基線一覧"));
    QCOMPARE(list.size(), model.baselineCount() + 1);
    QCOMPARE(list[0].value(0), QStringLiteral("セッション名"));
    for (int row = 2; row <= model.baselineCount() + 1; ++row) {
        const QStringList& shown = list[row - 1];
        QCOMPARE(shown.size(), 21);
        for (int column = 1; column <= 21; ++column) {
            const StoredCell cell = written->value({row, column});
            const QString seen = shown[column - 1];
            const QString where = QStringLiteral("row %1 column %2: %3").arg(row).arg(column).arg(seen);
            if (cell.kind == StoredCell::Kind::Number) {
                bool ok = false;
                const double value = seen.toDouble(&ok);
                QVERIFY2(ok, qPrintable(where));
                QVERIFY2(std::fabs(value - cell.number) <= 1e-9 * qMax(1.0, std::fabs(cell.number)),
                         qPrintable(where));
            } else {
                QVERIFY2(seen == cell.text, qPrintable(where));
            }
        }
    }
    // Spot checks against the project itself: names, an angle text, N/E/U as numbers.
    const BaselineRecord& first = model.baselines[1];
    QCOMPARE(list[1][2], model.startOccupationOf(first).ptCode);
    QCOMPARE(list[1][5], first.startPoint.posN);
    QCOMPARE(written->value({2, 11}).kind, StoredCell::Kind::Number);

    // The check sheet's formula was computed by LibreOffice on opening: it counts the
    // baselines that got north/east/up components.
    const QList<QStringList> loop = readCsv(QStringLiteral("環閉合"));
    QVERIFY(loop.size() >= 3);
    QCOMPARE(loop[2].value(0), QStringLiteral("基線数"));
    QCOMPARE(loop[2].value(1).toInt(), model.baselineCount());

    // The sheet in front, as LibreOffice saw it: its own .xlsx records it.
    const QString again = dir_.filePath(QStringLiteral("again"));
    QVERIFY(QDir().mkpath(again));
    QVERIFY(convert(QStringLiteral("xlsx"), workbook, again));
    const auto resaved = XlsxWorkbook::fromFile(QDir(again).filePath(QStringLiteral("filled.xlsx")));
    QVERIFY2(resaved, qPrintable(resaved.message()));
    QCOMPARE(resaved->activeSheetName(), QStringLiteral("環閉合"));
    QCOMPARE(SelectedSheetNames(*resaved), QStringList{QStringLiteral("環閉合")});
}

void TestLibreOfficeRead::sharedFormulaBesideTheList()
{
    // A template whose shared formula starts in the list's last column and reaches into
    // the next: U2 = Y2 + 1, spread to V2 = Z2 + 1.
    const QByteArray decl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const QByteArray main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const QByteArray templateBytes = makePackage({
        {QStringLiteral("[Content_Types].xml"),
         decl + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
                "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
                "</Types>"},
        {QStringLiteral("_rels/.rels"),
         decl + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                "<Relationship Id=\"rId1\" Type=\"" + rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {QStringLiteral("xl/workbook.xml"),
         decl + "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + rel + "\"><sheets>"
                "<sheet name=\"基線一覧\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {QStringLiteral("xl/_rels/workbook.xml.rels"),
         decl + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                "<Relationship Id=\"rId1\" Type=\"" + rel + "/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
        {QStringLiteral("xl/worksheets/sheet1.xml"),
         decl + "<worksheet xmlns=\"" + main + "\"><sheetData><row r=\"2\">"
                "<c r=\"U2\"><f t=\"shared\" ref=\"U2:V2\" si=\"0\">Y2+1</f></c>"
                "<c r=\"V2\"><f t=\"shared\" si=\"0\"/></c>"
                "<c r=\"Y2\"><v>5</v></c><c r=\"Z2\"><v>70</v></c>"
                "</row></sheetData></worksheet>"},
    });
    const QString templatePath = dir_.filePath(QStringLiteral("shared-template.xlsx"));
    QFile t(templatePath);
    QVERIFY(t.open(QIODevice::WriteOnly));
    t.write(templateBytes);
    t.close();

    ProjectModel model;
    QVERIFY(ReadExchangeFile(QStringLiteral(TEST_DATA_DIR "/small-survey.xml"), model));
    const Result<FilledWorkbook> filled = FillBaselineWorkbook(templatePath, model, {}, {});
    QVERIFY2(filled, qPrintable(filled.message()));
    const QString workbook = dir_.filePath(QStringLiteral("shared.xlsx"));
    QFile out(workbook);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(filled->bytes);
    out.close();

    const QString csvDir = dir_.filePath(QStringLiteral("shared-csv"));
    QVERIFY(QDir().mkpath(csvDir));
    QVERIFY(convert(QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1"),
                    workbook, csvDir));
    QFile csv(QDir(csvDir).filePath(QStringLiteral("shared-基線一覧.csv")));
    if (!csv.exists()) // one sheet only: LibreOffice may leave the sheet's name out
        csv.setFileName(QDir(csvDir).filePath(QStringLiteral("shared.csv")));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QStringList> rows = parseCsv(QString::fromUtf8(csv.readAll()));
    QVERIFY(rows.size() >= 2);
    // U2 now holds the list's last value; V2 is computed on opening, from Z2 (no value
    // was stored for it).
    QCOMPARE(rows[1].value(21), QStringLiteral("71"));
    QCOMPARE(rows[1].value(24), QStringLiteral("5"));
}

QTEST_GUILESS_MAIN(TestLibreOfficeRead)
#include "tst_libreofficeread.moc"
