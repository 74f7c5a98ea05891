#pragma once

#include "outputrows.h"
#include "outputstations.h"
#include "model/outcome.h"
#include "model/progress.h"
#include "model/projectmodel.h"

#include <QList>
#include <QString>
#include <QVariant>

class ReportDatabase;
class SqliteConnection;

enum class FieldBookMode
{
    All = 0,       // 全て出力: both ends of every selected baseline
    BySession = 1, // ｾｯｼｮﾝを考慮して出力: each point once per session
};

// Fills the report tables from the project and the grid's rows. The steps are the
// separate operations below; a caller runs them inside one transaction (FillFieldBook,
// FillRecord) so that a failure leaves the previous contents untouched. Each step fails
// with SQLite's text on a database error, or as CancelledOutcome() when `progress` said
// stop.
class ReportWriter
{
public:
    ReportWriter(SqliteConnection& db, const ProjectModel& model, const QList<OutputRow>& rows,
                 ProgressCallback progress = {});

    Outcome ClearReportTables();
    Outcome WriteCommonRow();
    Outcome WriteFieldBookRows(FieldBookMode mode);
    Outcome WriteSatelliteRows(FieldBookMode mode);
    Outcome WriteRecordRows();

    const OutputStations& outputStations() const { return outputStations_; }

    // The steps' units of work (grid rows, occupations) of a fill of `kind`, for progress.
    static qint64 workOfFieldBook(const ProjectModel& model, const QList<OutputRow>& rows);
    static qint64 workOfRecord(const QList<OutputRow>& rows);

private:
    // Counts one unit of work and now and then tells `progress`; false once cancelled.
    bool advance();

    SqliteConnection& db_;
    const ProjectModel& model_;
    const QList<OutputRow>& rows_;
    OutputStations outputStations_;
    ProgressCallback progress_;
    qint64 total_ = 0;
    qint64 done_ = 0;
};

// rejectedObs / usedObs, or null when usedObs is zero or either is not a number.
QVariant RejectRatio(const QString& rejectedObs, const QString& usedObs);

// Empties the tables and fills them for the field book, in one transaction; a cancelled
// fill is rolled back and returns CancelledOutcome().
Outcome FillFieldBook(ReportDatabase& database, const ProjectModel& model,
                      const QList<OutputRow>& rows, FieldBookMode mode,
                      const ProgressCallback& progress = {});

// Empties the tables and fills them for the record, in one transaction.
Outcome FillRecord(ReportDatabase& database, const ProjectModel& model,
                   const QList<OutputRow>& rows, const ProgressCallback& progress = {});
