#include "categories/category_store.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "scripted_file_system.h"
#include "temp_dir.h"

namespace tessaly {
namespace {

using test::ScriptedFileSystem;
using test::TempDir;
using Entries = std::vector<std::string>;

class CategoryStoreTest : public ::testing::Test {
protected:
    std::string dataFolder() const { return dir.path().string() + "/"; }
    std::string contents(const char* name) const {
        std::string bytes;
        EXPECT_FALSE(systemFileSystem().readAll((dir.path() / name).string(), bytes)) << name;
        return bytes;
    }

    TempDir dir;
};

TEST_F(CategoryStoreTest, ReadsFoldersAndSavedWordsOfACategory) {
    dir.write("tyindex.ini", "[Work]\r\n/home/me/work\r\n[Home]\r\n/home/me\r\n");
    dir.write("tyword.ini", "[Home]\r\nrecipe\r\n[Work]\r\nbudget AND 2024\r\ninvoice\r\n");
    CategoryStore store(systemFileSystem(), dataFolder());
    EXPECT_EQ(store.categoryFile(), dataFolder() + "tyindex.ini");
    EXPECT_EQ(store.wordFile(), dataFolder() + "tyword.ini");

    Entries names, folders, words;
    ASSERT_FALSE(store.categoryNames(names));
    ASSERT_FALSE(store.readFolders("Work", folders));
    ASSERT_FALSE(store.readSavedWords("Work", words));
    EXPECT_EQ(names, (Entries{"Work", "Home"}));
    EXPECT_EQ(folders, (Entries{"/home/me/work"}));
    EXPECT_EQ(words, (Entries{"budget AND 2024", "invoice"}));
}

TEST_F(CategoryStoreTest, AFreshDataFolderReadsEmptyAndGetsBothFiles) {
    CategoryStore store(systemFileSystem(), dataFolder());
    Entries names, folders, words;
    ASSERT_FALSE(store.categoryNames(names));
    ASSERT_FALSE(store.readFolders("Work", folders));
    ASSERT_FALSE(store.readSavedWords("Work", words));
    EXPECT_TRUE(names.empty() && folders.empty() && words.empty());
    EXPECT_EQ(contents("tyindex.ini"), "");
    EXPECT_EQ(contents("tyword.ini"), "");
}

TEST_F(CategoryStoreTest, SavingWordsAppendsOnceThenRewritesInPlace) {
    dir.write("tyword.ini", "[Home]\r\nrecipe\r\n[Other]\r\nx\r\n");
    CategoryStore store(systemFileSystem(), dataFolder());

    ASSERT_FALSE(store.saveWords("Home", {}));  // no section of that name is made for nothing
    ASSERT_FALSE(store.saveWords("Work", {}));
    EXPECT_EQ(contents("tyword.ini"), "[Home]\r\n[Other]\r\nx\r\n");

    ASSERT_FALSE(store.saveWords("Work", {"budget", "invoice"}));
    EXPECT_EQ(contents("tyword.ini"), "[Home]\r\n[Other]\r\nx\r\n[Work]\r\nbudget\r\ninvoice\r\n");

    ASSERT_FALSE(store.saveWords("Home", {"soup"}));
    ASSERT_FALSE(store.saveWords("Work", {"invoice"}));
    EXPECT_EQ(contents("tyword.ini"), "[Home]\r\nsoup\r\n[Other]\r\nx\r\n[Work]\r\ninvoice\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "texttemp.ty~"));
}

TEST_F(CategoryStoreTest, AddingAndChangingACategory) {
    CategoryStore store(systemFileSystem(), dataFolder());
    ASSERT_FALSE(store.addCategory("Work", {"/home/me/work", "/srv/shared"}));
    ASSERT_FALSE(store.addCategory("Home", {"/home/me"}));
    ASSERT_FALSE(store.replaceFolders("Work", {"/srv/shared", "", "/tmp"}));
    ASSERT_FALSE(store.replaceFolders("Nobody", {"/x"}));
    EXPECT_EQ(contents("tyindex.ini"), "[Work]\r\n/srv/shared\r\n/tmp\r\n[Home]\r\n/home/me\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "cattemp.ty~"));
}

TEST_F(CategoryStoreTest, DeletingACategoryTakesItsSavedWordsAlong) {
    dir.write("tyindex.ini", "[Work]\r\n/w\r\n[Home]\r\n/h\r\n");
    dir.write("tyword.ini", "[Work]\r\nbudget\r\n[Home]\r\nsoup\r\n");
    CategoryStore store(systemFileSystem(), dataFolder());
    ASSERT_FALSE(store.deleteCategory("Work"));
    EXPECT_EQ(contents("tyindex.ini"), "[Home]\r\n/h\r\n");
    EXPECT_EQ(contents("tyword.ini"), "[Home]\r\nsoup\r\n");
}

TEST_F(CategoryStoreTest, SavedWordsStayWhileTheCategoryCannotBeDeleted) {
    const std::string categories = "[Work]\r\n/w\r\n";
    const std::string words = "[Work]\r\nbudget\r\n";
    dir.write("tyindex.ini", categories);
    dir.write("tyword.ini", words);
    ScriptedFileSystem files;
    files.fail("rename", EACCES, dataFolder() + "cattemp.ty~");
    CategoryStore store(files, dataFolder());

    const Failure failure = store.deleteCategory("Work");
    EXPECT_EQ(failure.code, code::permissionDenied);
    EXPECT_EQ(contents("tyindex.ini"), categories);
    EXPECT_EQ(contents("tyword.ini"), words);
}

TEST_F(CategoryStoreTest, AFailedWordSaveIsReportedAndChangesNothing) {
    const std::string words = "[Work]\r\nbudget\r\n";
    dir.write("tyword.ini", words);
    ScriptedFileSystem files;
    files.fail("write", ENOSPC);
    CategoryStore store(files, dataFolder());
    const Failure failure = store.saveWords("Work", {"budget", "invoice"});
    EXPECT_EQ(failure.code, code::diskFull);
    EXPECT_EQ(failure.path, dataFolder() + "texttemp.ty~");
    EXPECT_EQ(contents("tyword.ini"), words);
}

}  // namespace
}  // namespace tessaly
