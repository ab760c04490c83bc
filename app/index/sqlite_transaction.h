// A transaction that is rolled back unless committed: a failure half way
// through a batch leaves the index as it was before the batch. A read
// snapshot simply ends that way.
#pragma once

#include "index/sqlite_database.h"

namespace tessaly {

class SqliteTransaction {
public:
    // `begin`: "BEGIN" for a read snapshot, "BEGIN IMMEDIATE" to write.
    SqliteTransaction(SqliteDatabase& database, const char* begin);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

    // SQLite's result code of beginning.
    int began() const { return began_; }
    int commit();

private:
    SqliteDatabase& database_;
    int began_;
    bool open_;
};

}  // namespace tessaly
