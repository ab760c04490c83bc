// The entries whose words hold a term, as one read of the index saw them.
#pragma once

#include <cstddef>
#include <vector>

#include "index/indexed_file.h"

namespace tessaly {

class FileIdSet {
public:
    FileIdSet() = default;
    // `ids` in any order, repeats allowed; `newestId`: the largest entry
    // number that existed when they were read.
    FileIdSet(std::vector<IndexedFileId> ids, IndexedFileId newestId);

    // False only when the entry existed when the set was read and its words
    // do not hold the term. An entry recorded since (by another program, or
    // by this run's own writer) may hold it: the set cannot speak for it.
    bool mayHold(IndexedFileId id) const;
    std::size_t size() const { return ids_.size(); }

private:
    std::vector<IndexedFileId> ids_;  // sorted, without repeats
    IndexedFileId newestId_ = 0;
};

}  // namespace tessaly
