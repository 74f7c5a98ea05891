#include "cliarguments.h"

#include "document/document.h"
#include "model/filelocations.h"
#include "project/nametable.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

void PrintError(const QString& message)
{
    std::fputs(message.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

void PrintOutput(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void EndProcessKeepingProject(int exitCode)
{
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(exitCode);
}

CliArguments ParseCliArguments(const QStringList& arguments, const QStringList& valueOptions,
                               const QStringList& flagOptions, const QStringList& emptyAllowed)
{
    CliArguments parsed;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (valueOptions.contains(a)) {
            if (i + 1 >= arguments.size() || (arguments[i + 1].isEmpty() && !emptyAllowed.contains(a))) {
                parsed.valid = false;
                break;
            }
            parsed.values.insert(a, arguments[++i]);
        } else if (flagOptions.contains(a)) {
            parsed.flags.insert(a);
        } else if (a.startsWith(u"--")) {
            parsed.valid = false;
        } else {
            parsed.positional << a;
        }
    }
    if (parsed.has(QStringLiteral("--names")) && parsed.has(QStringLiteral("--no-names")))
        parsed.valid = false;
    return parsed;
}

namespace {

Outcome applyNameTableOption(Document& document, const CliArguments& arguments,
                             DefaultNameTable defaults)
{
    if (arguments.has(QStringLiteral("--no-names")))
        return Outcome::success();
    const QString named = arguments.value(QStringLiteral("--names"));
    if (!named.isEmpty() && !QFile::exists(named))
        return Outcome::failure(QStringLiteral("名前変換表がありません: %1").arg(named));
    QString path = named;
    if (path.isEmpty()) {
        if (defaults == DefaultNameTable::None)
            return Outcome::success();
        const auto found =
            FileLocations::ForRunningProgram().find(QString::fromLatin1(nameTableFileName));
        // No table anywhere converts nothing, as in the window.
        if (!found)
            return Outcome::success();
        path = found->path;
    }
    // A missing table beside the program converts nothing, as in the window.
    Result<NameTable> table = LoadNameTable(path);
    if (!table)
        return table.outcome();
    document.setNameTable(std::move(*table));
    return Outcome::success();
}

} // namespace

Outcome OpenCliInput(Document& document, const CliArguments& arguments, DefaultNameTable defaults)
{
    if (const Outcome names = applyNameTableOption(document, arguments, defaults); !names)
        return names;
    const QString& input = arguments.positional.first();
    Outcome opened = document.open(input);
    // A batch run reads many files: its message names the one refused, also where the
    // window's message box does not.
    const QString shownName = QFileInfo(input).absoluteFilePath();
    if (!opened && !opened.message.contains(shownName) && !opened.message.contains(input))
        opened.message += QStringLiteral(": ") + shownName;
    return opened;
}

Result<QSet<int>> ParseBaselineList(const QString& list, int baselineCount)
{
    QSet<int> baselines;
    if (list.isEmpty())
        return baselines;
    for (const QString& item : list.split(u',')) {
        bool ok = false;
        const int index = item.trimmed().toInt(&ok);
        if (!ok || index < 1 || index > baselineCount)
            return Outcome::failure(QStringLiteral("--off: 基線番号が違います: %1 (1..%2)")
                                        .arg(item.trimmed())
                                        .arg(baselineCount));
        baselines.insert(index);
    }
    return baselines;
}

CliInput OpenCliInputWithOff(Document& document, const CliArguments& arguments)
{
    if (const Outcome opened = OpenCliInput(document, arguments, DefaultNameTable::BesideProgram);
        !opened) {
        PrintError(opened.message);
        return {.exitCode = exitRefused};
    }
    Result<QSet<int>> off =
        ParseBaselineList(arguments.value(QStringLiteral("--off")), document.model().baselineCount());
    if (!off) {
        PrintError(off.message());
        return {.exitCode = exitUsage};
    }
    return {.off = std::move(*off)};
}
