#include "reportdatabase.h"

#include "reportcolumns.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString columnDefinitions(const QStringList& columns)
{
    QStringList parts;
    for (const QString& c : columns)
        parts << c + (IsRealColumn(c) ? QStringLiteral(" REAL") : QStringLiteral(" TEXT"));
    return parts.join(QStringLiteral(", "));
}

// Columns an existing table lacks are added, so a file from an older program still serves.
Outcome completeTable(SqliteConnection& db, const QString& table, const QStringList& columns)
{
    if (Outcome created = db.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                                         .arg(table, columnDefinitions(columns)));
        !created)
        return created;
    Result<SqliteStatement> info = db.prepare(QStringLiteral("PRAGMA table_info(%1)").arg(table));
    if (!info)
        return info.outcome();
    QStringList present;
    while (info->next())
        present << info->value(1).toString();
    if (!info->steppedOutcome())
        return info->steppedOutcome();
    for (const QString& c : columns) {
        if (present.contains(c, Qt::CaseInsensitive))
            continue;
        if (Outcome added = db.execute(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                                           .arg(table, c, IsRealColumn(c) ? u"REAL" : u"TEXT"));
            !added)
            return added;
    }
    return Outcome::success();
}

} // namespace

Outcome ReportDatabaseFailure(const QString& what, const QString& path, const QString& detail)
{
    QString message = what + QStringLiteral(": ") + QDir::toNativeSeparators(path);
    if (!detail.trimmed().isEmpty())
        message += u'\n' + detail.trimmed();
    return Outcome::failure(message);
}

ReportDatabase::ReportDatabase() = default;

ReportDatabase::~ReportDatabase()
{
    close();
}

Outcome ReportDatabase::open(const QString& path)
{
    close();
    path_ = path;
    if (const Outcome opened = db_.open(path); !opened) {
        openOutcome_ = ReportDatabaseFailure(QStringLiteral("帳票データベースを開けません"), path,
                                             opened.message);
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
    // Writing the schema version up front tells a read-only or foreign file apart now
    // rather than at the first fill.
    Outcome done = db_.execute(QStringLiteral("PRAGMA user_version = 1"));
    if (done)
        done = completeTable(db_, QStringLiteral("Common"), CommonColumns());
    if (done)
        done = completeTable(db_, QStringLiteral("tblBaseLine"), BaselineTableColumns());
    if (done)
        done = completeTable(db_, QStringLiteral("SSatList"), SatelliteColumns());
    if (done)
        done = db_.execute(QStringLiteral("CREATE INDEX IF NOT EXISTS SSatListByBaseLineID "
                                          "ON SSatList (BaseLineID)"));
    if (!done)
        return ReportDatabaseFailure(QStringLiteral("帳票データベースを開けません"), path_, done.message);
    return done;
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
    db_.close();
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
    const Outcome cleared = db_.execute(QStringLiteral("BEGIN; DELETE FROM tblBaseLine; "
                                                       "DELETE FROM Common; DELETE FROM SSatList; COMMIT"));
    if (cleared)
        return cleared;
    db_.execute(QStringLiteral("ROLLBACK"));
    return ReportDatabaseFailure(QStringLiteral("帳票データベースを空にできません"), path_,
                                 cleared.message);
}
