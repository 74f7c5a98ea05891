#include "clicommands.h"

#include "baselinelistcommand.h"
#include "checkscommand.h"
#include "cliarguments.h"
#include "diagramcommand.h"

#include "document/document.h"
#include "project/modeljson.h"
#include "project/projectfile.h"
#include "reports/outputrows.h"
#include "reports/reportdatabase.h"
#include "reports/reportjob.h"

#include <QFile>
#include <QTemporaryDir>


namespace {

int usage()
{
    PrintError(QStringLiteral("usage: bemsol-cli dump INPUT.xml|INPUT.dat [--names FILE]\n"
                              "       bemsol-cli save INPUT.xml|INPUT.dat OUTPUT.dat [--names FILE|--no-names]\n"
                              "       bemsol-cli fieldbook INPUT OUT.pdf [--by-session] [--off LIST] [--db FILE] [--names FILE|--no-names]\n"
                              "       bemsol-cli record INPUT OUT.pdf [--off LIST] [--db FILE] [--names FILE|--no-names]\n"
                              "       bemsol-cli baseline-list INPUT OUT.xlsx [--template FILE] [--activate SHEET] [--names FILE|--no-names]\n"
                              "       bemsol-cli checks INPUT [--names FILE|--no-names] [--off LIST] [--class 1|2|3|4] [--method static|short-static] [--json] [--pdf OUT.pdf]\n"
                              "       bemsol-cli diagram INPUT OUT.pdf|OUT.svg [--names FILE|--no-names] [--off LIST] [--zone N] [--json]"));
    return exitUsage;
}

// Shows the file as read unless a name table is named.
int dump(const CliArguments& cl)
{
    if (cl.positional.size() != 1)
        return usage();
    Document document;
    const Outcome outcome = OpenCliInput(document, cl, DefaultNameTable::None);
    if (!outcome) {
        PrintError(outcome.message);
        return exitRefused;
    }
    PrintOutput(ModelToJson(document.model()));
    EndProcessKeepingProject(exitDone);
}

// Imports or loads INPUT and writes it as a project file of the current version.
int save(const CliArguments& cl)
{
    // Only ".dat": a slip of the arguments must not overwrite an exchange file.
    if (cl.positional.size() != 2 || !cl.positional[1].endsWith(u".dat"))
        return usage();
    Document document;
    Outcome outcome = OpenCliInput(document, cl, DefaultNameTable::BesideProgram);
    if (outcome)
        outcome = SaveProjectFile(document.model(), cl.positional[1]);
    if (!outcome) {
        PrintError(outcome.message);
        return exitRefused;
    }
    EndProcessKeepingProject(exitDone);
}

// fieldbook and record: fill the report database and write the form as PDF.
int report(const CliArguments& cl, ReportKind kind)
{
    if (cl.positional.size() != 2 || !cl.positional[1].endsWith(u".pdf"))
        return usage();
    Document document;
    const CliInput input = OpenCliInputWithOff(document, cl);
    if (!input)
        return input.exitCode;
    // The grid as just filled, with the baselines of --off switched to "×".
    const QList<OutputRow> rows = OutputRowsInBaselineOrder(document.model().baselineCount(), input.off);
    // Without --db a private database, so a batch run never disturbs the desktop's.
    QTemporaryDir scratch;
    const QString dbFile = cl.value(QStringLiteral("--db"));
    const QString dbPath = dbFile.isEmpty()
                               ? scratch.filePath(QString::fromUtf16(ReportDatabase::fileName))
                               : dbFile;
    ReportDatabase database;
    Outcome outcome = database.open(dbPath);
    if (outcome)
        outcome = WriteReportPdf(database, kind, document.model(), rows, cl.positional[1]);
    if (!outcome) {
        PrintError(outcome.message);
        return exitRefused;
    }
    return exitDone;
}

} // namespace

int RunCliCommand(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return usage();
    const QString command = arguments.first();
    const QStringList rest = arguments.mid(1);
    // Commands with options of their own.
    if (command == u"baseline-list")
        return RunBaselineListCommand(rest);
    if (command == u"checks")
        return RunChecksCommand(rest);
    if (command == u"diagram")
        return RunDiagramCommand(rest);
    const bool isReport = command == u"fieldbook" || command == u"record";
    QStringList valueOptions{QStringLiteral("--names")};
    QStringList flagOptions{QStringLiteral("--no-names")};
    if (isReport) {
        valueOptions << QStringLiteral("--off") << QStringLiteral("--db");
        if (command == u"fieldbook")
            flagOptions << QStringLiteral("--by-session");
    }
    // An empty LIST switches nothing off; an empty database name is a slip.
    const CliArguments cl =
        ParseCliArguments(rest, valueOptions, flagOptions, {QStringLiteral("--off")});
    if (!cl.valid)
        return usage();
    if (command == u"dump")
        return dump(cl);
    if (command == u"save")
        return save(cl);
    if (command == u"fieldbook")
        return report(cl, cl.has(QStringLiteral("--by-session")) ? ReportKind::FieldBookBySession
                                                                 : ReportKind::FieldBookAll);
    if (command == u"record")
        return report(cl, ReportKind::Record);
    return usage();
}
