// A run that uses the index of searched words must tell exactly what a run
// without it tells: over random trees and queries, before and after the
// files change in every way that could fool an index.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <thread>
#include <utility>

#include "document_files.h"
#include "index/word_index.h"
#include "platform/engine_loader.h"
#include "run/search_runner.h"
#include "temp_dir.h"

namespace tessaly {
namespace {

struct Told final : RunSink {
    std::vector<std::string> events;
    std::function<void()> atFirstFind;  // once, while the run goes on
    void found(FoundFile file) override {
        events.push_back(file.path + "\n" + file.lines);
        if (atFirstFind) std::exchange(atFirstFind, nullptr)();
    }
    void passedOver(PassedOver entry) override { events.push_back("passed " + entry.path + ": " + entry.reason); }
    FailureAnswer folderFailed(const WalkFailure& failure) override {
        events.push_back("failed " + failure.failure.path);
        return FailureAnswer::Stop;
    }
    void tooManyFiles() override { events.push_back("too many"); }
};

struct Query {
    SearchWords words;
    int code1 = 210;
    bool matchCase = false;
    bool allHits = false;
    int nearby = 0;
};

const Query kQueries[] = {
    {{"cat", "", "", ""}},
    {{"Cat", "", "", ""}, 210, true},
    {{"cat*", "", "", ""}},
    {{"*ing", "", "", ""}, 210, false, true},
    {{"e-mail", "", "", ""}},
    {{"dog's", "", "", ""}},
    {{"caf\xC3\xA9", "", "", ""}},
    {{"cat", "zebra", "", ""}, 210},
    {{"cat", "zebra", "", ""}, 211},
    {{"cat", "dog", "", ""}, 212},
    {{"cat", "dog", "", ""}, 213, false, false, 3},
    {{"absent", "", "", ""}},
    {{"*-*", "", "", ""}},
};

const char* const kVocabulary[] = {"cat", "cats", "CAT", "Cat", "dog", "dog's", "e-mail", "mail", "caf\xC3\xA9",
                                   "CAF\xC3\x89", "walking", "walk", "the", "zebra", "Zebras", "concatenate"};
const char* const kBetween[] = {" ", " ", "\n", ", ", "-", "\r\n", "\n\n", "", ". ", " ", "\t", " "};

std::string randomText(std::mt19937& random, int words) {
    std::string text;
    for (int i = 0; i < words; ++i) {
        text += kVocabulary[random() % std::size(kVocabulary)];
        const std::size_t between = random() % std::size(kBetween);
        // The NUL joins the words either side, as the engine reads it.
        text += between == 7 && random() % 4 == 0 ? std::string(1, '\0') : std::string(kBetween[between]);
    }
    return text;
}

long ruledOutSoFar = 0;

std::vector<std::string> runOf(const Query& query, const std::string& folder, WordIndex* index,
                               std::function<void()> atFirstFind = nullptr) {
    Failure failure;
    const EngineCalls* engine = loadEngine(failure);
    if (!engine) throw std::runtime_error(failure.describe());
    RunPlan plan;
    plan.folders = {folder};
    plan.words = query.words;
    plan.arguments.caseCode = query.matchCase ? 200 : 201;
    plan.arguments.code1 = query.code1;
    plan.arguments.allHits = query.allHits ? 1 : 0;
    plan.arguments.nearbyWords = query.nearby;
    plan.threads = 2;
    plan.index = index;
    Told told;
    told.atFirstFind = std::move(atFirstFind);
    const RunSummary summary = SearchRunner(systemFileSystem(), *engine, plan).run(told);
    ruledOutSoFar += summary.ruledOut;
    told.events.push_back("found " + std::to_string(summary.found) + " of " + std::to_string(summary.searched));
    return told.events;
}

// Puts a file's times an hour back, as a file written long ago has them.
void age(const std::filesystem::path& file) {
    const auto hourAgo = std::chrono::system_clock::now() - std::chrono::hours(1);
    timespec times[2];
    times[0].tv_sec = times[1].tv_sec = std::chrono::system_clock::to_time_t(hourAgo);
    times[0].tv_nsec = times[1].tv_nsec = 0;
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
}

// New words over the file's old bytes, at the same size, its times put back.
void rewriteInPlace(const std::filesystem::path& file) {
    std::FILE* f = std::fopen(file.c_str(), "r+b");
    ASSERT_NE(f, nullptr);
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    std::string content = "zebra dog cat";
    content.resize(static_cast<std::size_t>(std::max(0L, size)), ' ');
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
    age(file);
}

// With what the index keeps read ahead of the walk, and asked folder by folder.
class WordIndexRunReadingAhead : public testing::TestWithParam<bool> {};

TEST_P(WordIndexRunReadingAhead, AnswersAreThoseOfAScanBeforeAndAfterEveryKindOfChange) {
    std::mt19937 random(20261209);
    test::TempDir tree;
    test::TempDir cache;
    std::vector<std::filesystem::path> files;
    std::size_t textFiles = 0;
    for (int i = 0; i < 40; ++i) {
        const std::string name = (i < 15 ? "" : i < 30 ? "a/" : "a/b/") + std::to_string(i) + ".txt";
        const std::string text = randomText(random, static_cast<int>(random() % 40));
        // One with a NUL looks binary: left out of the run, and of the index.
        textFiles += text.find('\0') == std::string::npos;
        files.emplace_back(tree.write(name, text));
    }
    files.emplace_back(tree.write("report.pdf", test::pdfBytes({"the cat report", "walking dog"})));
    for (const auto& file : files) age(file);
    // A file changed within the file system's timestamp granularity of the
    // moment its words were taken is never trusted: the tree must be older.
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));

    IndexOptions options;
    if (!GetParam()) options.mostReadAheadBytes = 0;
    WordIndex index(cache.path().string(), options);
    ASSERT_TRUE(index.usable()) << index.takeNotice();
    const std::string root = tree.path().string();
    const auto compareAll = [&](const char* when) {
        for (const Query& query : kQueries) {
            SCOPED_TRACE(std::string(when) + ": " + query.words[0] + " " + query.words[1]);
            const auto scanned = runOf(query, root, nullptr);
            EXPECT_EQ(runOf(query, root, &index), scanned);
            // Once more: the words the first run recorded are used now.
            const auto again = runOf(query, root, &index);
            EXPECT_EQ(again, scanned);
        }
    };
    compareAll("first");
    // Every file was recorded: the text files and the document with their
    // words, the binary ones (with a NUL) without.
    ASSERT_EQ(index.info().files, files.size());
    ASSERT_GT(textFiles, 10u);
    ASSERT_LT(textFiles, 40u);
    EXPECT_GT(ruledOutSoFar, 100);

    // Content changed at the same size with the old times put back; a
    // rename; a file replaced by another; a deletion; a new file; a touch.
    rewriteInPlace(files[3]);
    std::filesystem::rename(files[5], files[5].string() + ".moved.txt");
    std::filesystem::rename(files[6], files[7]);
    std::filesystem::remove(files[8]);
    tree.write("a/new.txt", "a new cat walking by the zebra");
    ASSERT_EQ(::utimensat(AT_FDCWD, files[9].c_str(), nullptr, 0), 0);
    compareAll("after the changes");

    // Files changed while a run reads them, some before it comes to them,
    // some after it took their words.
    runOf(kQueries[0], root, &index, [&] {
        for (std::size_t i = 10; i < 40; i += 3) rewriteInPlace(files[i]);
    });
    compareAll("after changes during a run");
}

INSTANTIATE_TEST_SUITE_P(AheadOrNot, WordIndexRunReadingAhead, testing::Bool());

TEST(WordIndexRun, ACountOfRuledOutFilesAndNothingRecordedFromARunWithoutRecording) {
    test::TempDir tree;
    for (int i = 0; i < 5; ++i) age(tree.write(std::to_string(i) + ".txt", i == 0 ? "a cat" : "a dog"));
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    test::TempDir cache;
    WordIndex index(cache.path().string());
    Failure failure;
    const EngineCalls& engine = *loadEngine(failure);
    RunPlan plan;
    plan.folders = {tree.path().string()};
    plan.words = {"cat", "", "", ""};
    plan.index = &index;
    plan.recordWords = false;
    Told told;
    EXPECT_EQ(SearchRunner(systemFileSystem(), engine, plan).run(told).ruledOut, 0);
    EXPECT_EQ(index.info().files, 0u);
    plan.recordWords = true;
    SearchRunner(systemFileSystem(), engine, plan).run(told);
    const RunSummary summary = SearchRunner(systemFileSystem(), engine, plan).run(told);
    EXPECT_EQ(summary.ruledOut, 4);
    EXPECT_EQ(summary.searched, 5);
    EXPECT_EQ(summary.found, 1);
}

}  // namespace
}  // namespace tessaly
