#include "categories/section_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "scripted_file_system.h"
#include "temp_dir.h"

namespace tessaly {
namespace {

using test::ScriptedFileSystem;
using test::TempDir;
using Entries = std::vector<std::string>;

std::string contentsOf(const std::string& path) {
    std::string bytes;
    EXPECT_FALSE(systemFileSystem().readAll(path, bytes)) << path;
    return bytes;
}

class SectionFile : public ::testing::Test {
protected:
    std::string write(std::string_view bytes) { return dir.write("tyindex.ini", bytes); }
    std::string path() const { return (dir.path() / "tyindex.ini").string(); }
    std::string temporary() const { return (dir.path() / "cattemp.ty~").string(); }

    Entries read(const std::string& name) {
        Entries entries;
        EXPECT_FALSE(readSection(systemFileSystem(), path(), name, entries));
        return entries;
    }

    TempDir dir;
};

TEST_F(SectionFile, ListsEveryHeaderNameInFileOrder) {
    write(
        "[Work]\r\n/home/me/work\r\n[]\r\n[Home]\r\n/home/me/[old]/docs\r\n]odd[\r\n"
        "[Work]\r\n  [ Spaced ]  \r\n");
    Entries names{"kept"};
    ASSERT_FALSE(listCategoryNames(systemFileSystem(), path(), names));
    EXPECT_EQ(names, (Entries{"kept", "Work", "", "Home", "hom", "Work", "Spaced"}));
}

TEST_F(SectionFile, ReadsTheEntriesOfASection) {
    const struct {
        const char* what;
        std::string file;
        const char* name;
        Entries entries;
    } cases[] = {
        {"trimmed, blanks dropped",
         "[Work]\r\n/docs\r\n   \r\n  /data  \r\n",
         "Work",
         {"/docs", "/data"}},
        {"names are case-sensitive", "[Work]\r\n/docs\r\n", "work", {}},
        {"a later section of the name continues the list",
         "[Work]\r\n/a\r\n[Home]\r\n/h\r\n[Work]\r\n/b\r\n",
         "Work",
         {"/a", "/b"}},
        {"an entry that is the name itself is passed over",
         "[Work]\r\nWork\r\n Work\r\n/a\r\n",
         "Work",
         {"Work", "/a"}},
        {"a folder with brackets ends the section",
         "[Work]\r\n/a\r\n/x/[b]\r\n/c\r\n",
         "Work",
         {"/a"}},
        {"so does a bracket line that is no header",
         "[Work]\r\n/a\r\n]b[\r\n/c\r\n",
         "Work",
         {"/a"}},
        {"a folder with brackets starts a section of its odd name",
         "[Work]\r\n/a\r\n/x/[b]\r\n/c\r\n",
         "x",
         {"/c"}},
        {"a header with blanks inside", "[ Work ]\r\n/a\r\n", "Work", {"/a"}},
        {"lines before the first header belong to no section",
         "/stray\r\n[Work]\r\n/a\r\n",
         "Work",
         {"/a"}},
        {"the section of the empty name", "[]\r\n/a\r\n[Work]\r\n/b\r\n", "", {"/a"}},
        {"no section of the name", "[Work]\r\n/a\r\n", "Home", {}},
        {"LF alone ends a line", "[Work]\n/a\n/b\n", "Work", {"/a", "/b"}},
        {"mixed line ends", "[Work]\r\n/a\n/b\r\n", "Work", {"/a", "/b"}},
        {"the last line needs no end", "[Work]\r\n/a\r\n/b", "Work", {"/a", "/b"}},
        {"a CR closing the file ends the last line", "[Work]\r\n/a\r", "Work", {"/a"}},
        {"a CR inside a line is text", "[Work]\r\n/a\rb\r\n", "Work", {"/a\rb"}},
        {"only one CR belongs to the line end", "[Work]\r\n/a\r\r\n", "Work", {"/a\r"}},
        {"UTF-8 text as it is", "[Bücher]\r\n/home/me/Bücher\r\n", "Bücher", {"/home/me/Bücher"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        write(c.file);
        EXPECT_EQ(read(c.name), c.entries);
    }
}

TEST_F(SectionFile, ALineHoldingANulIsCountedNotRead) {
    // Cut at the NUL, the line would name /home: a folder it never named.
    write(std::string("[Work]\r\n/home\0/me/secret\r\n/a\r\n", 30));
    Entries entries;
    std::size_t unusable = 0;
    ASSERT_FALSE(readSection(systemFileSystem(), path(), "Work", entries, &unusable));
    EXPECT_EQ(entries, (Entries{"/a"}));
    EXPECT_EQ(unusable, 1u);
}

TEST_F(SectionFile, ReadingAddsToTheList) {
    write("[Work]\r\n/a\r\n");
    Entries entries{"/already"};
    ASSERT_FALSE(readSection(systemFileSystem(), path(), "Work", entries));
    EXPECT_EQ(entries, (Entries{"/already", "/a"}));
}

TEST_F(SectionFile, EveryOperationCreatesAMissingFileEmpty) {
    auto& files = systemFileSystem();
    const struct {
        const char* what;
        std::function<Failure()> run;
    } operations[] = {
        {"list",
         [&] {
             Entries out;
             return listCategoryNames(files, path(), out);
         }},
        {"read",
         [&] {
             Entries out;
             return readSection(files, path(), "Work", out);
         }},
        {"has",
         [&] {
             bool found;
             return hasSection(files, path(), "Work", found);
         }},
        {"replace",
         [&] { return replaceSection(files, path(), temporary(), "Work", Entries{"/a"}); }},
        {"remove", [&] { return removeSection(files, path(), temporary(), "Work"); }},
    };
    for (const auto& operation : operations) {
        SCOPED_TRACE(operation.what);
        std::filesystem::remove(path());
        EXPECT_FALSE(operation.run());
        ASSERT_TRUE(std::filesystem::exists(path()));
        EXPECT_EQ(std::filesystem::file_size(path()), 0u);
        EXPECT_FALSE(std::filesystem::exists(temporary()));
    }
}

TEST_F(SectionFile, ReplacesOrRemovesTheSectionsOfAName) {
    const struct {
        const char* what;
        std::string file;
        const char* name;
        std::optional<Entries> entries;
        std::string expected;
    } cases[] = {
        {"one section among others", "[A]\r\n/a\r\n[Work]\r\n/old\r\n/older\r\n[B]\r\n/b\r\n",
         "Work", Entries{"/new", "", "/newer"},
         "[A]\r\n/a\r\n[Work]\r\n/new\r\n/newer\r\n[B]\r\n/b\r\n"},
        {"two sections: the first takes the list, the second goes",
         "[Work]\r\n/a\r\n[B]\r\n/b\r\n[Work]\r\n/c\r\n", "Work", Entries{"/a", "/c", "/d"},
         "[Work]\r\n/a\r\n/c\r\n/d\r\n[B]\r\n/b\r\n"},
        {"removal", "[A]\r\n/a\r\n[Work]\r\n/w\r\n[B]\r\n/b\r\n[Work]\r\n/v\r\n", "Work",
         std::nullopt, "[A]\r\n/a\r\n[B]\r\n/b\r\n"},
        {"an empty list keeps the header", "[Work]\r\n/w\r\n[B]\r\n", "Work", Entries{},
         "[Work]\r\n[B]\r\n"},
        {"lines before the first section stay", "stray\r\n[Work]\r\n/w\r\n", "Work", Entries{"/v"},
         "stray\r\n[Work]\r\n/v\r\n"},
        {"the section ends at the next header line, even an odd one",
         "[Work]\r\n/w\r\n]x[\r\n/orphan\r\n/x/[y]\r\n/z\r\n", "Work", Entries{"/v"},
         "[Work]\r\n/v\r\n/x/[y]\r\n/z\r\n"},
        {"names are case-sensitive", "[work]\r\n/w\r\n[Work]\r\n/W\r\n", "Work", Entries{"/v"},
         "[work]\r\n/w\r\n[Work]\r\n/v\r\n"},
        {"a header read as the name is replaced as well", "[ Work ]\r\n/w\r\n", "Work",
         Entries{"/v"}, "[Work]\r\n/v\r\n"},
        {"a section written with blanks in its name", "[Work ]\r\n/w\r\n", "Work ", Entries{"/v"},
         "[Work ]\r\n/v\r\n"},
        {"LF lines come back with CR LF", "[A]\n/a\n[Work]\n/w\n", "Work", Entries{"/v"},
         "[A]\r\n/a\r\n[Work]\r\n/v\r\n"},
        {"a last line without its end gets one", "[Work]\r\n/w\r\n[A]\r\n/a", "Work", Entries{"/v"},
         "[Work]\r\n/v\r\n[A]\r\n/a\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        write(c.file);
        ASSERT_FALSE(replaceSection(systemFileSystem(), path(), temporary(), c.name, c.entries));
        EXPECT_EQ(contentsOf(path()), c.expected);
        EXPECT_FALSE(std::filesystem::exists(temporary()));
    }
}

TEST_F(SectionFile, ANameWithoutSectionLeavesTheFileByteForByte) {
    // LF line ends and a missing last line end would change in a rewrite.
    const std::string original = "[A]\n/a\n[work]\r\n/w\r\n[Workshop]\r\n/x";
    write(original);
    ScriptedFileSystem files;
    ASSERT_FALSE(replaceSection(files, path(), temporary(), "Work", Entries{"/v"}));
    ASSERT_FALSE(removeSection(files, path(), temporary(), "Work"));
    EXPECT_EQ(contentsOf(path()), original);
    for (const std::string& call : files.calls()) EXPECT_EQ(call.find("write"), std::string::npos);
}

TEST_F(SectionFile, WhatIsReadCanBeWrittenBackUnchanged) {
    write(
        "[Work]\r\n  /a  \r\n\r\n/b\r\n[Home]\r\n/h\r\n[ Work ]\r\n/c\r\n/x/[d]\r\n/e\r\n"
        "[Work]\r\n/f\n");
    const Entries before = read("Work");
    const Entries home = read("Home");
    ASSERT_EQ(before, (Entries{"/a", "/b", "/c", "/f"}));
    ASSERT_FALSE(replaceSection(systemFileSystem(), path(), temporary(), "Work", before));
    EXPECT_EQ(read("Work"), before);
    EXPECT_EQ(read("Home"), home);
    EXPECT_EQ(read("x"), (Entries{"/e"}));
}

TEST_F(SectionFile, HasSectionFindsWhatReplaceWouldReplace) {
    write("[A]\r\n[ B ]\r\n[C ]\r\n");
    const struct {
        const char* name;
        bool found;
    } cases[] = {{"A", true},  {"a", false}, {"B", true}, {" B ", true},
                 {"C ", true}, {"C", true},  {"", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool found = !c.found;
        ASSERT_FALSE(hasSection(systemFileSystem(), path(), c.name, found));
        EXPECT_EQ(found, c.found);
    }
}

TEST_F(SectionFile, AppendsASectionAtTheEnd) {
    const struct {
        const char* what;
        std::string file;
        std::string expected;
    } cases[] = {
        {"to an empty file", "", "[Work]\r\n/a\r\n/b\r\n"},
        {"after whole lines", "[A]\r\n/x\r\n", "[A]\r\n/x\r\n[Work]\r\n/a\r\n/b\r\n"},
        {"after LF lines", "[A]\n/x\n", "[A]\n/x\n[Work]\r\n/a\r\n/b\r\n"},
        {"after a last line without its end", "[A]\r\n/x", "[A]\r\n/x\r\n[Work]\r\n/a\r\n/b\r\n"},
        {"after a last line ended by CR alone", "[A]\r\n/x\r",
         "[A]\r\n/x\r\n[Work]\r\n/a\r\n/b\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        write(c.file);
        ASSERT_FALSE(appendSection(systemFileSystem(), path(), "Work", {"/a", "", "/b"}));
        EXPECT_EQ(contentsOf(path()), c.expected);
        EXPECT_EQ(read("Work"), (Entries{"/a", "/b"}));
    }
    std::filesystem::remove(path());
    ASSERT_FALSE(appendSection(systemFileSystem(), path(), "Work", {}));
    EXPECT_EQ(contentsOf(path()), "[Work]\r\n");
}

TEST_F(SectionFile, TextWithALineBreakOrANulIsRefusedAndNothingWritten) {
    const std::string original = "[Work]\r\n/a\r\n";
    write(original);
    auto& files = systemFileSystem();
    const Failure failures[] = {
        appendSection(files, path(), "Work", {"/b", "/c\n[Evil]"}),
        appendSection(files, path(), "Two\nLines", {"/b"}),
        replaceSection(files, path(), temporary(), "Work", Entries{"/b\r\n/c"}),
        // A NUL would make a line the readers leave out.
        appendSection(files, path(), "Work", {std::string("/b\0/c", 5)}),
    };
    for (const Failure& failure : failures) {
        EXPECT_EQ(failure.code, code::invalidArgument);
        EXPECT_EQ(failure.path, path());
    }
    EXPECT_EQ(contentsOf(path()), original);
}

TEST_F(SectionFile, AFailedRewriteLeavesTheOriginalAndIsReported) {
    const std::string original = "[A]\r\n/a\r\n[Work]\r\n/w\r\n";
    const struct {
        const char* operation;
        int systemError;
        int expectedCode;
    } cases[] = {
        {"write", ENOSPC, code::diskFull},
        {"write", EIO, code::deviceIoError},
        {"rename", EACCES, code::permissionDenied},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operation);
        write(original);
        ScriptedFileSystem files;
        files.fail(c.operation, c.systemError);
        const Failure failure = replaceSection(files, path(), temporary(), "Work", Entries{"/v"});
        EXPECT_EQ(failure.code, c.expectedCode);
        EXPECT_EQ(failure.operation, c.operation);
        EXPECT_EQ(contentsOf(path()), original);
        EXPECT_FALSE(std::filesystem::exists(temporary()));
        for (const std::string& call : files.calls()) EXPECT_NE(call, "remove " + path());
    }
}

TEST_F(SectionFile, TheRewriteGoesThroughTheTemporaryFile) {
    write("[Work]\r\n/w\r\n");
    ScriptedFileSystem files;
    ASSERT_FALSE(removeSection(files, path(), temporary(), "Work"));
    const std::vector<std::string> expected = {"append " + path(), "read " + path(),
                                               "write " + temporary(), "rename " + temporary()};
    EXPECT_EQ(files.calls(), expected);
    EXPECT_EQ(contentsOf(path()), "");
}

TEST_F(SectionFile, FailuresToReadOrCreateAreReported) {
    write("[Work]\r\n/w\r\n");
    const struct {
        const char* operation;
        int systemError;
        int expectedCode;
    } cases[] = {
        {"read", EACCES, code::permissionDenied},
        {"read", EIO, code::deviceIoError},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.operation) + " " + std::to_string(c.systemError));
        ScriptedFileSystem files;
        files.fail(c.operation, c.systemError);
        Entries names, entries;
        bool found = false;
        const Failure failures[] = {
            listCategoryNames(files, path(), names),
            readSection(files, path(), "Work", entries),
            hasSection(files, path(), "Work", found),
            replaceSection(files, path(), temporary(), "Work", Entries{"/v"}),
            appendSection(files, path(), "New", {"/n"}),
        };
        for (const Failure& failure : failures) {
            EXPECT_EQ(failure.code, c.expectedCode);
            EXPECT_EQ(failure.path, path());
        }
        EXPECT_TRUE(names.empty());
        EXPECT_TRUE(entries.empty());
        EXPECT_EQ(contentsOf(path()), "[Work]\r\n/w\r\n");
    }
}

TEST_F(SectionFile, AFileThatCannotBeCreatedReadsAsEmpty) {
    // A data folder the person may not write to: reading goes on, writing says why.
    ScriptedFileSystem files;
    files.fail("append", EACCES);
    Entries names, entries;
    bool found = true;
    EXPECT_FALSE(listCategoryNames(files, path(), names));
    EXPECT_FALSE(readSection(files, path(), "Work", entries));
    EXPECT_FALSE(hasSection(files, path(), "Work", found));
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(found);
    EXPECT_EQ(appendSection(files, path(), "New", {"/n"}).code, code::permissionDenied);

    // A file that is there but may not be written is still read.
    write("[Work]\r\n/w\r\n");
    EXPECT_FALSE(readSection(files, path(), "Work", entries));
    EXPECT_EQ(entries, Entries{"/w"});
}

}  // namespace
}  // namespace tessaly
