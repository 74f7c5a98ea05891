#include "sqliteconnection.h"

#include <QFile>

#include <sqlite3.h>

#include <utility>

namespace {

Outcome failureOf(sqlite3* db)
{
    return Outcome::failure(db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("not open"));
}

} // namespace

SqliteStatement::SqliteStatement(sqlite3_stmt* stmt, int parameters)
    : stmt_(stmt), texts_(size_t(parameters))
{
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(stmt_);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : stmt_(std::exchange(other.stmt_, nullptr)), texts_(std::move(other.texts_)),
      stepped_(std::move(other.stepped_))
{
}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(stmt_);
        stmt_ = std::exchange(other.stmt_, nullptr);
        texts_ = std::move(other.texts_);
        stepped_ = std::move(other.stepped_);
    }
    return *this;
}

void SqliteStatement::bindText(int index, QString text)
{
    if (index < 1 || size_t(index) > texts_.size())
        return;
    QString& kept = texts_[size_t(index - 1)];
    kept = std::move(text);
    bindTextInPlace(index, kept);
}

void SqliteStatement::bindTextInPlace(int index, const QString& text)
{
    // constData() is never null, so an empty text is stored as text, not as NULL.
    sqlite3_bind_text16(stmt_, index, text.constData(), int(text.size() * 2), SQLITE_STATIC);
}

void SqliteStatement::bindDouble(int index, double value)
{
    sqlite3_bind_double(stmt_, index, value);
}

void SqliteStatement::bindNull(int index)
{
    sqlite3_bind_null(stmt_, index);
}

void SqliteStatement::bind(int index, const QVariant& value)
{
    if (value.isNull())
        bindNull(index);
    else if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float)
        bindDouble(index, value.toDouble());
    else
        bindText(index, value.toString());
}

Outcome SqliteStatement::run()
{
    const int result = sqlite3_step(stmt_);
    Outcome outcome = result == SQLITE_DONE || result == SQLITE_ROW
                          ? Outcome::success()
                          : failureOf(sqlite3_db_handle(stmt_));
    sqlite3_reset(stmt_);
    return outcome;
}

bool SqliteStatement::next()
{
    const int result = sqlite3_step(stmt_);
    if (result == SQLITE_ROW)
        return true;
    if (result != SQLITE_DONE)
        stepped_ = failureOf(sqlite3_db_handle(stmt_));
    return false;
}

void SqliteStatement::reset()
{
    sqlite3_reset(stmt_);
    stepped_ = Outcome::success();
}

QVariant SqliteStatement::value(int column) const
{
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(stmt_, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt_, column));
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, column)),
                          sqlite3_column_bytes(stmt_, column));
    default: {
        const void* text = sqlite3_column_text16(stmt_, column);
        const int bytes = sqlite3_column_bytes16(stmt_, column);
        return QString(static_cast<const QChar*>(text), bytes / 2);
    }
    }
}

int SqliteStatement::columnCount() const
{
    return sqlite3_column_count(stmt_);
}

SqliteConnection::~SqliteConnection()
{
    close();
}

Outcome SqliteConnection::open(const QString& path)
{
    close();
    const QByteArray name = QFile::encodeName(path);
    const int result = sqlite3_open_v2(name.constData(), &db_,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (result == SQLITE_OK)
        return Outcome::success();
    const Outcome failure = db_ ? lastFailure() : Outcome::failure(QString::fromUtf8(sqlite3_errstr(result)));
    close();
    return failure;
}

void SqliteConnection::close()
{
    // Statements still prepared keep the file open until they are finalised.
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

Outcome SqliteConnection::execute(const QString& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message) == SQLITE_OK)
        return Outcome::success();
    const Outcome failure = message ? Outcome::failure(QString::fromUtf8(message)) : lastFailure();
    sqlite3_free(message);
    return failure;
}

Result<SqliteStatement> SqliteConnection::prepare(const QString& sql)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare16_v2(db_, sql.constData(), int(sql.size() * 2), &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return lastFailure();
    }
    return SqliteStatement(stmt, sqlite3_bind_parameter_count(stmt));
}

Outcome SqliteConnection::lastFailure() const
{
    return failureOf(db_);
}
