// What went wrong with the index, sorted by what the search does about it.
// None of it costs a result: the search reads the files the index cannot
// speak for.
#pragma once

#include <string>

#include "platform/error_codes.h"

namespace tessaly {

enum class IndexTrouble {
    none,
    damaged,   // not a database, or not ours, or cut short: set aside, a new one made
    busy,      // another program held the lock longer than we wait: that batch is given up
    full,      // the disk, or the index's own ceiling
    unusable,  // cannot be made, opened, read or written (read-only folder, I/O error)
};

// From one of SQLite's result codes (primary or extended).
IndexTrouble troubleOf(int sqliteResult);

// A failure value naming what was being done to the index file:
// "cannot record words in ~/.cache/tessaly/words.sqlite: database or disk is full (61)".
Failure indexFailure(int sqliteResult, std::string operation, std::string path,
                     std::string sqliteMessage);

}  // namespace tessaly
