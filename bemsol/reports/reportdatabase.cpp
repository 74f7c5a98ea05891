#include "reportdatabase.h"

#include "reportcolumns.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <atomic>

namespace {

std::atomic<int> connectionCounter{0};

QString columnDefinitions(const QStringList& columns)
{
    QStringList parts;
    for (const QString& c : columns)
        parts << c + (IsRealColumn(c) ? QStringLiteral(" REAL") : QStringLiteral(" TEXT"));
    return parts.join(QStringLiteral(", "));
}

bool execute(QSqlDatabase& db, const QString& sql, QString* error)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    *error = query.lastError().text();
    return false;
}

// Columns an existing table lacks are added, so a file from an older program still serves.
bool completeTable(QSqlDatabase& db, const QString& table, const QStringList& columns,
                   QString* error)
{
    if (!execute(db, QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                         .arg(table, columnDefinitions(columns)),
                 error))
        return false;
    const QSqlRecord present = db.record(table);
    for (const QString& c : columns) {
        if (present.indexOf(c) >= 0)
            continue;
        if (!execute(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                             .arg(table, c, IsRealColumn(c) ? u"REAL" : u"TEXT"),
                     error))
            return false;
    }
    return true;
}

} // namespace

Outcome ReportDatabaseFailure(const QString& what, const QString& path, const QString& detail)
{
    QString message = what + QStringLiteral(": ") + QDir::toNativeSeparators(path);
    if (!detail.trimmed().isEmpty())
        message += u'\n' + detail.trimmed();
    return Outcome::failure(message);
}

ReportDatabase::ReportDatabase()
    : connectionName_(QStringLiteral("bemsol-reports-%1").arg(connectionCounter++))
{
}

ReportDatabase::~ReportDatabase()
{
    close();
}

Outcome ReportDatabase::open(const QString& path)
{
    close();
    path_ = path;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        openOutcome_ = ReportDatabaseFailure(QStringLiteral("帳票データベースを開けません"), path,
                                             QStringLiteral("SQLite driver missing"));
        return openOutcome_;
    }
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    db_.setDatabaseName(path);
    if (!db_.open()) {
        openOutcome_ = ReportDatabaseFailure(QStringLiteral("帳票データベースを開けません"), path,
                                             db_.lastError().text());
        close();
        return openOutcome_;
    }
    open_ = true;
    openOutcome_ = createSchema();
    if (!openOutcome_)
        close();
    return openOutcome_;
}

Outcome ReportDatabase::createSchema()
{
    QString error;
    // Writing the schema version up front tells a read-only or foreign file apart now
    // rather than at the first fill.
    const bool ok = execute(db_, QStringLiteral("PRAGMA user_version = 1"), &error) &&
                    completeTable(db_, QStringLiteral("Common"), CommonColumns(), &error) &&
                    completeTable(db_, QStringLiteral("tblBaseLine"), BaselineTableColumns(), &error) &&
                    completeTable(db_, QStringLiteral("SSatList"), SatelliteColumns(), &error) &&
                    execute(db_,
                            QStringLiteral("CREATE INDEX IF NOT EXISTS SSatListByBaseLineID "
                                           "ON SSatList (BaseLineID)"),
                            &error);
    if (!ok)
        return ReportDatabaseFailure(QStringLiteral("帳票データベースを開けません"), path_, error);
    return Outcome::success();
}

Outcome ReportDatabase::openForProgram(const FileLocations& files)
{
    const QString name = QString::fromUtf16(fileName);
    const QString first = files.writablePath(name);
    const QString second = files.inUserData(name);
    if (first == second)
        QDir().mkpath(files.userDataDir());
    Outcome outcome = open(first);
    if (outcome || second.isEmpty() || second == first)
        return outcome;
    QDir().mkpath(files.userDataDir());
    Outcome fallback = open(second);
    if (!fallback)
        // Both places failed: name both, the user has to fix one of them.
        openOutcome_ = Outcome::failure(outcome.message + u'\n' + fallback.message);
    return openOutcome_;
}

void ReportDatabase::close()
{
    open_ = false;
    if (db_.isValid()) {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
    }
}

Outcome ReportDatabase::notOpenOutcome() const
{
    // The reason of the failed open names every file that was tried.
    const QString why = openOutcome_ ? QDir::toNativeSeparators(path_) : openOutcome_.message;
    return Outcome::failure(QStringLiteral("帳票データベースを開けないため、帳票を出力できません。\n") + why);
}

Outcome ReportDatabase::ClearReportTables()
{
    if (!open_)
        return notOpenOutcome();
    QString error;
    const bool ok = db_.transaction() &&
                    execute(db_, QStringLiteral("DELETE FROM tblBaseLine"), &error) &&
                    execute(db_, QStringLiteral("DELETE FROM Common"), &error) &&
                    execute(db_, QStringLiteral("DELETE FROM SSatList"), &error) && db_.commit();
    if (ok)
        return Outcome::success();
    if (error.isEmpty())
        error = db_.lastError().text();
    db_.rollback();
    return ReportDatabaseFailure(QStringLiteral("帳票データベースを空にできません"), path_, error);
}
