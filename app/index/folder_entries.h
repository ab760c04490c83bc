// The word index's entries of one folder, by name, packed into one string:
// a walk asks for a whole folder at once, and one packed value read from the
// index costs a fraction of decoding a row for each of its files. The same
// packed string is what the index keeps, so a folder read once as rows is
// read as one value by the searches after it.
//
// A packed value read back is checked before use: one that does not hold
// together (a damaged file) is refused, and the folder is read as rows.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "index/indexed_file.h"

namespace tessaly {

class FolderEntries {
public:
    FolderEntries() : FolderEntries(std::vector<std::pair<std::string, IndexedFile>>{}) {}
    // From entries in any order; a name given twice keeps its first entry.
    explicit FolderEntries(std::vector<std::pair<std::string, IndexedFile>> entries);
    // Nothing when `packed` is not a value pack() made.
    static std::optional<FolderEntries> unpack(std::string packed);

    std::optional<IndexedFile> find(std::string_view name) const;
    // The same, looking first at `next`, and leaving there the place after
    // the name found: a folder's files are asked about in name order, as the
    // entries are kept, so the next one is nearly always there.
    std::optional<IndexedFile> find(std::string_view name, std::size_t& next) const;
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    const std::string& packed() const { return packed_; }

private:
    std::string_view nameAt(std::size_t index) const;
    IndexedFile entryAt(std::size_t index) const;

    // A count, then one fixed-size record per entry in the names' byte
    // order, each ending with where its name ends, then the names one after
    // another.
    std::string packed_;
    std::size_t count_ = 0;
    std::size_t namesAt_ = 0;
};

}  // namespace tessaly
