// What one search run does with the word index. Before the walk it asks the
// index which files may hold each word; for each file it meets it passes over
// one the index proves unchanged and unable to match; and it records the
// words of the files it reads whole, in batches, on a thread of its own.
//
// A file is passed over only when all of this holds:
// - the index has an entry for its folder and name whose version (device,
//   inode, size, both times) is the file's as it is open now, and whose times
//   lie far enough before the moment its words were taken (the racy-timestamp
//   rule, racy_timestamps.h);
// - the entry was read as this run would read the file: as text (a file that
//   is neither a document nor looks binary, read so by every run), or as a
//   document's text when the run reads documents so;
// (An unchanged binary file, no document, is left out unread by a run that
// leaves binary files out, as it would be after a look at its first bytes.)
// - the engine's combining rule says the file cannot match when each word is
//   taken to be present exactly when the entry's words hold all that word's
//   terms (tyx12IndexTerms: whole words, prefixes and reversed prefixes of
//   its runs of word characters, which every find of the word leaves among
//   the text's words). A NOT word only ever counts through the words beside
//   it, NEARBY through both its words; a word with no terms may be anywhere.
// Everything else is searched as it would be without the index.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <string>
#include <thread>
#include <vector>

#include "criteria/run_arguments.h"
#include "criteria/search_scope.h"
#include "index/file_id_set.h"
#include "index/file_words.h"
#include "index/folder_entries.h"
#include "index/indexed_file.h"
#include "index/word_index.h"
#include "platform/engine_loader.h"
#include "platform/file_system.h"
#include "platform/listing_memory.h"

namespace tessaly {

class RunIndex final : public ListingMemory {
public:
    // `record`: whether the words of files read whole are recorded;
    // `recordAll`: all of them, the search waiting for the writer when it is
    // behind, rather than only what the run's share of time allows.
    RunIndex(WordIndex& index, const EngineCalls& engine, const SearchWords& words, const RunArguments& arguments,
             const SearchScope& scope, bool record, bool recordAll = false);
    // Records what is still waiting.
    ~RunIndex() override;
    RunIndex(const RunIndex&) = delete;
    RunIndex& operator=(const RunIndex&) = delete;

    enum class Verdict {
        unknown,    // search it, and record its words
        unchanged,  // search it: its words are recorded already
        ruledOut,   // it cannot match: counted as searched, unread
        leftOut,    // a binary file the run leaves out, unread
    };
    struct Answer {
        Verdict verdict = Verdict::unknown;
        // An unchanged document whose text is kept: searched in that text,
        // without reading the document again.
        std::optional<std::string> documentText;
    };
    // A folder of the walk as the index knows it: its entries, read once,
    // with its listing or when the walk hands out its first file. (Read
    // instead by the first worker to meet one of its files, they kept the
    // other worker waiting on nearly every folder, for nothing it could do
    // meanwhile.)
    class Folder {
    public:
        explicit Folder(FolderEntries entries) : entries_(std::move(entries)) {}

    private:
        friend class RunIndex;
        const FolderEntries entries_;
        // Where the next file's entry likely is; a guess, shared by the threads.
        std::atomic<std::size_t> next_{0};
    };
    // The walk enters a Category folder: the folders below it that the index
    // knows are asked for once. From the walking thread.
    void enterCategoryFolder(const std::string& root);
    // The folder as the index knows it, for the files the walk hands out
    // from it; none when the index holds nothing there. From the walking
    // thread. Asked already when the folder was listed, it is not asked
    // again.
    std::shared_ptr<Folder> folder(const OpenFolder& open);
    // The entry of the file `name` of the folder; none when the index holds
    // nothing for it. From any thread. The files carry their folder to the
    // workers, so that a worker looks a file up without a lock and asks for
    // its status only when it has an entry.
    std::optional<IndexedFile> entryOf(Folder& folder, std::string_view name);
    // From any thread, for the file of `entry` open as `version`.
    Answer verdictOn(const IndexedFile& entry, const FileVersion& version);
    // Whether the words of a file of `fileSize` bytes about to be read should
    // be gathered: not while the writer is behind, nor when gathering and
    // writing, this file's likely cost included, would take more than their
    // share of the run, so that a first search of a large folder costs little
    // more than a search without the index and holds little memory. What is
    // not recorded now is recorded by a later search.
    bool wantsWords(std::uint64_t fileSize);
    // How long a search that gathered words took, whole file or not: reading
    // a file whole for its words costs more than a search that may stop early.
    void gatheringTook(std::chrono::nanoseconds took) { gatheringBusy_.fetch_add(took.count()); }
    // From any thread; written later, in a batch.
    void record(FileWords words);

    // The folders' listings kept in the index: one still current is given
    // back; a folder listed afresh is kept, written with the words.
    // The folder's entries are asked with its listing: one question, not two.
    Recalled recall(const std::string& folder, const struct stat& status) override;
    void remember(const std::string& folder, const struct stat& status, std::int64_t listedAt,
                  RawListing listing) override;

    long ruledOut() const { return ruledOut_.load(); }
    // Lets go of the index's read snapshot until the next question: before
    // a wait of unknown length, so that other programs can fold the log back.
    void endReading() { index_.endReading(); }
    // Waits until every file handed over is recorded, and keeps the index
    // within its size. Returns what the person should be told about the
    // index, once, or nothing.
    std::string finish();

private:
    // The folder as read: the writer keeps one read as rows packed.
    std::shared_ptr<Folder> folderFrom(WordIndex::FolderRead read);
    void writeBatches();
    // Enough waits to be written at once; under mutex_.
    bool batchFull() const;

    WordIndex& index_;
    SearchScope scope_;
    bool record_;
    bool recordAll_;
    bool active_ = false;  // the index can rule out files for these words
    // Per word: the sets that must all hold the file; none, it may be anywhere.
    std::array<std::vector<FileIdSet>, 4> wordSets_;
    // Whether the file could match, by which words it may hold (bit i, word i + 1).
    std::array<bool, 16> couldMatch_{};
    std::atomic<long> ruledOut_{0};
    std::atomic<std::int64_t> gatheringBusy_{0};  // nanoseconds, over every thread
    std::atomic<std::uint64_t> savedBytes_{0};     // of the files passed over unread

    std::int64_t startedAt_;  // wall clock, for marking entries used
    // The folders below the Category folder being walked that the index
    // knows; none when it could not tell, and any folder may be known.
    std::optional<std::unordered_set<std::string>> knownFolders_;
    // What the index keeps of the folders below the Category folder being
    // walked, read ahead; each is taken when the walk lists it. None when
    // there was too much to hold (then knownFolders_ tells which to ask).
    std::optional<std::unordered_map<std::string, WordIndex::FolderKept>> readAhead_;
    // Guards both: folders are listed ahead of the walk by other threads.
    std::mutex keptMutex_;
    // All the index keeps of a folder: read ahead, or asked now. Nothing
    // when the index cannot answer.
    std::optional<WordIndex::FolderKept> keptOf(const std::string& path);
    std::mutex mutex_;
    std::condition_variable waiting_;
    std::condition_variable written_;  // the writer took a batch: room in the queue
    std::vector<FileWords> queue_;
    // Folders read as rows, to be kept as one value each by the writer.
    std::vector<WordIndex::FolderRead> toPack_;
    // Folders listed afresh, to be kept by the writer.
    std::vector<std::pair<std::string, WordIndex::KeptListing>> toKeep_;
    std::size_t toKeepBytes_ = 0;
    std::size_t queuedBytes_ = 0;
    std::size_t handedOver_ = 0;  // files given to the writer in this run
    bool writing_ = false;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
    std::chrono::nanoseconds writerBusy_{0};
    bool ending_ = false;
    std::thread writer_;
};

}  // namespace tessaly
