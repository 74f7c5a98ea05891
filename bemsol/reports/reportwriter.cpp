#include "reportwriter.h"

#include "reportcolumns.h"
#include "reportdatabase.h"
#include "satellitesummary.h"

#include <QSqlError>
#include <QSqlQuery>

#include <cmath>
#include <functional>
#include <optional>

namespace {

// An index is kept as the 32-bit float the field book's links have always been.
QVariant indexValue(int index)
{
    return QVariant(double(float(index)));
}

// The inserts of one table during a fill. Rows go in batches of several rows per
// statement, bound by name: Qt's positional binding formats a name for every value, and
// one statement per row pays the driver's per-statement work for every row.
class RowInserter
{
public:
    RowInserter(QSqlDatabase& db, const QString& table, const QStringList& columns)
        : db_(db), table_(table), columns_(columns), width_(int(columns.size())),
          batchRows_(qMax(1, maxParameters / width_)), batch_(db)
    {
        names_.reserve(batchRows_ * width_);
        for (int i = 0; i < batchRows_ * width_; ++i)
            names_.append(QStringLiteral(":v%1").arg(i));
        prepared_ = batch_.prepare(statement(batchRows_));
        if (!prepared_)
            error_ = batch_.lastError().text();
    }

    RowInserter& operator<<(const QVariant& value)
    {
        Q_ASSERT(column_ < width_);
        batch_.bindValue(names_[row_ * width_ + column_++], value);
        return *this;
    }

    // A text is stored as text even when empty; only a missing number is NULL.
    RowInserter& operator<<(const QString& text)
    {
        static const QString empty = QStringLiteral("");
        return *this << QVariant(text.isNull() ? empty : text);
    }

    // Ends the row whose values were just given; a full batch is written.
    bool endRow(QString* error)
    {
        Q_ASSERT(column_ == width_);
        column_ = 0;
        if (++row_ < batchRows_)
            return true;
        row_ = 0;
        return run(batch_, error);
    }

    // Writes the rows of a batch not yet full.
    bool finish(QString* error)
    {
        if (row_ == 0)
            return prepared_ || fail(error);
        QSqlQuery rest(db_);
        if (!rest.prepare(statement(row_))) {
            *error = rest.lastError().text();
            return false;
        }
        for (int i = 0; i < row_ * width_; ++i)
            rest.bindValue(names_[i], batch_.boundValue(names_[i]));
        row_ = 0;
        return run(rest, error);
    }

private:
    // SQLite allows far more; this keeps statements small for wide rows.
    static constexpr int maxParameters = 1000;

    QString statement(int rows) const
    {
        QStringList tuples;
        tuples.reserve(rows);
        for (int r = 0; r < rows; ++r)
            tuples << u'(' + QStringList(names_.mid(r * width_, width_)).join(u", ") + u')';
        return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
            .arg(table_, columns_.join(QStringLiteral(", ")), tuples.join(QStringLiteral(", ")));
    }

    bool run(QSqlQuery& query, QString* error)
    {
        if (!prepared_)
            return fail(error);
        if (query.exec())
            return true;
        *error = query.lastError().text();
        return false;
    }

    bool fail(QString* error) const
    {
        *error = error_;
        return false;
    }

    QSqlDatabase& db_;
    QString table_;
    QStringList columns_;
    int width_;
    int batchRows_;
    QStringList names_;
    QSqlQuery batch_;
    bool prepared_ = false;
    QString error_;
    int row_ = 0;
    int column_ = 0;
};

bool execute(QSqlDatabase& db, const QString& sql, QString* error)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    *error = query.lastError().text();
    return false;
}

// Number of a count text as the record reads it: blanks around it are allowed.
std::optional<double> countValue(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

Outcome inTransaction(ReportDatabase& database, const std::function<bool(QString*)>& fill)
{
    if (!database.isOpen())
        return database.notOpenOutcome();
    QSqlDatabase db = database.connection();
    QString error;
    if (!db.transaction()) {
        error = db.lastError().text();
    } else if (fill(&error)) {
        if (db.commit())
            return Outcome::success();
        error = db.lastError().text();
    }
    db.rollback();
    return ReportDatabaseFailure(QStringLiteral("帳票データベースに書き込めません"),
                                 database.filePath(), error);
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

ReportWriter::ReportWriter(QSqlDatabase db, const ProjectModel& model, const QList<OutputRow>& rows)
    : db_(std::move(db)), model_(model), rows_(rows)
{
}

bool ReportWriter::ClearReportTables()
{
    return execute(db_, QStringLiteral("DELETE FROM tblBaseLine"), &lastError_) &&
           execute(db_, QStringLiteral("DELETE FROM Common"), &lastError_) &&
           execute(db_, QStringLiteral("DELETE FROM SSatList"), &lastError_);
}

bool ReportWriter::WriteCommonRow()
{
    RowInserter row(db_, QStringLiteral("Common"), CommonColumns());
    const CommonData& c = model_.common;
    row << model_.swProgram << c.interval << c.minElevation << c.minSVs << c.ephType
        << c.frequency << c.ppMode << c.daen << QStringLiteral("1013.0") << QStringLiteral("20.0")
        << QStringLiteral("50.0");
    return row.endRow(&lastError_) && row.finish(&lastError_);
}

bool ReportWriter::WriteFieldBookRows(FieldBookMode mode)
{
    outputStations_.clear();
    RowInserter row(db_, QStringLiteral("tblBaseLine"), FieldBookColumns());
    for (const OutputRow& r : rows_) {
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
            if (!row.endRow(&lastError_))
                return false;
        }
    }
    return row.finish(&lastError_);
}

bool ReportWriter::WriteSatelliteRows(FieldBookMode mode)
{
    RowInserter row(db_, QStringLiteral("SSatList"), SatelliteColumns());
    for (int k = 1; k <= model_.occupationCount(); ++k) {
        if (mode == FieldBookMode::BySession && !outputStations_.StationWasOutput(k))
            continue;
        const OccupationRecord& occ = model_.occupations[k];
        // A damaged run may claim more satellites than the project holds.
        const int last = qMin(occ.satCount, model_.satelliteCount() - occ.firstSat + 1);
        for (int s = 1; s <= last; ++s) {
            const SatelliteRecord& sat = SatelliteAt(model_, occ.firstSat + s - 1);
            row << indexValue(k) << QStringLiteral("Sat ") + SatelliteNumber(sat.satname) << sat.l1
                << sat.l2 << sat.health;
            if (!row.endRow(&lastError_))
                return false;
        }
    }
    return row.finish(&lastError_);
}

bool ReportWriter::WriteRecordRows()
{
    RowInserter row(db_, QStringLiteral("tblBaseLine"), RecordColumns());
    for (qsizetype i = 0; i < rows_.size(); ++i) {
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
        if (!row.endRow(&lastError_))
            return false;
    }
    return row.finish(&lastError_);
}

Outcome FillFieldBook(ReportDatabase& database, const ProjectModel& model,
                      const QList<OutputRow>& rows, FieldBookMode mode)
{
    return inTransaction(database, [&](QString* error) {
        ReportWriter writer(database.connection(), model, rows);
        const bool ok = writer.ClearReportTables() && writer.WriteCommonRow() &&
                        writer.WriteFieldBookRows(mode) && writer.WriteSatelliteRows(mode);
        *error = writer.lastError();
        return ok;
    });
}

Outcome FillRecord(ReportDatabase& database, const ProjectModel& model,
                   const QList<OutputRow>& rows)
{
    return inTransaction(database, [&](QString* error) {
        ReportWriter writer(database.connection(), model, rows);
        const bool ok =
            writer.ClearReportTables() && writer.WriteCommonRow() && writer.WriteRecordRows();
        *error = writer.lastError();
        return ok;
    });
}
