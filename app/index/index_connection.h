// A connection to the index file, set up as every user of it needs.
#pragma once

#include <string>

#include "index/index_options.h"
#include "index/sqlite_database.h"

namespace tessaly {

// Opens (creating when missing) and sets the connection up: write-ahead log,
// so readers never wait for the writer and a killed writer leaves the last
// whole transaction; SQLite's result code.
int openIndexConnection(const std::string& path, const IndexOptions& options,
                        SqliteDatabase& database);

}  // namespace tessaly
