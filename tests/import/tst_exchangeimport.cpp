#include "import/exchangeimport.h"
#include "import/exchangereader.h"
#include "document/document.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray crlf(QByteArray text)
{
    return text.replace("\n", "\r\n");
}

const QByteArray rootLine =
    "<JapaneseExchangeFormat Software=\"Trimble Total Control 2.71 build 5\">";

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write test file");
    return path;
}

ProjectModel modelWithOneOccupation()
{
    ProjectModel m;
    m.swProgram = QStringLiteral("previous");
    OccupationRecord o;
    o.pointName = QStringLiteral("OLD");
    m.occupations.append(o);
    m.satellites.append(SatelliteRecord{});
    return m;
}

} // namespace

class TestExchangeImport : public QObject
{
    Q_OBJECT

private slots:
    void linesAreCut_data();
    void linesAreCut();
    void rootElement_data();
    void rootElement();
    void refusedVersionChangesNothing();
    void fileProblemsNameTheFile_data();
    void fileProblemsNameTheFile();
    void documentImportSetsState();
    void documentKeepsProjectOnRefusal();
    void freshImportDropsPreviousOccupations();
};

void TestExchangeImport::linesAreCut_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("CR LF with trailing pair") << "a\r\nb\r\n" << QStringList{"a", "b", ""};
    QTest::newRow("LF only") << "a\nb" << QStringList{"a", "b"};
    QTest::newRow("one CR removed only") << "a\r\r\nb" << QStringList{"a\r", "b"};
    QTest::newRow("lone CR stays inside") << "a\rb\r\n" << QStringList{"a\rb", ""};
    QTest::newRow("empty text is one empty line") << "" << QStringList{""};
    QTest::newRow("blank lines kept") << "\n\n" << QStringList{"", "", ""};
    // Indentation goes only where a tag follows it; the blanks of other lines stay.
    QTest::newRow("indentation before a tag left out")
        << "    <A>1</A>\r\n\t<B>\r\n" << QStringList{"<A>1</A>", "\t<B>", ""};
    QTest::newRow("blanks before text kept") << "   x<A>\n   \n" << QStringList{"   x<A>", "   ", ""};
    QTest::newRow("line of blanks only at the end") << "<A>\n  " << QStringList{"<A>", "  "};
    // Lines longer than the first look, indentation wider than it, and lines that end
    // within the last bytes of the file, where no full look fits.
    QTest::newRow("long line") << QString(20, u' ') + "<Name>" + QString(60, u'x') + "</Name>\r\n<B>"
                               << QStringList{"<Name>" + QString(60, u'x') + "</Name>", "<B>"};
    QTest::newRow("wide indentation") << QString(70, u' ') + "<A>\n" + QString(33, u' ') + "\n"
                                      << QStringList{"<A>", QString(33, u' '), ""};
    QTest::newRow("short lines near the end") << "<A>\n <B>\r\n  <C>" << QStringList{"<A>", "<B>", "<C>"};
}

void TestExchangeImport::linesAreCut()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    ProjectModel model;
    const QByteArray bytes = text.toUtf8();
    ExchangeReader reader(bytes, model);
    QStringList got;
    while (!reader.atEnd())
        got << TextOf(reader.nextLine());
    QCOMPARE(got, lines);
    QCOMPARE(reader.cursor(), lines.size());
}

void TestExchangeImport::rootElement_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("refusal"); // empty: accepted
    QTest::addColumn<QString>("swProgram");
    QTest::addColumn<int>("baselines");

    const QString version = QStringLiteral("ファイルのバージョンが違います");
    const QString cut = QStringLiteral("ファイルが途中で終わっています");
    const QByteArray rootEnd = "</JapaneseExchangeFormat>\n";
    const QByteArray oneBaseline = "<BaselineList>\n<Baseline>\n<Parameter>\n<Session>1</Session>\n"
                                   "</Parameter>\n</Baseline>\n</BaselineList>\n";

    QTest::newRow("version 2.71") << crlf("<?xml version=\"1.0\"?>\n" + rootLine + "\n" + rootEnd)
                                  << "" << "Trimble Total Control 2.71" << 0;
    QTest::newRow("phrase at the line's end")
        << crlf("<JapaneseExchangeFormat>Trimble Total Control\n" + rootEnd) << ""
        << "Trimble Total Control" << 0;
    QTest::newRow("LF-only file") << QByteArray("<?xml?>\n" + rootLine + "\n" + oneBaseline + rootEnd)
                                  << "" << "Trimble Total Control 2.71" << 1;
    QTest::newRow("root after blank and text lines")
        << crlf("\nplain text\n   \n" + rootLine + "\n" + rootEnd) << ""
        << "Trimble Total Control 2.71" << 0;
    QTest::newRow("empty root element")
        << crlf("<JapaneseExchangeFormat Software=\"Trimble Total Control 2.71\"/>\n") << ""
        << "Trimble Total Control 2.71" << 0;
    QTest::newRow("root closed on its line")
        << crlf(rootLine + "</JapaneseExchangeFormat>\n") << "" << "Trimble Total Control 2.71" << 0;
    QTest::newRow("lines after the root are not read")
        << crlf(rootLine + "\n" + rootEnd + oneBaseline) << "" << "Trimble Total Control 2.71" << 0;

    QTest::newRow("other software") << crlf("<JapaneseExchangeFormat Software=\"Other 1.0\">\n" + rootEnd)
                                    << version << "previous" << -1;
    QTest::newRow("phrase is case-sensitive")
        << crlf("<JapaneseExchangeFormat Software=\"trimble total control 2.71\">\n" + rootEnd)
        << version << "previous" << -1;
    QTest::newRow("no root line at all")
        << crlf("<ProjectInfo>\n<Name>x</Name>\n</ProjectInfo>\n" + oneBaseline) << version
        << "previous" << -1;
    QTest::newRow("plain text") << QByteArray("hello world\n") << version << "previous" << -1;
    QTest::newRow("binary") << QByteArray("\x7f" "ELF\x02\x01\x01\0\0\0<\xff\xfe>\n\x89PNG\r\n", 20)
                            << version << "previous" << -1;
    QTest::newRow("another program's XML")
        << crlf("<?xml version=\"1.0\"?>\n<kml>\n<Document>\n</Document>\n</kml>\n") << version
        << "previous" << -1;
    QTest::newRow("root closing tag alone")
        << crlf("<?xml version=\"1.0\"?>\n" + rootEnd) << version << "previous" << -1;

    QTest::newRow("root never closed") << crlf(rootLine + "\n") << cut << "previous" << -1;
    QTest::newRow("ends inside the occupation list")
        << crlf(rootLine + "\n<OccupationList>\n<Occupation>\n<PointName>A</PointName>\n")
        << cut << "previous" << -1;
    QTest::newRow("occupation list swallows the root's end")
        << crlf(rootLine + "\n<OccupationList>\n<Occupation>\n</Occupation>\n" + rootEnd) << cut
        << "previous" << -1;
    QTest::newRow("ends inside the baseline list")
        << crlf(rootLine + "\n" + oneBaseline.chopped(QByteArray("</BaselineList>\n").size()))
        << cut << "previous" << -1;
    QTest::newRow("ends after the lists") << crlf(rootLine + "\n" + oneBaseline) << cut
                                          << "previous" << -1;
    QTest::newRow("ends inside a value") << crlf(rootLine + "\n" + oneBaseline.left(60)) << cut
                                         << "previous" << -1;
}

void TestExchangeImport::rootElement()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, refusal);
    QFETCH(QString, swProgram);
    QFETCH(int, baselines);
    ProjectModel model = modelWithOneOccupation();
    const ProjectModel before = model;
    const Outcome outcome = ImportExchangeBytes(file, model);
    QCOMPARE(outcome.message, refusal);
    QCOMPARE(outcome.ok, refusal.isEmpty());
    QCOMPARE(model.swProgram, swProgram);
    if (outcome)
        QCOMPARE(model.baselineCount(), baselines);
    else
        QVERIFY(model == before);
}

void TestExchangeImport::refusedVersionChangesNothing()
{
    // Nothing after the root line is read: the occupation list must not empty the arrays.
    ProjectModel model = modelWithOneOccupation();
    const ProjectModel before = model;
    const Outcome outcome = ImportExchangeBytes(
        crlf("<JapaneseExchangeFormat Software=\"X\">\n<OccupationList>\n</OccupationList>\n"
             "</JapaneseExchangeFormat>\n"),
        model);
    QVERIFY(!outcome);
    QVERIFY(model == before);
}

void TestExchangeImport::fileProblemsNameTheFile_data()
{
    QTest::addColumn<bool>("create");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("messageStart");
    QTest::newRow("missing") << false << QByteArray() << "ファイルを開けません";
    QTest::newRow("empty") << true << QByteArray() << "ファイルが空です";
    QTest::newRow("cut") << true << crlf(rootLine + "\n<BaselineList>\n")
                         << "ファイルが途中で終わっています: ";
}

void TestExchangeImport::fileProblemsNameTheFile()
{
    QFETCH(bool, create);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, messageStart);
    QTemporaryDir dir;
    const QString path = create ? writeFile(dir, "survey.xml", bytes) : dir.filePath("survey.xml");
    ProjectModel model = modelWithOneOccupation();
    const ProjectModel before = model;
    const Outcome outcome = ReadExchangeFile(path, model);
    QVERIFY(!outcome);
    QVERIFY2(outcome.message.startsWith(messageStart), qPrintable(outcome.message));
    QVERIFY(outcome.message.contains(QStringLiteral("survey.xml")));
    QVERIFY(model == before);
}

void TestExchangeImport::documentImportSetsState()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "a.xml", crlf(rootLine + "\n</JapaneseExchangeFormat>\n"));
    Document document;
    QVERIFY(document.importExchangeFile(path).ok);
    QCOMPARE(document.model().swProgram, QStringLiteral("Trimble Total Control 2.71"));
    QVERIFY(!document.modified());
    QVERIFY(document.notYetSaved());
    QVERIFY(document.projectFileName().isEmpty());
    QCOMPARE(document.caption(), QStringLiteral("Bemsol Ver1.21 - ") + path);
}

void TestExchangeImport::documentKeepsProjectOnRefusal()
{
    QTemporaryDir dir;
    const QString good = writeFile(dir, "good.xml", crlf(rootLine + "\n</JapaneseExchangeFormat>\n"));
    const QString bad = writeFile(dir, "bad.xml", crlf("<JapaneseExchangeFormat>\n"));
    Document document;
    QVERIFY(document.importExchangeFile(good).ok);
    const QString caption = document.caption();
    const ProjectModel before = document.model();
    QVERIFY(!document.importExchangeFile(bad).ok);
    QCOMPARE(document.caption(), caption);
    QVERIFY(document.model() == before);
}

void TestExchangeImport::freshImportDropsPreviousOccupations()
{
    QTemporaryDir dir;
    const QString path =
        writeFile(dir, "no-occupations.xml", crlf(rootLine + "\n</JapaneseExchangeFormat>\n"));
    Document document;
    document.adoptImported(modelWithOneOccupation(), QStringLiteral("old.xml"));
    QCOMPARE(document.model().occupationCount(), 1);
    QVERIFY(document.importExchangeFile(path).ok);
    QCOMPARE(document.model().occupationCount(), 0);
    QCOMPARE(document.model().satelliteCount(), 0);
}

QTEST_GUILESS_MAIN(TestExchangeImport)
#include "tst_exchangeimport.moc"
