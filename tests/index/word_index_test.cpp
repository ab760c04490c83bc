#include "index/word_index.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <map>
#include <unordered_set>

#include "file_words_maker.h"
#include "temp_dir.h"

namespace tessaly {
namespace {

using test::fileWords;

IndexedFileId idOf(WordIndex& index, const std::string& folder, const std::string& name) {
    const auto file = index.lookup(folder, name);
    return file ? file->id : 0;
}

TEST(WordIndex, ATermLeadsToEveryFileThatHoldsIt) {
    test::TempDir dir;
    WordIndex index(dir.path().string());
    ASSERT_TRUE(index.usable()) << index.takeNotice();
    const std::string longWord(70, 'q');
    const std::string otherLongWord = std::string(64, 'q') + "zzzzzz";
    const FileWords files[] = {
        fileWords("/d", "a", {"mutex", "lock", "lock", longWord, "ĳssel"}),
        fileWords("/d", "b", {"mutable", "unlock"}),
        fileWords("/d/e", "a", {"the"}),
    };
    ASSERT_FALSE(index.record(files));
    std::map<std::string, IndexedFileId> ids{{"a", idOf(index, "/d", "a")},
                                             {"b", idOf(index, "/d", "b")},
                                             {"e/a", idOf(index, "/d/e", "a")}};
    for (const auto& [name, id] : ids) ASSERT_NE(id, 0) << name;

    const struct {
        IndexTerm term;
        std::vector<std::string> holders;
    } cases[] = {
        {{"mutex", TermShape::word}, {"a"}},
        {{"mut", TermShape::word}, {}},
        {{"mutexes", TermShape::word}, {}},
        {{"mut", TermShape::prefix}, {"a", "b"}},
        {{"kcol", TermShape::reversedPrefix}, {"a", "b"}},  // *lock
        {{"kcolnu", TermShape::reversedPrefix}, {"b"}},     // *unlock
        {{"lock", TermShape::word}, {"a"}},
        {{"ĳssel", TermShape::word}, {"a"}},
        {{"ĳ", TermShape::prefix}, {"a"}},
        {{"the", TermShape::word}, {"e/a"}},
        {{"absent", TermShape::prefix}, {}},
        // Kept by its first 64 bytes, a long word is found by them: also for
        // another long word that begins the same, which the engine rules out.
        {{longWord, TermShape::word}, {"a"}},
        {{otherLongWord, TermShape::word}, {"a"}},
        {{longWord.substr(0, 66), TermShape::prefix}, {"a"}},
    };
    for (const auto& c : cases) {
        const auto set = index.filesHolding(c.term);
        ASSERT_TRUE(set) << c.term.text;
        for (const auto& [name, id] : ids) {
            const bool holds =
                std::find(c.holders.begin(), c.holders.end(), name) != c.holders.end();
            EXPECT_EQ(set->mayHold(id), holds) << c.term.text << " in " << name;
        }
    }
    // Terms the tokenizer would split, or none at all: the index cannot say.
    for (const char* text : {"mu-tex", "", "two words"})
        EXPECT_FALSE(index.filesHolding({text, TermShape::word})) << text;
    EXPECT_EQ(index.takeNotice(), "");
}

TEST(WordIndex, RecordingAFileAgainReplacesItsEntryWithANewNumber) {
    test::TempDir dir;
    WordIndex index(dir.path().string());
    // A name that is not UTF-8 is kept as the file system's bytes.
    const std::string folder = "/docs/\xE9t\xE9";
    FileWords first = fileWords(folder, "r\xE9sum\xE9.pdf", {"old", "kept"});
    first.readAs = ReadAs::document;
    first.documentText = std::string(10000, 'x') + " old kept";
    ASSERT_FALSE(index.record({&first, 1}));
    const auto before = index.lookup(folder, first.name);
    ASSERT_TRUE(before);
    EXPECT_EQ(before->version, first.version);
    EXPECT_EQ(before->readAs, ReadAs::document);
    EXPECT_EQ(before->recordedNanoseconds, first.recordedNanoseconds);
    EXPECT_TRUE(before->hasDocumentText);
    EXPECT_EQ(index.documentText(before->id), first.documentText);
    const auto oldSet = index.filesHolding({"old", TermShape::word});
    ASSERT_TRUE(oldSet);

    FileWords second = fileWords(folder, first.name, {"new", "kept"});
    second.version.size = 200;
    ASSERT_FALSE(index.record({&second, 1}));
    const auto after = index.lookup(folder, first.name);
    ASSERT_TRUE(after);
    EXPECT_GT(after->id, before->id);
    EXPECT_EQ(after->version.size, 200u);
    EXPECT_FALSE(after->hasDocumentText);
    EXPECT_FALSE(index.documentText(before->id));
    EXPECT_FALSE(index.filesHolding({"old", TermShape::word})->mayHold(after->id));
    EXPECT_TRUE(index.filesHolding({"new", TermShape::word})->mayHold(after->id));
    EXPECT_TRUE(index.filesHolding({"kept", TermShape::word})->mayHold(after->id));
    // A set taken before the new entry existed cannot speak for it.
    EXPECT_TRUE(oldSet->mayHold(after->id));
    EXPECT_EQ(index.info().files, 1u);
}

TEST(WordIndex, ForgettingEverythingLeavesNoEntryAndNumbersGoOn) {
    test::TempDir dir;
    WordIndex index(dir.path().string());
    const FileWords files[] = {fileWords("/d", "a", {"alpha"}), fileWords("/d", "b", {"beta"})};
    ASSERT_FALSE(index.record(files));
    const IndexedFileId lastId = idOf(index, "/d", "b");
    EXPECT_EQ(index.info().files, 2u);
    EXPECT_EQ(index.info().path, dir.path().string() + "/words.sqlite");
    EXPECT_GT(index.info().bytesOnDisk, 0u);

    ASSERT_FALSE(index.forgetAll());
    EXPECT_EQ(index.info().files, 0u);
    EXPECT_FALSE(index.lookup("/d", "a"));
    EXPECT_EQ(index.filesHolding({"alpha", TermShape::word})->size(), 0u);
    ASSERT_FALSE(index.record({&files[0], 1}));
    EXPECT_GT(idOf(index, "/d", "a"), lastId);
}

TEST(WordIndex, TheFoldersBelowAFolderAreThoseWithEntriesAndNoOthers) {
    test::TempDir dir;
    WordIndex index(dir.path().string());
    const FileWords files[] = {fileWords("/d", "a", {"x"}),      fileWords("/d/e", "a", {"x"}),
                               fileWords("/d/e/f", "a", {"x"}), fileWords("/d-x", "a", {"x"}),
                               fileWords("/dx", "a", {"x"}),     fileWords("/", "a", {"x"})};
    ASSERT_FALSE(index.record(files));
    using Folders = std::unordered_set<std::string>;
    EXPECT_EQ(index.foldersUnder("/d"), (Folders{"/d", "/d/e", "/d/e/f"}));
    EXPECT_EQ(index.foldersUnder("/d/"), (Folders{"/d/e", "/d/e/f"}));
    EXPECT_EQ(index.foldersUnder("/d/e"), (Folders{"/d/e", "/d/e/f"}));
    EXPECT_EQ(index.foldersUnder("/"), (Folders{"/", "/d", "/d/e", "/d/e/f", "/d-x", "/dx"}));
    EXPECT_EQ(index.foldersUnder("/elsewhere"), Folders{});
}

// A folder's entries kept as one value answer only for the folder exactly as
// it was when they were read: after any change to it, a value taken before
// the change is neither kept nor read, not even by a new folder that is given
// the same number once everything is forgotten.
TEST(WordIndex, AFolderKeptAsOneValueNeverAnswersForAChangedFolder) {
    const FileWords a = fileWords("/d", "a", {"alpha"});
    const FileWords b = fileWords("/d", "b", {"beta"});
    const FileWords c = fileWords("/e", "c", {"gamma"});
    const FileWords both[] = {a, b};
    const struct {
        const char* change;
        std::function<void(WordIndex&)> make;
        const char* folder;
        std::vector<std::string> after;
    } cases[] = {
        {"a file added",
         [&](WordIndex& index) {
             const FileWords added = fileWords("/d", "c", {"gamma"});
             ASSERT_FALSE(index.record({&added, 1}));
         },
         "/d", {"a", "b", "c"}},
        {"a file recorded again", [&](WordIndex& index) { ASSERT_FALSE(index.record({&a, 1})); }, "/d", {"a", "b"}},
        {"a file used",
         [&](WordIndex& index) {
             index.markUsed(idOf(index, "/d", "a"));
             ASSERT_FALSE(index.record({}));
         },
         "/d", {"a", "b"}},
        {"a file dropped for the size cap",
         [&](WordIndex& index) {
             // Folded into the file first, so that its size is what its entries take.
             ASSERT_FALSE(index.keepWithin(std::uint64_t{1} << 30));
             ASSERT_FALSE(index.keepWithin(index.info().bytesOnDisk * 4 / 5));
         },
         "/d", {"b"}},
        {"everything forgotten, another folder recorded",
         [&](WordIndex& index) {
             ASSERT_FALSE(index.forgetAll());
             ASSERT_FALSE(index.record({&c, 1}));
         },
         "/e", {"c"}},
    };
    for (const auto& change : cases) {
        SCOPED_TRACE(change.change);
        test::TempDir dir;
        WordIndex index(dir.path().string());
        const auto names = [&](const std::string& folder) {
            std::vector<std::string> found;
            const auto read = index.entriesIn(folder);
            for (const char* name : {"a", "b", "c"}) {
                const auto entry = read->entries.find(name);
                if (!entry) continue;
                EXPECT_EQ(entry->id, idOf(index, folder, name)) << name;
                found.push_back(name);
            }
            return found;
        };
        ASSERT_FALSE(index.record(both));
        auto before = index.entriesIn("/d");
        ASSERT_TRUE(before);
        EXPECT_FALSE(before->packed);
        change.make(index);
        // Kept after the change, with the generation read before it.
        before->folderId = index.entriesIn(change.folder)->folderId;
        ASSERT_FALSE(index.keepPacked({&*before, 1}));
        EXPECT_FALSE(index.entriesIn(change.folder)->packed);
        EXPECT_EQ(names(change.folder), change.after);
        // Read afresh, the folder is kept and read as one value.
        const auto afresh = index.entriesIn(change.folder);
        ASSERT_FALSE(index.keepPacked({&*afresh, 1}));
        EXPECT_TRUE(index.entriesIn(change.folder)->packed);
        EXPECT_EQ(names(change.folder), change.after);
    }
}

// A repeat search only reads: opening the index, asking it and keeping it
// within its size must leave the file alone, or every search syncs the disk.
TEST(WordIndex, ASearchThatRecordsNothingLeavesTheFileUntouched) {
    test::TempDir dir;
    const std::string path = dir.path().string() + "/words.sqlite";
    {
        WordIndex index(dir.path().string());
        const FileWords files[] = {fileWords("/d", "a", {"alpha"})};
        ASSERT_FALSE(index.record(files));
        ASSERT_FALSE(index.keepWithin(std::uint64_t{1} << 30));
    }
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    {
        WordIndex index(dir.path().string());
        ASSERT_TRUE(index.filesHolding({"alpha", TermShape::word}));
        ASSERT_TRUE(index.entriesIn("/d"));
        ASSERT_FALSE(index.keepWithin(std::uint64_t{1} << 30));
    }
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(after.st_size, before.st_size);
}

TEST(WordIndex, TheSizeCapDropsTheFilesUsedLongestAgoAndKeepsTheOthersAnswering) {
    test::TempDir dir;
    WordIndex index(dir.path().string());
    // Many words of their own in each file, so that the words make the size.
    std::vector<FileWords> files;
    for (int f = 0; f < 200; ++f) {
        std::vector<std::string> words{"common", "only" + std::to_string(f)};
        for (int w = 0; w < 400; ++w)
            words.push_back("w" + std::to_string(f) + "x" + std::to_string(w));
        files.push_back(fileWords("/d", "f" + std::to_string(f), std::move(words), 1000 + f));
    }
    ASSERT_FALSE(index.record(files));
    // Files recorded again leave dead words behind, which the compaction clears.
    ASSERT_FALSE(index.record({files.data(), 50}));
    // The first 20 are searched again: used most lately.
    for (int f = 0; f < 20; ++f) ASSERT_TRUE(index.lookup("/d", "f" + std::to_string(f)));
    const std::uint64_t full = index.info().bytesOnDisk;
    const std::uint64_t cap = full / 3;
    ASSERT_FALSE(index.keepWithin(cap));
    const IndexInfo after = index.info();
    EXPECT_LE(after.bytesOnDisk, cap);
    EXPECT_GT(after.files, 20u);
    EXPECT_LT(after.files, 200u);
    const auto common = index.filesHolding({"common", TermShape::word});
    ASSERT_TRUE(common);
    EXPECT_EQ(common->size(), after.files);
    for (int f = 0; f < 200; ++f) {
        const auto file = index.lookup("/d", "f" + std::to_string(f));
        if (f < 20) {
            ASSERT_TRUE(file) << f;
        }
        if (!file) continue;
        const auto own = index.filesHolding({"only" + std::to_string(f), TermShape::word});
        EXPECT_EQ(own->size(), 1u);
        EXPECT_TRUE(own->mayHold(file->id)) << f;
    }
    // Within the cap already: nothing more goes.
    ASSERT_FALSE(index.keepWithin(cap));
    EXPECT_EQ(index.info().files, after.files);
}

}  // namespace
}  // namespace tessaly
