#include "run/folder_walk.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <atomic>
#include <set>
#include <thread>

#include "scripted_file_system.h"
#include "temp_dir.h"

namespace tessaly {
namespace {

using test::ScriptedFileSystem;
using test::TempDir;

// What a walk did, in order: "file <path>", "done <folder>", "failed <code> <path>",
// "passed <path> <reason>".
struct Recorder {
    std::vector<std::string> events;
    std::vector<WalkFailure> failures;
    FailureAnswer answer = FailureAnswer::Skip;
    std::string stopAfter;  // a path after which the callback asks to stop

    WalkCallbacks callbacks() {
        WalkCallbacks c;
        c.file = [this](const std::shared_ptr<const OpenFolder>& open, const DirectoryEntry& file) {
            const std::string path = open->path() + "/" + file.name;
            events.push_back("file " + path);
            return path == stopAfter ? WalkStep::Stop : WalkStep::Continue;
        };
        c.filesDone = [this](const std::string& folder) {
            events.push_back("done " + folder);
            return folder == stopAfter ? WalkStep::Stop : WalkStep::Continue;
        };
        c.failure = [this](const WalkFailure& failure) {
            failures.push_back(failure);
            events.push_back("failed " + std::to_string(failure.failure.code) + " " +
                             failure.failure.path);
            return answer;
        };
        c.passedOver = [this](const std::string& path, OtherKind kind) {
            events.push_back("passed " + path + " " + std::string(otherKindReason(kind)));
        };
        return c;
    }
    std::vector<std::string> files() const {
        std::vector<std::string> only;
        for (const auto& e : events) {
            if (e.starts_with("file ")) only.push_back(e.substr(5));
        }
        return only;
    }
};

// Alpha holds Beta (holding Delta) and Gamma.
struct AlphaTree {
    TempDir dir;
    std::string alpha = dir.path().string() + "/Alpha";
    AlphaTree() {
        for (const char* name :
             {"Alpha/a1.txt", "Alpha/a2.txt", "Alpha/Beta/b.txt", "Alpha/Beta/Delta/d1.txt",
              "Alpha/Beta/Delta/d2.txt", "Alpha/Gamma/g.txt"}) {
            dir.write(name, "text");
        }
    }
};

const WalkOptions sorted{true};

TEST(FolderWalk, FilesFirstThenEachSubfolderDepthFirst) {
    AlphaTree tree;
    const std::string& a = tree.alpha;
    Recorder recorder;
    const WalkResult result =
        walkCategoryFolder(systemFileSystem(), a, sorted, recorder.callbacks());
    EXPECT_FALSE(result.stopped);
    EXPECT_FALSE(result.failure);
    const std::vector<std::string> expected = {
        "file " + a + "/a1.txt",
        "file " + a + "/a2.txt",
        "done " + a,
        "file " + a + "/Beta/b.txt",
        "done " + a + "/Beta",
        "file " + a + "/Beta/Delta/d1.txt",
        "file " + a + "/Beta/Delta/d2.txt",
        "done " + a + "/Beta/Delta",
        "file " + a + "/Gamma/g.txt",
        "done " + a + "/Gamma",
    };
    EXPECT_EQ(recorder.events, expected);
}

TEST(FolderWalk, FoldersGrowingDuringTheWalkCannotKeepItGoing) {
    AlphaTree tree;
    ScriptedFileSystem files;
    int created = 0;
    WalkCallbacks callbacks;
    std::vector<std::string> visited;
    // Every file seen plants a new subfolder with a file beside it.
    callbacks.file = [&](const std::shared_ptr<const OpenFolder>& open, const DirectoryEntry& file) {
        visited.push_back(open->path() + "/" + file.name);
        const std::string planted = open->path() + "/new" + std::to_string(++created);
        std::filesystem::create_directories(planted);
        tree.dir.write(planted.substr(tree.dir.path().string().size() + 1) + "/f.txt", "x");
        return WalkStep::Continue;
    };
    walkCategoryFolder(files, tree.alpha, sorted, callbacks);
    EXPECT_EQ(visited.size(), 6u);
    // One listing per folder, the four of the tree as it was.
    const auto lists =
        std::count_if(files.calls().begin(), files.calls().end(),
                      [](const std::string& call) { return call.starts_with("list "); });
    EXPECT_EQ(lists, 4);
}

TEST(FolderWalk, WithoutSubfoldersOnlyTheCategoryFolder) {
    AlphaTree tree;
    Recorder recorder;
    walkCategoryFolder(systemFileSystem(), tree.alpha, {false},
                       recorder.callbacks());
    EXPECT_EQ(recorder.files(),
              (std::vector<std::string>{tree.alpha + "/a1.txt", tree.alpha + "/a2.txt"}));
}

TEST(FolderWalk, PassesOverHiddenAndSystemEntriesAndLinkedFolders) {
    TempDir dir;
    const std::string root = dir.path().string();
    dir.write("plain.txt", "x");
    dir.write(".hidden.txt", "x");
    dir.write(".config/inside.txt", "x");
    dir.write(".config/deeper/inside.txt", "x");
    dir.write("sub/inner.txt", "x");
    ASSERT_EQ(mkfifo((root + "/pipe.txt").c_str(), 0600), 0);
    ASSERT_EQ(symlink((root + "/sub").c_str(), (root + "/linked-sub").c_str()), 0);
    ASSERT_EQ(symlink(root.c_str(), (root + "/sub/loop").c_str()), 0);
    ASSERT_EQ(symlink((root + "/plain.txt").c_str(), (root + "/linked.txt").c_str()), 0);
    ASSERT_EQ(symlink((root + "/nowhere").c_str(), (root + "/broken.txt").c_str()), 0);

    Recorder recorder;
    const WalkResult result =
        walkCategoryFolder(systemFileSystem(), root, sorted, recorder.callbacks());
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(recorder.files(), (std::vector<std::string>{root + "/linked.txt", root + "/plain.txt",
                                                          root + "/sub/inner.txt"}));
    EXPECT_TRUE(recorder.failures.empty());
    // Never opened, never silent; hidden entries are left out without a word.
    std::vector<std::string> passed;
    std::copy_if(recorder.events.begin(), recorder.events.end(), std::back_inserter(passed),
                 [](const std::string& e) { return e.starts_with("passed "); });
    EXPECT_EQ(passed, (std::vector<std::string>{"passed " + root + "/broken.txt a link that leads nowhere",
                                                "passed " + root + "/linked-sub a link to a folder, not followed",
                                                "passed " + root + "/pipe.txt a named pipe, not opened",
                                                "passed " + root + "/sub/loop a link to a folder, not followed"}));
}

TEST(FolderWalk, NamesAreKeptByteForByte) {
    TempDir dir;
    const std::string root = dir.path().string() + "/My Files ";
    const std::vector<std::string> names = {"a b.txt", "braces {x}.rtf", "back\\slash.txt",
                                            "latin1 \xe9t\xe9.txt", "Upper.TXT"};
    for (const auto& name : names) dir.write("My Files /" + name, "x");
    dir.write("My Files /{sub} \xff/in.txt", "x");

    Recorder recorder;
    walkCategoryFolder(systemFileSystem(), root + "/", sorted, recorder.callbacks());
    std::vector<std::string> expected;
    for (const auto& name : names) expected.push_back(root + "/" + name);
    std::sort(expected.begin(), expected.end());
    expected.push_back(root + "/{sub} \xff/in.txt");
    // The folder handed to the callback is built with the same join rule the
    // recorder uses, so the trailing "/" given must not double.
    std::vector<std::string> files = recorder.files();
    for (auto& path : files) {
        const auto doubled = path.find("//");
        if (doubled != std::string::npos) path.erase(doubled, 1);
    }
    EXPECT_EQ(files, expected);
    EXPECT_EQ(recorder.events.back(), "done " + root + "/{sub} \xff");
}

TEST(FolderWalk, AnUnlistableSubfolderIsReportedAndPassedOver) {
    AlphaTree tree;
    const std::string& a = tree.alpha;
    const struct {
        int error;
        int code;
    } cases[] = {{EACCES, code::permissionDenied},
                 {EPERM, code::permissionDenied},
                 {EINVAL, code::invalidArgument},
                 {EBUSY, code::pathFileAccessError},
                 {ENOENT, code::pathNotFound}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        ScriptedFileSystem files;
        files.fail("list", c.error, a + "/Beta");
        std::vector<WalkFailure> seen;
        WalkCallbacks callbacks;
        std::vector<std::string> visited;
        callbacks.file = [&](const std::shared_ptr<const OpenFolder>& open, const DirectoryEntry& file) {
            visited.push_back(open->path() + "/" + file.name);
            return WalkStep::Continue;
        };
        // The run's own rule decides, as the window and the command line use it.
        callbacks.failure = [&](const WalkFailure& failure) {
            seen.push_back(failure);
            return runTableAnswer(failure);
        };
        const WalkResult result = walkCategoryFolder(files, a, sorted, callbacks);
        EXPECT_FALSE(result.stopped);
        EXPECT_EQ(visited,
                  (std::vector<std::string>{a + "/a1.txt", a + "/a2.txt", a + "/Gamma/g.txt"}));
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].failure.code, c.code);
        EXPECT_EQ(seen[0].failure.systemError, c.error);
        EXPECT_EQ(seen[0].failure.path, a + "/Beta");
        EXPECT_FALSE(seen[0].categoryFolder);
    }
}

// Lists as the system does, but one entry could not be examined, as happens
// to a folder that may be read but not entered.
class UnexaminableEntry final : public ScriptedFileSystem {
public:
    explicit UnexaminableEntry(std::string name) : name_(std::move(name)) {}
    Failure listQuickly(const std::string& folder, const OpenFolder* parent, FolderListing& listing,
                        ListingMemory* memory = nullptr) override {
        const Failure failure = ScriptedFileSystem::listQuickly(folder, parent, listing, memory);
        for (DirectoryEntry& entry : listing.entries) {
            if (entry.name != name_) continue;
            entry = DirectoryEntry{};
            entry.name = name_;
            entry.statusError = EACCES;
        }
        return failure;
    }

private:
    std::string name_;
};

TEST(FolderWalk, AnEntryThatCannotBeExaminedIsReportedNotDropped) {
    AlphaTree tree;
    const std::string& a = tree.alpha;
    for (const char* name : {"a2.txt", "Beta"}) {
        SCOPED_TRACE(name);
        UnexaminableEntry files(name);
        Recorder recorder;
        const WalkResult result = walkCategoryFolder(files, a, sorted, recorder.callbacks());
        EXPECT_FALSE(result.stopped);
        ASSERT_EQ(recorder.failures.size(), 1u);
        EXPECT_EQ(recorder.failures[0].failure.code, code::permissionDenied);
        EXPECT_EQ(recorder.failures[0].failure.path, a + "/" + name);
        const auto visited = recorder.files();
        EXPECT_EQ(std::count(visited.begin(), visited.end(), a + "/" + name), 0);
        EXPECT_EQ(std::count(visited.begin(), visited.end(), a + "/a1.txt"), 1) << "the rest goes on";
    }
}

TEST(FolderWalk, AnUnreadableFolderOnDisk) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not deny root";
    AlphaTree tree;
    const std::string beta = tree.alpha + "/Beta";
    ASSERT_EQ(chmod(beta.c_str(), 0), 0);
    Recorder recorder;
    const WalkResult result =
        walkCategoryFolder(systemFileSystem(), tree.alpha, sorted, recorder.callbacks());
    chmod(beta.c_str(), 0755);
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(recorder.files().back(), tree.alpha + "/Gamma/g.txt");
    ASSERT_EQ(recorder.failures.size(), 1u);
    EXPECT_EQ(recorder.failures[0].failure.code, code::permissionDenied);
}

TEST(FolderWalk, AMissingCategoryFolderIsCode76) {
    TempDir dir;
    const std::string gone = dir.path().string() + "/gone";
    const std::string notFolder = dir.write("file.txt", "x");
    for (const std::string& folder : {gone, notFolder}) {
        SCOPED_TRACE(folder);
        // Left to itself the walk stops there, as the run does after its message.
        const WalkResult result = walkCategoryFolder(systemFileSystem(), folder, {}, {});
        EXPECT_TRUE(result.stopped);
        EXPECT_EQ(result.failure.code, code::pathNotFound);
        EXPECT_EQ(result.failure.path, folder);

        Recorder recorder;
        const WalkResult skipped =
            walkCategoryFolder(systemFileSystem(), folder, {}, recorder.callbacks());
        EXPECT_FALSE(skipped.stopped);
        ASSERT_EQ(recorder.failures.size(), 1u);
        EXPECT_TRUE(recorder.failures[0].categoryFolder);
        EXPECT_EQ(recorder.events, (std::vector<std::string>{"failed 76 " + folder}));
    }
}

TEST(FolderWalk, RunTableDecidesWhatStopsTheWalk) {
    const struct {
        int code;
        bool categoryFolder;
        FailureAnswer answer;
    } cases[] = {
        {code::invalidArgument, true, FailureAnswer::Skip},
        {code::permissionDenied, true, FailureAnswer::Skip},
        {code::pathFileAccessError, false, FailureAnswer::Skip},
        {code::fileNotFound, false, FailureAnswer::Skip},
        {code::pathNotFound, false, FailureAnswer::Skip},
        {code::pathNotFound, true, FailureAnswer::Stop},
        {code::deviceIoError, false, FailureAnswer::Stop},
        {code::outOfMemory, false, FailureAnswer::Stop},
        {code::deviceUnavailable, true, FailureAnswer::Stop},
    };
    for (const auto& c : cases) {
        WalkFailure failure;
        failure.failure.code = c.code;
        failure.categoryFolder = c.categoryFolder;
        EXPECT_EQ(runTableAnswer(failure), c.answer) << c.code << " " << c.categoryFolder;
    }
}

TEST(FolderWalk, RetryListsTheFolderAgain) {
    AlphaTree tree;
    ScriptedFileSystem files;
    files.fail("list", EIO, tree.alpha + "/Beta", 2);
    Recorder recorder;
    recorder.answer = FailureAnswer::Retry;
    const WalkResult result = walkCategoryFolder(files, tree.alpha, sorted, recorder.callbacks());
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(recorder.failures.size(), 2u);
    EXPECT_EQ(recorder.files().size(), 6u);

    // Without an answer from the caller a device error ends the walk there.
    files.fail("list", EIO, tree.alpha + "/Beta", 1);
    const WalkResult stopped = walkCategoryFolder(files, tree.alpha, sorted, {});
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(stopped.failure.code, code::deviceIoError);
}

TEST(FolderWalk, CallerStopsBetweenFilesOrAfterAFolder) {
    AlphaTree tree;
    const std::string& a = tree.alpha;
    const struct {
        std::string stopAfter;
        std::string lastEvent;
        std::size_t events;
    } cases[] = {
        {a + "/a1.txt", "file " + a + "/a1.txt", 1},
        {a, "done " + a, 3},
        {a + "/Beta/Delta/d1.txt", "file " + a + "/Beta/Delta/d1.txt", 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stopAfter);
        Recorder recorder;
        recorder.stopAfter = c.stopAfter;
        const WalkResult result =
            walkCategoryFolder(systemFileSystem(), a, sorted, recorder.callbacks());
        EXPECT_TRUE(result.stopped);
        EXPECT_FALSE(result.failure);
        EXPECT_EQ(recorder.events.size(), c.events);
        EXPECT_EQ(recorder.events.back(), c.lastEvent);
    }
}

// Hidden entries and folders matching a left-out pattern, as the scope has
// them: a left-out name is matched at any depth, never against the folder
// the walk starts from, and never against a file.
TEST(FolderWalk, LeavesOutHiddenEntriesAndFoldersByPattern) {
    TempDir dir;
    const std::string root = dir.path().string() + "/build-root";
    for (const char* name : {"build-root/plain.txt", "build-root/.hidden.txt", "build-root/.git/config",
                             "build-root/src/main.cpp", "build-root/src/node_modules/m.js",
                             "build-root/src/build-x/o.txt", "build-root/build.txt",
                             "build-root/My Build/n.txt"})
        dir.write(name, "x");
    const struct {
        const char* name;
        bool hidden;
        std::vector<std::string> patterns;
        std::vector<std::string> files;  // below the root
    } cases[] = {
        {"the defaults", false, {},
         {"build.txt", "plain.txt", "My Build/n.txt", "src/main.cpp", "src/build-x/o.txt",
          "src/node_modules/m.js"}},
        {"hidden included", true, {},
         {".hidden.txt", "build.txt", "plain.txt", ".git/config", "My Build/n.txt", "src/main.cpp",
          "src/build-x/o.txt", "src/node_modules/m.js"}},
        {"patterns, case kept", true, {".git", "node_modules", "build*", "My Build"},
         {".hidden.txt", "build.txt", "plain.txt", "src/main.cpp"}},
        {"a bracket class", false, {"[bB]uild-?"}, {"build.txt", "plain.txt", "My Build/n.txt", "src/main.cpp",
                                                    "src/node_modules/m.js"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WalkOptions options;
        options.hiddenIncluded = c.hidden;
        options.leftOutFolders = c.patterns;
        Recorder recorder;
        walkCategoryFolder(systemFileSystem(), root, options, recorder.callbacks());
        std::vector<std::string> expected;
        for (const std::string& file : c.files) expected.push_back(root + "/" + file);
        EXPECT_EQ(recorder.files(), expected);
    }
}

// Idle threads may list folders before the walk enters them: the walk must
// see the same listings in the same order, a failure where it stood, a Retry
// listing again, and a Stop leaving nothing behind.
TEST(FolderWalk, FoldersListedAheadByOtherThreadsChangeNothingTheCallbacksSee) {
    TempDir dir;
    const std::string root = dir.path().string() + "/r";
    for (int i = 0; i < 40; ++i) {
        const std::string folder = "r/" + std::to_string(i % 7) + "/" + std::to_string(i % 5) + "/" + std::to_string(i);
        dir.write(folder + "/f.txt", "x");
        if (i % 3 == 0) dir.write(folder + "/s/g.txt", "x");
    }
    const std::string retried = root + "/3/3/3";
    const std::string unreadable = root + "/4/4";
    const auto walk = [&](bool helped, const std::string& stopAfter) {
        ScriptedFileSystem files;
        ListingAhead listing(files);
        ListingAhead* ahead = helped ? &listing : nullptr;
        files.fail("list", EIO, retried, 1);
        files.fail("list", EACCES, unreadable);
        Recorder recorder;
        recorder.stopAfter = stopAfter;
        WalkCallbacks callbacks = recorder.callbacks();
        callbacks.failure = [&](const WalkFailure& failure) {
            recorder.events.push_back("failed " + failure.failure.path);
            return failure.failure.systemError == EIO ? FailureAnswer::Retry : FailureAnswer::Skip;
        };
        std::atomic<bool> walked{false};
        std::vector<std::thread> helpers;
        if (ahead) {
            for (int i = 0; i < 2; ++i)
                helpers.emplace_back([&] {
                    while (!walked.load())
                        if (!ahead->listOne()) std::this_thread::yield();
                });
        }
        const WalkResult result = walkCategoryFolder(files, root, sorted, callbacks, ahead);
        walked = true;
        for (auto& helper : helpers) helper.join();
        recorder.events.push_back(result.stopped ? "stopped" : "ended");
        return recorder.events;
    };
    for (const std::string& stopAfter : {std::string(), root + "/2/2"}) {
        const auto alone = walk(false, stopAfter);
        ASSERT_GT(alone.size(), 20u);
        for (int round = 0; round < 5; ++round)
            EXPECT_EQ(walk(true, stopAfter), alone) << "stop after " << stopAfter << ", round " << round;
    }
}

}  // namespace
}  // namespace tessaly
