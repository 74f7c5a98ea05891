#include "checkscommand.h"

#include "cliarguments.h"

#include "checks/checkbookform.h"
#include "checks/checkjson.h"
#include "checks/checktexts.h"
#include "checks/runchecks.h"
#include "document/document.h"

#include <QDate>
#include <QFileInfo>

namespace {

int usage(const QString& problem = {})
{
    if (!problem.isEmpty())
        PrintError(problem);
    PrintError(QStringLiteral("usage: bemsol-cli checks INPUT [--names FILE|--no-names] [--off LIST] "
                              "[--class 1|2|3|4] [--method static|short-static] [--json] [--pdf OUT.pdf]"));
    return exitUsage;
}

// The settings of --class and --method over the defaults; nothing for a value not known.
std::optional<CheckSettings> settingsOf(const CliArguments& cl)
{
    CheckSettings settings;
    if (cl.has(QStringLiteral("--class"))) {
        const QString text = cl.value(QStringLiteral("--class"));
        if (text.size() != 1 || text[0] < u'1' || text[0] > u'4')
            return std::nullopt;
        settings.surveyClass = SurveyClass(text.toInt());
    }
    if (cl.has(QStringLiteral("--method"))) {
        const QString text = cl.value(QStringLiteral("--method"));
        if (text == u"static")
            settings.method = ObservationMethod::Static;
        else if (text == u"short-static")
            settings.method = ObservationMethod::ShortStatic;
        else
            return std::nullopt;
    }
    return settings;
}

QString row(const QStringList& cells, const QList<int>& widths)
{
    QString line;
    for (int i = 0; i < cells.size(); ++i) {
        const int w = i < widths.size() ? widths[i] : 0;
        line += w < 0 ? cells[i].leftJustified(-w) : cells[i].rightJustified(w);
        line += u' ';
    }
    while (line.endsWith(u' '))
        line.chop(1);
    return line + u'\n';
}

QString vectorCells(const VectorCheck& v)
{
    return row({MetresText(v.dN), MetresText(v.dE), MetresText(v.dU), MetresText(v.limitNE),
                MetresText(v.limitU), VerdictText(v.pass)},
               {8, 8, 8, 8, 8, 0});
}

// The short table: what failed stands out by its verdict, the rest is counted.
QString table(const CheckResult& r, const QString& source)
{
    QString out;
    out += QStringLiteral("点検計算  %1  %2\n").arg(source, ClassAndMethodText(r.settings));
    out += QStringLiteral("基線 %1 (点検に使用 %2, 出力しない %3, 使用できない %4)\n\n")
               .arg(r.baselineCount)
               .arg(r.usableCount)
               .arg(r.switchedOffCount)
               .arg(r.unusable.size());

    out += QStringLiteral("環閉合差 %1 環 (不合格 %2)\n").arg(r.loops.size()).arg(r.failedLoops());
    if (!r.loops.isEmpty())
        out += QStringLiteral("  %1  N       dN       dE       dU    limNE     limU\n")
                   .arg(QStringLiteral("path"), -24);
    for (const LoopCheck& l : r.loops)
        out += QStringLiteral("  %1 %2").arg(PathText(l), -24).arg(l.sideCount(), 2) +
               vectorCells(l.closure);

    out += QStringLiteral("\n重複基線の較差 %1 組 (不合格 %2)\n").arg(r.repeats.size()).arg(r.failedRepeats());
    if (!r.repeats.isEmpty())
        out += QStringLiteral("  %1  R       dN       dE       dU    limNE     limU\n")
                   .arg(QStringLiteral("first/other"), -24);
    for (const RepeatCheck& rep : r.repeats)
        out += QStringLiteral("  %1 %2")
                   .arg(QStringLiteral("%1/%2").arg(rep.first).arg(rep.other), -24)
                   .arg(rep.reversed ? QStringLiteral(" R") : QStringLiteral("  ")) +
               vectorCells(rep.difference);

    QStringList unchecked;
    for (const int b : r.unchecked)
        unchecked << QString::number(b);
    out += QStringLiteral("\n点検されていない基線 %1: %2\n")
               .arg(r.unchecked.size())
               .arg(unchecked.isEmpty() ? QStringLiteral("なし") : unchecked.join(u','));

    out += QStringLiteral("\n観測条件 %1 基線 (不適合 %2)\n").arg(r.conditions.size()).arg(r.failedConditions());
    for (const ConditionCheck& c : r.conditions)
        if (!c.pass())
            out += QStringLiteral("  %1  %2 min  %3 s  %4 sat  %5\n")
                       .arg(c.baseline, 5)
                       .arg(MinutesText(c.minutes), 6)
                       .arg(PlainNumberText(c.interval), 3)
                       .arg(c.satellites, 2)
                       .arg(c.problems().join(u','));

    if (!r.unusable.isEmpty()) {
        out += QStringLiteral("\n使用できない基線 %1\n").arg(r.unusable.size());
        for (const UnusableBaseline& u : r.unusable)
            out += QStringLiteral("  %1  %2\n").arg(u.baseline, 5).arg(u.reason);
    }
    out += QStringLiteral("\n判定 %1\n").arg(VerdictText(r.pass()));
    return out;
}

} // namespace

int RunChecksCommand(const QStringList& arguments)
{
    const CliArguments cl = ParseCliArguments(
        arguments,
        {QStringLiteral("--names"), QStringLiteral("--off"), QStringLiteral("--class"),
         QStringLiteral("--method"), QStringLiteral("--pdf")},
        {QStringLiteral("--no-names"), QStringLiteral("--json")}, {QStringLiteral("--off")});
    if (!cl.valid || cl.positional.size() != 1)
        return usage();
    const QString pdf = cl.value(QStringLiteral("--pdf"));
    // Only ".pdf": a slip of the arguments must not overwrite the input.
    if (cl.has(QStringLiteral("--pdf")) && !pdf.endsWith(u".pdf"))
        return usage();
    const std::optional<CheckSettings> settings = settingsOf(cl);
    if (!settings)
        return usage();
    if (const Outcome valid = ValidateCheckSettings(*settings); !valid)
        return usage(valid.message);

    Document document;
    const CliInput input = OpenCliInputWithOff(document, cl);
    if (!input)
        return input.exitCode;
    const Result<CheckResult> result = RunChecks(document.model(), input.off, *settings);
    if (!result) {
        PrintError(result.message());
        return exitUsage;
    }
    const QString source = QFileInfo(cl.positional.first()).fileName();
    if (cl.has(QStringLiteral("--json")))
        PrintOutput(CheckResultToJson(*result));
    else
        PrintOutput(table(*result, source).toUtf8());
    if (!pdf.isEmpty()) {
        const CheckBookHeader header{source, document.model().swProgram,
                                     QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"))};
        if (const Outcome written = WriteCheckBookPdf(*result, header, pdf); !written) {
            PrintError(written.message);
            return exitRefused;
        }
    }
    return exitDone;
}
