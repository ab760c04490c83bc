// How the word index behaves towards other programs and the disk.
#pragma once

#include <chrono>
#include <cstdint>

namespace tessaly {

struct IndexOptions {
    // How long a writer waits for another program's write to end before it
    // gives up its batch. Short: a search never waits on its cache for long.
    std::chrono::milliseconds busyTimeout{1000};
    // A ceiling the file may not grow past, met as a full disk would be
    // (the index becomes unusable for the run); 0 for none. The size cap
    // (WordIndex::keepWithin) is the gentle limit, this the hard one.
    std::uint64_t ceilingBytes = 0;
};

}  // namespace tessaly
