// The little of SQLite's C interface the word index uses, with statements
// prepared once per connection and put back (reset) when a use ends, so no
// forgotten statement holds a read open and keeps the log from being folded
// back into the database.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace tessaly {

class SqliteDatabase;

// One use of a prepared statement: bind, step through the rows, and the
// statement is reset when the use ends. Result codes are SQLite's.
class StatementUse {
public:
    StatementUse(sqlite3_stmt* statement, int prepareResult)
        : statement_(statement), prepareResult_(prepareResult) {}
    ~StatementUse();
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;

    StatementUse& bind(int index, std::int64_t value);
    StatementUse& bindText(int index, std::string_view text);
    StatementUse& bindBlob(int index, std::string_view bytes);
    StatementUse& bindNull(int index);
    // SQLITE_ROW, SQLITE_DONE, or what failed (the failure of preparing it,
    // or of the first bind that failed, first of all).
    int step();
    // Steps to the end; SQLITE_DONE when all went well.
    int run();
    std::int64_t integer(int column) const;
    std::string_view bytes(int column) const;  // a text or blob column
    bool isNull(int column) const;

private:
    sqlite3_stmt* statement_;
    int prepareResult_;
};

class SqliteDatabase {
public:
    SqliteDatabase() = default;
    ~SqliteDatabase();
    SqliteDatabase(SqliteDatabase&& other) noexcept;
    SqliteDatabase& operator=(SqliteDatabase&& other) noexcept;

    // Opens (creating when `create`) the database file; SQLITE_OK or why not.
    int open(const std::string& path, bool create);
    void close();
    bool isOpen() const { return handle_ != nullptr; }

    // Runs one or more statements that return no rows.
    int execute(const char* sql);
    // `sql` is a literal: statements are kept by its address.
    StatementUse use(const char* sql);
    // A single number from a statement with one row, one column; SQLite's
    // result code in `result`.
    std::int64_t number(const char* sql, int& result);

    // SQLite's text for the last failure on this connection.
    std::string lastMessage() const;
    sqlite3* handle() const { return handle_; }

private:
    void finalizeAll();

    sqlite3* handle_ = nullptr;
    std::unordered_map<const char*, sqlite3_stmt*> statements_;
};

}  // namespace tessaly
