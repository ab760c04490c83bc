#include "criteria/settings_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <tuple>

#include "scripted_file_system.h"
#include "temp_dir.h"

namespace tessaly {
namespace {

using namespace std::chrono;
using test::ScriptedFileSystem;
using test::TempDir;

constexpr year_month_day today = year(2003) / 3 / 7;

std::string folderOf(const TempDir& dir) {
    return dir.path().string() + "/";
}

std::string contents(const std::string& path) {
    std::string bytes;
    EXPECT_FALSE(systemFileSystem().readAll(path, bytes));
    return bytes;
}

TEST(SettingsFile, MissingOrEmptyFileGivesTheDefaults) {
    TempDir dir;
    const std::string path = folderOf(dir) + "tysetup.tyx";

    SettingsLoad load = loadSettings(systemFileSystem(), folderOf(dir), today);
    EXPECT_FALSE(load.failure);
    EXPECT_EQ(load.state, RecordState::Empty);
    EXPECT_EQ(load.options, defaultOptions(today));
    ASSERT_TRUE(std::filesystem::exists(path)) << "the first start creates the file empty";
    EXPECT_EQ(std::filesystem::file_size(path), 0u);

    load = loadSettings(systemFileSystem(), folderOf(dir), today);
    EXPECT_EQ(load.state, RecordState::Empty);
    EXPECT_EQ(load.options, defaultOptions(today));
}

TEST(SettingsFile, SavesAndLoadsBack) {
    TempDir dir;
    Options options = defaultOptions(today);
    options.category = "Work";
    options.nameStartLetters = "re";
    options.nearbyOn = true;
    options.nearbyWords = options.nearbySpinValue = 12;
    options.geometry.splitterLeft = 4321;

    ASSERT_FALSE(saveSettings(systemFileSystem(), folderOf(dir), options));
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "tysetup.tyx"), 500u);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "setuptemp.ty~"));

    const SettingsLoad load = loadSettings(systemFileSystem(), folderOf(dir), today);
    EXPECT_FALSE(load.failure);
    EXPECT_EQ(load.state, RecordState::Read);
    EXPECT_EQ(load.options, options);
}

TEST(SettingsFile, DamagedFileGivesTheDefaultsAndSaysSo) {
    TempDir dir;
    // Extension list and from-date claim 510 bytes.
    std::string record(500, '\0');
    record[15] = static_cast<char>(255);
    record[16 + 255] = static_cast<char>(255);
    dir.write("tysetup.tyx", record);

    const SettingsLoad load = loadSettings(systemFileSystem(), folderOf(dir), today);
    EXPECT_FALSE(load.failure);
    EXPECT_EQ(load.state, RecordState::Unreadable);
    EXPECT_EQ(load.options, defaultOptions(today));
    EXPECT_EQ(contents(folderOf(dir) + "tysetup.tyx"), record) << "loading never writes";
}

TEST(SettingsFile, FailuresAreReportedWithTheDefaults) {
    TempDir dir;
    const std::string path = folderOf(dir) + "tysetup.tyx";
    const struct {
        const char* operation;
        bool fileThere;
        int code;
    } cases[] = {
        {"read", true, code::permissionDenied},
        {"append", false, code::permissionDenied},  // a missing file cannot be created
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operation);
        std::filesystem::remove(path);
        if (c.fileThere) dir.write("tysetup.tyx", encodeSettings(Options{}));
        ScriptedFileSystem files;
        files.fail(c.operation, EACCES);
        const SettingsLoad load = loadSettings(files, folderOf(dir), today);
        EXPECT_EQ(load.failure.code, c.code);
        EXPECT_EQ(load.options, defaultOptions(today));
    }
}

TEST(SettingsFile, FailedSaveLeavesTheOldFile) {
    TempDir dir;
    Options old = defaultOptions(today);
    old.category = "Old";
    ASSERT_FALSE(saveSettings(systemFileSystem(), folderOf(dir), old));
    const std::string before = contents(folderOf(dir) + "tysetup.tyx");

    Options changed = old;
    changed.category = "New";
    for (const auto& [operation, systemError, expected] :
         {std::tuple{"write", ENOSPC, code::diskFull},
          std::tuple{"rename", EACCES, code::permissionDenied},
          std::tuple{"write", EIO, code::deviceIoError}}) {
        SCOPED_TRACE(operation);
        ScriptedFileSystem files;
        files.fail(operation, systemError);
        const Failure failure = saveSettings(files, folderOf(dir), changed);
        EXPECT_EQ(failure.code, expected);
        EXPECT_EQ(contents(folderOf(dir) + "tysetup.tyx"), before);
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "setuptemp.ty~"));
    }
    EXPECT_EQ(loadSettings(systemFileSystem(), folderOf(dir), today).options.category, "Old");
}

}  // namespace
}  // namespace tessaly
