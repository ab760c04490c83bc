// The index never costs a result: damage, a full disk, a folder it may not
// write in, another writer and a killed one each leave it either right or
// unused, with one message.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "file_words_maker.h"
#include "index/index_size_cap.h"
#include "index/word_index.h"
#include "temp_dir.h"

namespace tessaly {
namespace {

using test::fileWords;

std::vector<FileWords> batch(int number, int files = 20) {
    std::vector<FileWords> batch;
    for (int f = 0; f < files; ++f)
        batch.push_back(
            fileWords("/b" + std::to_string(number), std::to_string(f),
                      {"batch" + std::to_string(number), "word" + std::to_string(f), "shared"}));
    return batch;
}

// What SQLite itself says of the file, both tables and FTS5 indexes.
std::string integrity(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    std::string answer;
    sqlite3_exec(
        db, "PRAGMA integrity_check",
        [](void* out, int, char** values, char**) {
            *static_cast<std::string*>(out) += values[0];
            return 0;
        },
        &answer, nullptr);
    for (const char* check :
         {"INSERT INTO words(words) VALUES('integrity-check')",
          "INSERT INTO reversed_words(reversed_words) VALUES('integrity-check')"})
        if (sqlite3_exec(db, check, nullptr, nullptr, nullptr) != SQLITE_OK)
            answer += sqlite3_errmsg(db);
    sqlite3_close(db);
    return answer;
}

TEST(WordIndexFaults, ADamagedFileIsSetAsideAndANewOneBegunWithOneMessage) {
    const struct {
        const char* what;
        std::function<void(const std::string& path)> damage;
    } cases[] = {
        {"garbage",
         [](const std::string& path) {
             std::ofstream(path, std::ios::binary) << std::string(5000, 'Z');
         }},
        {"cut short",
         [](const std::string& path) {
             {
                 WordIndex index(std::filesystem::path(path).parent_path());
                 for (int b = 0; b < 20; ++b) ASSERT_FALSE(index.record(batch(b)));
             }
             std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
         }},
        {"another program's database",
         [](const std::string& path) {
             sqlite3* db = nullptr;
             sqlite3_open(path.c_str(), &db);
             sqlite3_exec(db, "CREATE TABLE notes(text)", nullptr, nullptr, nullptr);
             sqlite3_close(db);
         }},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        const std::string path = dir.path().string() + "/words.sqlite";
        c.damage(path);
        WordIndex index(dir.path().string());
        EXPECT_TRUE(index.usable()) << c.what;
        EXPECT_NE(index.takeNotice().find("set aside as " + path + ".damaged"), std::string::npos)
            << c.what;
        EXPECT_EQ(index.takeNotice(), "") << c.what;
        EXPECT_TRUE(std::filesystem::exists(path + ".damaged")) << c.what;
        const auto files = batch(1);
        EXPECT_FALSE(index.record(files)) << c.what;
        EXPECT_TRUE(index.lookup("/b1", "0")) << c.what;
        EXPECT_EQ(index.info().files, 20u) << c.what;
    }
}

TEST(WordIndexFaults, DamageFoundHalfWayThroughARunEndsTheIndexForTheRunAndTheNextBeginsANewOne) {
    test::TempDir dir;
    const std::string path = dir.path().string() + "/words.sqlite";
    {
        WordIndex index(dir.path().string());
        for (int b = 0; b < 20; ++b) ASSERT_FALSE(index.record(batch(b)));
    }
    {
        // The schema on the first pages stays readable; the words are not.
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(4 * 4096);
        file << std::string(std::filesystem::file_size(path) - 4 * 4096, 'Z');
    }
    WordIndex index(dir.path().string());
    ASSERT_TRUE(index.usable()) << index.takeNotice();
    EXPECT_FALSE(index.filesHolding({"shared", TermShape::word}));
    EXPECT_FALSE(index.usable());
    EXPECT_NE(index.takeNotice().find("set aside as " + path + ".damaged"), std::string::npos);
    EXPECT_FALSE(index.lookup("/b1", "0"));
    EXPECT_EQ(index.takeNotice(), "");

    WordIndex next(dir.path().string());
    EXPECT_TRUE(next.usable());
    EXPECT_EQ(next.info().files, 0u);
}

TEST(WordIndexFaults, AnIndexThatCannotBeUsedSaysSoOnceAndAnswersNothing) {
    test::TempDir dir;
    const std::string file = dir.write("a-file", "x");
    struct Case {
        const char* what;
        std::string folder;
        int code;
    };
    std::vector<Case> cases{{"folder under a file", file + "/cache", code::pathNotFound}};
    // Root writes where it likes: the mode proves nothing then.
    if (::geteuid() != 0) {
        const std::string readOnly = (dir.path() / "read-only").string();
        std::filesystem::create_directory(readOnly);
        ::chmod(readOnly.c_str(), 0555);
        cases.push_back({"read-only folder", readOnly, code::permissionDenied});
    }
    for (const Case& c : cases) {
        WordIndex index(c.folder);
        EXPECT_FALSE(index.usable()) << c.what;
        const std::string notice = index.takeNotice();
        EXPECT_NE(notice.find("cannot be used in this run"), std::string::npos)
            << c.what << ": " << notice;
        EXPECT_NE(notice.find("(" + std::to_string(c.code) + ")"), std::string::npos)
            << c.what << ": " << notice;
        const auto files = batch(1);
        EXPECT_FALSE(index.record(files)) << c.what;  // nothing done, nothing more to say
        EXPECT_FALSE(index.lookup("/b1", "0"));
        EXPECT_FALSE(index.filesHolding({"shared", TermShape::word}));
        EXPECT_EQ(index.takeNotice(), "") << c.what;
    }
}

TEST(WordIndexFaults, AFullDiskEndsTheIndexForTheRunAndKeepsWhatWasWhole) {
    test::TempDir dir;
    IndexOptions options;
    options.ceilingBytes = 256 * 1024;  // met as a full disk is: SQLITE_FULL
    WordIndex index(dir.path().string(), options);
    ASSERT_FALSE(index.record(batch(0)));
    Failure failure;
    for (int b = 1; b < 1000 && !failure; ++b) {
        std::vector<FileWords> files = batch(b);
        for (auto& file : files)
            file.documentText =
                std::string(4000, static_cast<char>('a' + b % 26)) + std::to_string(b * 7919);
        failure = index.record(files);
    }
    EXPECT_EQ(failure.code, code::diskFull) << failure.describe();
    EXPECT_FALSE(index.usable());
    EXPECT_NE(index.takeNotice().find("cannot record words in"), std::string::npos);
    EXPECT_EQ(index.takeNotice(), "");
    WordIndex next(dir.path().string());
    ASSERT_TRUE(next.usable());
    EXPECT_TRUE(next.lookup("/b0", "0"));
    EXPECT_EQ(next.info().files % 20, 0u);  // whole batches only
    EXPECT_EQ(integrity(next.path()), "ok");
}

TEST(WordIndexFaults, ALockedIndexGivesUpTheBatchButStillAnswers) {
    test::TempDir dir;
    IndexOptions options;
    options.busyTimeout = std::chrono::milliseconds(50);
    WordIndex index(dir.path().string(), options);
    ASSERT_FALSE(index.record(batch(0)));

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(index.path().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    const Failure failure = index.record(batch(1));
    EXPECT_EQ(failure.code, code::pathFileAccessError) << failure.describe();
    EXPECT_TRUE(index.usable());
    EXPECT_TRUE(index.lookup("/b0", "0"));
    EXPECT_FALSE(index.record(batch(2)).code == 0);
    EXPECT_NE(index.takeNotice().find("Another Tessaly"), std::string::npos);
    EXPECT_EQ(index.takeNotice(), "");
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    EXPECT_FALSE(index.record(batch(3)));
    EXPECT_FALSE(index.lookup("/b1", "0"));
    EXPECT_TRUE(index.lookup("/b3", "0"));
}

TEST(WordIndexFaults, TwoProgramsRecordingAtOnceBothGetTheirFilesIn) {
    test::TempDir dir;
    IndexOptions options;
    options.busyTimeout = std::chrono::seconds(10);
    WordIndex window(dir.path().string(), options), commandLine(dir.path().string(), options);
    std::thread other([&] {
        for (int b = 0; b < 30; ++b) EXPECT_FALSE(commandLine.record(batch(1000 + b)));
    });
    for (int b = 0; b < 30; ++b) EXPECT_FALSE(window.record(batch(b)));
    other.join();
    EXPECT_EQ(window.info().files, 60u * 20);
    EXPECT_EQ(window.filesHolding({"shared", TermShape::word})->size(), 60u * 20);
    EXPECT_EQ(integrity(window.path()), "ok");
}

TEST(WordIndexFaults, AWriterKilledAtAnyMomentLeavesAWholeIndex) {
    test::TempDir dir;
    const std::string folder = dir.path().string();
    for (int delayMs : {2, 10, 40, 90, 200}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            WordIndex index(folder);
            // Batches recorded again and again leave dead words, so that
            // compactions run, and get killed, too.
            for (int b = 0;; ++b) {
                index.record(batch(b % 40, 50));
                if (b % 7 == 0) index.keepWithin(kMostIndexBytes);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        WordIndex index(folder);
        ASSERT_TRUE(index.usable()) << index.takeNotice();
        EXPECT_EQ(index.takeNotice(), "");
        EXPECT_EQ(integrity(index.path()), "ok") << delayMs;
        // Every batch is there whole or not at all, and answers for its files.
        const std::uint64_t files = index.info().files;
        EXPECT_EQ(files % 50, 0u) << delayMs;
        const auto shared = index.filesHolding({"shared", TermShape::word});
        ASSERT_TRUE(shared);
        for (int b = 0; b < 40; ++b) {
            const auto first = index.lookup("/b" + std::to_string(b), "0");
            if (!first) continue;
            EXPECT_TRUE(index.lookup("/b" + std::to_string(b), "49")) << b;
            EXPECT_TRUE(index.filesHolding({"batch" + std::to_string(b), TermShape::word})
                            ->mayHold(first->id));
            EXPECT_TRUE(shared->mayHold(first->id));
        }
    }
}

}  // namespace
}  // namespace tessaly
