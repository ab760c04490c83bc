#include "index/index_schema.h"

#include <sqlite3.h>

#include <string>

namespace tessaly {

namespace {

// Paths are blobs: the file system's bytes need not be UTF-8. Entry numbers
// are AUTOINCREMENT so that no number is used twice, not even after the
// newest entry is deleted: a dead entry's words must never answer for a
// later file (see file_id_set.h for the other half of that promise).
//
// A folder's entries are also kept packed in one value (folder_entries.h),
// stamped with the folder's generation. Every change to the folder's files
// gives the folder a generation never given before (folder_generation.h: one
// counter for all folders, kept when everything is forgotten), so a packed
// value that no longer matches its folder, or was taken from another folder
// that had the same number, is never read; a folder that goes takes its
// packed value with it. (Not by triggers on `files`: a statement that fires
// one makes FTS5 write out the words it holds for the batch, a segment for
// every file, and recording took three times as long.)
//
// A folder's listing is kept with the folder's version as it stood just
// before the listing began, and the moment it began: while the version
// holds, and lay far enough before that moment, the listing still holds.
constexpr const char* kTables = R"sql(
CREATE TABLE folders(
    id INTEGER PRIMARY KEY,
    path BLOB NOT NULL UNIQUE,
    generation INTEGER NOT NULL DEFAULT 0);
CREATE TABLE files(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    folder_id INTEGER NOT NULL,
    name BLOB NOT NULL,
    device INTEGER NOT NULL,
    inode INTEGER NOT NULL,
    size INTEGER NOT NULL,
    modified_ns INTEGER NOT NULL,
    changed_ns INTEGER NOT NULL,
    read_as INTEGER NOT NULL,
    recorded_ns INTEGER NOT NULL,
    used_ns INTEGER NOT NULL,
    word_count INTEGER NOT NULL,
    UNIQUE(folder_id, name));
CREATE TABLE document_texts(
    file_id INTEGER PRIMARY KEY,
    compressed BLOB NOT NULL);
CREATE TABLE packed_folders(
    folder_id INTEGER PRIMARY KEY,
    generation INTEGER NOT NULL,
    entries BLOB NOT NULL);
CREATE TABLE folder_listings(
    path BLOB PRIMARY KEY,
    device INTEGER NOT NULL,
    inode INTEGER NOT NULL,
    size INTEGER NOT NULL,
    modified_ns INTEGER NOT NULL,
    changed_ns INTEGER NOT NULL,
    listed_ns INTEGER NOT NULL,
    names BLOB NOT NULL);
CREATE TABLE counters(
    name TEXT PRIMARY KEY,
    value INTEGER NOT NULL) WITHOUT ROWID;
INSERT INTO counters VALUES('dead_words', 0);
INSERT INTO counters VALUES('generation', 0);
CREATE TRIGGER folder_removed AFTER DELETE ON folders BEGIN
    DELETE FROM packed_folders WHERE folder_id = OLD.id; END;
)sql";

// The "ascii" tokenizer splits only at ASCII characters other than letters
// and digits and takes every byte above 127 as part of a word, so the
// engine's words (letters, digits and marks of any script, in UTF-8) come
// out of it as they went in. It folds A-Z, which the engine has done
// already.
constexpr const char* kWordTableColumns =
    "(word, content='', detail=none, columnsize=0, tokenize='ascii')";

constexpr const char* kDropAll = R"sql(
DROP TABLE IF EXISTS folders;
DROP TABLE IF EXISTS files;
DROP TABLE IF EXISTS document_texts;
DROP TABLE IF EXISTS packed_folders;
DROP TABLE IF EXISTS folder_listings;
DROP TABLE IF EXISTS counters;
DROP TABLE IF EXISTS words;
DROP TABLE IF EXISTS reversed_words;
)sql";

int makeTables(SqliteDatabase& database) {
    int result = database.execute(kTables);
    for (const std::string table : {"words", "reversed_words"})
        if (result == SQLITE_OK)
            result = database.execute((wordTableStatement(table) + ";" + wordTableSettings(table)).c_str());
    if (result == SQLITE_OK)
        result =
            database.execute(("PRAGMA application_id = " + std::to_string(kIndexApplicationId) +
                              "; PRAGMA user_version = " + std::to_string(kIndexSchemaVersion))
                                 .c_str());
    return result;
}

}  // namespace

std::string wordTableStatement(const std::string& name) {
    return "CREATE VIRTUAL TABLE " + name + " USING fts5" + kWordTableColumns;
}

std::string wordTableSettings(const std::string& name) {
    // A batch's words are held in memory up to the hash size and written as
    // one segment; merging eight segments at a time instead of four leaves
    // fewer merges to the writer. Together about a quarter off the time a
    // file's words take to record, for a few more segments to read a term
    // from, which a search does a handful of times.
    const std::string setting = "INSERT INTO " + name + "(" + name + ", rank) VALUES";
    return setting + "('hashsize', 16777216); " + setting + "('automerge', 8);";
}

int prepareSchema(SqliteDatabase& database, SchemaState& state) {
    state = SchemaState::ready;
    int result;
    // A quick look first: nearly always the tables are there.
    if (database.number("PRAGMA application_id", result) == kIndexApplicationId &&
        result == SQLITE_OK &&
        database.number("PRAGMA user_version", result) == kIndexSchemaVersion &&
        result == SQLITE_OK)
        return SQLITE_OK;
    if (result != SQLITE_OK) return result;
    // Another program may be making them at this moment: look again holding the lock.
    if ((result = database.execute("BEGIN IMMEDIATE")) != SQLITE_OK) return result;
    const std::int64_t application = database.number("PRAGMA application_id", result);
    const std::int64_t version =
        result == SQLITE_OK ? database.number("PRAGMA user_version", result) : 0;
    const std::int64_t tables =
        result == SQLITE_OK ? database.number("SELECT count(*) FROM sqlite_schema", result) : 0;
    if (result == SQLITE_OK) {
        if (application == kIndexApplicationId && version == kIndexSchemaVersion) {
        } else if (application == kIndexApplicationId || (application == 0 && tables == 0)) {
            // Numbering goes on from where the old layout left it, for the
            // same reason as AUTOINCREMENT: a program still running on the
            // old tables may hold entry sets taken from them.
            int ignored;
            const std::int64_t lastId =
                tables == 0 ? 0
                            : database.number(
                                  "SELECT seq FROM sqlite_sequence WHERE name = 'files'", ignored);
            result = database.execute(kDropAll);
            if (result == SQLITE_OK) result = makeTables(database);
            if (result == SQLITE_OK && lastId > 0)
                result =
                    database.execute(("INSERT INTO sqlite_sequence(name, seq) VALUES('files', " +
                                      std::to_string(lastId) + ")")
                                         .c_str());
        } else {
            state = SchemaState::foreign;
        }
    }
    if (result == SQLITE_OK) return database.execute("COMMIT");
    database.execute("ROLLBACK");
    return result;
}

}  // namespace tessaly
