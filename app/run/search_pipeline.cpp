#include "run/search_pipeline.h"

#include "index/file_times.h"
#include "run/file_filter.h"
#include "run/run_index.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/path_join.h"

namespace tessaly {

SearchAnswer searchFile(const EngineCalls& engine, const Candidate& candidate, const RunArguments& arguments,
                        const SearchWords& words, const SearchScope& scope, const std::atomic<bool>* stop) {
    const int fd = openToRead(candidate.path);
    if (fd < 0) return {};
    SearchAnswer answer = searchOpenContent(engine, fd, scope, arguments, words, stop).answer;
    ::close(fd);
    return answer;
}

std::string FileToSearch::path() const {
    return folder ? joinPath(folder->path(), name) : name;
}

// The files between the walk and the answers it has handed on. Indices only
// grow; a file's slot is its index modulo the capacity.
class SearchPipeline::Ring {
public:
    // The submitting thread searches too while it waits, so `threads` in
    // all means one fewer workers.
    Ring(SearchPipeline& owner, int threads) : owner_(owner), slots_(kCapacity) {
        for (int i = 1; i < threads; ++i) threads_.emplace_back([this] { work(); });
    }

    ~Ring() {
        {
            std::lock_guard lock(mutex_);
            closing_.store(true);
        }
        workAvailable_.notify_all();
        for (auto& thread : threads_) thread.join();
    }

    bool submit(FileToSearch file) {
        if (written_ - delivered_ == kCapacity && !deliverWaiting(delivered_ + kCapacity / 2)) return false;
        Slot& slot = slots_[written_ % kCapacity];
        slot.file = std::move(file);
        ++written_;
        if (written_ - published_.load(std::memory_order_relaxed) >= kBatch) flush();
        return deliverDone();
    }

    void flush() {
        published_.store(written_, std::memory_order_seq_cst);
        if (idleWorkers_.load(std::memory_order_seq_cst) > 0) {
            std::lock_guard lock(mutex_);
            workAvailable_.notify_all();
        }
    }

    bool drain() {
        flush();
        while (delivered_ < written_)
            if (!deliverWaiting(written_ - 1)) return false;
        return true;
    }

private:
    struct Slot {
        FileToSearch file;
        FileAnswer answer;
        std::atomic<bool> done{false};
    };
    // Enough files ahead that the workers rarely wait for the walk, few
    // enough that their folders' descriptors stay well inside the limit.
    static constexpr std::uint64_t kCapacity = 512;
    // Workers are woken for this many files at a time.
    static constexpr std::uint64_t kBatch = 32;
    static constexpr int kSpins = 64;

    // Hands on every answer ready at the front.
    bool deliverDone() {
        while (delivered_ < written_) {
            Slot& slot = slots_[delivered_ % kCapacity];
            if (!slot.done.load(std::memory_order_acquire)) return true;
            if (!deliver(slot)) return false;
        }
        return true;
    }

    // Sleeps until the file at `index` is answered, then hands on what is
    // ready. Waiting for a file some way behind the front, not the front
    // itself, wakes this thread once for many files.
    bool deliverWaiting(std::uint64_t index) {
        flush();
        index = std::min(index, written_ - 1);
        for (;;) {
            Slot& front = slots_[delivered_ % kCapacity];
            Slot& target = slots_[index % kCapacity];
            Slot& awaited = target.done.load(std::memory_order_acquire) ? front : target;
            if (awaited.done.load(std::memory_order_acquire)) break;
            // Rather than sleep, this thread searches too, or lists ahead.
            if (searchOne() || listAhead()) continue;
            const std::uint64_t awaitedIndex = &awaited == &target ? index : delivered_;
            waitingFor_.store(awaitedIndex, std::memory_order_seq_cst);
            std::unique_lock lock(mutex_);
            answered_.wait(lock, [&] { return awaited.done.load(std::memory_order_seq_cst); });
            waitingFor_.store(kNobody, std::memory_order_relaxed);
        }
        return deliverDone();
    }

    bool deliver(Slot& slot) {
        const bool goOn = owner_.consumer_(slot.file, slot.answer);
        // The folders are let go now, so that they close; the rest is
        // replaced whole when the slot is used again.
        slot.file.folder.reset();
        slot.file.indexed.reset();
        slot.done.store(false, std::memory_order_relaxed);
        ++delivered_;
        return goOn;
    }

    // Claims the next published file and searches it; false when there is none.
    bool searchOne() {
        std::uint64_t claim = claimed_.load(std::memory_order_relaxed);
        do {
            if (claim >= published_.load(std::memory_order_acquire)) return false;
        } while (!claimed_.compare_exchange_weak(claim, claim + 1, std::memory_order_acq_rel));
        Slot& slot = slots_[claim % kCapacity];
        slot.answer = owner_.search(slot.file);
        slot.done.store(true, std::memory_order_seq_cst);
        if (waitingFor_.load(std::memory_order_seq_cst) == claim) {
            std::lock_guard lock(mutex_);
            answered_.notify_one();
        }
        return true;
    }

    bool listAhead() { return owner_.ahead_ && owner_.ahead_->listOne(); }

    // Whether files are published within a moment: the walk publishes every
    // few files, and waiting that long awake is cheaper than sleeping and
    // being woken.
    bool workSoon() {
        for (int spin = 0; spin < kSpins; ++spin) {
            if (claimed_.load(std::memory_order_relaxed) < published_.load(std::memory_order_acquire)) return true;
            std::this_thread::yield();
        }
        return false;
    }

    void work() {
        while (!closing_.load(std::memory_order_relaxed)) {
            if (searchOne() || listAhead() || workSoon()) continue;
            std::unique_lock lock(mutex_);
            idleWorkers_.fetch_add(1, std::memory_order_seq_cst);
            workAvailable_.wait(lock, [&] {
                return closing_ ||
                       claimed_.load(std::memory_order_seq_cst) < published_.load(std::memory_order_seq_cst);
            });
            idleWorkers_.fetch_sub(1, std::memory_order_relaxed);
        }
    }

    static constexpr std::uint64_t kNobody = ~std::uint64_t{0};

    SearchPipeline& owner_;
    std::vector<Slot> slots_;
    // Owned by the submitting thread.
    std::uint64_t written_ = 0;
    std::uint64_t delivered_ = 0;
    // Shared.
    std::atomic<std::uint64_t> published_{0};
    std::atomic<std::uint64_t> claimed_{0};
    std::atomic<std::uint64_t> waitingFor_{kNobody};
    std::atomic<int> idleWorkers_{0};
    std::mutex mutex_;  // only to sleep and to wake
    std::condition_variable workAvailable_;
    std::condition_variable answered_;
    std::atomic<bool> closing_{false};
    std::vector<std::thread> threads_;
};

SearchPipeline::SearchPipeline(FileSystem& files, const EngineCalls& engine, RunArguments arguments,
                               SearchWords words, SearchScope scope, int threads, Consumer consumer,
                               const std::atomic<bool>& stop, RunIndex* index, ListingAhead* ahead)
    : files_(files),
      engine_(engine),
      arguments_(arguments),
      words_(std::move(words)),
      scope_(std::move(scope)),
      consumer_(std::move(consumer)),
      stop_(stop),
      index_(index),
      ahead_(ahead) {
    if (threads > 1) ring_ = std::make_unique<Ring>(*this, threads);
}

SearchPipeline::~SearchPipeline() = default;

bool SearchPipeline::answeredByIndex(const FileToSearch& file, FileAnswer& answer, RunIndex::Verdict& verdict) const {
    if (!file.indexed) return false;
    const std::optional<IndexedFile> entry = index_->entryOf(*file.indexed, file.name);
    struct stat listed;
    if (!entry || ::fstatat(file.folder->fd(), file.name.c_str(), &listed, 0) != 0 ||
        !S_ISREG(listed.st_mode) || !sizeAdmits(static_cast<std::uint64_t>(listed.st_size), scope_.largestFileSize))
        return false;
    const RunIndex::Answer known = index_->verdictOn(*entry, fileVersionOf(listed));
    verdict = known.verdict;
    if (verdict == RunIndex::Verdict::ruledOut || verdict == RunIndex::Verdict::leftOut) {
        answer.ruledOut = verdict == RunIndex::Verdict::ruledOut;
        answer.leftOut = verdict == RunIndex::Verdict::leftOut;
        return true;
    }
    if (!known.documentText) return false;
    answer.answer = searchText(engine_, *known.documentText, arguments_, words_);
    if (answer.answer.length > 0) answer.modified = listed.st_mtime;
    return true;
}

FileAnswer SearchPipeline::search(const FileToSearch& file) const {
    FileAnswer answer = searchContent(file);
    if (scope_.namesSearched) answerByName(file, answer);
    return answer;
}

void SearchPipeline::answerByName(const FileToSearch& file, FileAnswer& answer) const {
    if (!file.folder || !file.passOverReason.empty() || !answer.searched || answer.failure ||
        answer.answer.length > 0)
        return;
    SearchAnswer byName = searchText(engine_, file.name, arguments_, words_);
    struct stat status;
    if (byName.length == 0 || ::fstatat(file.folder->fd(), file.name.c_str(), &status, 0) != 0) return;
    answer.answer = std::move(byName);
    answer.modified = status.st_mtime;
    answer.ruledOut = false;
    answer.leftOut = false;
}

FileAnswer SearchPipeline::searchContent(const FileToSearch& file) const {
    FileAnswer answer;
    if (stop_.load(std::memory_order_relaxed)) return answer;
    answer.searched = true;
    if (!file.passOverReason.empty()) return answer;
    const bool indexed = index_ && file.folder;
    RunIndex::Verdict verdict = RunIndex::Verdict::unknown;
    if (indexed && answeredByIndex(file, answer, verdict)) return answer;
    // The words' moment comes before anything of the file is read; a run
    // without the index, or a file it answered for, has no use for it.
    const std::int64_t startedAt = indexed ? wallClockNanoseconds() : 0;
    int fd = -1;
    if (file.folder) {
        if ((answer.failure = files_.openFile(*file.folder, file.name, fd))) return answer;
    } else {
        // A file named on its own, not found by the walk.
        fd = openToRead(file.name);
        if (fd < 0) {
            answer.failure = failureFromErrno(errno, "read", file.name);
            return answer;
        }
    }
    // The version recorded is the open file's.
    GatheredWords gathered;
    GatheredWords* gather = nullptr;
    FileVersion version;
    struct stat opened;
    // A first look without the file's size: most files are not wanted, and
    // their status is not asked for.
    if (indexed && verdict == RunIndex::Verdict::unknown && index_->wantsWords(0) && ::fstat(fd, &opened) == 0 &&
        sizeAdmits(static_cast<std::uint64_t>(opened.st_size), scope_.largestFileSize) &&
        index_->wantsWords(static_cast<std::uint64_t>(opened.st_size))) {
        version = fileVersionOf(opened);
        gather = &gathered;
    }
    // A file named on its own is searched as asked, whatever it holds or
    // however large.
    const auto began = gather ? std::chrono::steady_clock::now() : std::chrono::steady_clock::time_point{};
    ContentSearch content = searchOpenContent(engine_, fd, file.folder ? scope_ : chosenFileScope(scope_),
                                              arguments_, words_, &stop_, gather);
    if (gather) {
        // A document's text is read to its end anyway when it holds no hit,
        // or when every hit is wanted; taking its words as well costs little
        // beside what its reader costs, so that time is not the index's.
        const bool readWholeAnyway =
            gathered.readAs == ReadAs::document && (content.answer.length == 0 || arguments_.allHits != 0);
        if (!readWholeAnyway) index_->gatheringTook(std::chrono::steady_clock::now() - began);
    }
    if (gather && gathered.whole && !content.stopped && !content.readError)
        index_->record(FileWords{file.folder->path(), file.name, version, gathered.readAs, startedAt,
                                 std::move(gathered.words), std::move(gathered.reversedWords),
                                 std::move(gathered.documentText)});
    // A document cut short by Stop was not searched: its answer is not told.
    answer.searched = !content.stopped;
    answer.answer = std::move(content.answer);
    answer.leftOut = content.leftOut;
    answer.problem = std::move(content.problem);
    // Part of the file could not be read: whatever the engine answered of the
    // rest, the file was not searched, and the person is told why.
    if (content.readError) {
        answer.failure = failureFromErrno(content.readError, "read", file.path());
        answer.answer = {};
    }
    struct stat info;
    if (answer.answer.length > 0 && ::fstat(fd, &info) == 0) answer.modified = info.st_mtime;
    ::close(fd);
    return answer;
}

bool SearchPipeline::submit(FileToSearch file) {
    if (ended_) return false;
    if (index_ && file.folder && file.passOverReason.empty()) {
        if (file.folder != lastFolder_) {
            lastFolder_ = file.folder;
            lastIndexed_ = index_->folder(*file.folder);
        }
        file.indexed = lastIndexed_;
    }
    if (ring_) {
        ended_ = !ring_->submit(std::move(file));
    } else {
        FileAnswer answer = search(file);
        ended_ = !consumer_(file, answer);
    }
    return !ended_;
}

void SearchPipeline::flush() {
    if (ring_ && !ended_) ring_->flush();
}

bool SearchPipeline::finish() {
    if (!ended_ && ring_) ended_ = !ring_->drain();
    return !ended_;
}

}  // namespace tessaly
