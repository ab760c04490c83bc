#include "run/result_entry_index.h"

#include <algorithm>

namespace tessaly {

void ResultEntryIndex::add(std::size_t start, std::string path) { entries_.push_back({start, std::move(path)}); }

const ResultEntryIndex::Entry* ResultEntryIndex::entryAt(std::size_t offset) const {
    if (entries_.empty()) return nullptr;
    const auto after = std::upper_bound(entries_.begin(), entries_.end(), offset,
                                        [](std::size_t at, const Entry& entry) { return at < entry.start; });
    return &(after == entries_.begin() ? *after : *std::prev(after));
}

const std::string* ResultEntryIndex::fileAt(std::size_t offset) const {
    const Entry* entry = entryAt(offset);
    return entry ? &entry->path : nullptr;
}

std::size_t ResultEntryIndex::headingAt(std::size_t offset) const {
    const Entry* entry = entryAt(offset);
    return entry ? entry->start : 0;
}

}  // namespace tessaly
