#include "index/index_upkeep.h"

#include <sqlite3.h>

#include <algorithm>
#include <string>
#include <vector>

#include "index/folder_generation.h"
#include "index/index_schema.h"

namespace tessaly {

namespace {

int usedBytes(SqliteDatabase& database, std::uint64_t& bytes) {
    int result;
    const std::int64_t pageSize = database.number("PRAGMA page_size", result);
    if (result != SQLITE_OK) return result;
    const std::int64_t pages = database.number("PRAGMA page_count", result);
    if (result != SQLITE_OK) return result;
    const std::int64_t freePages = database.number("PRAGMA freelist_count", result);
    bytes = static_cast<std::uint64_t>(std::max<std::int64_t>(pages - freePages, 0) * pageSize);
    return result;
}

int execute(SqliteDatabase& database, const std::string& sql) {
    return database.execute(sql.c_str());
}

// How many words the live entries hold, and how many dead ones the word
// tables still keep.
int wordCounts(SqliteDatabase& database, std::int64_t& live, std::int64_t& dead) {
    int result;
    dead = database.number("SELECT value FROM counters WHERE name = 'dead_words'", result);
    live = result == SQLITE_OK ? database.number("SELECT coalesce(sum(word_count), 0) FROM files", result) : 0;
    return result;
}

}  // namespace

int forgetEverything(SqliteDatabase& database) {
    // The entry numbering goes on (sqlite_sequence is left alone): a program
    // running meanwhile may hold entry sets that must not speak for new entries.
    return database.execute(
        "DELETE FROM folders; DELETE FROM files; DELETE FROM document_texts; DELETE FROM folder_listings;"
        "INSERT INTO words(words) VALUES('delete-all');"
        "INSERT INTO reversed_words(reversed_words) VALUES('delete-all');"
        "UPDATE counters SET value = 0 WHERE name = 'dead_words';");
}

int dropLeastUsed(SqliteDatabase& database, std::uint64_t capBytes, bool& dropped) {
    dropped = false;
    std::uint64_t used = 0;
    int result = usedBytes(database, used);
    if (result != SQLITE_OK || used <= capBytes) return result;
    // What an entry costs is its share of the word tables, by its number of
    // words, and its document text; dead words go with the compaction anyway.
    const std::int64_t textBytes =
        database.number("SELECT coalesce(sum(length(compressed)), 0) FROM document_texts", result);
    if (result != SQLITE_OK) return result;
    std::int64_t liveWords = 0, deadWords = 0;
    if ((result = wordCounts(database, liveWords, deadWords)) != SQLITE_OK) return result;
    const double bytesPerWord =
        static_cast<double>(used - std::min<std::uint64_t>(used, textBytes)) /
        static_cast<double>(std::max<std::int64_t>(liveWords + deadWords, 1));
    const double target = 0.75 * static_cast<double>(capBytes);
    double expected = static_cast<double>(used) - bytesPerWord * static_cast<double>(deadWords);
    std::vector<std::int64_t> drop;
    {
        StatementUse oldest = database.use(
            "SELECT id, word_count, coalesce(length(compressed), 0) FROM files"
            " LEFT JOIN document_texts ON file_id = id ORDER BY used_ns, id");
        while (expected > target && (result = oldest.step()) == SQLITE_ROW) {
            drop.push_back(oldest.integer(0));
            expected -= bytesPerWord * static_cast<double>(oldest.integer(1)) +
                        static_cast<double>(oldest.integer(2));
        }
        if (result != SQLITE_ROW && result != SQLITE_DONE && result != SQLITE_OK) return result;
    }
    for (std::int64_t id : drop) {
        if ((result = renewGenerationOfEntry(database, id)) != SQLITE_OK) return result;
        const std::string entry = std::to_string(id);
        result = execute(
            database,
            "UPDATE counters SET value = value + (SELECT word_count FROM files WHERE id = " +
                entry + ") WHERE name = 'dead_words'; DELETE FROM files WHERE id = " + entry +
                "; DELETE FROM document_texts WHERE file_id = " + entry);
        if (result != SQLITE_OK) return result;
    }
    dropped = !drop.empty();
    return SQLITE_OK;
}

int deadWordsOutweighLive(SqliteDatabase& database, bool& outweigh) {
    std::int64_t live = 0, dead = 0;
    const int result = wordCounts(database, live, dead);
    outweigh = dead > live;
    return result;
}

int compactWords(SqliteDatabase& database) {
    int result = SQLITE_OK;
    for (const std::string table : {"words", "reversed_words"}) {
        const std::string fresh = table + "_compacted";
        const std::string terms = "temp." + table + "_terms";
        result =
            execute(database, "CREATE VIRTUAL TABLE " + terms + " USING fts5vocab(main, " + table +
                                  ", instance);" + "DROP TABLE IF EXISTS " + fresh + ";" +
                                  wordTableStatement(fresh) + ";" + wordTableSettings(fresh) + "INSERT INTO " + fresh +
                                  "(rowid, word) SELECT doc, group_concat(term, ' ')"
                                  " FROM " +
                                  terms + " WHERE doc IN (SELECT id FROM files) GROUP BY doc;" +
                                  "DROP TABLE " + terms + ";" + "DROP TABLE " + table + ";" +
                                  "ALTER TABLE " + fresh + " RENAME TO " + table + ";");
        if (result != SQLITE_OK) return result;
    }
    return database.execute(
        "UPDATE counters SET value = 0 WHERE name = 'dead_words';"
        "DELETE FROM folders WHERE id NOT IN (SELECT folder_id FROM files);");
}

int releaseFreePages(SqliteDatabase& database) {
    return database.execute("PRAGMA incremental_vacuum; PRAGMA wal_checkpoint(TRUNCATE);");
}

}  // namespace tessaly
