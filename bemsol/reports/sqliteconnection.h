#pragma once

#include "model/outcome.h"

#include <QString>
#include <QVariant>

#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// SQLite through its own C API, as thin as the report database needs it: texts are bound
// straight from the program's strings, statements are prepared once and run for every
// row, and nothing is converted that the caller does not ask for. A failure's message is
// SQLite's own text; the report database puts what failed and the file in front of it.

// A prepared statement. Values are bound by position, from 1.
class SqliteStatement
{
public:
    SqliteStatement() = default;
    ~SqliteStatement();
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool isValid() const { return stmt_ != nullptr; }

    // The statement keeps the string (a shared copy, no characters copied) until the next
    // value is bound at `index`, so temporaries may be bound.
    void bindText(int index, QString text);
    // Binds the characters where they are: `text` must stay alive and unchanged until
    // the statement has run.
    void bindTextInPlace(int index, const QString& text);
    void bindDouble(int index, double value);
    void bindNull(int index);
    // A double, a text or null, as the value holds.
    void bind(int index, const QVariant& value);

    // Runs a statement that returns no rows and makes it ready for the next values.
    Outcome run();

    // Steps a query: true with the next row to read, false after the last one or on a
    // failure; steppedOutcome() then tells which.
    bool next();
    const Outcome& steppedOutcome() const { return stepped_; }
    // Starts the query over, for new values.
    void reset();

    // A value of the current row: null, a whole number, a double or a text as stored.
    QVariant value(int column) const;
    int columnCount() const;

private:
    friend class SqliteConnection;
    SqliteStatement(sqlite3_stmt* stmt, int parameters);

    sqlite3_stmt* stmt_ = nullptr;
    std::vector<QString> texts_; // what the bound texts point into
    Outcome stepped_;
};

// One connection to a database file.
class SqliteConnection
{
public:
    SqliteConnection() = default;
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Opens the file, creating it when missing. A file that is no database is only found
    // out by the first statement.
    Outcome open(const QString& path);
    void close();
    bool isOpen() const { return db_ != nullptr; }

    // Runs one or more statements that return no rows.
    Outcome execute(const QString& sql);
    // The statement, or why the text does not compile.
    Result<SqliteStatement> prepare(const QString& sql);

private:
    // The message of the last failure on this connection.
    Outcome lastFailure() const;

    sqlite3* db_ = nullptr;
};
