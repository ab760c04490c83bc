#include "index/word_index.h"

#include "index/file_times.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "index/damaged_database.h"
#include "index/folder_generation.h"
#include "index/fts_text.h"
#include "index/index_connection.h"
#include "index/index_schema.h"
#include "index/index_upkeep.h"
#include "index/sqlite_transaction.h"
#include "index/text_compression.h"
#include "platform/awake_wait.h"

namespace tessaly {

namespace {

// The paths below `root` sort between its path with a slash and its path
// with the character after the slash ('0').
std::pair<std::string, std::string> pathsBelow(std::string_view root) {
    std::string below(root);
    if (below.empty() || below.back() != '/') below += '/';
    std::string beyond = below;
    beyond.back() = '0';
    return {below, beyond};
}

// A folder's id and generation from a row, from `column` on, and its
// packed entries after them when a sound value is kept; false when none is.
bool takePackedEntries(const StatementUse& row, int column, WordIndex::FolderRead& read) {
    read.folderId = row.integer(column);
    read.generation = row.integer(column + 1);
    if (row.isNull(column + 2)) return false;
    std::optional<FolderEntries> entries = FolderEntries::unpack(std::string(row.bytes(column + 2)));
    if (!entries) return false;
    read.entries = std::move(*entries);
    read.packed = true;
    return true;
}

// A kept listing from a row's device, inode, size, both times, the moment
// of listing and the names, from `column` on.
WordIndex::KeptListing listingFrom(const StatementUse& row, int column) {
    WordIndex::KeptListing listing;
    listing.version.device = static_cast<std::uint64_t>(row.integer(column));
    listing.version.inode = static_cast<std::uint64_t>(row.integer(column + 1));
    listing.version.size = static_cast<std::uint64_t>(row.integer(column + 2));
    listing.version.modifiedNanoseconds = row.integer(column + 3);
    listing.version.changedNanoseconds = row.integer(column + 4);
    listing.listedNanoseconds = row.integer(column + 5);
    listing.names = std::string(row.bytes(column + 6));
    return listing;
}

constexpr const char* kFileName = "words.sqlite";
// How long the reader's questions share one snapshot. Beginning one costs a
// lock, an unlock and a look at the file: a fifth of a repeat search's time
// when it was begun for each folder. Holding one keeps another program from
// folding the log back, for no longer than this while a search asks.
constexpr auto kLongestSnapshot = std::chrono::milliseconds(250);

// An entry from the columns id, device, inode, size, modified_ns, changed_ns,
// read_as, recorded_ns, used_ns and whether a document text is kept, from
// `first` on.
IndexedFile indexedFileFrom(const StatementUse& query, int first) {
    IndexedFile file;
    file.id = query.integer(first);
    file.version.device = static_cast<std::uint64_t>(query.integer(first + 1));
    file.version.inode = static_cast<std::uint64_t>(query.integer(first + 2));
    file.version.size = static_cast<std::uint64_t>(query.integer(first + 3));
    file.version.modifiedNanoseconds = query.integer(first + 4);
    file.version.changedNanoseconds = query.integer(first + 5);
    file.readAs = static_cast<ReadAs>(query.integer(first + 6));
    file.recordedNanoseconds = query.integer(first + 7);
    file.usedNanoseconds = query.integer(first + 8);
    file.hasDocumentText = query.integer(first + 9) != 0;
    return file;
}

std::string unusableMessage(const Failure& failure) {
    return "The index of searched words cannot be used in this run (" + failure.describe() +
           "); searches go on without it, reading every file.";
}

}  // namespace

WordIndex::WordIndex(std::string folder, IndexOptions options)
    : folder_(std::move(folder)), options_(options) {
    if (folder_.empty()) {
        Failure failure;
        failure.code = code::pathNotFound;
        failure.operation = "find the cache folder";
        failure.reason = "neither XDG_CACHE_HOME nor HOME names one";
        notices_.report(IndexTrouble::unusable, unusableMessage(failure), false);
        return;
    }
    path_ = folder_ + "/" + kFileName;
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error) {
        notices_.report(
            IndexTrouble::unusable,
            unusableMessage(failureFromErrno(error.value(), "make the folder", folder_, true)),
            false);
        return;
    }
    openConnections();
}

WordIndex::~WordIndex() = default;

void WordIndex::setAsideDamaged() {
    reader_.close();
    writer_.close();
    const int error = setAside(path_);
    if (error != 0) {
        notices_.report(
            IndexTrouble::unusable,
            unusableMessage(failureFromErrno(error, "set aside the damaged index", path_)), false);
        return;
    }
    notices_.report(
        IndexTrouble::damaged,
        "The index of searched words was damaged; it was set aside as " + path_ +
            ".damaged and a new one begun. Results are as before; the next searches are slower.",
        true);
}

bool WordIndex::openConnection(SqliteDatabase& database) {
    int result = openIndexConnection(path_, options_, database);
    SchemaState state = SchemaState::ready;
    if (result == SQLITE_OK) result = prepareSchema(database, state);
    if (result == SQLITE_OK && state == SchemaState::foreign) result = SQLITE_NOTADB;
    if (result == SQLITE_OK) return true;
    database.close();
    if (troubleOf(result) == IndexTrouble::damaged) {
        setAsideDamaged();
        return false;
    }
    notices_.report(troubleOf(result),
                    unusableMessage(indexFailure(result, "open", path_, sqlite3_errstr(result))),
                    false);
    return false;
}

bool WordIndex::openConnections() {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (openConnection(reader_) && openConnection(writer_)) return true;
        // Damage found on opening was set aside: a second try makes a new file.
        if (!notices_.usable()) return false;
    }
    notices_.report(IndexTrouble::unusable,
                    unusableMessage(indexFailure(SQLITE_CORRUPT, "open", path_,
                                                 "damaged again when made anew")),
                    false);
    return false;
}

Failure WordIndex::trouble(int result, const char* operation, SqliteDatabase& database) {
    const IndexTrouble kind = troubleOf(result);
    if (kind == IndexTrouble::none) return {};
    Failure failure = indexFailure(result, operation, path_, database.lastMessage());
    switch (kind) {
    case IndexTrouble::busy:
        // A reader is hardly ever kept waiting with the log; when it is, that
        // one question goes unanswered and the file is read.
        if (&database == &reader_) break;
        notices_.report(
            kind,
            "Another Tessaly was writing the index of searched words; the words of some files "
            "were not recorded this time.",
            true);
        break;
    case IndexTrouble::damaged:
        // Found half way through a run: this run goes on without the index,
        // and the next begins a new one.
        notices_.report(
            kind,
            setAside(path_) == 0
                ? "The index of searched words was damaged (" + failure.describe() +
                      "); it was set aside as " + path_ +
                      ".damaged. This search goes on without it; the next begins a new one."
                : unusableMessage(failure),
            false);
        break;
    default:
        notices_.report(kind, unusableMessage(failure), false);
    }
    return failure;
}

std::optional<IndexedFile> WordIndex::lookup(std::string_view folder, std::string_view name) {
    if (!usable()) return std::nullopt;
    std::optional<IndexedFile> found;
    {
        std::lock_guard lock(readMutex_);
        if (!readInSnapshot(false)) return std::nullopt;
        StatementUse query = reader_.use(
            "SELECT files.id, device, inode, size, modified_ns, changed_ns, read_as, recorded_ns, used_ns,"
            " EXISTS(SELECT 1 FROM document_texts WHERE file_id = files.id)"
            " FROM folders JOIN files ON files.folder_id = folders.id"
            " WHERE folders.path = ?1 AND files.name = ?2");
        query.bindBlob(1, folder).bindBlob(2, name);
        const int result = query.step();
        if (result != SQLITE_ROW) {
            if (result != SQLITE_DONE) readingFailed(result, "look up a file in");
            return std::nullopt;
        }
        found = indexedFileFrom(query, 0);
    }
    std::lock_guard lock(usesMutex_);
    uses_.push_back(found->id);
    return found;
}

std::optional<WordIndex::FolderRead> WordIndex::entriesIn(std::string_view folder) {
    if (!usable()) return std::nullopt;
    FolderRead read;
    // Asked by the walk while a worker asks for a document's text, now and
    // then, each for a few microseconds.
    const std::unique_lock lock = lockAwake(readMutex_);
    if (!readInSnapshot(false)) return std::nullopt;
    StatementUse packed = reader_.use(
        "SELECT folders.id, folders.generation, packed_folders.entries FROM folders"
        " LEFT JOIN packed_folders ON packed_folders.folder_id = folders.id"
        " AND packed_folders.generation = folders.generation WHERE folders.path = ?1");
    const int result = packed.bindBlob(1, folder).step();
    if (result == SQLITE_DONE) return read;
    if (result != SQLITE_ROW) {
        readingFailed(result, "look up a folder in");
        return std::nullopt;
    }
    if (!takeEntries(packed, 0, read)) return std::nullopt;
    return read;
}

bool WordIndex::takeEntries(const StatementUse& row, int column, FolderRead& read) {
    if (takePackedEntries(row, column, read)) return true;
    // The generation and the rows come from one snapshot. (Were they not, a
    // change between the two would make the rows newer than their
    // generation, never older, and a packed value of them would never be
    // read.)
    std::vector<std::pair<std::string, IndexedFile>> rows;
    StatementUse query = reader_.use(
        "SELECT files.name, files.id, device, inode, size, modified_ns, changed_ns, read_as, recorded_ns,"
        " used_ns, document_texts.file_id IS NOT NULL"
        " FROM files LEFT JOIN document_texts ON document_texts.file_id = files.id WHERE files.folder_id = ?1");
    query.bind(1, read.folderId);
    int result;
    while ((result = query.step()) == SQLITE_ROW) rows.emplace_back(std::string(query.bytes(0)), indexedFileFrom(query, 1));
    if (result != SQLITE_DONE) {
        readingFailed(result, "look up a folder in");
        return false;
    }
    read.entries = FolderEntries(std::move(rows));
    return true;
}

std::optional<WordIndex::FolderKept> WordIndex::keptOf(std::string_view folder) {
    if (!usable()) return std::nullopt;
    const std::unique_lock lock = lockAwake(readMutex_);
    if (!readInSnapshot(false)) return std::nullopt;
    StatementUse query = reader_.use(
        "SELECT listed.device, listed.inode, listed.size, listed.modified_ns, listed.changed_ns,"
        " listed.listed_ns, listed.names, folders.id, folders.generation, packed.entries"
        " FROM (SELECT ?1 AS path) AS asked"
        " LEFT JOIN folder_listings AS listed ON listed.path = asked.path"
        " LEFT JOIN folders ON folders.path = asked.path"
        " LEFT JOIN packed_folders AS packed ON packed.folder_id = folders.id"
        " AND packed.generation = folders.generation");
    const int result = query.bindBlob(1, folder).step();
    if (result != SQLITE_ROW) {
        readingFailed(result, "look up a folder in");
        return std::nullopt;
    }
    FolderKept kept;
    if (!query.isNull(6)) kept.listing = listingFrom(query, 0);
    if (!query.isNull(7) && !takeEntries(query, 7, kept.entries)) return std::nullopt;
    return kept;
}

Failure WordIndex::keepListings(std::span<const std::pair<std::string, KeptListing>> listings) {
    if (!usable() || listings.empty()) return {};
    return writeEach(listings.size(), "keep folders' listings in", [&](std::size_t i) {
        const auto& [path, kept] = listings[i];
        return writer_
            .use("INSERT OR REPLACE INTO folder_listings"
                 "(path, device, inode, size, modified_ns, changed_ns, listed_ns, names)"
                 " VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)")
            .bindBlob(1, path)
            .bind(2, static_cast<std::int64_t>(kept.version.device))
            .bind(3, static_cast<std::int64_t>(kept.version.inode))
            .bind(4, static_cast<std::int64_t>(kept.version.size))
            .bind(5, kept.version.modifiedNanoseconds)
            .bind(6, kept.version.changedNanoseconds)
            .bind(7, kept.listedNanoseconds)
            .bindBlob(8, kept.names)
            .run();
    });
}

Failure WordIndex::keepPacked(std::span<const FolderRead> folders) {
    if (!usable() || folders.empty()) return {};
    return writeEach(folders.size(), "keep folders' entries in", [&](std::size_t i) {
        const FolderRead& folder = folders[i];
        if (folder.packed || folder.folderId == 0) return SQLITE_OK;
        return writer_
            .use("INSERT OR REPLACE INTO packed_folders(folder_id, generation, entries)"
                 " SELECT ?1, ?2, ?3 WHERE EXISTS"
                 " (SELECT 1 FROM folders WHERE id = ?1 AND generation = ?2)")
            .bind(1, folder.folderId)
            .bind(2, folder.generation)
            .bindBlob(3, folder.entries.packed())
            .run();
    });
}

Failure WordIndex::writeEach(std::size_t count, const char* operation, const std::function<int(std::size_t)>& writeOne) {
    std::lock_guard lock(writeMutex_);
    SqliteTransaction writing(writer_, "BEGIN IMMEDIATE");
    int result = writing.began();
    for (std::size_t i = 0; result == SQLITE_OK && i < count; ++i) {
        result = writeOne(i);
        if (result == SQLITE_DONE) result = SQLITE_OK;
    }
    if (result == SQLITE_OK) result = writing.commit();
    endReading();
    return trouble(result, operation, writer_);
}

std::optional<std::unordered_map<std::string, WordIndex::FolderKept>> WordIndex::keptUnder(std::string_view root) {
    if (!usable()) return std::nullopt;
    const auto [below, beyond] = pathsBelow(root);
    std::unordered_map<std::string, FolderKept> kept;
    std::size_t bytes = 0;
    const std::unique_lock lock = lockAwake(readMutex_);
    if (!readInSnapshot(false)) return std::nullopt;
    StatementUse folders = reader_.use(
        "SELECT folders.path, folders.id, folders.generation, packed.entries FROM folders"
        " LEFT JOIN packed_folders AS packed ON packed.folder_id = folders.id"
        " AND packed.generation = folders.generation"
        " WHERE folders.path = ?1 OR (folders.path >= ?2 AND folders.path < ?3)");
    folders.bindBlob(1, root).bindBlob(2, below).bindBlob(3, beyond);
    int result;
    while ((result = folders.step()) == SQLITE_ROW) {
        bytes += folders.bytes(0).size() + folders.bytes(3).size();
        if (bytes > options_.mostReadAheadBytes) return std::nullopt;
        FolderKept& folder = kept[std::string(folders.bytes(0))];
        folder.entriesToRead = !takePackedEntries(folders, 1, folder.entries);
    }
    if (result != SQLITE_DONE) {
        readingFailed(result, "look up folders in");
        return std::nullopt;
    }
    StatementUse listings = reader_.use(
        "SELECT path, device, inode, size, modified_ns, changed_ns, listed_ns, names FROM folder_listings"
        " WHERE path = ?1 OR (path >= ?2 AND path < ?3)");
    listings.bindBlob(1, root).bindBlob(2, below).bindBlob(3, beyond);
    while ((result = listings.step()) == SQLITE_ROW) {
        bytes += listings.bytes(0).size() + listings.bytes(7).size();
        if (bytes > options_.mostReadAheadBytes) return std::nullopt;
        kept[std::string(listings.bytes(0))].listing = listingFrom(listings, 1);
    }
    if (result != SQLITE_DONE) {
        readingFailed(result, "look up folders in");
        return std::nullopt;
    }
    return kept;
}

std::optional<std::unordered_set<std::string>> WordIndex::foldersUnder(std::string_view root) {
    if (!usable()) return std::nullopt;
    const auto [below, beyond] = pathsBelow(root);
    std::unordered_set<std::string> folders;
    std::lock_guard lock(readMutex_);
    if (!readInSnapshot(false)) return std::nullopt;
    StatementUse query = reader_.use(
        "SELECT path FROM folders WHERE path = ?1 OR (path >= ?2 AND path < ?3)"
        " UNION ALL SELECT path FROM folder_listings WHERE path = ?1 OR (path >= ?2 AND path < ?3)");
    query.bindBlob(1, root).bindBlob(2, below).bindBlob(3, beyond);
    int result;
    while ((result = query.step()) == SQLITE_ROW) folders.emplace(query.bytes(0));
    if (result != SQLITE_DONE) {
        readingFailed(result, "look up folders in");
        return std::nullopt;
    }
    return folders;
}

bool WordIndex::readInSnapshot(bool fresh) {
    const auto now = std::chrono::steady_clock::now();
    if (snapshotOpen_ && !fresh && now - snapshotBegan_ < kLongestSnapshot) return true;
    endSnapshot();
    // BEGIN takes nothing yet: the snapshot is the one the next question reads.
    const int result = reader_.execute("BEGIN");
    if (result != SQLITE_OK) {
        readingFailed(result, "read");
        return false;
    }
    snapshotOpen_ = true;
    snapshotBegan_ = now;
    return true;
}

void WordIndex::endSnapshot() {
    if (snapshotOpen_) reader_.execute("COMMIT");
    snapshotOpen_ = false;
}

void WordIndex::readingFailed(int result, const char* operation) {
    endSnapshot();
    trouble(result, operation, reader_);
}

void WordIndex::endReading() {
    std::lock_guard lock(readMutex_);
    endSnapshot();
}

void WordIndex::markUsed(IndexedFileId id) {
    std::lock_guard lock(usesMutex_);
    uses_.push_back(id);
}

std::optional<FileIdSet> WordIndex::filesHolding(const IndexTerm& term) {
    if (!usable()) return std::nullopt;
    const std::optional<std::string> match = ftsQuery(term);
    if (!match) return std::nullopt;
    std::lock_guard lock(readMutex_);
    // The newest entry number and the term's entries from one snapshot, a
    // new one: an entry written between the two would otherwise seem to lack
    // the term.
    if (!readInSnapshot(true)) return std::nullopt;
    int result;
    const IndexedFileId newest = reader_.number(
        "SELECT coalesce(max(seq), 0) FROM sqlite_sequence WHERE name = 'files'", result);
    std::vector<IndexedFileId> ids;
    if (result == SQLITE_OK) {
        StatementUse query =
            term.shape == TermShape::reversedPrefix
                ? reader_.use("SELECT rowid FROM reversed_words WHERE reversed_words MATCH ?1")
                : reader_.use("SELECT rowid FROM words WHERE words MATCH ?1");
        query.bindText(1, *match);
        while ((result = query.step()) == SQLITE_ROW) ids.push_back(query.integer(0));
    }
    if (result != SQLITE_OK && result != SQLITE_DONE) {
        readingFailed(result, "look up a word in");
        return std::nullopt;
    }
    return FileIdSet(std::move(ids), newest);
}

std::optional<std::string> WordIndex::documentText(IndexedFileId id) {
    if (!usable()) return std::nullopt;
    std::lock_guard lock(readMutex_);
    if (!readInSnapshot(false)) return std::nullopt;
    StatementUse query = reader_.use("SELECT compressed FROM document_texts WHERE file_id = ?1");
    query.bind(1, id);
    const int result = query.step();
    if (result != SQLITE_ROW) {
        if (result != SQLITE_DONE) readingFailed(result, "read a document's text from");
        return std::nullopt;
    }
    return decompressText(query.bytes(0));
}

int WordIndex::writeUses(std::int64_t now) {
    std::vector<IndexedFileId> uses;
    {
        std::lock_guard lock(usesMutex_);
        uses.swap(uses_);
    }
    for (IndexedFileId id : uses) {
        StatementUse update = writer_.use("UPDATE files SET used_ns = ?1 WHERE id = ?2");
        int result = update.bind(1, now).bind(2, id).run();
        if (result != SQLITE_DONE) return result;
        if ((result = renewGenerationOfEntry(writer_, id)) != SQLITE_OK) return result;
    }
    return SQLITE_OK;
}

int WordIndex::recordOne(const FileWords& file) {
    int result;
    std::int64_t folderId = 0;
    {
        StatementUse find = writer_.use("SELECT id FROM folders WHERE path = ?1");
        result = find.bindBlob(1, file.folder).step();
        if (result == SQLITE_ROW)
            folderId = find.integer(0);
        else if (result != SQLITE_DONE)
            return result;
    }
    if (folderId == 0) {
        result = writer_.use("INSERT INTO folders(path) VALUES(?1)").bindBlob(1, file.folder).run();
        if (result != SQLITE_DONE) return result;
        folderId = sqlite3_last_insert_rowid(writer_.handle());
    }
    {
        // The old entry goes; its words stay in the FTS5 tables, dead, until
        // a compaction (index_schema.h says why).
        StatementUse old =
            writer_.use("SELECT id, word_count FROM files WHERE folder_id = ?1 AND name = ?2");
        result = old.bind(1, folderId).bindBlob(2, file.name).step();
        if (result == SQLITE_ROW) {
            const std::int64_t oldId = old.integer(0);
            const std::int64_t oldWords = old.integer(1);
            result = writer_.use("DELETE FROM files WHERE id = ?1").bind(1, oldId).run();
            if (result == SQLITE_DONE)
                result = writer_.use("DELETE FROM document_texts WHERE file_id = ?1")
                             .bind(1, oldId)
                             .run();
            if (result == SQLITE_DONE)
                result =
                    writer_.use("UPDATE counters SET value = value + ?1 WHERE name = 'dead_words'")
                        .bind(1, oldWords)
                        .run();
        }
        if (result != SQLITE_DONE) return result;
    }
    result = writer_
                 .use(
                     "INSERT INTO files(folder_id, name, device, inode, size, modified_ns, "
                     "changed_ns, read_as,"
                     " recorded_ns, used_ns, word_count) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, "
                     "?9, ?9, ?10)")
                 .bind(1, folderId)
                 .bindBlob(2, file.name)
                 .bind(3, static_cast<std::int64_t>(file.version.device))
                 .bind(4, static_cast<std::int64_t>(file.version.inode))
                 .bind(5, static_cast<std::int64_t>(file.version.size))
                 .bind(6, file.version.modifiedNanoseconds)
                 .bind(7, file.version.changedNanoseconds)
                 .bind(8, static_cast<std::int64_t>(file.readAs))
                 .bind(9, file.recordedNanoseconds)
                 .bind(10, static_cast<std::int64_t>(file.words.count() + file.reversedWords.count()))
                 .run();
    if (result != SQLITE_DONE) return result;
    const IndexedFileId id = sqlite3_last_insert_rowid(writer_.handle());
    result = writer_.use("INSERT INTO words(rowid, word) VALUES(?1, ?2)")
                 .bind(1, id)
                 .bindText(2, file.words.text())
                 .run();
    if (result == SQLITE_DONE)
        result = writer_.use("INSERT INTO reversed_words(rowid, word) VALUES(?1, ?2)")
                     .bind(1, id)
                     .bindText(2, file.reversedWords.text())
                     .run();
    if (result == SQLITE_DONE && file.documentText)
        result = writer_.use("INSERT INTO document_texts(file_id, compressed) VALUES(?1, ?2)")
                     .bind(1, id)
                     .bindBlob(2, compressText(*file.documentText))
                     .run();
    if (result != SQLITE_DONE) return result;
    return renewGeneration(writer_, folderId);
}

Failure WordIndex::record(std::span<const FileWords> files) {
    if (!usable()) return {};
    std::lock_guard lock(writeMutex_);
    // IMMEDIATE takes the write lock at once, waiting out the busy timeout
    // there, instead of failing half way through the batch.
    SqliteTransaction batch(writer_, "BEGIN IMMEDIATE");
    int result = batch.began();
    for (std::size_t i = 0; result == SQLITE_OK && i < files.size(); ++i)
        result = recordOne(files[i]);
    if (result == SQLITE_OK) result = writeUses(wallClockNanoseconds());
    if (result == SQLITE_OK) result = batch.commit();
    endReading();
    return trouble(result, "record words in", writer_);
}

IndexInfo WordIndex::info() {
    IndexInfo info;
    info.path = path_;
    for (const char* suffix : {"", "-wal"}) {
        struct stat file {};
        if (!path_.empty() && ::stat((path_ + suffix).c_str(), &file) == 0)
            info.bytesOnDisk += static_cast<std::uint64_t>(file.st_blocks) * 512;
    }
    if (!usable()) return info;
    std::lock_guard lock(readMutex_);
    // Asked by the window at any time: a snapshot left open would keep other
    // programs from folding the log back for as long as the window stays.
    endSnapshot();
    int result;
    const std::int64_t files = reader_.number("SELECT count(*) FROM files", result);
    if (result == SQLITE_OK)
        info.files = static_cast<std::uint64_t>(files);
    else
        readingFailed(result, "count the files of");
    return info;
}

Failure WordIndex::forgetAll() {
    if (!usable()) return {};
    endReading();
    std::lock_guard lock(writeMutex_);
    {
        std::lock_guard usesLock(usesMutex_);
        uses_.clear();
    }
    SqliteTransaction forgetting(writer_, "BEGIN IMMEDIATE");
    int result = forgetting.began();
    if (result == SQLITE_OK) result = forgetEverything(writer_);
    if (result == SQLITE_OK) result = forgetting.commit();
    if (result == SQLITE_OK) result = releaseFreePages(writer_);
    endReading();
    return trouble(result, "forget the words in", writer_);
}

Failure WordIndex::keepWithin(std::uint64_t capBytes) {
    if (!usable()) return {};
    // The log is emptied at the end only when no snapshot reads from it,
    // this program's own included.
    endReading();
    std::lock_guard lock(writeMutex_);
    int result;
    {
        SqliteTransaction uses(writer_, "BEGIN IMMEDIATE");
        result = uses.began();
        if (result == SQLITE_OK) result = writeUses(wallClockNanoseconds());
        if (result == SQLITE_OK) result = uses.commit();
    }
    bool dropped = false;
    if (result == SQLITE_OK) {
        SqliteTransaction dropping(writer_, "BEGIN IMMEDIATE");
        result = dropping.began();
        if (result == SQLITE_OK) result = dropLeastUsed(writer_, capBytes, dropped);
        if (result == SQLITE_OK) result = dropping.commit();
    }
    // Whether dead words outweigh live ones needs a pass over every entry,
    // and folding the log back and trimming the file syncs the disk: only
    // after changes, not at the end of every search.
    const bool changed = sqlite3_total_changes64(writer_.handle()) != changesKeptWithin_;
    bool wasteful = false;
    if (result == SQLITE_OK && changed) result = deadWordsOutweighLive(writer_, wasteful);
    if (result == SQLITE_OK && (dropped || wasteful)) {
        SqliteTransaction compacting(writer_, "BEGIN IMMEDIATE");
        result = compacting.began();
        if (result == SQLITE_OK) result = compactWords(writer_);
        if (result == SQLITE_OK) result = compacting.commit();
    }
    if (result == SQLITE_OK && changed) result = releaseFreePages(writer_);
    if (result == SQLITE_OK) changesKeptWithin_ = sqlite3_total_changes64(writer_.handle());
    endReading();
    return trouble(result, "keep within its size", writer_);
}

}  // namespace tessaly
