// Working buffers of one thread's searches, allocated on its first call and
// reused by every later one, so that a search allocates nothing per file.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "file_text.h"
#include "line_collector.h"

namespace tyx12::detail {

// A file up to this size is kept in memory as it is read and never read
// twice; a longer one streams through a buffer of this size.
inline constexpr std::size_t kRawBufferSize = 512 * 1024;

struct SearchScratch {
    std::unique_ptr<unsigned char[]> raw;
    std::vector<unsigned char> rawWithoutNuls;
    TextBuffers text;
    CollectedText collected;
    CollectScratch collect;
};

// The calling thread's scratch, or null when it cannot be allocated.
SearchScratch* threadScratch();

}  // namespace tyx12::detail
