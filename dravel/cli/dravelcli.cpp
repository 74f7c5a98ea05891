#include "dravelcli.h"

#include "core/numericdatawriter.h"
#include "core/resultsreportreader.h"

#include <QTextStream>

#include <cstdio>

namespace {

constexpr int done = 0;
constexpr int refused = 1;
constexpr int usageError = 2;

int usage(const QString& problem)
{
    QTextStream err(stderr);
    err << "dravel-cli: " << problem << "\n"
        << "usage: dravel-cli REPORT.htm OUT.txt [--category 新設|改算による座標変換|改測による座標変換]"
           " [--content TEXT] [--datum 0|1] [--zone TEXT]\n";
    return usageError;
}

int refuse(const QString& message)
{
    QTextStream(stderr) << message << "\n";
    return refused;
}

} // namespace

int runDravelCli(const QStringList& args)
{
    QStringList positional;
    NumericDataOptions options; // the window's defaults: 新設, 世界測地系, empty texts
    QStringList seen;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(u"--")) {
            positional.append(arg);
            continue;
        }
        if (arg != u"--category" && arg != u"--content" && arg != u"--datum" && arg != u"--zone")
            return usage(QStringLiteral("unknown option %1").arg(arg));
        if (seen.contains(arg))
            return usage(QStringLiteral("%1 given twice").arg(arg));
        seen.append(arg);
        if (i + 1 >= args.size())
            return usage(QStringLiteral("%1 needs a value").arg(arg));
        const QString& value = args[++i];
        if (arg == u"--category") {
            const std::optional<WorkCategory> category = workCategoryFromText(value);
            if (!category)
                return usage(QStringLiteral("unknown category %1").arg(value));
            options.workCategory = *category;
        } else if (arg == u"--datum") {
            if (value != u"0" && value != u"1")
                return usage(QStringLiteral("--datum is 0 or 1"));
            options.datum = value == u"1" ? GeodeticDatum::Japan : GeodeticDatum::World;
        } else if (arg == u"--content") {
            options.workContent = value;
        } else {
            options.zone = value;
        }
    }
    if (positional.size() != 2)
        return usage(QStringLiteral("a report and an output file are needed"));

    if (const dravel::Outcome f = NumericDataWriter::checkOptions(options); !f)
        return refuse(f.message);
    const ReportReading report = readResultsReport(positional[0]);
    if (!report.outcome)
        return refuse(report.outcome.message);
    if (const dravel::Outcome f = NumericDataWriter::write(positional[1], report.points, options); !f)
        return refuse(f.message);
    return done;
}
