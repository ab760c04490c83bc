#include "criteria/scope_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "criteria/scope_text.h"
#include "scripted_file_system.h"
#include "temp_dir.h"

namespace tessaly {
namespace {

using test::ScriptedFileSystem;
using test::TempDir;

std::string folderOf(const TempDir& dir) {
    return dir.path().string() + "/";
}

SearchScope everythingChanged() {
    SearchScope scope;
    scope.leftOutFolders = {".git", "Old Mail", "[bB]uild*"};
    scope.hiddenIncluded = true;
    scope.binaryIncluded = true;
    scope.largestFileSize = 1536;
    scope.documentsAsText = false;
    return scope;
}

TEST(ScopeFile, SavesAtomicallyAndLoadsBack) {
    TempDir dir;
    ScopeLoad load = loadScope(systemFileSystem(), folderOf(dir));
    EXPECT_FALSE(load.failure);
    EXPECT_EQ(load.scope, SearchScope{});
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "tysetup.ini")) << "a missing file is not made";

    for (const SearchScope& scope : {everythingChanged(), SearchScope{}}) {
        ASSERT_FALSE(saveScope(systemFileSystem(), folderOf(dir), scope));
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "scopetemp.ty~"));
        load = loadScope(systemFileSystem(), folderOf(dir));
        EXPECT_FALSE(load.failure);
        EXPECT_TRUE(load.unreadable.empty());
        EXPECT_EQ(load.scope, scope);
    }

    // A save that cannot finish leaves the file that was there.
    ScriptedFileSystem full;
    full.fail("write", ENOSPC);
    EXPECT_TRUE(saveScope(full, folderOf(dir), everythingChanged()));
    EXPECT_EQ(loadScope(systemFileSystem(), folderOf(dir)).scope, SearchScope{});

    // A file that is there but cannot be read is not taken for a missing one.
    ScriptedFileSystem unreadable;
    unreadable.fail("read", EACCES);
    EXPECT_TRUE(loadScope(unreadable, folderOf(dir)).failure);
}

TEST(ScopeFile, WhatCannotBeReadIsNamedAndStaysAtItsDefault) {
    const struct {
        const char* text;
        SearchScope expected;
        std::vector<std::string> unreadable;
    } cases[] = {
        {"", {}, {}},
        {"no section at all\nhiddenIncluded=true\n", {}, {}},
        {"[Other]\nhiddenIncluded=true\n[Scope]\nbinaryIncluded=yes\n",
         {.binaryIncluded = true}, {}},
        // Edited by hand: blanks, LF alone, comments, another case of true.
        {"  [Scope]  \n; a comment\n# another\n hiddenIncluded = TRUE \n\nlargestFileSize = 10M\n",
         {.hiddenIncluded = true, .largestFileSize = 10u << 20}, {}},
        {"[Scope]\r\nleftOutFolders= .git ;; node_modules;\r\n",
         {.leftOutFolders = {".git", "node_modules"}}, {}},
        {"[Scope]\nhiddenIncluded=maybe\nbinaryIncluded=1\nlargestFileSize=-5\ndocumentsAsText=0\n",
         {.binaryIncluded = true, .documentsAsText = false}, {"hiddenIncluded", "largestFileSize"}},
        {"[Scope]\nlargestFileSize=99999999999999999999\njust words\nfutureKey=whatever\n", {},
         {"largestFileSize", "just words"}},
        // The last line of a key wins, a damaged one too.
        {"[Scope]\nhiddenIncluded=true\nhiddenIncluded=\n", {}, {"hiddenIncluded"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const DecodedScope decoded = decodeScope(c.text);
        EXPECT_EQ(decoded.scope, c.expected);
        EXPECT_EQ(decoded.unreadable, c.unreadable);
    }
    EXPECT_EQ(unreadableList({"a", "b", "c"}), "a, b and c");
}

}  // namespace
}  // namespace tessaly
