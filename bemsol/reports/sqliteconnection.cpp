#include "sqliteconnection.h"

#include <QFile>

#include <sqlite3.h>

#include <utility>

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
      lastError_(std::move(other.lastError_))
{
}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(stmt_);
        stmt_ = std::exchange(other.stmt_, nullptr);
        texts_ = std::move(other.texts_);
        lastError_ = std::move(other.lastError_);
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

bool SqliteStatement::run(QString* error)
{
    const int result = sqlite3_step(stmt_);
    if (result != SQLITE_DONE && result != SQLITE_ROW) {
        *error = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(stmt_)));
        sqlite3_reset(stmt_);
        return false;
    }
    sqlite3_reset(stmt_);
    return true;
}

bool SqliteStatement::next()
{
    const int result = sqlite3_step(stmt_);
    if (result == SQLITE_ROW)
        return true;
    if (result != SQLITE_DONE)
        lastError_ = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(stmt_)));
    return false;
}

void SqliteStatement::reset()
{
    sqlite3_reset(stmt_);
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

bool SqliteConnection::open(const QString& path, QString* error)
{
    close();
    const QByteArray name = QFile::encodeName(path);
    const int result = sqlite3_open_v2(name.constData(), &db_,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (result == SQLITE_OK)
        return true;
    *error = db_ ? errorText() : QString::fromUtf8(sqlite3_errstr(result));
    close();
    return false;
}

void SqliteConnection::close()
{
    // Statements still prepared keep the file open until they are finalised.
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool SqliteConnection::execute(const QString& sql, QString* error)
{
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    *error = message ? QString::fromUtf8(message) : errorText();
    sqlite3_free(message);
    return false;
}

SqliteStatement SqliteConnection::prepare(const QString& sql, QString* error)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare16_v2(db_, sql.constData(), int(sql.size() * 2), &stmt, nullptr) != SQLITE_OK) {
        *error = errorText();
        sqlite3_finalize(stmt);
        return {};
    }
    return SqliteStatement(stmt, sqlite3_bind_parameter_count(stmt));
}

QString SqliteConnection::errorText() const
{
    return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("not open");
}
