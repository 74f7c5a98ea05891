#include "outputcommands.h"

#include "baselinelist.h"
#include "legacyconversion.h"
#include "templatefiles.h"
#include "xlsxworkbook.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

using App = SheetTemplate::Application;

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

Outcome openCopy(const QString& templatePath, const QByteArray& bytes, const QString& suffix,
                 App application, const OutputEnvironment& env)
{
    const QString base = QFileInfo(templatePath).completeBaseName();
    const Result<QString> copy = CreateWorkingCopy(env.workDir, base, suffix, bytes);
    if (!copy)
        return copy.outcome();
    if (!env.openDocument || !env.openDocument(*copy)) {
        const QString kind = application == App::WordProcessor ? QStringLiteral("文書") : QStringLiteral("ブック");
        return Outcome::failure(QStringLiteral("%1を開くアプリケーションがないか、起動できません: %2")
                                    .arg(kind, shown(*copy)));
    }
    return Outcome::success();
}

Outcome openTemplate(const SheetTemplate& t, const OutputEnvironment& env)
{
    const auto path = FindTemplate(env.files, t.fileName);
    if (!path)
        return Outcome::failure(MissingTemplateMessage(env.files, t.fileName));
    const auto bytes = ReadTemplateBytes(*path);
    if (!bytes)
        return bytes.outcome();
    return openCopy(*path, *bytes, u'.' + QFileInfo(*path).suffix(), t.application, env);
}

Outcome fillAndOpen(const SheetTemplate& t, const ProjectModel& model, const OutputEnvironment& env)
{
    const auto path = FindFillableTemplate(env.files, t.fileName, !env.soffice.isEmpty());
    if (!path)
        return Outcome::failure(MissingTemplateMessage(env.files, t.fileName));
    // A project without baselines writes no list: nothing to wait for.
    const bool writesList = model.baselineCount() > 0;
    if (writesList && env.beginWait)
        env.beginWait();
    const Result<FilledWorkbook> filled = FillBaselineWorkbook(*path, model, t.activatedSheet, env.soffice);
    if (writesList && env.endWait)
        env.endWait();
    if (!filled)
        return filled.outcome();
    const Outcome opened = openCopy(*path, filled->bytes, QStringLiteral(".xlsx"), t.application, env);
    return opened ? Outcome::successWithWarning(filled->warning) : opened;
}

Outcome startDravel(const OutputEnvironment& env)
{
    const QString program = QDir(env.files.programDir()).filePath(DravelProgramName());
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable())
        return Outcome::failure(QStringLiteral("数値成果ファイル出力のプログラムがありません: %1").arg(shown(program)));
    if (!env.startDetached || !env.startDetached(program))
        return Outcome::failure(QStringLiteral("数値成果ファイル出力のプログラムを起動できません: %1").arg(shown(program)));
    return Outcome::success();
}

} // namespace

const QList<SheetTemplate>& SheetTemplates()
{
    static const QList<SheetTemplate> list{
        {OutputCommand::TenkenKatei, QStringLiteral("miTenkenKatei"), QStringLiteral("点検計算書（仮定網）"),
         App::Spreadsheet, QStringLiteral("tenken-katei.xls"), false, {}},
        {OutputCommand::TenkenTyoufuku, QStringLiteral("miTenkenTyoufuku"),
         QStringLiteral("点検計算書（重複基線較差）"), App::Spreadsheet, QStringLiteral("kisenkakusa.xls"), true,
         QStringLiteral("重複基線較差")},
        {OutputCommand::TenkenKanheigou, QStringLiteral("miTenkenKanheigou"), QStringLiteral("点検計算書（環閉合）"),
         App::Spreadsheet, QStringLiteral("kisenkakusa.xls"), true, QStringLiteral("環閉合")},
        {OutputCommand::TenkenDensi, QStringLiteral("miTenkenDensi"), QStringLiteral("点検計算書（電子基準点）"),
         App::Spreadsheet, QStringLiteral("kisenkakusa.xls"), true, QStringLiteral("電子基準点点検")},
        {OutputCommand::Seido, QStringLiteral("miSeido"), QStringLiteral("精度管理表"), App::WordProcessor,
         QStringLiteral("seidokanri.doc"), false, {}},
        {OutputCommand::SeidoTenken, QStringLiteral("miSeidoTenken"), QStringLiteral("精度管理計算書（点検測量）"),
         App::Spreadsheet, QStringLiteral("kisenkakusa.xls"), true, QStringLiteral("精度管理表(副表-点検測量)")},
        {OutputCommand::SeidoKatei, QStringLiteral("miSeidoKatei"),
         QStringLiteral("精度管理計算書（仮定・実用_偏差）"), App::Spreadsheet, QStringLiteral("seido-fuku.xls"), false,
         {}},
        {OutputCommand::KijuntenSeika, QStringLiteral("miKijuntenSeika"), QStringLiteral("基準点成果表"),
         App::Spreadsheet, QStringLiteral("kijuntenseika.xls"), false, {}},
        {OutputCommand::SuutiSeika, QStringLiteral("miSuutiSeika"), QStringLiteral("数値成果ファイル出力"),
         App::NumericDataTool, DravelProgramName(), false, {}},
    };
    return list;
}

const SheetTemplate& SheetTemplateOf(OutputCommand command)
{
    for (const SheetTemplate& t : SheetTemplates())
        if (t.command == command)
            return t;
    return SheetTemplates().front(); // unreachable: every command is in the table
}

QString DravelProgramName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("dravel.exe");
#else
    return QStringLiteral("dravel");
#endif
}

OutputEnvironment DefaultOutputEnvironment()
{
    OutputEnvironment env;
    env.files = FileLocations::ForRunningProgram();
    // Working copies pile up with every command; they belong to the user, not beside a
    // shared program.
    env.workDir = QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
                      .filePath(QStringLiteral("outputs"));
    env.soffice = FindSoffice();
    env.openDocument = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    env.startDetached = [dir = env.files.programDir()](const QString& program) {
        return QProcess::startDetached(program, {}, dir);
    };
    return env;
}

Result<FilledWorkbook> FillBaselineWorkbook(const QString& templatePath, const ProjectModel& model,
                                            const QString& activateSheet, const QString& soffice)
{
    const QString name = QFileInfo(templatePath).fileName();
    auto fail = [](const QString& message) { return Outcome::failure(message); };

    // What is missing is LibreOffice, or the template in its .xlsx form.
    if (IsLegacyWorkbook(templatePath) && soffice.isEmpty())
        return fail(QStringLiteral("%1 は古い Excel 形式のテンプレートです。読み込むには LibreOffice が"
                                   "必要ですが、見つかりません。LibreOffice を入れるか、%2 を置いてください。")
                        .arg(shown(templatePath), shown(templatePath + u'x')));
    const Result<QByteArray> bytes = IsLegacyWorkbook(templatePath)
                                         ? ConvertLegacyWorkbook(soffice, templatePath)
                                         : ReadTemplateBytes(templatePath);
    if (!bytes)
        return bytes.outcome();

    auto book = XlsxWorkbook::fromBytes(*bytes);
    if (!book)
        return fail(QStringLiteral("テンプレートを読めません: %1\n%2").arg(shown(templatePath), book.message()));

    // Every sheet the command needs is checked before anything is written.
    if (!activateSheet.isEmpty() && !book->sheet(activateSheet))
        return fail(QStringLiteral("%1: %2").arg(MissingSheetMessage(activateSheet), name));

    // The sheet in front is chosen first, while "基線一覧" is still the template's small
    // part: choosing it afterwards would rewrite the filled list once more to clear its
    // tab. The workbook that comes out is the same.
    if (!activateSheet.isEmpty()) {
        const Outcome activated = book->activate(activateSheet);
        if (!activated)
            return fail(QStringLiteral("%1: %2").arg(activated.message, name));
    }
    const BaselineListRows list = WriteBaselineList(model);
    if (!list.rows.isEmpty()) {
        const QString sheet = baselineListSheet();
        if (!book->sheet(sheet))
            return fail(QStringLiteral("%1: %2").arg(MissingSheetMessage(sheet), name));
        const Outcome written = book->writeRows(sheet, list.rows);
        if (!written)
            return fail(QStringLiteral("%1: %2").arg(written.message, name));
    }
    const Outcome recalc = book->recalculateOnOpen();
    if (!recalc)
        return fail(QStringLiteral("%1: %2").arg(recalc.message, name));

    auto out = book->toBytes();
    if (!out)
        return fail(QStringLiteral("ブックを作れません: %1").arg(out.message()));
    return FilledWorkbook{std::move(*out), list.warning()};
}

Outcome RunOutputCommand(OutputCommand command, const ProjectModel& model,
                         const OutputEnvironment& environment)
{
    const SheetTemplate& t = SheetTemplateOf(command);
    if (t.application == App::NumericDataTool)
        return startDravel(environment);
    if (t.fillsBaselineList)
        return fillAndOpen(t, model, environment);
    return openTemplate(t, environment);
}
