// How the word index behaves towards other programs and the disk.
#pragma once

#include <chrono>
#include <cstddef>
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
    // What a search reads ahead of a walk, of what the index keeps of the
    // folders below a Category folder, at most (WordIndex::keptUnder); past
    // that it asks folder by folder. The kept entries and listings of
    // /usr/share and /usr/include come to 9 MB.
    std::size_t mostReadAheadBytes = 64u << 20;
};

}  // namespace tessaly
