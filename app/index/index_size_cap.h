// How large the word index may grow before the files searched longest ago
// are dropped from it.
#pragma once

#include <cstdint>
#include <string>

namespace tessaly {

inline constexpr std::uint64_t kMostIndexBytes = std::uint64_t{1} << 30;

// The smaller of 1 GiB and a tenth of the space free to us on the file
// system that holds `folder`: a cache must not be what fills a disk. 1 GiB
// when the free space cannot be learnt.
std::uint64_t defaultIndexSizeCap(const std::string& folder);

}  // namespace tessaly
