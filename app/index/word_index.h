// The words of files searched before, kept as a cache so that a search may
// pass over an unchanged file that cannot match. One SQLite file in the
// cache folder, shared by every Tessaly running: one writer at a time, any
// number of readers (see index_schema.h for the tables).
//
// It never costs a result. Every question has an answer that means "read the
// file": no entry, no set of entries. When the index cannot be used (a
// read-only folder, a full disk, I/O errors) it answers every question so for
// the rest of the run and says why once, through takeNotice(); a damaged file
// is set aside and a new one begun. Nothing here throws.
//
// Thread-safe: the questions go through one connection, the recording
// through another, so a search's walk is not held up by its writer thread.
#pragma once

#include <chrono>
#include <functional>
#include <cstdint>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "index/file_id_set.h"
#include "index/file_words.h"
#include "index/folder_entries.h"
#include "index/index_info.h"
#include "index/index_notices.h"
#include "index/index_options.h"
#include "index/index_term.h"
#include "index/indexed_file.h"
#include "index/sqlite_database.h"
#include "platform/error_codes.h"

namespace tessaly {

class WordIndex {
public:
    // Opens the index in `folder` (made when missing), usually wordIndexFolder().
    explicit WordIndex(std::string folder, IndexOptions options = {});
    ~WordIndex();
    WordIndex(const WordIndex&) = delete;
    WordIndex& operator=(const WordIndex&) = delete;

    // False once the index cannot be used in this run: every question then
    // answers "read the file" and recording does nothing.
    bool usable() const { return notices_.usable(); }
    // What the person should be told about the index, once: why it cannot be
    // used, that a damaged one was set aside, that a batch was given up.
    // Empty when there is nothing (new) to tell.
    std::string takeNotice() { return notices_.take(); }
    const std::string& path() const { return path_; }
    const std::string& folder() const { return folder_; }

    // The entry of the file `name` in `folder`, if its words are recorded.
    // Whether it still describes the file is provenUnchanged()'s to say
    // (racy_timestamps.h). The lookup counts as a use of the entry for the
    // size cap.
    std::optional<IndexedFile> lookup(std::string_view folder, std::string_view name);
    // The entries of every file of `folder` at once, by name: a walk asks
    // about each file of a folder in turn, and one question is far cheaper
    // than one per file. Nothing when the index cannot answer. Counts as no
    // use: markUsed() says which entries were used.
    struct FolderRead {
        FolderEntries entries;
        std::int64_t folderId = 0;  // none when the index holds nothing there
        std::int64_t generation = 0;
        bool packed = false;  // read as one value: no need to keep it so
    };
    std::optional<FolderRead> entriesIn(std::string_view folder);
    // A folder's listing as it was kept (see folder_listings in
    // index_schema.cpp), and the folder's version then: the caller proves it
    // current.
    struct KeptListing {
        FileVersion version;
        std::int64_t listedNanoseconds = 0;
        std::string names;
    };
    // All the index keeps of a folder, in one question, for a walk about to
    // list it: its listing, if one is kept, and its entries, as entriesIn()
    // gives them. Nothing when the index cannot answer.
    struct FolderKept {
        std::optional<KeptListing> listing;
        FolderRead entries;
        // Read ahead (keptUnder): the entries are kept as rows only, to be
        // asked of entriesIn().
        bool entriesToRead = false;
    };
    std::optional<FolderKept> keptOf(std::string_view folder);
    // What keptOf() gives for every folder at or below `root`, read ahead of
    // a walk in one pass over the tables: a question for each folder costs
    // several times as much. Nothing when the index cannot answer, or when
    // it keeps more there than its options let a search hold (then the walk
    // asks folder by folder, holding little).
    std::optional<std::unordered_map<std::string, FolderKept>> keptUnder(std::string_view root);
    // Keeps folders' listings, each replacing the one kept before. One transaction.
    Failure keepListings(std::span<const std::pair<std::string, KeptListing>> listings);
    // The questions above share one read snapshot, begun afresh a quarter
    // second on. Every write ends it, so that the questions see this
    // program's own writes and the log can be folded back while a search
    // records words; a search ends it when it has asked its last.
    void endReading();
    // Keeps folders' entries that were read as rows as one value each, so
    // that the next search reads them so; a folder that changed since its
    // entries were read is left as rows. One transaction.
    Failure keepPacked(std::span<const FolderRead> folders);
    void markUsed(IndexedFileId id);
    // Every folder at or below `root` that holds entries or a kept listing,
    // or nothing when the index cannot tell: a walk asks only about those,
    // and a folder never searched before costs it no question.
    std::optional<std::unordered_set<std::string>> foldersUnder(std::string_view root);

    // The entries whose words may hold the term, or nothing when the index
    // cannot tell (then every file must be read). Take the sets before the
    // lookups whose entries they are asked about: an entry that lived when
    // its set was taken is answered for rightly, and one recorded later is
    // never ruled out, but an entry looked up before the set was taken may
    // have been replaced since and its words compacted away.
    std::optional<FileIdSet> filesHolding(const IndexTerm& term);

    // The kept text of a document's entry; nothing when none is kept or it
    // cannot be read.
    std::optional<std::string> documentText(IndexedFileId id);

    // Records the files in one transaction, each replacing the file's old
    // entry: all of them or none. A batch that finds another program writing
    // for longer than the busy timeout is given up (said once); the index
    // stays usable.
    Failure record(std::span<const FileWords> files);

    // Where the index is, how large, how many files it covers.
    IndexInfo info();

    // Forgets every file's words (the options panel's button).
    Failure forgetAll();

    // Drops the entries used longest ago until the index is back within
    // `capBytes` (defaultIndexSizeCap() as a rule), rebuilds the word tables
    // when dead words outweigh live ones, and gives freed space back to the
    // file system. Minutes of work for a large index at worst: for the end of
    // a run, on a worker thread.
    Failure keepWithin(std::uint64_t capBytes);

private:
    bool openConnections();
    bool openConnection(SqliteDatabase& database);
    // Files a failure of `result` while doing `operation`, and returns it as
    // a failure value (code 0 when the result is a success).
    Failure trouble(int result, const char* operation, SqliteDatabase& database);
    void setAsideDamaged();
    int writeUses(std::int64_t now);
    // Under readMutex_: begins a read snapshot unless one is open and young
    // (and `fresh` is not asked for). False, the failure told, when it cannot.
    bool readInSnapshot(bool fresh);
    void endSnapshot();
    // A question failed: the snapshot ends with it, and the failure is told.
    void readingFailed(int result, const char* operation);
    // A folder's entries from the row a question found it in (its id, its
    // generation and its packed value from `column` on), or from its
    // files' rows when no sound packed value is kept. Holding readMutex_.
    bool takeEntries(const StatementUse& row, int column, FolderRead& read);
    int recordOne(const FileWords& file);
    // Writes `count` things in one transaction, each by `writeOne`, which
    // returns what its statement did; a failure is told as `operation`.
    Failure writeEach(std::size_t count, const char* operation, const std::function<int(std::size_t)>& writeOne);

    std::string folder_;
    std::string path_;
    IndexOptions options_;
    IndexNotices notices_;

    std::mutex readMutex_;
    SqliteDatabase reader_;
    bool snapshotOpen_ = false;
    std::chrono::steady_clock::time_point snapshotBegan_;
    std::mutex writeMutex_;
    SqliteDatabase writer_;
    // The writer's count of changed rows when keepWithin() last finished.
    std::int64_t changesKeptWithin_ = 0;

    std::mutex usesMutex_;
    std::vector<IndexedFileId> uses_;  // looked up since the last write
};

}  // namespace tessaly
