#include "baselinelistcommand.h"

#include "outputs/legacyconversion.h"
#include "outputs/outputcommands.h"
#include "outputs/templatefiles.h"
#include "project/document.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace {

void printError(const QString& message)
{
    std::fputs(message.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

int usage()
{
    printError(QStringLiteral(
        "usage: bemsol-cli baseline-list INPUT.xml|INPUT.dat OUT.xlsx [--template FILE] [--activate SHEET]"));
    return 2;
}

Outcome openInput(Document& document, const QString& input)
{
    if (input.endsWith(u".xml"))
        return document.importExchangeFile(input);
    if (input.endsWith(u".dat"))
        return document.openProjectFile(input);
    return Outcome::failure(QStringLiteral("開けない種類のファイルです: %1").arg(input));
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
    QStringList positional;
    QString templatePath;
    QString activate;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"--template" || a == u"--activate") {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty())
                return usage();
            (a == u"--template" ? templatePath : activate) = arguments[++i];
        } else if (a.startsWith(u"--")) {
            return usage();
        } else {
            positional << a;
        }
    }
    // Only ".xlsx": a slip of the arguments must not overwrite the input.
    if (positional.size() != 2 || !positional[1].endsWith(u".xlsx"))
        return usage();
    const QString& output = positional[1];

    if (templatePath.isEmpty()) {
        const QString dir = QCoreApplication::applicationDirPath();
        const auto found = FindTemplate(dir, QStringLiteral("kisenkakusa.xls"));
        if (!found) {
            printError(MissingTemplateMessage(dir, QStringLiteral("kisenkakusa.xls")));
            return 1;
        }
        templatePath = *found;
    } else if (!QFileInfo(templatePath).isFile()) {
        printError(QStringLiteral("テンプレートファイルがありません: %1").arg(templatePath));
        return 1;
    }
    if (sameFile(templatePath, output)) {
        printError(QStringLiteral("テンプレートには書き込みません: %1").arg(output));
        return 1;
    }

    Document document;
    const Outcome opened = openInput(document, positional[0]);
    if (!opened) {
        printError(opened.message);
        return 1;
    }
    const FilledWorkbook filled = FillBaselineWorkbook(templatePath, document.model(), activate, FindSoffice());
    if (!filled.outcome) {
        printError(filled.outcome.message);
        return 1;
    }
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || file.write(filled.bytes) != filled.bytes.size() || !file.commit()) {
        printError(QStringLiteral("ファイルを書き込めません: %1\n%2").arg(output, file.errorString()));
        return 1;
    }
    if (!filled.outcome.message.isEmpty())
        printError(filled.outcome.message);
    return 0;
}
