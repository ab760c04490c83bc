// The block run written once over a vector width: included by each file that
// compiles it for one instruction set. V provides the operations on one block.
#pragma once

#include "block_run.h"

namespace tyx12::detail {
namespace {

template <class V, bool Fold>
std::size_t runBlocks(const unsigned char* bytes, std::size_t count, BlockCursor& cursor) {
    using Reg = typename V::Reg;
    constexpr std::size_t kWidth = V::kWidth;
    Char* const normalised = cursor.normalised;
    Char* const folded = cursor.folded;
    std::size_t pos = cursor.position;
    std::size_t runMark = cursor.runMark;
    // Constants live in registers across the loop.
    const Reg space = V::splat(' '), lineFeed = V::splat('\n'), firstPrintable = V::splat(0x20);
    const Reg del = V::splat(0x7F), carriageReturn = V::splat(0x0D), tab = V::splat(0x09);
    const Reg nul = V::splat(0x00), zero = V::splat(0x00);
    const Reg beforeA = V::splat('A' - 1), afterZ = V::splat('Z' + 1), caseBit = V::splat(0x20);
    std::size_t i = 0;
    while (i + kWidth <= count) {
        const Reg block = V::load(bytes + i);
        // As signed bytes, 0x80 to 0xFF are negative: those need decoding.
        if (V::bits(V::lessThan(block, zero))) break;
        const Reg special = V::orr(V::lessThan(block, firstPrintable), V::equal(block, del));
        const Reg lineBreak = V::orr(V::equal(block, carriageReturn), V::equal(block, tab));
        const unsigned long long nulBits = V::bits(V::equal(block, nul));
        if (nulBits == V::kAllBits) {
            // The holes of a sparse file, the padding of a binary one: nothing.
            i += kWidth;
            continue;
        }
        const Reg runByte = V::andNot(lineBreak, special);
        const unsigned long long runBits = V::bits(runByte) & ~nulBits;
        // A run byte after a run byte adds nothing, which a block stored
        // whole cannot say; before the block stands the previous block's
        // last, or nothing at all at the start.
        const unsigned long long carry = pos == runMark;
        const unsigned long long repeated = runBits & ((runBits << 1) | carry);

        Reg out = V::select(lineBreak, lineFeed, block);
        out = V::select(runByte, space, out);
        Reg lowered = out;
        if constexpr (Fold) {
            const Reg upper = V::andd(V::greaterThan(out, beforeA), V::lessThan(out, afterZ));
            lowered = V::add(out, V::andd(upper, caseBit));
        }
        if (repeated || nulBits) {
            // Blank lines, strings ended by NULs and the like: a run byte
            // after a run byte adds nothing and a NUL nothing at all, so the
            // characters are packed one by one, without a branch per byte.
            alignas(32) unsigned char shown[kWidth], small[kWidth];
            V::storeBytes(shown, out);
            V::storeBytes(small, lowered);
            for (std::size_t k = 0; k < kWidth; ++k) {
                const bool isRun = runBits >> k & 1;
                const bool advances = !(nulBits >> k & 1) && (!isRun || pos != runMark);
                normalised[pos] = shown[k];
                if constexpr (Fold) folded[pos] = small[k];
                pos += advances;
                runMark = isRun && advances ? pos : runMark;
            }
            i += kWidth;
            continue;
        }
        V::storeWide(normalised + pos, out);
        if constexpr (Fold) V::storeWide(folded + pos, lowered);
        // Branch-free: whether a block holds a control byte is a coin toss in
        // text with line ends every few blocks.
        const std::size_t afterLastRunByte =
            pos + static_cast<std::size_t>(64 - __builtin_clzll(runBits | 1));
        runMark = runBits ? afterLastRunByte : runMark;
        pos += kWidth;
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
