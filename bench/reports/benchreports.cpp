// bench-reports: fills the report tables for the field book (every station) of a generated
// 10,000-baseline project through the program's writer and, in the same run, inserts the
// same rows through sqlite3's C API with one prepared statement per table, in one
// transaction each, into a file with the same schema. The C API is the floor: the
// writer's own overhead should stay within a fifth of it. Then draws field-book pages
// into a PDF and reports pages per second.
#include "benchgenerator.h"
#include "exchangegenerator.h"
#include "import/exchangeimport.h"
#include "reports/formpainter.h"
#include "reports/outputrows.h"
#include "reports/outputstations.h"
#include "reports/reportcolumns.h"
#include "reports/reportdatabase.h"
#include "reports/reportjob.h"
#include "reports/reportwriter.h"
#include "reports/satellitesummary.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>

namespace {

[[noreturn]] void fail(const char* what, const QString& detail = {})
{
    std::fprintf(stderr, "bench-reports: %s %s\n", what, qPrintable(detail));
    std::exit(1);
}

// The yardstick: the same tables filled through the C API.
class RawFill
{
public:
    explicit RawFill(const QString& path)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            fail("sqlite3_open_v2", QString::fromUtf8(sqlite3_errmsg(db_)));
        common_ = prepare("Common", CommonColumns());
        station_ = prepare("tblBaseLine", FieldBookColumns());
        satellite_ = prepare("SSatList", SatelliteColumns());
    }
    ~RawFill()
    {
        sqlite3_finalize(common_);
        sqlite3_finalize(station_);
        sqlite3_finalize(satellite_);
        sqlite3_close(db_);
    }

    void fill(const ProjectModel& m, const QList<OutputRow>& rows)
    {
        exec("BEGIN");
        exec("DELETE FROM tblBaseLine");
        exec("DELETE FROM Common");
        exec("DELETE FROM SSatList");
        const CommonData& c = m.common;
        insert(common_, {m.swProgram, c.interval, c.minElevation, c.minSVs, c.ephType, c.frequency,
                         c.ppMode, c.daen, QStringLiteral("1013.0"), QStringLiteral("20.0"),
                         QStringLiteral("50.0")});
        OutputStations stations;
        for (const OutputRow& r : rows) {
            if (!r.switchedOn)
                continue;
            const BaselineRecord& bl = m.baselines[r.baselineIndex];
            for (const int o : {bl.startOccupation, bl.endOccupation}) {
                const OccupationRecord& occ = m.occupationAt(o);
                stations.RememberStation(occ.pointName, bl.session, o);
                const SatelliteSummaryTexts s = SatelliteSummary(m, occ);
                const QString texts[] = {occ.pointName, occ.pointName + QStringLiteral(" (") + occ.ptCode + u')',
                                         occ.receiverName, occ.receiverSN, occ.antennaName,
                                         occ.antennaSN, occ.antennaHeight, occ.startTime,
                                         occ.endTime, bl.session};
                int i = 1;
                for (const QString& t : texts)
                    bindText(station_, i++, t);
                sqlite3_bind_double(station_, i++, double(float(o)));
                for (int g = 0; g < 3; ++g) {
                    bindText(station_, i++, s.no[g]);
                    bindText(station_, i++, s.ok[g]);
                }
                bindText(station_, i++, bl.minSVs);
                bindText(station_, i++, occ.minElevation);
                step(station_);
            }
        }
        for (int k = 1; k <= m.occupationCount(); ++k) {
            const OccupationRecord& occ = m.occupations[k];
            for (int s = 1; s <= occ.satCount; ++s) {
                const SatelliteRecord& sat = SatelliteAt(m, occ.firstSat + s - 1);
                const QString name = QStringLiteral("Sat ") + SatelliteNumber(sat.satname);
                sqlite3_bind_double(satellite_, 1, double(float(k)));
                bindText(satellite_, 2, name);
                bindText(satellite_, 3, sat.l1);
                bindText(satellite_, 4, sat.l2);
                bindText(satellite_, 5, sat.health);
                step(satellite_);
            }
        }
        exec("COMMIT");
    }

private:
    sqlite3_stmt* prepare(const char* table, const QStringList& columns)
    {
        QStringList marks;
        for (qsizetype i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        const QByteArray sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(QLatin1String(table), columns.join(u", "), marks.join(u", "))
                                   .toUtf8();
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK)
            fail("sqlite3_prepare_v2", QString::fromUtf8(sqlite3_errmsg(db_)));
        return stmt;
    }
    void exec(const char* sql)
    {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(sql, QString::fromUtf8(sqlite3_errmsg(db_)));
    }
    // The text stays alive until the row is stepped, so SQLite need not copy it.
    static void bindText(sqlite3_stmt* stmt, int i, const QString& text)
    {
        sqlite3_bind_text16(stmt, i, text.utf16(), int(text.size() * 2), SQLITE_STATIC);
    }
    void insert(sqlite3_stmt* stmt, const QStringList& texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            bindText(stmt, i + 1, texts[i]);
        step(stmt);
    }
    void step(sqlite3_stmt* stmt)
    {
        if (sqlite3_step(stmt) != SQLITE_DONE)
            fail("sqlite3_step", QString::fromUtf8(sqlite3_errmsg(db_)));
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
    }

    sqlite3* db_ = nullptr;
    sqlite3_stmt* common_ = nullptr;
    sqlite3_stmt* station_ = nullptr;
    sqlite3_stmt* satellite_ = nullptr;
};

long long rowCount(ReportDatabase& db, const char* table)
{
    Result<SqliteStatement> q =
        db.connection().prepare(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table)));
    return q && q->next() ? q->value(0).toLongLong() : -1;
}

} // namespace

int main(int argc, char* argv[])
{
    BenchOptions args;
    int pageBaselines = 500; // baselines whose field book is drawn for the page rate
    args.addOption("--page-baselines", &pageBaselines);
    if (!args.parse(argc, argv) || pageBaselines <= 0) {
        std::fprintf(stderr, "usage: bench-reports [--baselines N] [--runs N] [--page-baselines N] "
                             "[--seed N]\n");
        return 2;
    }
    // Pages are drawn with fonts, which need a GUI application but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const GeneratorOptions options = BenchGeneratorOptions(args, "bench-reports");
    ProjectModel model;
    if (const Outcome o = ImportExchangeBytes(generateExchangeFile(options), model); !o)
        fail("import refused the generated file:", o.message);
    const QList<OutputRow> rows = OutputRowsInBaselineOrder(model.baselineCount());

    QTemporaryDir dir;
    if (!dir.isValid())
        fail("no temporary folder");
    ReportDatabase ours;
    if (const Outcome o = ours.open(dir.filePath(QStringLiteral("ours.db"))); !o)
        fail("open:", o.message);
    // The yardstick's file gets its schema from the program, so both have the same tables
    // and the same index.
    {
        ReportDatabase schema;
        if (const Outcome o = schema.open(dir.filePath(QStringLiteral("raw.db"))); !o)
            fail("open:", o.message);
    }
    RawFill raw(dir.filePath(QStringLiteral("raw.db")));

    const auto oursOnce = [&] {
        if (const Outcome o = FillReport(ours, ReportKind::FieldBookAll, model, rows); !o)
            fail("fill:", o.message);
    };
    const auto rawOnce = [&] { raw.fill(model, rows); };

    // Best of several runs, alternating so that neither side gets the quieter machine.
    Timing oursTime;
    Timing rawTime;
    for (int i = 0; i < args.runs; ++i) {
        oursTime.measure(oursOnce);
        rawTime.measure(rawOnce);
    }
    const double oursMs = oursTime.wallMs;
    const double rawMs = rawTime.wallMs;
    const long long stations = rowCount(ours, "tblBaseLine");
    const long long satellites = rowCount(ours, "SSatList");
    {
        ReportDatabase check;
        if (!check.open(dir.filePath(QStringLiteral("raw.db"))) ||
            rowCount(check, "tblBaseLine") != stations || rowCount(check, "SSatList") != satellites)
            fail("the two fills wrote different numbers of rows");
    }
    const double ratio = oursMs / rawMs;
    std::printf("project        %d baselines, %d occupations, %d satellites\n",
                model.baselineCount(), model.occupationCount(), model.satelliteCount());
    std::printf("rows           %lld station rows, %lld satellite rows, 1 common row\n", stations,
                satellites);
    const double rowsTotal = double(stations + satellites + 1);
    std::printf("fill (writer)  best %8.1f ms of %d  %8.0f rows/s  (processor %.1f ms)\n", oursMs,
                args.runs, rowsTotal / oursMs * 1e3, oursTime.cpuMs);
    std::printf("sqlite3 C API  best %8.1f ms of %d  %8.0f rows/s  (processor %.1f ms)\n", rawMs,
                args.runs, rowsTotal / rawMs * 1e3, rawTime.cpuMs);
    const double cpuRatio = oursTime.cpuMs / rawTime.cpuMs;
    std::printf("ratio          fill/C API %.2f wall, %.2f processor (goal <= 1.20: %s)\n", ratio,
                cpuRatio, ratio <= 1.2 && cpuRatio <= 1.2 ? "met" : "not met");

    // Pages: the field book of the first baselines, drawn into a PDF in memory.
    const QList<OutputRow> pageRows = OutputRowsInBaselineOrder(
        std::min(pageBaselines, model.baselineCount()));
    if (const Outcome o = FillReport(ours, ReportKind::FieldBookAll, model, pageRows); !o)
        fail("fill:", o.message);
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    int pages = 0;
    Timing draw;
    draw.measure([&] {
        QPdfWriter writer(&pdf);
        SetDesignPage(writer);
        if (const Outcome o = RenderReport(ours, ReportKind::FieldBookAll, writer, &pages); !o)
            fail("render:", o.message);
    });
    std::printf("field book     %d pages drawn in %.0f ms: %.0f pages/s (processor %.0f pages/s), "
                "%.1f MB of PDF\n",
                pages, draw.wallMs, pages / draw.wallMs * 1e3, pages / draw.cpuMs * 1e3,
                double(pdf.size()) / 1e6);
    return 0;
}
