// The vector fast path of normalisation: whole blocks of ASCII bytes in which
// every byte gives exactly one character, as in ordinary text.
#pragma once

#include <cstddef>

#include "text_view.h"

namespace tyx12::detail {

struct BlockCursor {
    Char* normalised;
    Char* folded;  // null when case is matched
    std::size_t position;
    std::size_t runMark;
};

// Consumes blocks from the start of `bytes` for as long as they can be taken
// whole; returns how many bytes were consumed. The caller handles the byte
// that stopped it (a byte beyond ASCII, a NUL, a second control byte in a row).
using BlockRun = std::size_t (*)(const unsigned char* bytes, std::size_t count, BlockCursor& cursor);

// The widest block run this processor supports, or null where there is none.
BlockRun blockRunFor(bool fold);

#if defined(__x86_64__) || defined(__i386__)
BlockRun sse2BlockRun(bool fold);
BlockRun avx2BlockRun(bool fold);
#endif

}  // namespace tyx12::detail
