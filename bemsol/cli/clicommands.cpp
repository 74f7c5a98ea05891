#include "clicommands.h"

#include "project/document.h"
#include "project/modeljson.h"
#include "project/nametable.h"
#include "project/projectfile.h"

#include <QFile>

#include <cstdio>

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
                              "       bemsol-cli save INPUT.xml|INPUT.dat OUTPUT.dat [--names FILE]"));
    return exitUsage;
}

struct CommandLine
{
    QStringList positional;
    QString namesFile;
    bool valid = true;
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

} // namespace

int RunCliCommand(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return usage();
    const QString command = arguments.first();
    const CommandLine cl = parseOptions(arguments.mid(1));
    if (!cl.valid)
        return usage();
    if (command == u"dump")
        return dump(cl);
    if (command == u"save")
        return save(cl);
    return usage();
}
