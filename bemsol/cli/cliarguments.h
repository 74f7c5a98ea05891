#pragma once

#include "model/outcome.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

class Document;

// What every bemsol-cli command shares: its exit codes, how it prints, how it reads
// its options and opens its input.

inline constexpr int exitDone = 0;
inline constexpr int exitRefused = 1; // the input was refused; the message is on stderr
inline constexpr int exitUsage = 2;

void PrintError(const QString& message);
void PrintOutput(const QByteArray& bytes);

// Ends the process with `exitCode` once the output is flushed, leaving the open project
// to the system: a large project is half a million strings, and releasing them one by
// one took longer than anything else after the work was done.
[[noreturn]] void EndProcessKeepingProject(int exitCode);

struct CliArguments
{
    QStringList positional;
    QHash<QString, QString> values; // "--names" -> FILE
    QSet<QString> flags;            // "--json"
    bool valid = true;              // false: an unknown option or a value missing

    bool has(const QString& option) const { return flags.contains(option) || values.contains(option); }
    QString value(const QString& option) const { return values.value(option); }
};

// Splits a command's arguments. `valueOptions` take the next argument as their value
// (which may be empty only where `emptyAllowed` lists them), `flagOptions` stand alone;
// anything else starting with "--" makes the line invalid.
CliArguments ParseCliArguments(const QStringList& arguments, const QStringList& valueOptions,
                               const QStringList& flagOptions,
                               const QStringList& emptyAllowed = {});

// Which name table an import gets when the line names none: the one beside the
// program (as the window does after every import) or none (to show the file as read).
enum class DefaultNameTable { BesideProgram, None };

// Opens INPUT (".xml" imported, ".dat" loaded) as the window's open command does,
// with the name table of `--names FILE`, none with `--no-names`, else `defaults`.
Outcome OpenCliInput(Document& document, const CliArguments& arguments, DefaultNameTable defaults);

// The baselines of a comma-separated LIST of baseline numbers (`--off`), each in
// 1..baselineCount; an empty LIST is an empty set.
Result<QSet<int>> ParseBaselineList(const QString& list, int baselineCount);

// The prologue of the commands that work on the baselines left on: INPUT opened into
// `document` with the name table beside the program (or as `--names`/`--no-names` say),
// then the baselines `--off` switches off. What went wrong is printed already, and
// `exitCode` is what the command ends with: exitRefused for a refused input, exitUsage
// for a bad list.
struct CliInput
{
    int exitCode = exitDone;
    QSet<int> off;

    explicit operator bool() const { return exitCode == exitDone; }
};
CliInput OpenCliInputWithOff(Document& document, const CliArguments& arguments);
