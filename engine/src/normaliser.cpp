#include "normaliser.h"

#include <cstdint>
#include <cstring>

#include "char_class.h"

namespace tyx12::detail {

namespace {

using Bytes16 = unsigned char __attribute__((vector_size(16)));
using Mask16 = signed char __attribute__((vector_size(16)));
constexpr std::size_t kBlock = sizeof(Bytes16);

// True when every byte of the block is printable ASCII, the common case that
// is copied without looking at each byte.
inline bool allPrintable(Bytes16 block) {
    Mask16 printable = (Mask16)((Bytes16)(block - 0x20) < 0x5F);
    std::uint64_t halves[2];
    std::memcpy(halves, &printable, sizeof halves);
    return (halves[0] & halves[1]) == ~std::uint64_t{0};
}

inline Bytes16 lowerBlock(Bytes16 block) {
    Bytes16 isUpper = (Bytes16)((Bytes16)(block - 'A') < 26);
    return block + (isUpper & 0x20);
}

}  // namespace

bool Normaliser::feed(const unsigned char* bytes, std::size_t count) {
    return folded_ ? feedImpl<true>(bytes, count) : feedImpl<false>(bytes, count);
}

template <bool Fold>
bool Normaliser::feedImpl(const unsigned char* bytes, std::size_t count) {
    std::size_t pos = position_;
    std::size_t i = 0;
    while (i < count) {
        if (i + kBlock <= count && pos + kBlock <= kNormalisedCap) {
            Bytes16 block;
            std::memcpy(&block, bytes + i, kBlock);
            if (allPrintable(block)) {
                std::memcpy(normalised_ + pos, &block, kBlock);
                if constexpr (Fold) {
                    Bytes16 lower = lowerBlock(block);
                    std::memcpy(folded_ + pos, &lower, kBlock);
                }
                pos += kBlock;
                i += kBlock;
                continue;
            }
        }
        const unsigned char b = bytes[i++];
        if (isPrintable(b)) {
            normalised_[pos] = static_cast<char>(b);
            if constexpr (Fold) folded_[pos] = static_cast<char>(lowerAscii(b));
            ++pos;
        } else if (b == 0x0D || b == 0x09) {
            normalised_[pos] = '\n';
            if constexpr (Fold) folded_[pos] = '\n';
            ++pos;
        } else if (b == 0x92) {
            normalised_[pos] = static_cast<char>(b);
            if constexpr (Fold) folded_[pos] = static_cast<char>(b);
            ++pos;
        } else if (b != 0x00 && pos != runMark_) {
            normalised_[pos] = ' ';
            if constexpr (Fold) folded_[pos] = ' ';
            runMark_ = ++pos;
        }
        if (pos > kNormalisedCap) {
            position_ = pos;
            return false;
        }
    }
    position_ = pos;
    return true;
}

std::size_t Normaliser::finish() {
    normalised_[position_] = '\0';
    if (folded_) folded_[position_] = '\0';
    return position_;
}

}  // namespace tyx12::detail
