#include "run/run_index.h"

#include <chrono>

#include "index/file_times.h"
#include "index/index_size_cap.h"
#include "index/racy_timestamps.h"
#include "index/word_index.h"

namespace tessaly {

namespace {

// Files waiting for the writer, at most, and their words' bytes: a search
// reads much faster than the index can take words in, and the run's end
// waits for what is waiting.
constexpr std::size_t kMostQueuedFiles = 64;
constexpr std::size_t kMostQueuedBytes = 16u << 20;
// The share of a run's time that gathering words and writing them may take:
// a first search of a large folder costs little more than a search without
// the index, and the later searches record the rest.
constexpr double kIndexShare = 0.15;
// And half of what reading the files it passed over unread would have cost
// (a scan reads about a byte a nanosecond on each thread): as the index
// covers more, a search gets faster and its share smaller, and a large
// folder would take hundreds of searches to be covered; this way a search
// spends some of what the index saved it on what the index still lacks.
constexpr double kSavedNanosecondsPerByte = 0.5;
// The first files of a run are recorded whatever the writer's share, so
// that a small folder is remembered whole at its first search, however
// busy the machine, and a large one begins at once; but not a large file.
constexpr std::size_t kAlwaysRecordedFiles = 64;
constexpr std::uint64_t kAlwaysRecordedBytes = 1u << 20;
// Roughly what gathering and writing a file's words cost for each byte of
// it (about 5 ns to gather, 4 to write, on text): a 76 MB list of package
// names took seconds.
constexpr std::uint64_t kRecordingNanosecondsPerByte = 10;
// A batch is written once this many files or bytes wait, or the first of
// them has waited this long: each transaction rewrites the pages it touches
// and merges the word tables' segments, so a few large ones write far less
// than many small ones.
constexpr std::size_t kBatchFiles = 48;
constexpr std::size_t kBatchBytes = 4u << 20;
constexpr auto kLongestBatchWait = std::chrono::milliseconds(250);
// An entry is marked used again only when its mark is older than this: the
// size cap needs to know which files were searched longest ago, not to the
// second, and a search that writes nothing for the files it passes over is
// a faster one.
constexpr std::int64_t kUseMarkNanoseconds = std::int64_t{3600} * 1'000'000'000;

struct TermsOfWords {
    std::array<std::vector<IndexTerm>, 4> terms;
};

std::int32_t takeTerm(void* context, std::int32_t word, std::int32_t kind, const char* text, std::uint64_t length) {
    static constexpr TermShape shapes[] = {TermShape::word, TermShape::prefix, TermShape::reversedPrefix};
    if (word < 0 || word > 3 || kind < 0 || kind > 2) return 1;
    static_cast<TermsOfWords*>(context)->terms[static_cast<std::size_t>(word)].push_back(
        {std::string(text, length), shapes[kind]});
    return 1;
}

const char* wordOrNull(const std::string& word) { return word.empty() ? nullptr : word.c_str(); }

}  // namespace

RunIndex::RunIndex(WordIndex& index, const EngineCalls& engine, const SearchWords& words,
                   const RunArguments& arguments, const SearchScope& scope, bool record, bool recordAll)
    : index_(index),
      scope_(scope),
      record_(record && engine.searchGatheringWords != nullptr),
      recordAll_(recordAll),
      startedAt_(wallClockNanoseconds()) {
    if (engine.indexTerms && engine.couldMatch && index_.usable()) {
        const char* w[4] = {wordOrNull(words[0]), wordOrNull(words[1]), wordOrNull(words[2]), wordOrNull(words[3])};
        TermsOfWords terms;
        const std::int32_t withTerms = engine.indexTerms(w[0], arguments.code1, w[1], arguments.code2, w[2],
                                                         arguments.code3, w[3], &takeTerm, &terms);
        // The sets are taken before any file is looked up (see filesHolding).
        for (int i = 0; i < 4; ++i) {
            if (!(withTerms & (1 << i))) continue;
            std::vector<FileIdSet> sets;
            for (const IndexTerm& term : terms.terms[i]) {
                std::optional<FileIdSet> set = index_.filesHolding(term);
                if (!set) {  // unanswered: the word may be in any file
                    sets.clear();
                    break;
                }
                sets.push_back(std::move(*set));
            }
            wordSets_[i] = std::move(sets);
        }
        for (std::uint32_t mask = 0; mask < 16; ++mask)
            couldMatch_[mask] =
                engine.couldMatch(w[0], arguments.code1, w[1], arguments.code2, w[2], arguments.code3, w[3], mask) != 0;
        // With every word taken as present the rule must let the file through,
        // or the engine and the index disagree: then the index stays out of it.
        active_ = couldMatch_[15];
    }
    if (record_) writer_ = std::thread([this] { writeBatches(); });
}

RunIndex::~RunIndex() { finish(); }

RunIndex::Answer RunIndex::verdictOn(const IndexedFile& entry, const FileVersion& version) {
    if (!index_.usable()) return {Verdict::unchanged, {}};  // nothing to be gained by reading it whole
    if (startedAt_ - entry.usedNanoseconds > kUseMarkNanoseconds) index_.markUsed(entry.id);
    if (!provenUnchanged(entry, version)) return {};
    if (entry.readAs == ReadAs::binary) {
        if (scope_.binaryIncluded) return {Verdict::unchanged, {}};
        savedBytes_.fetch_add(version.size, std::memory_order_relaxed);
        return {Verdict::leftOut, {}};
    }
    const bool readAlike = entry.readAs == ReadAs::text || (entry.readAs == ReadAs::document && scope_.documentsAsText);
    if (!readAlike) return {};
    const auto unchanged = [&]() -> Answer {
        if (entry.readAs != ReadAs::document || !entry.hasDocumentText) return {Verdict::unchanged, {}};
        return {Verdict::unchanged, index_.documentText(entry.id)};
    };
    if (!active_) return unchanged();
    std::uint32_t mayHold = 0;
    for (std::uint32_t i = 0; i < 4; ++i) {
        bool holds = true;
        for (const FileIdSet& set : wordSets_[i]) holds = holds && set.mayHold(entry.id);
        if (holds) mayHold |= 1u << i;
    }
    if (couldMatch_[mayHold]) return unchanged();
    ruledOut_.fetch_add(1);
    savedBytes_.fetch_add(version.size, std::memory_order_relaxed);
    return {Verdict::ruledOut, {}};
}

void RunIndex::enterCategoryFolder(const std::string& root) {
    std::optional<std::unordered_map<std::string, WordIndex::FolderKept>> ahead = index_.keptUnder(root);
    // Too much to hold: the walk asks folder by folder, and only about the
    // folders the index knows.
    std::optional<std::unordered_set<std::string>> known;
    if (!ahead) known = index_.foldersUnder(root);
    const std::lock_guard lock(keptMutex_);
    readAhead_ = std::move(ahead);
    knownFolders_ = std::move(known);
}

std::optional<WordIndex::FolderKept> RunIndex::keptOf(const std::string& path) {
    bool entriesToRead = false;
    std::optional<WordIndex::FolderKept> kept;
    {
        const std::lock_guard lock(keptMutex_);
        if (readAhead_) {
            auto read = readAhead_->extract(path);
            if (read.empty()) return WordIndex::FolderKept{};
            kept = std::move(read.mapped());
            entriesToRead = kept->entriesToRead;
        } else if (knownFolders_ && !knownFolders_->contains(path)) {
            return WordIndex::FolderKept{};
        }
    }
    if (!kept) return index_.keptOf(path);
    if (entriesToRead) {
        std::optional<WordIndex::FolderRead> read = index_.entriesIn(path);
        if (!read) return std::nullopt;
        kept->entries = std::move(*read);
    }
    return kept;
}

std::shared_ptr<RunIndex::Folder> RunIndex::folder(const OpenFolder& open) {
    // A folder listed with the index as its memory carries what was asked
    // then: an empty one, when the index holds nothing there. (The run lists
    // with this index as its only memory, so a note is one of its Folders.)
    if (open.note()) {
        auto known = std::static_pointer_cast<Folder>(open.note());
        return known->entries_.empty() ? nullptr : known;
    }
    if (!index_.usable()) return nullptr;
    std::optional<WordIndex::FolderKept> kept = keptOf(open.path());
    if (!kept || kept->entries.entries.empty()) return nullptr;
    return folderFrom(std::move(kept->entries));
}

std::shared_ptr<RunIndex::Folder> RunIndex::folderFrom(WordIndex::FolderRead read) {
    // Read as rows: the writer keeps them as one value for the next search,
    // and the walk has a copy. Most are read packed, and moved.
    if (read.packed || !record_ || read.entries.empty()) return std::make_shared<Folder>(std::move(read.entries));
    auto folder = std::make_shared<Folder>(read.entries);
    const std::lock_guard lock(mutex_);
    toPack_.push_back(std::move(read));
    return folder;
}

std::optional<IndexedFile> RunIndex::entryOf(Folder& folder, std::string_view name) {
    std::size_t next = folder.next_.load(std::memory_order_relaxed);
    std::optional<IndexedFile> entry = folder.entries_.find(name, next);
    folder.next_.store(next, std::memory_order_relaxed);
    return entry;
}

Recalled RunIndex::recall(const std::string& folder, const struct stat& status) {
    std::optional<WordIndex::FolderKept> kept = keptOf(folder);
    if (!kept) return {};
    Recalled recalled;
    recalled.note = folderFrom(std::move(kept->entries));
    if (!kept->listing) return recalled;
    // A folder's times prove its names unchanged by the same rule as a
    // file's prove its content.
    IndexedFile listed;
    listed.version = kept->listing->version;
    listed.recordedNanoseconds = kept->listing->listedNanoseconds;
    if (provenUnchanged(listed, fileVersionOf(status))) recalled.listing = std::move(kept->listing->names);
    return recalled;
}

void RunIndex::remember(const std::string& folder, const struct stat& status, std::int64_t listedAt,
                        RawListing listing) {
    if (!record_) return;
    WordIndex::KeptListing kept{fileVersionOf(status), listedAt, std::move(listing)};
    // One that could never prove itself current is not worth writing.
    IndexedFile listed;
    listed.version = kept.version;
    listed.recordedNanoseconds = listedAt;
    if (!provenUnchanged(listed, kept.version)) return;
    const std::lock_guard lock(mutex_);
    // Past what memory allows, the folder is kept by a later search.
    if (toKeepBytes_ >= kMostQueuedBytes) return;
    toKeepBytes_ += folder.size() + kept.names.size();
    toKeep_.emplace_back(folder, std::move(kept));
    if (!writing_ && toKeep_.size() == 1) waiting_.notify_one();
}

bool RunIndex::wantsWords(std::uint64_t fileSize) {
    // An index that cannot be used takes no words: the file is read only as
    // far as its answer needs.
    if (!record_ || !index_.usable()) return false;
    if (recordAll_) return true;
    const auto elapsed = std::chrono::steady_clock::now() - started_;
    const std::lock_guard lock(mutex_);
    if (queue_.size() >= kMostQueuedFiles || queuedBytes_ >= kMostQueuedBytes) return false;
    if (handedOver_ < kAlwaysRecordedFiles && fileSize <= kAlwaysRecordedBytes) return true;
    // The file's own cost counts before it is read: one large file would
    // otherwise take the share of a whole run, and hold up its end.
    const std::chrono::nanoseconds busy = writerBusy_ + std::chrono::nanoseconds(gatheringBusy_.load()) +
                                          std::chrono::nanoseconds(fileSize * kRecordingNanosecondsPerByte);
    const auto saved = std::chrono::nanoseconds(
        static_cast<std::int64_t>(static_cast<double>(savedBytes_.load(std::memory_order_relaxed)) *
                                  kSavedNanosecondsPerByte));
    return busy <= std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed * kIndexShare) + saved;
}

void RunIndex::record(FileWords words) {
    if (!record_) return;
    std::size_t bytes = words.words.text().size() + words.reversedWords.text().size();
    if (words.documentText) bytes += words.documentText->size();
    std::unique_lock lock(mutex_);
    // Recording everything, the search keeps pace with the writer.
    if (recordAll_)
        written_.wait(lock, [&] { return queue_.size() < kMostQueuedFiles && queuedBytes_ < kMostQueuedBytes; });
    queuedBytes_ += bytes;
    ++handedOver_;
    queue_.push_back(std::move(words));
    if (!writing_ && (queue_.size() == 1 || batchFull())) waiting_.notify_one();
}

bool RunIndex::batchFull() const { return queue_.size() >= kBatchFiles || queuedBytes_ >= kBatchBytes; }

void RunIndex::writeBatches() {
    for (;;) {
        std::vector<FileWords> batch;
        std::vector<WordIndex::FolderRead> toPack;
        std::vector<std::pair<std::string, WordIndex::KeptListing>> toKeep;
        {
            std::unique_lock lock(mutex_);
            writing_ = false;
            waiting_.wait(lock, [this] { return ending_ || !queue_.empty() || !toKeep_.empty(); });
            waiting_.wait_for(lock, kLongestBatchWait, [this] { return ending_ || batchFull(); });
            batch.swap(queue_);
            toPack.swap(toPack_);
            toKeep.swap(toKeep_);
            queuedBytes_ = 0;
            toKeepBytes_ = 0;
            written_.notify_all();
            if (batch.empty() && toPack.empty() && toKeep.empty() && ending_) return;
            writing_ = true;
        }
        const auto began = std::chrono::steady_clock::now();
        if (!batch.empty()) index_.record(batch);
        if (!toPack.empty()) index_.keepPacked(toPack);
        if (!toKeep.empty()) index_.keepListings(toKeep);
        const auto took = std::chrono::steady_clock::now() - began;
        const std::lock_guard lock(mutex_);
        writerBusy_ += std::chrono::duration_cast<std::chrono::nanoseconds>(took);
    }
}

std::string RunIndex::finish() {
    endReading();
    if (writer_.joinable()) {
        {
            const std::lock_guard lock(mutex_);
            ending_ = true;
        }
        waiting_.notify_one();
        writer_.join();
        index_.keepWithin(defaultIndexSizeCap(index_.folder()));
    }
    return index_.takeNotice();
}

}  // namespace tessaly
