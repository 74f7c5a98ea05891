#include "outputdesk.h"
#include "outputfixture.h"
#include "outputs/baselinelist.h"
#include "outputs/legacyconversion.h"
#include "outputs/outputcommands.h"
#include "outputs/sheetreader.h"
#include "outputs/xlsxworkbook.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool isReadOnly(const QString& path)
{
    // The mode bits, not whether this user may write: root may write anything.
    const auto p = QFileInfo(path).permissions();
    return !(p & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther));
}

} // namespace

class TestOutputCommands : public QObject
{
    Q_OBJECT

private slots:
    void fillCommands_data();
    void fillCommands();
    void openOnlyCommands_data();
    void openOnlyCommands();
    void everyRunGetsAFreshCopy();
    void missingTemplateIsNamed_data();
    void missingTemplateIsNamed();
    void templateWithoutTheSheet();
    void failedOpenIsReported();
    void legacyTemplateWithoutLibreOffice_data();
    void legacyTemplateWithoutLibreOffice();
    void legacyTemplateTakesPrecedence();
    void legacyTemplateConvertedByLibreOffice();
    void startsDravel();
    void missingDravelIsNamed_data();
    void missingDravelIsNamed();
    void commandLine();
    void waitOnlyWhileTheListIsWritten_data();
    void waitOnlyWhileTheListIsWritten();
};

void TestOutputCommands::fillCommands_data()
{
    QTest::addColumn<int>("command");
    for (const SheetTemplate& t : SheetTemplates())
        if (t.fillsBaselineList)
            QTest::newRow(qPrintable(t.control)) << int(t.command);
}

void TestOutputCommands::fillCommands()
{
    QFETCH(int, command);
    const SheetTemplate& t = SheetTemplateOf(OutputCommand(command));
    Desk desk;
    const auto before = desk.programFolder();
    const ProjectModel model = outputFixtureProject();
    const ProjectModel untouched = model;

    const Outcome outcome = RunOutputCommand(t.command, model, desk.environment());
    QVERIFY2(outcome, qPrintable(outcome.message));
    // Two rows of the fixture cannot be completed; the fill goes on and says so once.
    QCOMPARE(outcome.warning(), IncompleteRowsMessage(2));

    QCOMPARE(desk.opened.size(), 1);
    const QString copy = desk.opened.first();
    QVERIFY(copy.startsWith(desk.work.path()));
    QVERIFY(copy.endsWith(u".xlsx"));
    QVERIFY(isReadOnly(copy));

    const auto book = XlsxWorkbook::fromFile(copy);
    QVERIFY2(book, qPrintable(book.message()));
    QCOMPARE(book->activeSheetName(), t.activatedSheet);
    const auto cells = ReadSheetCells(*book, QStringLiteral("基線一覧"));
    QVERIFY2(cells, qPrintable(cells.message()));
    QCOMPARE(cells->value({2, 1}).text, QStringLiteral("A1"));
    QCOMPARE(cells->value({5, 4}).text, QStringLiteral("P4"));

    QCOMPARE(desk.programFolder(), before); // templates untouched, nothing left beside them
    QCOMPARE(model, untouched);
}

void TestOutputCommands::openOnlyCommands_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("templateName");
    QTest::newRow("miTenkenKatei") << int(OutputCommand::TenkenKatei) << "tenken-katei.xlsx";
    QTest::newRow("miSeido") << int(OutputCommand::Seido) << "seidokanri.docx";
    QTest::newRow("miSeidoKatei") << int(OutputCommand::SeidoKatei) << "seido-fuku.xlsx";
    QTest::newRow("miKijuntenSeika") << int(OutputCommand::KijuntenSeika) << "kijuntenseika.xlsx";
}

void TestOutputCommands::openOnlyCommands()
{
    QFETCH(int, command);
    QFETCH(QString, templateName);
    Desk desk;
    const auto before = desk.programFolder();
    const Outcome outcome = RunOutputCommand(OutputCommand(command), outputFixtureProject(), desk.environment());
    QVERIFY2(outcome, qPrintable(outcome.message));
    QVERIFY(outcome.message.isEmpty());
    QCOMPARE(desk.opened.size(), 1);
    const QString copy = desk.opened.first();
    QCOMPARE(QFileInfo(copy).suffix(), QFileInfo(templateName).suffix());
    QVERIFY(isReadOnly(copy));
    // Opened as it is: nothing of the project goes into these.
    QCOMPARE(readFile(copy), readFile(desk.program.filePath(templateName)));
    QCOMPARE(desk.programFolder(), before);
    QVERIFY(desk.started.isEmpty());
}

void TestOutputCommands::everyRunGetsAFreshCopy()
{
    Desk desk;
    const auto env = desk.environment();
    for (int i = 0; i < 3; ++i)
        QVERIFY(RunOutputCommand(OutputCommand::TenkenKanheigou, ProjectModel{}, env));
    QCOMPARE(desk.opened.size(), 3);
    QCOMPARE(QSet<QString>(desk.opened.begin(), desk.opened.end()).size(), 3);
    QCOMPARE(desk.workingCopies().size(), 3);
    for (const QString& path : desk.opened)
        QVERIFY(XlsxWorkbook::fromFile(path));
}

void TestOutputCommands::missingTemplateIsNamed_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QString>("named");
    QTest::newRow("fill") << int(OutputCommand::TenkenDensi) << "kisenkakusa.xlsx" << "kisenkakusa.xls";
    QTest::newRow("open") << int(OutputCommand::KijuntenSeika) << "kijuntenseika.xlsx" << "kijuntenseika.xls";
    QTest::newRow("document") << int(OutputCommand::Seido) << "seidokanri.docx" << "seidokanri.doc";
}

void TestOutputCommands::missingTemplateIsNamed()
{
    QFETCH(int, command);
    QFETCH(QString, removed);
    QFETCH(QString, named);
    Desk desk;
    QVERIFY(QFile::remove(desk.program.filePath(removed)));
    const Outcome outcome = RunOutputCommand(OutputCommand(command), outputFixtureProject(), desk.environment());
    QVERIFY(!outcome);
    QVERIFY2(outcome.message.contains(named), qPrintable(outcome.message));
    QVERIFY(outcome.message.contains(removed));
    QVERIFY(desk.opened.isEmpty());
    QVERIFY(desk.workingCopies().isEmpty());
}

void TestOutputCommands::templateWithoutTheSheet()
{
    Desk desk;
    // A workbook of the right name but without the check sheets.
    QVERIFY(QFile::remove(desk.program.filePath(QStringLiteral("kisenkakusa.xlsx"))));
    QVERIFY(QFile::copy(desk.program.filePath(QStringLiteral("tenken-katei.xlsx")),
                        desk.program.filePath(QStringLiteral("kisenkakusa.xlsx"))));
    const Outcome outcome =
        RunOutputCommand(OutputCommand::TenkenTyoufuku, outputFixtureProject(), desk.environment());
    QVERIFY(!outcome);
    QVERIFY2(outcome.message.contains(u"重複基線較差"), qPrintable(outcome.message));
    QVERIFY(desk.opened.isEmpty());
    QVERIFY(desk.workingCopies().isEmpty());
}

void TestOutputCommands::failedOpenIsReported()
{
    Desk desk;
    desk.openSucceeds = false;
    const Outcome outcome = RunOutputCommand(OutputCommand::SeidoTenken, outputFixtureProject(), desk.environment());
    QVERIFY(!outcome);
    QCOMPARE(desk.opened.size(), 1);
    QVERIFY2(outcome.message.contains(QDir::toNativeSeparators(desk.opened.first())), qPrintable(outcome.message));
}

void TestOutputCommands::legacyTemplateWithoutLibreOffice_data()
{
    QTest::addColumn<bool>("newerBeside"); // kisenkakusa.xlsx beside kisenkakusa.xls
    QTest::newRow("beside its .xlsx form") << true;
    QTest::newRow("alone") << false;
}

void TestOutputCommands::legacyTemplateWithoutLibreOffice()
{
    QFETCH(bool, newerBeside);
    Desk desk;
    const QString newer = desk.program.filePath(QStringLiteral("kisenkakusa.xlsx"));
    if (!newerBeside)
        QVERIFY(QFile::remove(newer));
    QFile legacy(desk.program.filePath(QStringLiteral("kisenkakusa.xls")));
    QVERIFY(legacy.open(QIODevice::WriteOnly));
    legacy.write("\xD0\xCF\x11\xE0 an old binary workbook");
    legacy.close();
    const Outcome outcome = RunOutputCommand(OutputCommand::TenkenKanheigou, outputFixtureProject(), desk.environment());

    if (newerBeside) {
        // Without a converter the .xlsx the user placed is filled.
        QVERIFY2(outcome, qPrintable(outcome.message));
        QCOMPARE(desk.opened.size(), 1);
        const auto book = XlsxWorkbook::fromFile(desk.opened.first());
        QVERIFY2(book, qPrintable(book.message()));
        QCOMPARE(book->activeSheetName(), QStringLiteral("環閉合"));
        const auto cells = ReadSheetCells(*book, QStringLiteral("基線一覧"));
        QVERIFY2(cells, qPrintable(cells.message()));
        QCOMPARE(cells->value({2, 1}).text, QStringLiteral("A1"));
        return;
    }
    // What is missing, by name: LibreOffice, or the template's .xlsx form.
    QVERIFY(!outcome);
    QVERIFY2(outcome.message.contains(u"LibreOffice") && outcome.message.contains(QDir::toNativeSeparators(newer)),
             qPrintable(outcome.message));
    QVERIFY(desk.opened.isEmpty());
    QVERIFY(desk.workingCopies().isEmpty());
}

void TestOutputCommands::legacyTemplateTakesPrecedence()
{
    // The literal name comes first; a template that is only opened needs no conversion.
    Desk desk;
    QFile legacy(desk.program.filePath(QStringLiteral("tenken-katei.xls")));
    QVERIFY(legacy.open(QIODevice::WriteOnly));
    legacy.write("\xD0\xCF\x11\xE0 the organisation's own");
    legacy.close();
    QVERIFY(RunOutputCommand(OutputCommand::TenkenKatei, ProjectModel{}, desk.environment()));
    QCOMPARE(desk.opened.size(), 1);
    QVERIFY(desk.opened.first().endsWith(u".xls"));
    QCOMPARE(readFile(desk.opened.first()), QByteArray("\xD0\xCF\x11\xE0 the organisation's own"));
}

void TestOutputCommands::legacyTemplateConvertedByLibreOffice()
{
    const QString soffice = FindSoffice();
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: scripts/install-deps installs libreoffice-calc-nogui");

    // A real legacy workbook, made from our template by LibreOffice itself.
    QTemporaryDir make;
    QProcess p;
    p.start(soffice, {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(make.filePath(QStringLiteral("profile"))).toString(),
                      QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("xls"),
                      QStringLiteral("--outdir"), make.path(), QStringLiteral(SOURCE_DIR "/share/kisenkakusa.xlsx")});
    QVERIFY(p.waitForFinished(180000));
    const QString xls = make.filePath(QStringLiteral("kisenkakusa.xls"));
    QVERIFY2(QFileInfo::exists(xls), p.readAll().constData());

    Desk desk;
    QVERIFY(QFile::copy(xls, desk.program.filePath(QStringLiteral("kisenkakusa.xls"))));
    const auto before = desk.programFolder();
    const Outcome outcome =
        RunOutputCommand(OutputCommand::TenkenKanheigou, outputFixtureProject(), desk.environment(soffice));
    QVERIFY2(outcome, qPrintable(outcome.message));
    QCOMPARE(desk.opened.size(), 1);
    QVERIFY(desk.opened.first().endsWith(u".xlsx"));
    const auto book = XlsxWorkbook::fromFile(desk.opened.first());
    QVERIFY2(book, qPrintable(book.message()));
    QCOMPARE(book->activeSheetName(), QStringLiteral("環閉合"));
    const auto cells = ReadSheetCells(*book, QStringLiteral("基線一覧"));
    QVERIFY2(cells, qPrintable(cells.message()));
    QCOMPARE(cells->value({1, 1}).text, QStringLiteral("セッション名"));
    QCOMPARE(cells->value({2, 3}).text, QStringLiteral("筑波山"));
    // LibreOffice worked on a copy: no lock file or anything else beside the template.
    QCOMPARE(desk.programFolder(), before);
}

void TestOutputCommands::startsDravel()
{
    Desk desk;
    const QString dravel = desk.program.filePath(DravelProgramName());
    QFile f(dravel);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nexit 0\n");
    f.close();
    QVERIFY(f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser));

    QVERIFY(RunOutputCommand(OutputCommand::SuutiSeika, outputFixtureProject(), desk.environment()));
    QCOMPARE(desk.started, QStringList{dravel});
    QVERIFY(desk.opened.isEmpty());

    desk.startSucceeds = false;
    const Outcome failed = RunOutputCommand(OutputCommand::SuutiSeika, outputFixtureProject(), desk.environment());
    QVERIFY(!failed);
    QVERIFY(failed.message.contains(QDir::toNativeSeparators(dravel)));
}

void TestOutputCommands::missingDravelIsNamed_data()
{
    QTest::addColumn<bool>("present"); // present but not executable
    QTest::newRow("absent") << false;
    QTest::newRow("not executable") << true;
}

void TestOutputCommands::missingDravelIsNamed()
{
    QFETCH(bool, present);
    Desk desk;
    const QString dravel = desk.program.filePath(DravelProgramName());
    if (present) {
        QFile f(dravel);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a program");
        f.close();
        QVERIFY(f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }
    const Outcome outcome = RunOutputCommand(OutputCommand::SuutiSeika, outputFixtureProject(), desk.environment());
    QVERIFY(!outcome);
    QVERIFY2(outcome.message.contains(QDir::toNativeSeparators(dravel)), qPrintable(outcome.message));
    QVERIFY(desk.started.isEmpty());
}

void TestOutputCommands::commandLine()
{
    QTemporaryDir dir;
    const QString templateFile = dir.filePath(QStringLiteral("template.xlsx"));
    QVERIFY(QFile::copy(QStringLiteral(SOURCE_DIR "/share/kisenkakusa.xlsx"), templateFile));
    const FileState templateBefore = stateOf(templateFile);
    const QString out = dir.filePath(QStringLiteral("list.xlsx"));
    auto run = [](const QStringList& args, QByteArray* err = nullptr) {
        QProcess p;
        p.start(QStringLiteral(BIN_DIR "/bemsol-cli"), QStringList{QStringLiteral("baseline-list")} + args);
        p.waitForFinished(60000);
        if (err)
            *err = p.readAllStandardError();
        return p.exitCode();
    };
    const QString input = QStringLiteral(TEST_DATA_DIR "/small-survey.xml");

    QCOMPARE(run({input, out, QStringLiteral("--template"), templateFile, QStringLiteral("--activate"),
                  QStringLiteral("電子基準点点検")}),
             0);
    const auto book = XlsxWorkbook::fromFile(out);
    QVERIFY2(book, qPrintable(book.message()));
    QCOMPARE(book->activeSheetName(), QStringLiteral("電子基準点点検"));
    const auto cells = ReadSheetCells(*book, QStringLiteral("基線一覧"));
    QVERIFY(cells);
    QVERIFY(cells->contains({2, 1}));
    QCOMPARE(cells->value({2, 11}).kind, StoredCell::Kind::Number);
    QVERIFY(!isReadOnly(out)); // the user's own file

    QByteArray err;
    QCOMPARE(run({input, dir.filePath(QStringLiteral("list.xls")), QStringLiteral("--template"), templateFile}), 2);
    QCOMPARE(run({input, out, QStringLiteral("--activate")}), 2);
    QCOMPARE(run({input, templateFile, QStringLiteral("--template"), templateFile}, &err), 1);
    QVERIFY(!err.isEmpty());
    QCOMPARE(run({input, out, QStringLiteral("--template"), templateFile, QStringLiteral("--activate"),
                  QStringLiteral("無いシート")},
                 &err),
             1);
    QVERIFY(QString::fromLocal8Bit(err).contains(u"無いシート"));
    QCOMPARE(stateOf(templateFile), templateBefore);
}

void TestOutputCommands::waitOnlyWhileTheListIsWritten_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("withBaselines");
    QTest::addColumn<bool>("templatePresent");
    QTest::addColumn<QStringList>("events");

    const QStringList filled{"wait", "done", "open"};
    QTest::newRow("list written") << int(OutputCommand::TenkenTyoufuku) << true << true << filled;
    QTest::newRow("list of another check sheet") << int(OutputCommand::SeidoTenken) << true << true << filled;
    QTest::newRow("no baselines, no list") << int(OutputCommand::TenkenKanheigou) << false << true
                                           << QStringList{"open"};
    QTest::newRow("template missing") << int(OutputCommand::TenkenDensi) << true << false << QStringList{};
    QTest::newRow("template only opened") << int(OutputCommand::KijuntenSeika) << true << true
                                          << QStringList{"open"};
    QTest::newRow("document only opened") << int(OutputCommand::Seido) << true << true << QStringList{"open"};
    QTest::newRow("numeric data tool") << int(OutputCommand::SuutiSeika) << true << true
                                       << QStringList{"start"};
}

void TestOutputCommands::waitOnlyWhileTheListIsWritten()
{
    QFETCH(int, command);
    QFETCH(bool, withBaselines);
    QFETCH(bool, templatePresent);
    QFETCH(QStringList, events);
    Desk desk;
    desk.placeDravel();
    if (!templatePresent)
        QVERIFY(QFile::remove(desk.program.filePath(QStringLiteral("kisenkakusa.xlsx"))));
    const ProjectModel model = withBaselines ? outputFixtureProject() : ProjectModel{};
    RunOutputCommand(OutputCommand(command), model, desk.environment());
    QCOMPARE(desk.events, events);
}

QTEST_GUILESS_MAIN(TestOutputCommands)
#include "tst_outputcommands.moc"
