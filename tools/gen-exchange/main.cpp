// gen-exchange: writes a synthetic Trimble Total Control exchange file.
#include "exchangewriter.h"
#include "surveyplan.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace {

void printError(const QString& message)
{
    std::fprintf(stderr, "gen-exchange: %s\n", qPrintable(message));
}

bool readNumber(const QCommandLineParser& parser, const QString& name, qulonglong max,
                qulonglong& value)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    value = parser.value(name).toULongLong(&ok);
    if (!ok || value > max) {
        printError(QStringLiteral("--%1 wants a whole number up to %2").arg(name).arg(max));
        return false;
    }
    return true;
}

// "3,-7,12": whole numbers, negative ones only where `signedAllowed`.
bool readList(const QCommandLineParser& parser, const QString& name, bool signedAllowed,
              QList<int>& values)
{
    if (!parser.isSet(name))
        return true;
    for (const QString& item : parser.value(name).split(u',')) {
        bool ok = false;
        const int value = item.trimmed().toInt(&ok);
        if (!ok || (!signedAllowed && value < 0)) {
            printError(QStringLiteral("--%1 wants a comma-separated list of baseline numbers").arg(name));
            return false;
        }
        values.append(value);
    }
    return true;
}

bool writeOutput(const QString& path, const QByteArray& bytes)
{
    if (path == u"-") {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            printError(QStringLiteral("cannot write to standard output"));
            return false;
        }
        return true;
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        printError(QStringLiteral("cannot write %1: %2").arg(path, out.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gen-exchange"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes a realistic synthetic exchange file (JapaneseExchangeFormat) of a GNSS control\n"
        "survey in Japan. The same options and seed always give the same file."));
    parser.addHelpOption();
    parser.addOptions({
        {{"b", "baselines"}, "Number of baselines (default 15).", "n"},
        {{"p", "points"}, "Number of points (default: chosen from the baselines).", "n"},
        {{"s", "sessions"}, "Number of sessions (default: about one per six baselines).", "n"},
        {"seed", "Seed of the pseudo-random generator (default 1).", "n"},
        {"min-satellites", "Fewest satellites per occupation (default 6).", "n"},
        {"max-satellites", "Most satellites per occupation (default 12).", "n"},
        {"repeat", "Baselines observed once more, each in a session of its own at the end;\n"
                   "a negative number observes it from its end point.", "list"},
        {"blunder", "Baselines (re-observations included) whose vector is off to the north,\n"
                    "so every loop and repeat through them fails.", "list"},
        {"blunder-mm", "Size of each blunder in millimetres (default 100).", "n"},
        {{"o", "output"}, "Output file, - for standard output (default).", "path", "-"},
    });
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        printError(QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));
        return 2;
    }

    GeneratorOptions options;
    qulonglong baselines = qulonglong(options.baselines), points = 0, sessions = 0;
    qulonglong seed = options.seed;
    qulonglong minSats = qulonglong(options.minSatellites), maxSats = qulonglong(options.maxSatellites);
    qulonglong blunderMm = qulonglong(options.blunderMm);
    const qulonglong intMax = qulonglong(std::numeric_limits<int>::max());
    if (!readNumber(parser, "baselines", intMax, baselines) || !readNumber(parser, "points", intMax, points)
        || !readNumber(parser, "sessions", intMax, sessions)
        || !readNumber(parser, "seed", std::numeric_limits<qulonglong>::max(), seed)
        || !readNumber(parser, "min-satellites", intMax, minSats)
        || !readNumber(parser, "max-satellites", intMax, maxSats)
        || !readNumber(parser, "blunder-mm", intMax, blunderMm)
        || !readList(parser, "repeat", true, options.repeats)
        || !readList(parser, "blunder", false, options.blunders))
        return 2;
    options.baselines = int(baselines);
    options.points = int(points);
    options.sessions = int(sessions);
    options.seed = seed;
    options.minSatellites = int(minSats);
    options.maxSatellites = int(maxSats);
    options.blunderMm = int(blunderMm);

    if (const QString problem = checkGeneratorOptions(options); !problem.isEmpty()) {
        printError(problem);
        return 2;
    }
    const SurveyPlan plan = planSurvey(options);
    const QByteArray bytes = exchangeFileBytes(plan);
    if (!writeOutput(parser.value("output"), bytes))
        return 1;
    std::fprintf(stderr, "gen-exchange: %lld bytes, %lld points, %lld sessions, %lld occupations, %lld baselines\n",
                 qlonglong(bytes.size()), qlonglong(plan.points.size()), qlonglong(plan.sessions.size()),
                 qlonglong(plan.occupations.size()), qlonglong(plan.baselines.size()));
    return 0;
}
