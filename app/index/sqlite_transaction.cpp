#include "index/sqlite_transaction.h"

#include <sqlite3.h>

namespace tessaly {

SqliteTransaction::SqliteTransaction(SqliteDatabase& database, const char* begin)
    : database_(database), began_(database.execute(begin)), open_(began_ == SQLITE_OK) {}

SqliteTransaction::~SqliteTransaction() {
    if (open_) database_.execute("ROLLBACK");
}

int SqliteTransaction::commit() {
    const int result = database_.execute("COMMIT");
    // A failed COMMIT may leave the transaction open; SQLite says whether.
    open_ = result != SQLITE_OK && !sqlite3_get_autocommit(database_.handle());
    return result;
}

}  // namespace tessaly
