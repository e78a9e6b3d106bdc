#include "platform/servers/core/Sqlite.h"

namespace pimlo::servers {

namespace {

// A busy database (another connection writing) is waited for this long
// before the statement fails.
constexpr int kBusyTimeoutMs = 5000;

void Check(sqlite3* database, int result) {
    if (result != SQLITE_OK) throw SqliteError(sqlite3_errmsg(database));
}

}  // namespace

SqliteStatement::SqliteStatement(sqlite3* database, const std::string& sql) : database_(database) {
    sqlite3_stmt* statement = nullptr;
    Check(database, sqlite3_prepare_v2(database, sql.c_str(), -1, &statement, nullptr));
    statement_.reset(statement);
}

SqliteStatement& SqliteStatement::Bind(int index, const std::string& text) {
    Check(database_, sqlite3_bind_text(statement_.get(), index, text.data(),
                                       static_cast<int>(text.size()), SQLITE_TRANSIENT));
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, int64_t number) {
    Check(database_, sqlite3_bind_int64(statement_.get(), index, number));
    return *this;
}

bool SqliteStatement::Step() {
    int result = sqlite3_step(statement_.get());
    if (result == SQLITE_ROW) return true;
    if (result == SQLITE_DONE) return false;
    throw SqliteError(sqlite3_errmsg(database_));
}

int64_t SqliteStatement::Integer(int column) const {
    return sqlite3_column_int64(statement_.get(), column);
}

std::string SqliteStatement::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_.get(), column));
    int length = sqlite3_column_bytes(statement_.get(), column);
    return text ? std::string(text, static_cast<size_t>(length)) : std::string();
}

SqliteDatabase::SqliteDatabase(const std::string& path) {
    sqlite3* database = nullptr;
    int result = sqlite3_open_v2(path.c_str(), &database,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    database_.reset(database);  // closed even when opening failed
    Check(database, result);
    sqlite3_busy_timeout(database, kBusyTimeoutMs);
}

void SqliteDatabase::Execute(const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(database_.get(), sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return;
    std::string text = message ? message : "sqlite3_exec failed";
    sqlite3_free(message);
    throw SqliteError(text);
}

SqliteStatement SqliteDatabase::Prepare(const std::string& sql) {
    return SqliteStatement(database_.get(), sql);
}

int64_t SqliteDatabase::LastInsertedRow() const {
    return sqlite3_last_insert_rowid(database_.get());
}

int SqliteDatabase::Changes() const { return sqlite3_changes(database_.get()); }

}  // namespace pimlo::servers
