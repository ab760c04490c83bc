#include "index/folder_generation.h"

#include <sqlite3.h>

namespace tessaly {

namespace {

// Counts the counter on and gives its value to the folder `update` names by `key`.
int renew(SqliteDatabase& database, const char* update, std::int64_t key) {
    int result = database.use("UPDATE counters SET value = value + 1 WHERE name = 'generation'").run();
    if (result == SQLITE_DONE) result = database.use(update).bind(1, key).run();
    return result == SQLITE_DONE ? SQLITE_OK : result;
}

}  // namespace

int renewGeneration(SqliteDatabase& database, std::int64_t folderId) {
    return renew(database,
                 "UPDATE folders SET generation = (SELECT value FROM counters WHERE name = 'generation')"
                 " WHERE id = ?1",
                 folderId);
}

int renewGenerationOfEntry(SqliteDatabase& database, IndexedFileId id) {
    return renew(database,
                 "UPDATE folders SET generation = (SELECT value FROM counters WHERE name = 'generation')"
                 " WHERE id = (SELECT folder_id FROM files WHERE id = ?1)",
                 id);
}

}  // namespace tessaly
