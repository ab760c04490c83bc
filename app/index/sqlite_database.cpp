#include "index/sqlite_database.h"

#include <sqlite3.h>

#include <utility>

namespace tessaly {

StatementUse::~StatementUse() {
    if (statement_) {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
}

StatementUse& StatementUse::bind(int index, std::int64_t value) {
    if (statement_ && prepareResult_ == SQLITE_OK)
        prepareResult_ = sqlite3_bind_int64(statement_, index, value);
    return *this;
}

StatementUse& StatementUse::bindText(int index, std::string_view text) {
    if (statement_ && prepareResult_ == SQLITE_OK)
        prepareResult_ = sqlite3_bind_text64(statement_, index, text.data(), text.size(),
                                             SQLITE_STATIC, SQLITE_UTF8);
    return *this;
}

StatementUse& StatementUse::bindBlob(int index, std::string_view bytes) {
    // SQLite takes a null pointer for NULL: an empty value needs an address.
    static const char empty = 0;
    if (statement_ && prepareResult_ == SQLITE_OK)
        prepareResult_ = sqlite3_bind_blob64(
            statement_, index, bytes.empty() ? &empty : bytes.data(), bytes.size(), SQLITE_STATIC);
    return *this;
}

StatementUse& StatementUse::bindNull(int index) {
    if (statement_ && prepareResult_ == SQLITE_OK)
        prepareResult_ = sqlite3_bind_null(statement_, index);
    return *this;
}

int StatementUse::step() {
    if (!statement_ || prepareResult_ != SQLITE_OK)
        return prepareResult_ != SQLITE_OK ? prepareResult_ : SQLITE_MISUSE;
    return sqlite3_step(statement_);
}

int StatementUse::run() {
    int result;
    while ((result = step()) == SQLITE_ROW) {
    }
    return result;
}

std::int64_t StatementUse::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::string_view StatementUse::bytes(int column) const {
    const void* data = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return data ? std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size))
                : std::string_view();
}

bool StatementUse::isNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

SqliteDatabase::~SqliteDatabase() {
    close();
}

SqliteDatabase::SqliteDatabase(SqliteDatabase&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), statements_(std::move(other.statements_)) {
    other.statements_.clear();
}

SqliteDatabase& SqliteDatabase::operator=(SqliteDatabase&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = std::exchange(other.handle_, nullptr);
        statements_ = std::move(other.statements_);
        other.statements_.clear();
    }
    return *this;
}

int SqliteDatabase::open(const std::string& path, bool create) {
    close();
    const int flags =
        SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    const int result = sqlite3_open_v2(path.c_str(), &handle_, flags, nullptr);
    if (result != SQLITE_OK)
        close();
    else
        sqlite3_extended_result_codes(handle_, 0);
    return result;
}

void SqliteDatabase::finalizeAll() {
    for (auto& [sql, statement] : statements_) sqlite3_finalize(statement);
    statements_.clear();
}

void SqliteDatabase::close() {
    finalizeAll();
    if (handle_) sqlite3_close_v2(handle_);
    handle_ = nullptr;
}

int SqliteDatabase::execute(const char* sql) {
    if (!handle_) return SQLITE_MISUSE;
    return sqlite3_exec(handle_, sql, nullptr, nullptr, nullptr);
}

StatementUse SqliteDatabase::use(const char* sql) {
    if (!handle_) return StatementUse(nullptr, SQLITE_MISUSE);
    auto found = statements_.find(sql);
    if (found == statements_.end()) {
        sqlite3_stmt* statement = nullptr;
        const int result =
            sqlite3_prepare_v3(handle_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
        // A failed preparation is tried again next time: it may have been a
        // busy schema, not a wrong statement.
        if (result != SQLITE_OK) {
            sqlite3_finalize(statement);
            return StatementUse(nullptr, result);
        }
        found = statements_.emplace(sql, statement).first;
    }
    return StatementUse(found->second, SQLITE_OK);
}

std::int64_t SqliteDatabase::number(const char* sql, int& result) {
    StatementUse query = use(sql);
    result = query.step();
    if (result != SQLITE_ROW) return 0;
    result = SQLITE_OK;
    return query.integer(0);
}

std::string SqliteDatabase::lastMessage() const {
    return handle_ ? sqlite3_errmsg(handle_) : "not open";
}

}  // namespace tessaly
