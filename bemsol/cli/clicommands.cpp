#include "clicommands.h"

#include "baselinelistcommand.h"

#include "project/document.h"
#include "project/modeljson.h"
#include "project/nametable.h"
#include "project/projectfile.h"
#include "reports/outputrows.h"
#include "reports/reportdatabase.h"
#include "reports/reportjob.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

namespace {

constexpr int exitRefused = 1;
constexpr int exitUsage = 2;

void printError(const QString& message)
{
    std::fputs(message.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

int usage()
{
    printError(QStringLiteral("usage: bemsol-cli dump INPUT.xml|INPUT.dat [--names FILE]\n"
                              "       bemsol-cli save INPUT.xml|INPUT.dat OUTPUT.dat [--names FILE]\n"
                              "       bemsol-cli fieldbook INPUT OUT.pdf [--by-session] [--off LIST] [--db FILE] [--names FILE]\n"
                              "       bemsol-cli record INPUT OUT.pdf [--off LIST] [--db FILE] [--names FILE]\n"
                              "       bemsol-cli baseline-list INPUT OUT.xlsx [--template FILE] [--activate SHEET]"));
    return exitUsage;
}

struct CommandLine
{
    QStringList positional;
    QString namesFile;
    // Options of the report commands.
    bool bySession = false;
    bool hasOff = false;
    QString off;
    QString dbFile;
    bool valid = true;

    bool hasReportOptions() const { return bySession || hasOff || !dbFile.isEmpty(); }
};

CommandLine parseOptions(const QStringList& args)
{
    CommandLine cl;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--names") {
            if (i + 1 >= args.size()) {
                cl.valid = false;
                break;
            }
            cl.namesFile = args[++i];
        } else if (args[i] == u"--by-session") {
            cl.bySession = true;
        } else if (args[i] == u"--off" || args[i] == u"--db") {
            // An empty LIST switches nothing off; an empty database name is a slip.
            if (i + 1 >= args.size() || (args[i] == u"--db" && args[i + 1].isEmpty())) {
                cl.valid = false;
                break;
            }
            if (args[i] == u"--off") {
                cl.hasOff = true;
                cl.off = args[++i];
            } else {
                cl.dbFile = args[++i];
            }
        } else if (args[i].startsWith(u"--")) {
            cl.valid = false;
        } else {
            cl.positional << args[i];
        }
    }
    return cl;
}

// Opens INPUT the way the desktop program's open command does.
Outcome openInput(Document& document, const CommandLine& cl)
{
    if (!cl.namesFile.isEmpty()) {
        if (!QFile::exists(cl.namesFile))
            return Outcome::failure(QStringLiteral("名前変換表がありません: %1").arg(cl.namesFile));
        NameTableLoad load = LoadNameTable(cl.namesFile);
        if (!load.outcome)
            return load.outcome;
        document.setNameTable(std::move(load.table));
    }
    const QString& input = cl.positional.first();
    if (input.endsWith(u".xml"))
        return document.importExchangeFile(input);
    if (input.endsWith(u".dat"))
        return document.openProjectFile(input);
    return Outcome::failure(QStringLiteral("開けない種類のファイルです: %1").arg(input));
}

int dump(const CommandLine& cl)
{
    if (cl.positional.size() != 1)
        return usage();
    Document document;
    const Outcome outcome = openInput(document, cl);
    if (!outcome) {
        printError(outcome.message);
        return exitRefused;
    }
    const QByteArray json = ModelToJson(document.model());
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    return 0;
}

// Imports or loads INPUT and writes it as a project file of the current version.
int save(const CommandLine& cl)
{
    // Only ".dat": a slip of the arguments must not overwrite an exchange file.
    if (cl.positional.size() != 2 || !cl.positional[1].endsWith(u".dat"))
        return usage();
    Document document;
    Outcome outcome = openInput(document, cl);
    if (outcome)
        outcome = SaveProjectFile(document.model(), cl.positional[1]);
    if (!outcome) {
        printError(outcome.message);
        return exitRefused;
    }
    return 0;
}

// The grid as just filled, with the baselines of `list` (comma-separated indices)
// switched to "×".
std::optional<QList<OutputRow>> outputRows(const QString& list, int baselineCount, QString* error)
{
    QSet<int> off;
    if (!list.isEmpty()) {
        for (const QString& item : list.split(u',')) {
            bool ok = false;
            const int index = item.trimmed().toInt(&ok);
            if (!ok || index < 1 || index > baselineCount) {
                *error = QStringLiteral("--off: 基線番号が違います: %1 (1..%2)")
                             .arg(item.trimmed())
                             .arg(baselineCount);
                return std::nullopt;
            }
            off.insert(index);
        }
    }
    return OutputRowsInBaselineOrder(baselineCount, off);
}

// fieldbook and record: fill the report database and write the form as PDF.
int report(const CommandLine& cl, ReportKind kind)
{
    if (cl.positional.size() != 2 || !cl.positional[1].endsWith(u".pdf"))
        return usage();
    Document document;
    Outcome outcome = openInput(document, cl);
    if (!outcome) {
        printError(outcome.message);
        return exitRefused;
    }
    QString error;
    const std::optional<QList<OutputRow>> rows =
        outputRows(cl.off, document.model().baselineCount(), &error);
    if (!rows) {
        printError(error);
        return exitUsage;
    }
    // Without --db a private database, so a batch run never disturbs the desktop's.
    QTemporaryDir scratch;
    const QString dbPath = cl.dbFile.isEmpty()
                               ? scratch.filePath(QString::fromUtf16(ReportDatabase::fileName))
                               : cl.dbFile;
    ReportDatabase database;
    outcome = database.open(dbPath);
    if (outcome)
        outcome = WriteReportPdf(database, kind, document.model(), *rows, cl.positional[1]);
    if (!outcome) {
        printError(outcome.message);
        return exitRefused;
    }
    return 0;
}

} // namespace

int RunCliCommand(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return usage();
    const QString command = arguments.first();
    // baseline-list has options of its own.
    if (command == u"baseline-list")
        return RunBaselineListCommand(arguments.mid(1));
    const CommandLine cl = parseOptions(arguments.mid(1));
    if (!cl.valid)
        return usage();
    if (cl.hasReportOptions() && command != u"fieldbook" && command != u"record")
        return usage();
    if (command == u"dump")
        return dump(cl);
    if (command == u"save")
        return save(cl);
    if (command == u"fieldbook")
        return report(cl, cl.bySession ? ReportKind::FieldBookBySession : ReportKind::FieldBookAll);
    if (command == u"record")
        return cl.bySession ? usage() : report(cl, ReportKind::Record);
    return usage();
}
