// The word index's tables.
//
// Words live in two FTS5 indexes (words, and the same words reversed), one
// row per recording of a file, numbered by its entry in `files`. FTS5 keeps
// each word's list of entries delta-coded, about 2 bytes an entry, where a
// plain (word, file) table costs 15 or more; see bench/index_schema_bench.cpp.
// The FTS5 tables keep no copy of the text they were given ("contentless")
// and no positions ("detail=none"): the index only says whether an entry
// holds a word, the engine finds where.
//
// A contentless FTS5 index can forget an entry only if told its words again,
// and keeping every file's words a second time would double the index. So a
// file recorded again gets a new entry number, and its old entry's words
// stay behind answering for no file ("dead" words, counted in `counters`)
// until a compaction rebuilds the FTS5 tables from the live entries.
#pragma once

#include <string>

#include "index/sqlite_database.h"

namespace tessaly {

// Our mark in the database header (application_id): "Tsly".
inline constexpr int kIndexApplicationId = 0x54736c79;
// The layout's version (user_version); a database of another version is
// emptied and made again in this one.
inline constexpr int kIndexSchemaVersion = 4;

enum class SchemaState { ready, foreign };

// Makes the tables in a new database, remakes them in one of another
// version, or finds a database that is not ours (`foreign`). SQLite's
// result code.
int prepareSchema(SqliteDatabase& database, SchemaState& state);

// The statement that makes an FTS5 table of words under `name`.
std::string wordTableStatement(const std::string& name);
// The statements that tune a word table made by wordTableStatement().
std::string wordTableSettings(const std::string& name);

}  // namespace tessaly
