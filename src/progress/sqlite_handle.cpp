#include "progress/sqlite_handle.h"

#include <sqlite3.h>

namespace pathwick {
namespace {

[[noreturn]] void fail(sqlite3* connection, int code) {
    const char* what = connection != nullptr ? sqlite3_errmsg(connection) : sqlite3_errstr(code);
    throw SqliteError(code & 0xff, what);
}

void check(sqlite3* connection, int code) {
    if (code != SQLITE_OK) fail(connection, code);
}

}  // namespace

void SqliteStatement::Finalize::operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }

SqliteStatement::SqliteStatement(sqlite3* connection, std::string_view sql) : connection_(connection) {
    sqlite3_stmt* prepared = nullptr;
    const int code = sqlite3_prepare_v2(connection, sql.data(), static_cast<int>(sql.size()), &prepared, nullptr);
    statement_.reset(prepared);
    check(connection, code);
}

SqliteStatement& SqliteStatement::bind(int index, std::string_view text) {
    check(connection_, sqlite3_bind_text(statement_.get(), index, text.data(), static_cast<int>(text.size()),
                                         SQLITE_TRANSIENT));
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t number) {
    check(connection_, sqlite3_bind_int64(statement_.get(), index, number));
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, double number) {
    check(connection_, sqlite3_bind_double(statement_.get(), index, number));
    return *this;
}

bool SqliteStatement::step() {
    const int code = sqlite3_step(statement_.get());
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    sqlite3_reset(statement_.get());
    fail(connection_, code);
}

void SqliteStatement::run() {
    while (step()) {
    }
    reset();
}

void SqliteStatement::reset() { sqlite3_reset(statement_.get()); }

std::string_view SqliteStatement::text(int column) const {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement_.get(), column));
    if (bytes == nullptr) return {};
    return {bytes, static_cast<std::size_t>(sqlite3_column_bytes(statement_.get(), column))};
}

std::int64_t SqliteStatement::integer(int column) const { return sqlite3_column_int64(statement_.get(), column); }

double SqliteStatement::real(int column) const { return sqlite3_column_double(statement_.get(), column); }

void SqliteConnection::Close::operator()(sqlite3* connection) const { sqlite3_close_v2(connection); }

SqliteConnection::SqliteConnection(const std::filesystem::path& file, Create create) {
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE |
                      (create == Create::Yes ? SQLITE_OPEN_CREATE : 0);
    sqlite3* opened = nullptr;
    const int code = sqlite3_open_v2(file.c_str(), &opened, flags, nullptr);
    connection_.reset(opened);
    check(opened, code);
}

void SqliteConnection::execute(std::string_view sql) {
    const std::string statements(sql);
    check(connection_.get(), sqlite3_exec(connection_.get(), statements.c_str(), nullptr, nullptr, nullptr));
}

std::int64_t SqliteConnection::integerOf(std::string_view sql) {
    SqliteStatement query = prepare(sql);
    return query.step() ? query.integer(0) : 0;
}

bool SqliteConnection::readOnly() const { return sqlite3_db_readonly(connection_.get(), "main") == 1; }

void SqliteConnection::setBusyTimeout(int milliseconds) {
    check(connection_.get(), sqlite3_busy_timeout(connection_.get(), milliseconds));
}

SqliteTransaction::SqliteTransaction(SqliteConnection& connection) : connection_(connection) {
    connection_.execute("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction() {
    if (!open_) return;
    try {
        connection_.execute("ROLLBACK");
    } catch (const SqliteError&) {
        // SQLite has rolled back by itself after the error that got us here.
    }
}

void SqliteTransaction::commit() {
    connection_.execute("COMMIT");
    open_ = false;
}

}  // namespace pathwick
