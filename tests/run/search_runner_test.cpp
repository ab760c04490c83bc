// The run both programs share, over real trees, with a sink that records
// what it was told.
#include "run/search_runner.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "document_files.h"
#include "platform/engine_loader.h"
#include "run/file_content.h"
#include "scripted_file_system.h"
#include "temp_dir.h"

namespace tessaly {
namespace {

using test::ScriptedFileSystem;
using test::TempDir;

struct Recording final : RunSink {
    std::vector<std::string> events;  // "found N path", "passed path: reason"
    bool limit = false;
    FailureAnswer onFolderFailure = FailureAnswer::Stop;
    std::function<void(int)> afterFound;

    void found(FoundFile file) override {
        events.push_back("found " + std::to_string(file.number) + " " + file.path);
        if (afterFound) afterFound(file.number);
    }
    void passedOver(PassedOver entry) override { events.push_back("passed " + entry.path + ": " + entry.reason); }
    FailureAnswer folderFailed(const WalkFailure& failure) override {
        events.push_back("failed " + failure.failure.path);
        return onFolderFailure;
    }
    void tooManyFiles() override { limit = true; }
};

const EngineCalls& engine() {
    Failure failure;
    const EngineCalls* calls = loadEngine(failure);
    if (!calls) throw std::runtime_error(failure.describe());
    return *calls;
}

RunPlan planFor(std::vector<std::string> folders, int threads) {
    RunPlan plan;
    plan.folders = std::move(folders);
    plan.words = {"invoice", "", "", ""};
    plan.threads = threads;
    return plan;
}

// Sixty files over nested folders, every third one holding the word.
struct Tree {
    Tree() {
        for (int i = 0; i < 60; ++i) {
            const std::string folder = i < 20 ? "" : i < 40 ? "b/" : "b/c/";
            dir.write(folder + "f" + std::to_string(10 + i) + ".txt", i % 3 == 0 ? "an invoice" : "nothing");
        }
    }
    std::string root() const { return dir.path().string(); }
    TempDir dir;
};

TEST(SearchRunner, OneOrFourThreadsTellTheSameStoryInNameOrder) {
    Tree tree;
    ASSERT_EQ(symlink("/", (tree.root() + "/b/rootlink").c_str()), 0);
    ASSERT_EQ(mkfifo((tree.root() + "/b/c/pipe").c_str(), 0600), 0);
    ScriptedFileSystem files;
    files.fail("open", EACCES, tree.root() + "/b/f33.txt");
    std::vector<std::string> first;
    for (int threads : {1, 4}) {
        Recording sink;
        const RunSummary summary = SearchRunner(files, engine(), planFor({tree.root()}, threads)).run(sink);
        EXPECT_EQ(summary.end, RunEnd::Completed);
        EXPECT_EQ(summary.found, 20);
        EXPECT_EQ(summary.passedOver, 3);
        EXPECT_EQ(summary.listed, 60);
        if (first.empty()) {
            first = sink.events;
            continue;
        }
        EXPECT_EQ(sink.events, first);
    }
    // Each passed-over entry in its place among the files, folder by folder.
    ASSERT_EQ(first.size(), 23u);
    EXPECT_EQ(first[0], "found 1 " + tree.root() + "/f10.txt");
    EXPECT_EQ(first[7], "found 8 " + tree.root() + "/b/f31.txt");
    EXPECT_EQ(first[8], "passed " + tree.root() + "/b/f33.txt: Permission denied");
    EXPECT_EQ(first[15], "passed " + tree.root() + "/b/rootlink: a link to a folder, not followed");
    EXPECT_EQ(first[16], "found 15 " + tree.root() + "/b/c/f52.txt");
    EXPECT_EQ(first[22], "passed " + tree.root() + "/b/c/pipe: a named pipe, not opened");
}

TEST(SearchRunner, StopLimitAndFolderFailureEndTheRun) {
    Tree tree;
    for (int threads : {1, 3}) {
        SCOPED_TRACE(threads);
        {
            // Stop from the sink after the fifth entry: every file already searched is shown.
            Recording sink;
            SearchRunner runner(systemFileSystem(), engine(), planFor({tree.root()}, threads));
            sink.afterFound = [&](int number) {
                if (number == 5) runner.requestStop();
            };
            const RunSummary summary = runner.run(sink);
            EXPECT_EQ(summary.end, RunEnd::Stopped);
            EXPECT_GE(summary.found, 5);
            if (threads == 1) {
                EXPECT_EQ(summary.found, 5);
            }
        }
        {
            RunPlan plan = planFor({tree.root()}, threads);
            plan.fileLimit = 4;
            Recording sink;
            const RunSummary summary = SearchRunner(systemFileSystem(), engine(), plan).run(sink);
            EXPECT_EQ(summary.end, RunEnd::TooManyFiles);
            EXPECT_TRUE(sink.limit);
            EXPECT_EQ(sink.events.size(), 4u);
        }
        {
            // A missing Category folder is asked about; Stop ends the run there.
            Recording sink;
            const RunSummary summary = SearchRunner(systemFileSystem(), engine(),
                                                    planFor({tree.root() + "/b/c", tree.root() + "/gone", tree.root()},
                                                            threads))
                                           .run(sink);
            EXPECT_EQ(summary.found, 6);
            EXPECT_EQ(summary.failure.code, code::pathNotFound);
            EXPECT_EQ(sink.events.back(), "failed " + tree.root() + "/gone");
        }
    }
}

TEST(SearchRunner, StopEndsTheReadingOfADocumentBetweenItsPages) {
    TempDir dir;
    const std::string pdf = dir.write("long.pdf", test::pdfBytes({"first", "second", "the invoice"}));
    const int fd = ::open(pdf.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    RunArguments arguments;
    const SearchWords words{"invoice", "", "", ""};
    const std::atomic<bool> running{false}, stopped{true};
    EXPECT_GT(searchOpenContent(engine(), fd, {}, arguments, words, &running).answer.length, 0u);
    ASSERT_EQ(::lseek(fd, 0, SEEK_SET), 0);
    const ContentSearch cut = searchOpenContent(engine(), fd, {}, arguments, words, &stopped);
    EXPECT_TRUE(cut.stopped);
    EXPECT_EQ(cut.answer.length, 0u);
    ::close(fd);
}

TEST(SearchRunner, AFileWhoseNameHoldsTheWordsIsFoundByItWhenNamesAreSearched) {
    TempDir dir;
    dir.write("plan.txt", "the budget");
    dir.write("budget-2026.txt", "nothing here");
    dir.write("Budget Notes.txt", "nothing");
    dir.write("old-budgets.txt", "nothing");
    dir.write("cat and dog.txt", "nothing");
    dir.write("image-budget.bin", std::string("\0\1binary", 8));
    struct Case {
        SearchWords words;
        int code1;
        bool matchCase;
        bool names;
        std::vector<std::string> found;
    };
    const Case cases[] = {
        {{"budget", "", "", ""}, 210, false, false, {"plan.txt"}},
        {{"budget", "", "", ""}, 210, false, true, {"Budget Notes.txt", "budget-2026.txt", "image-budget.bin", "plan.txt"}},
        {{"budget*", "", "", ""}, 210, false, true,
         {"Budget Notes.txt", "budget-2026.txt", "image-budget.bin", "old-budgets.txt", "plan.txt"}},
        {{"budget", "", "", ""}, 210, true, true, {"budget-2026.txt", "image-budget.bin", "plan.txt"}},
        {{"budget", "2026", "", ""}, 212, false, true, {"Budget Notes.txt", "image-budget.bin", "plan.txt"}},
        {{"cat", "dog", "", ""}, 210, false, true, {"cat and dog.txt"}},
        {{"txt", "", "", ""}, 210, false, true,
         {"Budget Notes.txt", "budget-2026.txt", "cat and dog.txt", "old-budgets.txt", "plan.txt"}},
    };
    for (const Case& c : cases) {
        RunPlan plan = planFor({dir.path().string()}, 2);
        plan.words = c.words;
        plan.arguments.code1 = c.code1;
        plan.arguments.caseCode = c.matchCase ? 200 : 201;
        plan.scope.namesSearched = c.names;
        Recording sink;
        const RunSummary summary = SearchRunner(systemFileSystem(), engine(), plan).run(sink);
        std::vector<std::string> found;
        for (const std::string& event : sink.events)
            found.push_back(event.substr(event.rfind('/') + 1));
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, c.found) << c.words[0] << " " << c.code1 << " " << c.words[1];
        EXPECT_EQ(summary.found, static_cast<int>(c.found.size()));
    }
}

}  // namespace
}  // namespace tessaly
