// The size limits: how much of a file is searched, how much result is
// delivered, and what the caller's buffer holds after each kind of call.
#include <gtest/gtest.h>

#include <cstdio>
#include <climits>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>

#include <chrono>
#include <thread>

#include "engine_harness.h"
#include "tyx12/open_file_search.h"

namespace tessaly::test {
namespace {

// Printable filler with a space every eighth character.
std::string filler(std::size_t size) {
    std::string text;
    text.reserve(size);
    while (text.size() < size) text += "abcdefg ";
    text.resize(size);
    return text;
}

void place(std::string& text, std::size_t at, const std::string& word) {
    text[at - 1] = ' ';
    text.replace(at, word.size(), word);
    if (at + word.size() < text.size()) text[at + word.size()] = ' ';
}

class Limits : public EngineTest {};

TEST_F(Limits, EveryCharacterOfAFileIsSearched) {
    // Where the text is read in pieces, where the raw bytes stream through
    // their buffer, far beyond both, and at the very last byte.
    for (std::size_t size : {300000u, 2400000u}) {
        for (std::size_t start : {std::size_t{204797}, std::size_t{32768 - 3}, std::size_t{524288 - 2}, size - 6}) {
            if (start + 6 > size) continue;
            for (int caseCode : {IGNORE_CASE, MATCH_CASE}) {
                SCOPED_TRACE(testing::Message() << size << " at " << start << " case " << caseCode);
                std::string text = filler(size);
                place(text, start, "needle");
                auto call = words({"needle"});
                call.caseCode = caseCode;
                call.allHits = 0;
                const auto outcome = search(text, call);
                EXPECT_NE(outcome.result.find(hl("needle")), std::string::npos);
                EXPECT_EQ(outcome.result.size(), outcome.length);
            }
        }
    }
}

// Network and FUSE file systems, and /proc, answer a read with less than
// they hold: only a read of nothing ends the file. A pipe fed 4 KB at a
// time reads the same way.
TEST_F(Limits, AFileThatReadsShortIsReadToItsEnd) {
    const std::string text = filler(50'000) + " needle " + filler(10'000);
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    std::thread writer([&] {
        for (std::size_t at = 0; at < text.size(); at += 4096) {
            const std::size_t count = std::min<std::size_t>(4096, text.size() - at);
            EXPECT_EQ(::write(ends[1], text.data() + at, count), static_cast<ssize_t>(count));
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ::close(ends[1]);
    });
    char word[] = "needle";
    std::vector<char> result(kProgramResultBuffer, ' ');
    const std::uint32_t length = tyx12SearchOpenFile(ends[0], IGNORE_CASE, word, AND, nullptr, AND, nullptr, AND,
                                                     nullptr, 0, 10, 1, result.data(), 0);
    writer.join();
    ::close(ends[0]);
    EXPECT_GT(length, 0u);
}

// A read that fails is told to the caller, whether it is the first read or
// one after the start of the file was read; a file read to its end after it
// clears the error. /proc/self/mem gives a real EIO where nothing is mapped.
TEST_F(Limits, AReadErrorIsToldAndClearedByTheNextSearch) {
    const int mem = ::open("/proc/self/mem", O_RDONLY);
    if (mem < 0) GTEST_SKIP() << "no /proc/self/mem here";
    const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    auto* pages = static_cast<char*>(
        ::mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(pages, MAP_FAILED);
    const std::string text = filler(page - 10) + " needle ";
    std::memcpy(pages, text.data(), page);
    ::munmap(pages + page, page);
    const auto searchFrom = [&](const char* at) {
        ::lseek(mem, static_cast<off_t>(reinterpret_cast<std::uintptr_t>(at)), SEEK_SET);
        char word[] = "needle";
        std::vector<char> result(kProgramResultBuffer, ' ');
        tyx12SearchOpenFile(mem, IGNORE_CASE, word, AND, nullptr, AND, nullptr, AND, nullptr, 0, 10, 1,
                            result.data(), 0);
        return tyx12LastReadError();
    };
    EXPECT_EQ(searchFrom(pages), EIO) << "after a page that was read";
    EXPECT_EQ(searchFrom(pages + page), EIO) << "at the first read";
    const std::string path = dir_.write("whole.txt", text);
    const int whole = ::open(path.c_str(), O_RDONLY);
    char word[] = "needle";
    std::vector<char> result(kProgramResultBuffer, ' ');
    EXPECT_GT(tyx12SearchOpenFile(whole, IGNORE_CASE, word, AND, nullptr, AND, nullptr, AND, nullptr, 0, 10, 1,
                                  result.data(), 0),
              0u);
    EXPECT_EQ(tyx12LastReadError(), 0);
    ::close(whole);
    ::close(mem);
    ::munmap(pages, page);
}

TEST_F(Limits, FilesEitherSideOfTheFixedBufferSize) {
    for (std::size_t size : {102401u, 102402u, 153602u}) {
        SCOPED_TRACE(size);
        std::string text = filler(size);
        place(text, size - 6, "needle");
        EXPECT_TRUE(search(text, words({"needle"})).matched());
    }
}

TEST_F(Limits, TheFileSizeArgumentIsNotNeeded) {
    for (int fileSize : {3, 100000, 0, -1, INT_MIN}) {
        SCOPED_TRACE(fileSize);
        auto call = words({"dog"});
        call.fileSize = fileSize;
        EXPECT_TRUE(search("cat dog", call).matched());
    }
}

// A file of result lines whose collected text is exactly `total` characters.
std::string fileCollecting(std::size_t total) {
    const std::string entry = hl("hit") + " w00000" + kSeparator;
    std::string text;
    std::size_t collected = 0;
    int id = 0;
    while (total - collected > 2 * entry.size()) {
        char line[32];
        std::snprintf(line, sizeof line, "hit w%05d\r", id++);
        text += line;
        collected += entry.size();
    }
    const std::size_t lastLine = total - collected - kSeparator.size() - hl("hit").size() - 1;
    // Short words, so that the last line is not cut by the window's limits.
    std::string tail;
    while (tail.size() < lastLine) tail += "zzzzzzzzz ";
    tail.resize(lastLine);
    text += "hit " + tail + "\r";
    return text;
}

TEST_F(Limits, DeliveryUpTo51200Characters) {
    auto outcome = search(fileCollecting(51200), words({"hit"}));
    EXPECT_EQ(outcome.length, 51200u);
    EXPECT_EQ(outcome.result.size(), 51200u);

    outcome = search(fileCollecting(51201), words({"hit"}));
    EXPECT_EQ(outcome.length, 51201u);
    EXPECT_EQ(outcome.result, "") << "an overflow leaves an empty text";
}

TEST_F(Limits, CollectingStopsOneLinePastTheLimit) {
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "hit number " + std::to_string(i) + "\r";
    const auto outcome = search(text, words({"hit"}));
    EXPECT_GT(outcome.length, 51200u);
    EXPECT_LT(outcome.length, 51200u + 100u);
    EXPECT_EQ(outcome.result, "");
}

TEST_F(Limits, ResultBufferUntouchedOnlyWhenTheFileCannotBeOpened) {
    const std::string missing = (dir_.path() / "missing.txt").string();
    auto outcome = callSearch(missing, words({"cat"}), 'Z');
    EXPECT_EQ(outcome.length, 0u);
    EXPECT_EQ(outcome.result.substr(0, 3), "ZZZ");

    const std::string present = dir_.write("dog.txt", "only a dog");
    outcome = callSearch(present, words({"cat"}), 'Z');
    EXPECT_EQ(outcome.length, 0u);
    EXPECT_EQ(outcome.result, "") << "a searched file always empties the buffer";

    EXPECT_EQ(callSearch(dir_.path().string(), words({"cat"}), 'Z').length, 0u);
}

TEST_F(Limits, AWordPastTwoGibibytesOfAFileIsFound) {
    // A hole of 2 GiB and some, then the word: read whole, in bounded memory.
    const std::string path = dir_.write("huge.txt", "");
    const long long at = (1LL << 31) + 4096;
    ASSERT_EQ(truncate(path.c_str(), at), 0);
    FILE* file = std::fopen(path.c_str(), "ab");
    ASSERT_NE(file, nullptr);
    std::fputs(" needle", file);
    std::fclose(file);
    auto call = words({"needle"});
    call.fileSize = INT_MAX;
    EXPECT_EQ(callSearch(path, call).result, lines({hl("needle")}));
    call.words[0] = "absent";
    EXPECT_EQ(callSearch(path, call).length, 0u);
}

}  // namespace
}  // namespace tessaly::test
