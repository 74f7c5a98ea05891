#include "baselinelistcommand.h"
#include "cliarguments.h"

#include "outputs/filledworkbookfile.h"
#include "outputs/legacyconversion.h"
#include "outputs/outputcommands.h"
#include "outputs/templatefiles.h"
#include "document/document.h"

#include <QFileInfo>


namespace {

int usage()
{
    PrintError(QStringLiteral("usage: bemsol-cli baseline-list INPUT.xml|INPUT.dat OUT.xlsx "
                              "[--template FILE] [--activate SHEET] [--names FILE|--no-names]"));
    return exitUsage;
}

bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
}

} // namespace

int RunBaselineListCommand(const QStringList& arguments)
{
    const CliArguments cl = ParseCliArguments(
        arguments,
        {QStringLiteral("--template"), QStringLiteral("--activate"), QStringLiteral("--names")},
        {QStringLiteral("--no-names")});
    if (!cl.valid)
        return usage();
    const QStringList& positional = cl.positional;
    QString templatePath = cl.value(QStringLiteral("--template"));
    const QString activate = cl.value(QStringLiteral("--activate"));
    // Only ".xlsx": a slip of the arguments must not overwrite the input.
    if (positional.size() != 2 || !positional[1].endsWith(u".xlsx"))
        return usage();
    const QString& output = positional[1];

    const QString soffice = FindSoffice();
    if (templatePath.isEmpty()) {
        const FileLocations files = FileLocations::ForRunningProgram();
        const auto found = FindFillableTemplate(files, QStringLiteral("kisenkakusa.xls"), !soffice.isEmpty());
        if (!found) {
            PrintError(MissingTemplateMessage(files, QStringLiteral("kisenkakusa.xls")));
            return exitRefused;
        }
        templatePath = *found;
    } else if (!QFileInfo(templatePath).isFile()) {
        PrintError(QStringLiteral("テンプレートファイルがありません: %1").arg(templatePath));
        return exitRefused;
    }
    if (sameFile(templatePath, output)) {
        PrintError(QStringLiteral("テンプレートには書き込みません: %1").arg(output));
        return exitRefused;
    }

    Document document;
    const Outcome opened = OpenCliInput(document, cl, DefaultNameTable::BesideProgram);
    if (!opened) {
        PrintError(opened.message);
        return exitRefused;
    }
    const Result<FilledWorkbook> filled = FillBaselineWorkbook(templatePath, document.model(), activate, soffice);
    if (!filled) {
        PrintError(filled.message());
        return exitRefused;
    }
    if (const Outcome saved = SaveFilledWorkbook(output, filled->bytes); !saved) {
        PrintError(saved.message);
        return exitRefused;
    }
    if (!filled->warning.isEmpty())
        PrintError(filled->warning);
    return exitDone;
}
