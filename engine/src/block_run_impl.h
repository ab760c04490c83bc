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
        // A dropped byte, a run of control bytes, or one that continues the run
        // of the previous block needs the byte-by-byte rule.
        const unsigned long long needsBytewise =
            V::bits(dropped) | (runBits & (runBits << 1)) | (runBits & (pos == runMark));
        if (needsBytewise) break;

        Reg out = V::select(lineBreak, lineFeed, block);
        out = V::select(runByte, space, out);
        V::store(normalised + pos, out);
        if constexpr (Fold) {
            const Reg upper = V::andd(V::greaterThan(out, beforeA), V::lessThan(out, afterZ));
            V::store(folded + pos, V::add(out, V::andd(upper, caseBit)));
        }
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
