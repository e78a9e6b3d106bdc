#pragma once
// A thin owner of one SQLite connection and its prepared statements. Values
// only ever reach SQL through bound parameters. A connection is not shared
// between threads without the caller's own lock.

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace pimlo::servers {

// Thrown when SQLite refuses an operation; the text is SQLite's message.
class SqliteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SqliteStatement {
public:
    SqliteStatement(sqlite3* database, const std::string& sql);

    // Parameters are numbered from 1, as in SQLite. Text is bound as given
    // bytes, so report fields in any code page are kept unchanged.
    SqliteStatement& Bind(int index, const std::string& text);
    SqliteStatement& Bind(int index, int64_t number);

    // True while a result row is available; false once the statement is done.
    bool Step();
    int64_t Integer(int column) const;
    std::string Text(int column) const;

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
    };
    sqlite3* database_;
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};

class SqliteDatabase {
public:
    // Opens the file, creating it when missing.
    explicit SqliteDatabase(const std::string& path);

    // Runs statements that take no parameters, such as the schema.
    void Execute(const std::string& sql);
    SqliteStatement Prepare(const std::string& sql);
    int64_t LastInsertedRow() const;
    // Rows changed by the last INSERT, UPDATE or DELETE.
    int Changes() const;

private:
    struct Closer {
        void operator()(sqlite3* database) const { sqlite3_close(database); }
    };
    std::unique_ptr<sqlite3, Closer> database_;
};

}  // namespace pimlo::servers
