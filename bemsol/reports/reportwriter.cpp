#include "reportwriter.h"

#include "reportcolumns.h"
#include "reportdatabase.h"
#include "satellitesummary.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace {

// An index is kept as the 32-bit float the field book's links have always been.
double indexValue(int index)
{
    return double(float(index));
}

// The inserts of one table during a fill: one statement prepared once, its values bound
// in column order and run for every row.
class RowInserter
{
public:
    RowInserter(SqliteConnection& db, const QString& table, const QStringList& columns)
        : width_(int(columns.size()))
    {
        QStringList marks;
        for (int i = 0; i < width_; ++i)
            marks << QStringLiteral("?");
        Result<SqliteStatement> insert = db.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                        .arg(table, columns.join(QStringLiteral(", ")),
                                                             marks.join(QStringLiteral(", "))));
        if (insert)
            insert_ = std::move(*insert);
        else
            prepared_ = insert.outcome();
    }

    // A number, or NULL for a missing one.
    RowInserter& operator<<(const QVariant& value)
    {
        Q_ASSERT(column_ < width_);
        insert_.bind(++column_, value);
        return *this;
    }
    RowInserter& operator<<(double value)
    {
        Q_ASSERT(column_ < width_);
        insert_.bindDouble(++column_, value);
        return *this;
    }

    // A text is stored as text even when empty. The project's own strings (and any other
    // that outlives the row) are bound where they are; a text made for the row is kept
    // until the row is written.
    RowInserter& operator<<(const QString& text)
    {
        Q_ASSERT(column_ < width_);
        insert_.bindTextInPlace(++column_, text);
        return *this;
    }
    RowInserter& operator<<(QString&& text)
    {
        Q_ASSERT(column_ < width_);
        insert_.bindText(++column_, std::move(text));
        return *this;
    }

    // Writes the row whose values were just given.
    Outcome endRow()
    {
        Q_ASSERT(column_ == width_);
        column_ = 0;
        return prepared_ ? insert_.run() : prepared_;
    }

    // Whether the statement could be prepared, for a table that got no rows.
    const Outcome& finish() const { return prepared_; }

private:
    int width_;
    SqliteStatement insert_; // binding to a statement that failed to compile does nothing
    Outcome prepared_;
    int column_ = 0;
};

// Number of a count text as the record reads it: blanks around it are allowed.
std::optional<double> countValue(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Runs the steps of a fill on one writer inside one transaction: all rows or, after a
// failure or a cancel, the tables as they were.
Outcome inTransaction(ReportDatabase& database, const ProjectModel& model,
                      const QList<OutputRow>& rows, const ProgressCallback& progress,
                      const std::function<Outcome(ReportWriter&)>& fill)
{
    if (!database.isOpen())
        return database.notOpenOutcome();
    SqliteConnection& db = database.connection();
    ReportWriter writer(db, model, rows, progress);
    Outcome done = db.execute(QStringLiteral("BEGIN"));
    if (done)
        done = fill(writer);
    if (done)
        done = db.execute(QStringLiteral("COMMIT"));
    if (done)
        return done;
    db.execute(QStringLiteral("ROLLBACK"));
    if (WasCancelled(done))
        return done;
    return ReportDatabaseFailure(QStringLiteral("帳票データベースに書き込めません"),
                                 database.filePath(), done.message);
}

// The steps of a fill one after the other, up to the first that fails.
Outcome inTurn(std::initializer_list<std::function<Outcome()>> steps)
{
    for (const auto& step : steps) {
        if (Outcome done = step(); !done)
            return done;
    }
    return Outcome::success();
}

} // namespace

QVariant RejectRatio(const QString& rejectedObs, const QString& usedObs)
{
    const std::optional<double> rejected = countValue(rejectedObs);
    const std::optional<double> used = countValue(usedObs);
    if (!rejected || !used || *used == 0.0)
        return QVariant(); // stored as NULL, printed empty
    return QVariant(*rejected / *used);
}

ReportWriter::ReportWriter(SqliteConnection& db, const ProjectModel& model,
                           const QList<OutputRow>& rows, ProgressCallback progress)
    : db_(db), model_(model), rows_(rows), progress_(std::move(progress))
{
}

qint64 ReportWriter::workOfFieldBook(const ProjectModel& model, const QList<OutputRow>& rows)
{
    return rows.size() + model.occupationCount();
}

qint64 ReportWriter::workOfRecord(const QList<OutputRow>& rows)
{
    return rows.size();
}

bool ReportWriter::advance()
{
    ++done_;
    // A few hundred rows take well under a tenth of a second.
    if (!progress_ || done_ % 256 != 0)
        return true;
    return progress_(done_, std::max(done_, total_));
}

Outcome ReportWriter::ClearReportTables()
{
    return db_.execute(QStringLiteral("DELETE FROM tblBaseLine; DELETE FROM Common; "
                                      "DELETE FROM SSatList"));
}

Outcome ReportWriter::WriteCommonRow()
{
    RowInserter row(db_, QStringLiteral("Common"), CommonColumns());
    const CommonData& c = model_.common;
    row << model_.swProgram << c.interval << c.minElevation << c.minSVs << c.ephType
        << c.frequency << c.ppMode << c.daen << QStringLiteral("1013.0") << QStringLiteral("20.0")
        << QStringLiteral("50.0");
    return row.endRow();
}

Outcome ReportWriter::WriteFieldBookRows(FieldBookMode mode)
{
    outputStations_.clear();
    RowInserter row(db_, QStringLiteral("tblBaseLine"), FieldBookColumns());
    total_ = workOfFieldBook(model_, rows_);
    for (const OutputRow& r : rows_) {
        if (!advance())
            return CancelledOutcome();
        if (!r.switchedOn || !model_.hasBaseline(r.baselineIndex))
            continue;
        const BaselineRecord& bl = model_.baselines[r.baselineIndex];
        for (const int o : {bl.startOccupation, bl.endOccupation}) {
            const OccupationRecord& occ = model_.occupationAt(o);
            const bool seen = outputStations_.RememberStation(occ.pointName, bl.session, o);
            if (mode == FieldBookMode::BySession && seen)
                continue;
            const SatelliteSummaryTexts summary = SatelliteSummary(model_, occ);
            row << occ.pointName << occ.pointName + QStringLiteral(" (") + occ.ptCode + u')'
                << occ.receiverName << occ.receiverSN << occ.antennaName << occ.antennaSN
                << occ.antennaHeight << occ.startTime << occ.endTime << bl.session
                << indexValue(o);
            for (int g = 0; g < summaryGroups; ++g)
                row << summary.no[g] << summary.ok[g];
            row << bl.minSVs << occ.minElevation;
            if (Outcome written = row.endRow(); !written)
                return written;
        }
    }
    return row.finish();
}

Outcome ReportWriter::WriteSatelliteRows(FieldBookMode mode)
{
    RowInserter row(db_, QStringLiteral("SSatList"), SatelliteColumns());
    for (int k = 1; k <= model_.occupationCount(); ++k) {
        if (!advance())
            return CancelledOutcome();
        if (mode == FieldBookMode::BySession && !outputStations_.StationWasOutput(k))
            continue;
        const OccupationRecord& occ = model_.occupations[k];
        // A damaged run may claim more satellites than the project holds.
        const int last = qMin(occ.satCount, model_.satelliteCount() - occ.firstSat + 1);
        for (int s = 1; s <= last; ++s) {
            const SatelliteRecord& sat = SatelliteAt(model_, occ.firstSat + s - 1);
            row << indexValue(k) << QStringLiteral("Sat ") + SatelliteNumber(sat.satname) << sat.l1
                << sat.l2 << sat.health;
            if (Outcome written = row.endRow(); !written)
                return written;
        }
    }
    return row.finish();
}

Outcome ReportWriter::WriteRecordRows()
{
    RowInserter row(db_, QStringLiteral("tblBaseLine"), RecordColumns());
    total_ = workOfRecord(rows_);
    for (qsizetype i = 0; i < rows_.size(); ++i) {
        if (!advance())
            return CancelledOutcome();
        const OutputRow& r = rows_[i];
        if (!r.switchedOn || !model_.hasBaseline(r.baselineIndex))
            continue;
        const int gridRow = int(i) + 1;
        const BaselineRecord& bl = model_.baselines[r.baselineIndex];
        const auto writeEnd = [&](const OccupationRecord& occ, const QString& antennaHeight) {
            row << occ.pointName << occ.pointName + u'(' + occ.ptCode + u')'
                << occ.receiverName + u'(' + occ.receiverSN + u')' << occ.receiverSN
                << occ.antennaName << occ.antennaSN << antennaHeight;
        };
        writeEnd(model_.startOccupationOf(bl), bl.startPoint.antHeight);
        writeEnd(model_.endOccupationOf(bl), bl.endPoint.antHeight);
        row << (bl.startPoint.ptType == u"Input" ? QStringLiteral("入力値") : QString());
        for (const PointData* p : {&bl.startPoint, &bl.endPoint})
            row << p->posX << p->posY << p->posZ << p->posN << p->posE << p->posH;
        const VectorData& v = bl.vector;
        row << bl.session << bl.startTime << bl.endTime << v.solutionType << v.ratio << v.dx
            << v.dy << v.dz << v.slope << v.stDX << v.stDY << v.stDZ << v.stSlope << v.fwdAzimuth
            << v.fwdInclination << v.bkwdAzimuth << v.bkwdInclination << v.geoDist
            << v.heightDiff << v.CovXX << v.CovYX << v.CovYY << v.CovZX << v.CovZY << v.CovZZ
            << v.usedObs << v.rejectedObs << RejectRatio(v.rejectedObs, v.usedObs) << v.rms
            << v.rdop << indexValue(gridRow) << bl.frequency << bl.ppMode << bl.minElevation;
        if (Outcome written = row.endRow(); !written)
            return written;
    }
    return row.finish();
}

Outcome FillFieldBook(ReportDatabase& database, const ProjectModel& model,
                      const QList<OutputRow>& rows, FieldBookMode mode,
                      const ProgressCallback& progress)
{
    return inTransaction(database, model, rows, progress, [&](ReportWriter& writer) {
        return inTurn({[&] { return writer.ClearReportTables(); },
                       [&] { return writer.WriteCommonRow(); },
                       [&] { return writer.WriteFieldBookRows(mode); },
                       [&] { return writer.WriteSatelliteRows(mode); }});
    });
}

Outcome FillRecord(ReportDatabase& database, const ProjectModel& model,
                   const QList<OutputRow>& rows, const ProgressCallback& progress)
{
    return inTransaction(database, model, rows, progress, [&](ReportWriter& writer) {
        return inTurn({[&] { return writer.ClearReportTables(); },
                       [&] { return writer.WriteCommonRow(); },
                       [&] { return writer.WriteRecordRows(); }});
    });
}
