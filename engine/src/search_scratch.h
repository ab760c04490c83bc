// Working buffers of one thread's searches, allocated on its first call and
// reused by every later one, so that a search allocates nothing per file.
#pragma once

#include <memory>
#include <string>

#include "line_collector.h"

namespace tyx12::detail {

inline constexpr std::size_t kReadChunk = 32 * 1024;

struct SearchScratch {
    std::unique_ptr<unsigned char[]> chunk;
    std::unique_ptr<char[]> normalised;
    std::unique_ptr<char[]> folded;
    CollectedText collected;
    CollectScratch collect;
};

// The calling thread's scratch, or null when it cannot be allocated.
SearchScratch* threadScratch();

}  // namespace tyx12::detail
