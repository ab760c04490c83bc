#include "run/search_pipeline.h"

#include <array>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace tessaly {

namespace {
constexpr std::size_t kResultBufferSize = 71200;
}

SearchAnswer searchFile(const EngineCalls& engine, const Candidate& candidate,
                        const RunArguments& arguments, const SearchWords& words) {
    std::array<std::vector<char>, 4> copies;
    std::array<char*, 4> pointers{};
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i].empty()) continue;
        copies[i].assign(words[i].begin(), words[i].end());
        copies[i].push_back('\0');
        pointers[i] = copies[i].data();
    }
    thread_local std::vector<char> result(kResultBufferSize, ' ');
    result[0] = '\0';
    // The engine reads every file to its end; the size it is told is only a
    // courtesy, and it does not need the whole of it.
    const auto fileSize = static_cast<std::int32_t>(std::min<std::uint64_t>(candidate.size, INT32_MAX));
    SearchAnswer answer;
    answer.length = engine.stringSearch(candidate.path.c_str(), fileSize, arguments.caseCode, pointers[0],
                                        arguments.code1, pointers[1], arguments.code2, pointers[2],
                                        arguments.code3, pointers[3], arguments.smartSearch,
                                        arguments.contextWords, arguments.allHits, result.data(),
                                        arguments.nearbyWords);
    if (answer.length > 0 && answer.length <= TYX12_RESULT_MAX_LENGTH) answer.lines.assign(result.data(), answer.length);
    return answer;
}

// Searches ahead of the consumer on a few threads. Each file gets a slot in a
// window of pending files; the consumer takes slots from the front only.
class SearchPipeline::Workers {
public:
    Workers(SearchPipeline& owner, int threads) : owner_(owner) {
        for (int i = 0; i < threads; ++i) threads_.emplace_back([this] { work(); });
    }

    ~Workers() {
        {
            std::lock_guard lock(mutex_);
            closing_ = true;
        }
        workAvailable_.notify_all();
        for (auto& thread : threads_) thread.join();
    }

    // Queues a file; delivers finished answers from the front while the window is full.
    bool submit(Candidate candidate) {
        std::unique_lock lock(mutex_);
        while (pending_.size() >= kWindow) {
            if (!deliverFront(lock)) return false;
        }
        pending_.push_back(std::make_shared<Slot>(Slot{std::move(candidate), {}, false, false}));
        workAvailable_.notify_one();
        return true;
    }

    bool drain() {
        std::unique_lock lock(mutex_);
        while (!pending_.empty())
            if (!deliverFront(lock)) return false;
        return true;
    }

private:
    struct Slot {
        Candidate candidate;
        SearchAnswer answer;
        bool taken;
        bool done;
    };
    static constexpr std::size_t kWindow = 256;

    // Waits for the front slot, hands it to the consumer outside the lock.
    bool deliverFront(std::unique_lock<std::mutex>& lock) {
        answerReady_.wait(lock, [this] { return pending_.front()->done; });
        std::shared_ptr<Slot> front = pending_.front();
        pending_.pop_front();
        lock.unlock();
        const bool goOn = owner_.consumer_(front->candidate, front->answer);
        lock.lock();
        if (!goOn) {
            for (auto& slot : pending_) slot->taken = true;  // nobody needs them now
            pending_.clear();
        }
        return goOn;
    }

    void work() {
        std::unique_lock lock(mutex_);
        for (;;) {
            std::shared_ptr<Slot> slot;
            workAvailable_.wait(lock, [&] {
                if (closing_) return true;
                for (auto& pending : pending_)
                    if (!pending->taken) return slot = pending, true;
                return false;
            });
            if (!slot) return;
            slot->taken = true;
            lock.unlock();
            SearchAnswer answer = searchFile(owner_.engine_, slot->candidate, owner_.arguments_, owner_.words_);
            lock.lock();
            slot->answer = std::move(answer);
            slot->done = true;
            answerReady_.notify_all();
        }
    }

    SearchPipeline& owner_;
    std::mutex mutex_;
    std::condition_variable workAvailable_;
    std::condition_variable answerReady_;
    std::deque<std::shared_ptr<Slot>> pending_;
    std::vector<std::thread> threads_;
    bool closing_ = false;
};

SearchPipeline::SearchPipeline(const EngineCalls& engine, RunArguments arguments, SearchWords words,
                               int threads, Consumer consumer)
    : engine_(engine), arguments_(arguments), words_(std::move(words)), consumer_(std::move(consumer)) {
    if (threads > 1) workers_ = std::make_unique<Workers>(*this, threads);
}

SearchPipeline::~SearchPipeline() = default;

bool SearchPipeline::submit(Candidate candidate) {
    if (ended_) return false;
    if (workers_) {
        ended_ = !workers_->submit(std::move(candidate));
    } else {
        ended_ = !consumer_(candidate, searchFile(engine_, candidate, arguments_, words_));
    }
    return !ended_;
}

void SearchPipeline::finish() {
    if (!ended_ && workers_) ended_ = !workers_->drain();
}

}  // namespace tessaly
