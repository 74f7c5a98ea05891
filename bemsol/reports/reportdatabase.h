#pragma once

#include "model/filelocations.h"
#include "model/outcome.h"
#include "sqliteconnection.h"

#include <QString>

// The report database: an SQLite file with the tables Common, tblBaseLine and SSatList
// that the field book and the record are drawn from. Each instance has a connection of
// its own, so several can be open at once (tests, a batch run beside the desktop).
class ReportDatabase
{
public:
    ReportDatabase();
    ~ReportDatabase();
    ReportDatabase(const ReportDatabase&) = delete;
    ReportDatabase& operator=(const ReportDatabase&) = delete;

    static constexpr auto fileName = u"BMSData.db";

    // Opens the file at `path`, creating it and any missing table or column. A failure
    // leaves the database closed; the outcome names the file.
    Outcome open(const QString& path);

    // Opens the file where the program writes its files (FileLocations::writablePath),
    // trying the user's data folder when that fails.
    Outcome openForProgram(const FileLocations& files);

    void close();
    bool isOpen() const { return open_; }

    // The file opened, or the one that could not be opened.
    const QString& filePath() const { return path_; }
    // Why the last open failed; success while open.
    const Outcome& openOutcome() const { return openOutcome_; }

    // The message the report commands show when there is no database to fill.
    Outcome notOpenOutcome() const;

    // The connection the writer and the reader work on while the database is open.
    SqliteConnection& connection() { return db_; }

    // Empties the three tables, all or nothing.
    Outcome ClearReportTables();

private:
    Outcome createSchema();

    SqliteConnection db_;
    QString path_;
    Outcome openOutcome_;
    bool open_ = false;
};

// A failure of the database, with the driver's explanation on a second line.
Outcome ReportDatabaseFailure(const QString& what, const QString& path, const QString& detail);
