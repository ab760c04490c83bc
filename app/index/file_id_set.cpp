#include "index/file_id_set.h"

#include <algorithm>

namespace tessaly {

FileIdSet::FileIdSet(std::vector<IndexedFileId> ids, IndexedFileId newestId)
    : ids_(std::move(ids)), newestId_(newestId) {
    if (!std::is_sorted(ids_.begin(), ids_.end())) std::sort(ids_.begin(), ids_.end());
    ids_.erase(std::unique(ids_.begin(), ids_.end()), ids_.end());
}

bool FileIdSet::mayHold(IndexedFileId id) const {
    return id > newestId_ || std::binary_search(ids_.begin(), ids_.end(), id);
}

}  // namespace tessaly
