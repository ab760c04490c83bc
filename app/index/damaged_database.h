// A database file that cannot be ours as it stands: what SQLite would only
// notice page by page, half way through a search, is caught before opening.
#pragma once

#include <string>

namespace tessaly {

// False when the file is plainly not a whole SQLite database: it does not
// begin as one, or it is shorter than its own header says and no log is
// beside it to make up the rest. A missing or empty file is whole (a new
// database).
bool looksWhole(const std::string& path);

// Moves the database to `path` + ".damaged" (replacing an older one there,
// so damage never piles up) and deletes its log and shared-memory files.
// The errno of failing to, or 0.
int setAside(const std::string& path);

}  // namespace tessaly
