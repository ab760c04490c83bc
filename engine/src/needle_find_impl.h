// The look for a needle written once over a vector width: included by each
// file that compiles it for one instruction set. V provides the operations
// on one block.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>

#include "needle_match.h"

namespace tyx12::detail {
namespace {

// Tests a block of candidate starts at once by the needle's two rarest bytes,
// either case where the masks allow it, and compares the rest only where
// both agree. Stopping at a NUL, every byte of a block is tested for one
// before the block's candidates are: a NUL ends the look, and the caller
// takes the long road.
template <class V, bool kStopAtNul>
std::size_t findNeedleIn(const unsigned char* bytes, std::size_t count, const std::string& needle,
                         const std::string& masks, std::size_t probe1, std::size_t probe2, bool& nulMet) {
    using Reg = typename V::Reg;
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    constexpr std::size_t kWidth = V::kWidth;
    nulMet = false;
    const std::size_t length = needle.size();
    if (!kStopAtNul && count < length) return kNone;
    const auto matchesAt = [&](const unsigned char* at) { return needleStandsAt(at, needle, masks); };
    const Reg zero = V::splat(0);
    const Reg byte1 = V::splat(needle[probe1]), mask1 = V::splat(masks[probe1]);
    const Reg byte2 = V::splat(needle[probe2]), mask2 = V::splat(masks[probe2]);
    std::size_t i = 0;
    for (; i + kWidth + length - 1 <= count; i += kWidth) {
        if (kStopAtNul && V::equalBits(V::load(bytes + i), zero)) {
            nulMet = true;
            return kNone;
        }
        unsigned long long candidates = V::equalBits(V::orr(V::load(bytes + i + probe1), mask1), byte1) &
                                        V::equalBits(V::orr(V::load(bytes + i + probe2), mask2), byte2);
        while (candidates) {
            const std::size_t at = i + static_cast<std::size_t>(__builtin_ctzll(candidates));
            if (matchesAt(bytes + at)) return at;
            candidates &= candidates - 1;
        }
    }
    if (kStopAtNul && i < count && std::memchr(bytes + i, 0, count - i)) {
        nulMet = true;
        return kNone;
    }
    for (; i + length <= count; ++i)
        if (matchesAt(bytes + i)) return i;
    return kNone;
}

}  // namespace
}  // namespace tyx12::detail
