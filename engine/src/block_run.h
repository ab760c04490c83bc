// The vector fast path of normalisation: whole blocks of bytes in which every
// byte gives exactly one character, as in ordinary text.
#pragma once

#include <cstddef>

namespace tyx12::detail {

struct BlockCursor {
    char* normalised;
    char* folded;          // null when case is matched
    std::size_t position;
    std::size_t runMark;
    std::size_t positionLimit;  // no block may be written past this
};

// Consumes blocks from the start of `bytes` for as long as they can be taken
// whole; returns how many bytes were consumed. The caller handles the byte
// that stopped it.
using BlockRun = std::size_t (*)(const unsigned char* bytes, std::size_t count, BlockCursor& cursor);

// The widest block run this processor supports, or null where there is none.
BlockRun blockRunFor(bool fold);

#if defined(__x86_64__) || defined(__i386__)
BlockRun sse2BlockRun(bool fold);
BlockRun avx2BlockRun(bool fold);
#endif

}  // namespace tyx12::detail
