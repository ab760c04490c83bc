#include "index/index_connection.h"

#include <sqlite3.h>

#include <string>

namespace tessaly {

int openIndexConnection(const std::string& path, const IndexOptions& options,
                        SqliteDatabase& database) {
    int result = database.open(path, true);
    if (result != SQLITE_OK) return result;
    sqlite3_busy_timeout(database.handle(), static_cast<int>(options.busyTimeout.count()));
    // synchronous=NORMAL: with the log, a crash may lose the last
    // transactions but never leaves the database inconsistent, which is all
    // a cache asks. secure_delete (Debian turns it on) would write every
    // dropped page over with zeros, for nothing here.
    result = database.execute("PRAGMA synchronous = NORMAL; PRAGMA secure_delete = OFF;");
    if (result != SQLITE_OK) return result;
    // auto_vacuum lets a compaction give its pages back to the file system
    // without rewriting the whole file. It takes effect only in a database
    // without tables, where it must come before the log is switched on; set
    // on one that has them, it rewrites the header and syncs the disk, which
    // every search would pay for at its start.
    const std::int64_t existingPages = database.number("PRAGMA page_count", result);
    if (result == SQLITE_OK && existingPages == 0) result = database.execute("PRAGMA auto_vacuum = INCREMENTAL;");
    if (result == SQLITE_OK) result = database.execute("PRAGMA journal_mode = WAL;");
    if (result == SQLITE_OK && options.ceilingBytes > 0) {
        int pageResult;
        const std::int64_t pageSize = database.number("PRAGMA page_size", pageResult);
        if (pageResult != SQLITE_OK) return pageResult;
        const std::uint64_t pages =
            options.ceilingBytes / static_cast<std::uint64_t>(pageSize > 0 ? pageSize : 4096);
        result = database.execute(
            ("PRAGMA max_page_count = " + std::to_string(pages > 0 ? pages : 1)).c_str());
    }
    return result;
}

}  // namespace tessaly
