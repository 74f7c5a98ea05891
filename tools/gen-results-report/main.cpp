// gen-results-report OUTDIR POINTS [--rows-per-page N] [--page-every N]
// Writes a synthetic HTML results report of POINTS points into OUTDIR; its frame-set page
// is OUTDIR/report.htm.

#include "reportgenerator.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

int usage()
{
    QTextStream(stderr) << "usage: gen-results-report OUTDIR POINTS [--rows-per-page N]"
                           " [--page-every N]\n"
                           "  POINTS 0..99999 (point numbers have five digits at most);\n"
                           "  --rows-per-page: coordinate list rows per page (default 50);\n"
                           "  --page-every: a page that belongs to no point before every N-th"
                           " point's page (default 10, 0 for none)\n";
    return 2;
}

bool toInt(const QString& text, int min, int max, int& value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= min && value <= max;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QStringList positional;
    int rowsPerPage = 50;
    int pageEvery = 10;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--rows-per-page" || args[i] == u"--page-every") {
            if (i + 1 >= args.size())
                return usage();
            const bool rows = args[i] == u"--rows-per-page";
            if (!toInt(args[++i], rows ? 1 : 0, 1000000, rows ? rowsPerPage : pageEvery))
                return usage();
        } else if (args[i].startsWith(u"--")) {
            return usage();
        } else {
            positional << args[i];
        }
    }
    int count = 0;
    if (positional.size() != 2 || !toInt(positional[1], 0, 99999, count))
        return usage();

    const QString error = writeReport(
        positional[0], generateResultsReport(syntheticPoints(count, pageEvery), rowsPerPage));
    if (!error.isEmpty()) {
        QTextStream(stderr) << "gen-results-report: " << error << "\n";
        return 1;
    }
    return 0;
}
