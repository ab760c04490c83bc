// Moving a damaged index out of the way. SQLite finds the damage itself when
// it opens the file (not a database, cut shorter than its header says) or
// when it reads a page that makes no sense.
#pragma once

#include <string>

namespace tessaly {

// Moves the database to `path` + ".damaged" (replacing an older one there,
// so damage never piles up) and deletes its log and shared-memory files.
// The errno of failing to, or 0.
int setAside(const std::string& path);

}  // namespace tessaly
