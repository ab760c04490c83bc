// The block run written once over a vector width: included by each file that
// compiles it for one instruction set. V provides the operations on one block.
#pragma once

#include "block_run.h"

namespace tyx12::detail {
namespace {

// Bit i of `previous` tells whether the byte before byte i is a run byte.
// Where that byte is dropped, the answer must come from the nearest byte
// before it that is not; doubling the reach each step finds it for a whole
// block in five steps. Before the block stands `carry`.
inline unsigned long long skipDropped(unsigned long long previous, unsigned long long dropped,
                                      unsigned long long carry, std::size_t width) {
    const unsigned long long all = width == 64 ? ~0ull : (1ull << width) - 1;
    unsigned long long unresolved = (dropped << 1) & all;
    for (std::size_t reach = 1; reach < width; reach <<= 1) {
        const unsigned long long fromBefore = carry ? (1ull << reach) - 1 : 0;
        previous = (previous & ~unresolved) | (((previous << reach) | fromBefore) & unresolved);
        unresolved &= unresolved << reach;
    }
    return previous & all;
}

template <class V, bool Fold>
std::size_t runBlocks(const unsigned char* bytes, std::size_t count, BlockCursor& cursor) {
    using Reg = typename V::Reg;
    constexpr std::size_t kWidth = V::kWidth;
    char* const normalised = cursor.normalised;
    char* const folded = cursor.folded;
    std::size_t pos = cursor.position;
    std::size_t runMark = cursor.runMark;
    // Constants live in registers across the loop.
    const Reg space = V::splat(' '), lineFeed = V::splat('\n'), firstPrintable = V::splat(0x20);
    const Reg del = V::splat(0x7F), carriageReturn = V::splat(0x0D), tab = V::splat(0x09);
    const Reg nul = V::splat(0x00), apostrophe = V::splat(static_cast<char>(0x92));
    const Reg beforeA = V::splat('A' - 1), afterZ = V::splat('Z' + 1), caseBit = V::splat(0x20);
    std::size_t i = 0;
    while (i + kWidth <= count && pos + kWidth <= cursor.positionLimit) {
        const Reg block = V::load(bytes + i);
        // As signed bytes, 0x80 to 0xFF are negative: one compare catches them
        // with the control characters.
        const Reg special = V::orr(V::lessThan(block, firstPrintable), V::equal(block, del));
        const Reg lineBreak = V::orr(V::equal(block, carriageReturn), V::equal(block, tab));
        const Reg dropped = V::equal(block, nul);
        const Reg runByte =
            V::andNot(V::orr(V::orr(lineBreak, dropped), V::equal(block, apostrophe)), special);
        const unsigned long long runBits = V::bits(runByte);
        const unsigned long long droppedBits = V::bits(dropped);
        // Run bytes that add nothing: those whose nearest byte before them,
        // dropped bytes aside, is a run byte too; before the block, that is
        // the previous block's last, or nothing at all at the start.
        const unsigned long long carry = pos == runMark;
        unsigned long long previousRun = (runBits << 1) | carry;
        if (droppedBits) previousRun = skipDropped(previousRun, droppedBits, carry, kWidth);
        const unsigned long long repeated = runBits & previousRun;

        Reg out = V::select(lineBreak, lineFeed, block);
        out = V::select(runByte, space, out);
        Reg lowered = out;
        if constexpr (Fold) {
            const Reg upper = V::andd(V::greaterThan(out, beforeA), V::lessThan(out, afterZ));
            lowered = V::add(out, V::andd(upper, caseBit));
        }
        const unsigned long long spaced = runBits & ~repeated;  // run bytes that give a space
        std::size_t written = kWidth;
        if (!repeated && !droppedBits) {
            // Ordinary text: every byte gives one character.
            V::store(normalised + pos, out);
            if constexpr (Fold) V::store(folded + pos, lowered);
        } else if constexpr (V::kCompacts) {
            // Text with runs of control or non-ASCII bytes (UTF-8 letters):
            // the characters are packed together.
            const unsigned long long given = V::kAllBits & ~repeated & ~droppedBits;
            written = V::compact(out, given, normalised + pos);
            if constexpr (Fold) V::compact(lowered, given, folded + pos);
            const std::size_t lastSpaced = spaced ? 63 - __builtin_clzll(spaced) : 0;
            const unsigned long long upToLastSpaced = lastSpaced == 63 ? ~0ull : (2ull << lastSpaced) - 1;
            if (spaced) runMark = pos + static_cast<std::size_t>(__builtin_popcountll(given & upToLastSpaced));
            pos += written;
            i += kWidth;
            continue;
        } else {
            break;
        }
        // Branch-free: whether a block holds a control byte is a coin toss in
        // text with line ends every few blocks.
        const std::size_t afterLastRunByte =
            pos + static_cast<std::size_t>(64 - __builtin_clzll(spaced | 1));
        runMark = spaced ? afterLastRunByte : runMark;
        pos += written;
        i += kWidth;
    }
    cursor.position = pos;
    cursor.runMark = runMark;
    return i;
}

template <class V>
BlockRun blockRunOf(bool fold) {
    return fold ? &runBlocks<V, true> : &runBlocks<V, false>;
}

}  // namespace
}  // namespace tyx12::detail
