// A folder's generation: a number the folder is given anew, from one counter
// that never goes back, whenever its entries change, so that its packed
// entries (folder_entries.h), stamped with the generation they were read at,
// are never read once they no longer hold. Every statement that adds, drops
// or changes an entry must renew the generation of its folder, in the same
// transaction.
#pragma once

#include <cstdint>

#include "index/indexed_file.h"
#include "index/sqlite_database.h"

namespace tessaly {

// SQLite's result code.
int renewGeneration(SqliteDatabase& database, std::int64_t folderId);
// Of the folder holding the entry `id`, while the entry is still there.
int renewGenerationOfEntry(SqliteDatabase& database, IndexedFileId id);

}  // namespace tessaly
