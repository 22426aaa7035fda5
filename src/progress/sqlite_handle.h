#pragma once
// The least of SQLite's C interface that the store needs, with ownership:
// a connection and its prepared statements are closed however a scope ends.
// Every failure is a SqliteError carrying SQLite's primary result code.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace pathwick {

class SqliteError : public std::runtime_error {
public:
    SqliteError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
    // The primary result code (SQLITE_CORRUPT, SQLITE_FULL, ...).
    int code() const { return code_; }

private:
    int code_;
};

class SqliteStatement {
public:
    SqliteStatement(sqlite3* connection, std::string_view sql);

    // Parameters count from 1, as in SQL.
    SqliteStatement& bind(int index, std::string_view text);
    SqliteStatement& bind(int index, std::int64_t number);
    SqliteStatement& bind(int index, double number);
    // True while a row is there to read; false when the statement is done.
    bool step();
    // Runs a statement that returns no rows, then makes it ready to run again.
    void run();
    void reset();

    // Columns count from 0. Text of a NULL is empty.
    std::string_view text(int column) const;
    std::int64_t integer(int column) const;
    double real(int column) const;

private:
    struct Finalize {
        void operator()(sqlite3_stmt* statement) const;
    };
    sqlite3* connection_;
    std::unique_ptr<sqlite3_stmt, Finalize> statement_;
};

class SqliteConnection {
public:
    enum class Create { No, Yes };
    // Opens a file read-write (SQLite falls back to read-only when the file
    // may not be written: see readOnly()).
    SqliteConnection(const std::filesystem::path& file, Create create);

    void execute(std::string_view sql);
    SqliteStatement prepare(std::string_view sql) { return {connection_.get(), sql}; }
    // The single integer a query such as "PRAGMA user_version" returns.
    std::int64_t integerOf(std::string_view sql);
    bool readOnly() const;
    void setBusyTimeout(int milliseconds);

private:
    struct Close {
        void operator()(sqlite3* connection) const;
    };
    std::unique_ptr<sqlite3, Close> connection_;
};

// BEGIN IMMEDIATE (the write lock taken at once, so that the busy timeout
// applies); rolled back unless commit() was called.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteConnection& connection);
    ~SqliteTransaction();
    void commit();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

private:
    SqliteConnection& connection_;
    bool open_ = true;
};

}  // namespace pathwick
