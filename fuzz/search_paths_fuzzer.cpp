// One random file and query searched twice: the fast way the exports take
// (raw-byte prefilter, text held whole, early answers) and the plain way,
// with no prefilter and buffers so small that every file streams and slides.
// The answer, and what the search does to the words, must be the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "string_search.h"
#include "memory_file.h"
#include "tyx12/tyx12.h"

namespace {

using namespace tyx12::detail;


struct Answer {
    std::uint32_t length = 0;
    std::string result;
    std::array<std::string, kWordSlots> wordsAfter;
};

// On fresh copies, sized to the byte, since the search may rewrite them.
Answer search(SearchRequest request, const std::array<std::string, kWordSlots>& words,
              const std::array<bool, kWordSlots>& present) {
    std::array<std::unique_ptr<char[]>, kWordSlots> copies;
    for (int i = 0; i < kWordSlots; ++i) {
        if (!present[i]) continue;
        copies[i].reset(new char[words[i].size() + 1]);
        std::memcpy(copies[i].get(), words[i].c_str(), words[i].size() + 1);
    }
    for (int i = 0; i < kWordSlots; ++i) request.words[i] = copies[i].get();
    std::unique_ptr<char[]> buffer(new char[TYX12_RESULT_MIN_CAPACITY]);
    std::memset(buffer.get(), 'R', TYX12_RESULT_MIN_CAPACITY);
    Answer answer;
    answer.length = runSearch(request, buffer.get());
    answer.result.assign(buffer.get(), strnlen(buffer.get(), TYX12_RESULT_MIN_CAPACITY));
    for (int i = 0; i < kWordSlots; ++i)
        if (present[i]) answer.wordsAfter[i] = copies[i].get();
    return answer;
}

// The engine sizes its per-thread text buffers to the last search: were both
// ways run on one thread, every input would grow them back from tiny to
// their full megabytes, which costs far more than the searches. So the plain
// way keeps a thread of its own.
class PlainThread {
public:
    PlainThread() : thread_([this] { serve(); }) { thread_.detach(); }
    void run(const std::function<void()>& job) {
        std::unique_lock lock(mutex_);
        job_ = &job;
        changed_.notify_all();
        changed_.wait(lock, [this] { return job_ == nullptr; });
    }

private:
    void serve() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return job_ != nullptr; });
            (*job_)();
            job_ = nullptr;
            changed_.notify_all();
        }
    }
    std::mutex mutex_;
    std::condition_variable changed_;
    const std::function<void()>* job_ = nullptr;
    std::thread thread_;
};

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "the fast way and the plain way differ: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryFile file("search-paths-fuzz");
    static PlainThread* plainThread = new PlainThread;  // never joined: it lives as long as the process
    FuzzedDataProvider input(data, size);

    static const std::int32_t codes[] = {TYX12_AND, TYX12_OR, TYX12_NOT, TYX12_NEARBY, 0};
    SearchRequest fast;
    fast.ignoreCase = input.ConsumeBool();
    for (auto& code : fast.codes) code = codes[input.ConsumeIntegralInRange<int>(0, 4)];
    fast.smartSearch = input.ConsumeBool();
    fast.contextWords = input.ConsumeIntegralInRange<int>(-1, 31);
    fast.allHits = input.ConsumeBool();
    fast.nearbyWords = input.ConsumeIntegralInRange<int>(-1, 12);

    SearchRequest plain = fast;
    plain.ruleOutByRawBytes = false;
    plain.rawBufferSize = input.ConsumeIntegralInRange<std::size_t>(1, 64);
    plain.textSizes.pieceBytes = input.ConsumeIntegralInRange<std::size_t>(1, 32);
    plain.textSizes.capacity = input.ConsumeIntegralInRange<std::size_t>(0, 96);

    std::array<std::string, kWordSlots> words;
    std::array<bool, kWordSlots> present{};
    for (int i = 0; i < kWordSlots; ++i) {
        present[i] = input.ConsumeBool();
        if (present[i]) words[i] = input.ConsumeRandomLengthString(16);
    }
    file.write(input.ConsumeRemainingBytesAsString());
    fast.fileName = plain.fileName = file.path.c_str();

    const Answer fastAnswer = search(fast, words, present);
    Answer plainAnswer;
    plainThread->run([&] { plainAnswer = search(plain, words, present); });
    check(fastAnswer.length == plainAnswer.length, "length");
    check(fastAnswer.result == plainAnswer.result, "result text");
    check(fastAnswer.wordsAfter == plainAnswer.wordsAfter, "words after the search");
    return 0;
}
