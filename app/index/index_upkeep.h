// Keeping the index small: forgetting, dropping what was used longest ago,
// and rebuilding the word tables without the dead words of old entries.
// Each runs inside the caller's write transaction, except releaseFreePages.
#pragma once

#include <cstdint>

#include "index/sqlite_database.h"

namespace tessaly {

int forgetEverything(SqliteDatabase& database);

// Drops the entries used longest ago until the index, once compacted, should
// take about three quarters of `capBytes`: room to grow before the next drop.
// `dropped` tells whether any went. SQLite's result code.
int dropLeastUsed(SqliteDatabase& database, std::uint64_t capBytes, bool& dropped);

int deadWordsOutweighLive(SqliteDatabase& database, bool& outweigh);

// Makes the two FTS5 tables again from the words of the live entries, read
// back out of the old tables (fts5vocab lists each word with its entries).
int compactWords(SqliteDatabase& database);

// Gives the free pages back to the file system and folds the log into the
// database, outside any transaction.
int releaseFreePages(SqliteDatabase& database);

}  // namespace tessaly
