#pragma once

#include "model/filelocations.h"
#include "model/outcome.h"
#include "model/projectmodel.h"

#include <QList>
#include <QString>

#include <functional>

// The nine commands of the menu 成果出力(&A), in menu order.
enum class OutputCommand {
    TenkenKatei,     // 点検計算書（仮定網）
    TenkenTyoufuku,  // 点検計算書（重複基線較差）
    TenkenKanheigou, // 点検計算書（環閉合）
    TenkenDensi,     // 点検計算書（電子基準点）
    Seido,           // 精度管理表
    SeidoTenken,     // 精度管理計算書（点検測量）
    SeidoKatei,      // 精度管理計算書（仮定・実用_偏差）
    KijuntenSeika,   // 基準点成果表
    SuutiSeika,      // 数値成果ファイル出力
};

struct SheetTemplate
{
    enum class Application { Spreadsheet, WordProcessor, NumericDataTool };

    OutputCommand command;
    QString control;      // the menu item's name, "miTenkenKatei"
    QString caption;      // the menu item's caption
    Application application;
    QString fileName;     // template beside the program, or the tool's program name
    bool fillsBaselineList = false;
    QString activatedSheet; // empty: the workbook opens as it was saved
};

// The nine commands in menu order.
const QList<SheetTemplate>& SheetTemplates();
const SheetTemplate& SheetTemplateOf(OutputCommand command);

// Where the commands find their files and how they hand results to the desktop;
// tests replace the two actions so that nothing is launched.
struct OutputEnvironment
{
    FileLocations files; // where templates are found; the dravel program lies beside ours
    QString workDir;    // working copies of the templates are written here
    QString soffice;    // LibreOffice, for legacy .xls templates; empty when absent
    // Opens a file with the desktop's default application; false when that failed.
    std::function<bool(const QString& path)> openDocument;
    // Starts a program as a process of its own, not waited for; false when it failed.
    std::function<bool(const QString& program)> startDetached;
    // Called around the writing of a baseline list, the one step that can take a while;
    // either may be empty.
    std::function<void()> beginWait;
    std::function<void()> endWait;
};

// The running program's file locations, the per-user data directory, LibreOffice when found,
// QDesktopServices and QProcess::startDetached.
OutputEnvironment DefaultOutputEnvironment();

// Runs one command. The project is only read. A failure names the missing template,
// sheet, application or program and leaves everything as it was. A success may carry a
// message too (rows of the baseline list left incomplete) that the user is to see.
Outcome RunOutputCommand(OutputCommand command, const ProjectModel& model,
                         const OutputEnvironment& environment);

// A workbook made by a "基線一覧" command, and the warning the user is to see with it
// (rows of the list left incomplete), empty when there is none.
struct FilledWorkbook
{
    QByteArray bytes;
    QString warning;
};

// The filled workbook of a "基線一覧" command: the template with the project's
// baselines in "基線一覧", `activateSheet` (when not empty) in front and a full
// recalculation on opening. Shared by the menu commands and bemsol-cli.
Result<FilledWorkbook> FillBaselineWorkbook(const QString& templatePath, const ProjectModel& model,
                                            const QString& activateSheet, const QString& soffice);

// The name of the numeric data tool's program beside ours.
QString DravelProgramName();
