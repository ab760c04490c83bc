#include "index/folder_generation.h"

#include <sqlite3.h>

namespace tessaly {

namespace {

int countOn(SqliteDatabase& database) {
    const int result = database.use("UPDATE counters SET value = value + 1 WHERE name = 'generation'").run();
    return result == SQLITE_DONE ? SQLITE_OK : result;
}

}  // namespace

int renewGeneration(SqliteDatabase& database, std::int64_t folderId) {
    int result = countOn(database);
    if (result != SQLITE_OK) return result;
    result = database
                 .use("UPDATE folders SET generation = (SELECT value FROM counters WHERE name = 'generation')"
                      " WHERE id = ?1")
                 .bind(1, folderId)
                 .run();
    return result == SQLITE_DONE ? SQLITE_OK : result;
}

int renewGenerationOfEntry(SqliteDatabase& database, IndexedFileId id) {
    int result = countOn(database);
    if (result != SQLITE_OK) return result;
    result = database
                 .use("UPDATE folders SET generation = (SELECT value FROM counters WHERE name = 'generation')"
                      " WHERE id = (SELECT folder_id FROM files WHERE id = ?1)")
                 .bind(1, id)
                 .run();
    return result == SQLITE_DONE ? SQLITE_OK : result;
}

}  // namespace tessaly
