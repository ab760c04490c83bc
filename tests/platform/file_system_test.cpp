#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <optional>
#include <set>

#include "platform/file_system.h"
#include "scripted_file_system.h"
#include "temp_dir.h"

namespace tessaly {
namespace {

using test::ScriptedFileSystem;
using test::TempDir;

TEST(FileSystem, ListsWhatEachEntryIs) {
    TempDir dir;
    const std::string root = dir.path().string();
    dir.write("plain.txt", "12345");
    dir.write(".hidden", "x");
    dir.write("sub/inner.txt", "x");
    ASSERT_EQ(mkfifo((root + "/pipe").c_str(), 0600), 0);
    ASSERT_EQ(symlink((root + "/sub").c_str(), (root + "/link-to-sub").c_str()), 0);
    ASSERT_EQ(symlink((root + "/plain.txt").c_str(), (root + "/link-to-file").c_str()), 0);
    ASSERT_EQ(symlink((root + "/nowhere").c_str(), (root + "/broken").c_str()), 0);

    std::vector<DirectoryEntry> entries;
    ASSERT_FALSE(systemFileSystem().list(root, entries));
    std::map<std::string, DirectoryEntry> byName;
    for (const auto& entry : entries) byName[entry.name] = entry;

    const struct {
        const char* name;
        EntryKind kind;
        bool hidden;
    } expected[] = {
        {"plain.txt", EntryKind::File, false},   {".hidden", EntryKind::File, true},
        {"sub", EntryKind::Directory, false},    {"pipe", EntryKind::Other, false},
        {"link-to-sub", EntryKind::Other, false}, {"link-to-file", EntryKind::File, false},
        {"broken", EntryKind::Other, false},
    };
    EXPECT_EQ(entries.size(), std::size(expected));
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        ASSERT_TRUE(byName.count(e.name));
        EXPECT_EQ(byName[e.name].kind, e.kind);
        EXPECT_EQ(byName[e.name].hidden, e.hidden);
    }
    EXPECT_EQ(byName["plain.txt"].size, 5u);
    EXPECT_EQ(byName["link-to-file"].size, 5u);
}

// Gives back what it is told to, and keeps what it is given.
struct FixedListingMemory : ListingMemory {
    std::optional<RawListing> given;
    std::vector<std::pair<std::string, RawListing>> kept;
    ino_t askedAbout = 0;
    Recalled recall(const std::string&, const struct stat& status) override {
        askedAbout = status.st_ino;
        return {given, nullptr};
    }
    void remember(const std::string& folder, const struct stat&, std::int64_t, RawListing listing) override {
        kept.emplace_back(folder, std::move(listing));
    }
};

std::set<std::string> namesOf(const FolderListing& listing) {
    std::set<std::string> names;
    for (const DirectoryEntry& entry : listing.entries) names.insert(entry.name);
    return names;
}

TEST(FileSystem, AFolderItsMemoryVouchesForIsNotListedAgain) {
    TempDir dir;
    const std::string root = dir.path().string();
    dir.write("a.txt", "x");
    dir.write("sub/b.txt", "x");
    FixedListingMemory memory;
    FolderListing listing;
    ASSERT_FALSE(systemFileSystem().listQuickly(root, nullptr, listing, &memory));
    if (memory.kept.empty()) GTEST_SKIP() << "this file system is not trusted to keep folders' times";
    struct stat folder;
    ASSERT_EQ(::stat(root.c_str(), &folder), 0);
    EXPECT_EQ(memory.askedAbout, folder.st_ino);
    ASSERT_EQ(memory.kept.size(), 1u);
    EXPECT_EQ(memory.kept[0].first, root);
    EXPECT_EQ(memory.kept[0].second.size(), std::string("\x08" "a.txt").size() + 1 + std::string("\x04" "sub").size() + 1);

    // What memory gives is taken as the listing, types and all.
    memory.kept.clear();
    memory.given = std::string("\x08" "c.txt\0" "\x04" "sub\0", 12);
    ASSERT_FALSE(systemFileSystem().listQuickly(root, nullptr, listing, &memory));
    EXPECT_EQ(namesOf(listing), (std::set<std::string>{"c.txt", "sub"}));
    for (const DirectoryEntry& entry : listing.entries)
        EXPECT_EQ(entry.kind, entry.name == "sub" ? EntryKind::Directory : EntryKind::File);
    EXPECT_TRUE(memory.kept.empty());

    // A remembered listing that does not hold together is never half used:
    // the folder is listed from the system.
    for (const std::string& broken : {std::string("\x08" "c.txt", 6), std::string("\x08" "x/y\0", 5),
                                      std::string("\x08\0", 2), std::string("\x04" "..\0", 4)}) {
        memory.given = broken;
        ASSERT_FALSE(systemFileSystem().listQuickly(root, nullptr, listing, &memory));
        EXPECT_EQ(namesOf(listing), (std::set<std::string>{"a.txt", "sub"}));
    }
}

TEST(FileSystem, FailuresCarryTheProgramsCodes) {
    TempDir dir;
    std::vector<DirectoryEntry> entries;
    const Failure missingFolder = systemFileSystem().list(dir.path().string() + "/gone", entries);
    EXPECT_EQ(missingFolder.code, code::pathNotFound);
    std::string bytes;
    const Failure missingFile = systemFileSystem().readAll(dir.path().string() + "/gone.txt", bytes);
    EXPECT_EQ(missingFile.code, code::fileNotFound);
    EXPECT_NE(missingFile.describe().find("gone.txt"), std::string::npos);

    // A data file's place taken by a pipe or a device is refused at once:
    // a pipe would wait for a writer forever, /dev/zero never ends.
    const std::string pipe = dir.path().string() + "/pipe.ini";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& odd : {pipe, std::string("/dev/zero")}) {
        const Failure read = systemFileSystem().readAll(odd, bytes);
        EXPECT_EQ(read.code, code::pathFileAccessError) << odd;
        EXPECT_NE(read.describe().find("not a regular file"), std::string::npos) << read.describe();
        EXPECT_TRUE(ensureFileExists(systemFileSystem(), odd)) << odd;
    }

    const struct {
        int systemError;
        bool folder;
        int code;
    } mapping[] = {
        {ENOENT, false, 53}, {ENOENT, true, 76}, {ENOTDIR, false, 76}, {EACCES, false, 70},
        {EPERM, false, 70},  {EIO, false, 57},   {ENOSPC, false, 61},  {ENOMEM, false, 7},
    };
    for (const auto& m : mapping) EXPECT_EQ(codeFromErrno(m.systemError, m.folder), m.code) << m.systemError;
}

TEST(FileSystem, ReplaceFileNeverLeavesHalfAFile) {
    TempDir dir;
    const std::string path = dir.write("data.ini", "old contents");
    const std::string temporary = (dir.path() / "data.ty~").string();
    ScriptedFileSystem files;
    std::string bytes;

    for (const char* failing : {"write", "rename"}) {
        SCOPED_TRACE(failing);
        files.clearFaults();
        files.fail(failing, ENOSPC);
        const Failure failure = replaceFile(files, path, temporary, "new contents");
        EXPECT_EQ(failure.code, code::diskFull);
        ASSERT_FALSE(systemFileSystem().readAll(path, bytes));
        EXPECT_EQ(bytes, "old contents");
        EXPECT_FALSE(std::filesystem::exists(temporary));
    }

    files.clearFaults();
    EXPECT_FALSE(replaceFile(files, path, temporary, "new contents"));
    ASSERT_FALSE(systemFileSystem().readAll(path, bytes));
    EXPECT_EQ(bytes, "new contents");
    EXPECT_FALSE(std::filesystem::exists(temporary));
}

TEST(FileSystem, EnsureFileExistsCreatesEmptyAndKeepsContent) {
    TempDir dir;
    const std::string fresh = (dir.path() / "fresh.ini").string();
    EXPECT_FALSE(ensureFileExists(systemFileSystem(), fresh));
    EXPECT_EQ(std::filesystem::file_size(fresh), 0u);
    const std::string kept = dir.write("kept.ini", "[Work]\r\n");
    EXPECT_FALSE(ensureFileExists(systemFileSystem(), kept));
    EXPECT_EQ(std::filesystem::file_size(kept), 8u);
}

}  // namespace
}  // namespace tessaly
