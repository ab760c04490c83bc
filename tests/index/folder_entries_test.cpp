#include "index/folder_entries.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

IndexedFile entry(std::int64_t id, ReadAs readAs = ReadAs::text) {
    IndexedFile file;
    file.id = id;
    file.version = {7, static_cast<std::uint64_t>(id) * 11, 1u << 20, -5, id * 1'000'000'007};
    file.readAs = readAs;
    file.recordedNanoseconds = id * 3;
    file.usedNanoseconds = id * 5;
    file.hasDocumentText = readAs == ReadAs::document;
    return file;
}

// Every name is found with its own entry, whatever its bytes, and no name
// that is not there; a value cut short or with a name's end out of place is
// refused rather than read.
TEST(FolderEntries, EveryNameFindsItsOwnEntryAndADamagedValueIsRefused) {
    const std::vector<std::pair<std::string, IndexedFile>> given = {
        {"b", entry(2)},
        {"a", entry(1, ReadAs::document)},
        {std::string("n\0ul", 4), entry(3, ReadAs::binary)},
        {"\xFF\xFE not UTF-8", entry(4, ReadAs::rawBytes)},
        {std::string(300, 'x'), entry(5)},
        {"ab", entry(6)},
        {"a", entry(99)},  // the same name again: the first one holds
    };
    const FolderEntries entries(given);
    const auto read = FolderEntries::unpack(entries.packed());
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 6u);
    for (std::size_t i = 0; i + 1 < given.size(); ++i) {
        const auto found = read->find(given[i].first);
        ASSERT_TRUE(found) << i;
        const IndexedFile& want = given[i].second;
        EXPECT_EQ(found->id, want.id);
        EXPECT_EQ(found->version, want.version);
        EXPECT_EQ(found->readAs, want.readAs);
        EXPECT_EQ(found->recordedNanoseconds, want.recordedNanoseconds);
        EXPECT_EQ(found->usedNanoseconds, want.usedNanoseconds);
        EXPECT_EQ(found->hasDocumentText, want.hasDocumentText);
    }
    // Asked in name order, or against it, with the place of the last one.
    for (const bool forwards : {true, false}) {
        std::size_t next = 0;
        for (std::size_t i = 0; i + 1 < given.size(); ++i) {
            const auto& [name, want] = given[forwards ? i : given.size() - 2 - i];
            EXPECT_EQ(read->find(name, next)->id, want.id) << name;
        }
    }
    for (const std::string& absent : {std::string(), std::string("c"), std::string("aa"), std::string("n"), std::string(299, 'x')})
        EXPECT_FALSE(read->find(absent)) << absent;
    EXPECT_TRUE(FolderEntries::unpack(FolderEntries().packed())->empty());

    const std::string& packed = entries.packed();
    for (std::size_t length = 0; length < packed.size(); ++length)
        EXPECT_FALSE(FolderEntries::unpack(packed.substr(0, length))) << length;
    EXPECT_FALSE(FolderEntries::unpack(packed + "x"));
    std::string misplaced = packed;
    misplaced[8 + 66] = '\x7F';  // the first name's end, beyond every name
    EXPECT_FALSE(FolderEntries::unpack(misplaced));
}

}  // namespace
}  // namespace tessaly
