#include "normaliser.h"

#include <algorithm>

#include "char_class.h"

namespace tyx12::detail {

namespace {
// After a block that needed the byte-by-byte rule, stay with it for a while:
// binary files fail block after block, and retrying each one costs more than
// it saves.
constexpr std::size_t kBytewiseStretch = 32;
}  // namespace

Normaliser::Normaliser(char* normalised, char* folded)
    : Normaliser(normalised, folded, blockRunFor(folded != nullptr)) {}

Normaliser::Normaliser(char* normalised, char* folded, BlockRun blockRun)
    : normalised_(normalised), folded_(folded), blockRun_(blockRun) {}

bool Normaliser::feed(const unsigned char* bytes, std::size_t count) {
    return folded_ ? feedImpl<true>(bytes, count) : feedImpl<false>(bytes, count);
}

template <bool Fold>
bool Normaliser::feedImpl(const unsigned char* bytes, std::size_t count) {
    char* const normalised = normalised_;
    char* const folded = folded_;
    std::size_t pos = position_;
    std::size_t runMark = runMark_;
    std::size_t i = 0;
    while (i < count) {
        if (blockRun_) {
            BlockCursor cursor{normalised, folded, pos, runMark, kNormalisedCap};
            i += blockRun_(bytes + i, count - i, cursor);
            pos = cursor.position;
            runMark = cursor.runMark;
        }
        const std::size_t stretchEnd = std::min(count, i + kBytewiseStretch);
        while (i < stretchEnd) {
            const unsigned char b = bytes[i++];
            if (isPrintable(b)) {
                normalised[pos] = static_cast<char>(b);
                if constexpr (Fold) folded[pos] = static_cast<char>(lowerAscii(b));
                ++pos;
            } else if (b == 0x0D || b == 0x09) {
                normalised[pos] = '\n';
                if constexpr (Fold) folded[pos] = '\n';
                ++pos;
            } else if (b == 0x92) {
                normalised[pos] = static_cast<char>(b);
                if constexpr (Fold) folded[pos] = static_cast<char>(b);
                ++pos;
            } else if (b != 0x00 && pos != runMark) {
                normalised[pos] = ' ';
                if constexpr (Fold) folded[pos] = ' ';
                runMark = ++pos;
            }
            if (pos > kNormalisedCap) {
                position_ = pos;
                runMark_ = runMark;
                return false;
            }
        }
    }
    position_ = pos;
    runMark_ = runMark;
    return true;
}

std::size_t Normaliser::finish() {
    normalised_[position_] = '\0';
    if (folded_) folded_[position_] = '\0';
    return position_;
}

}  // namespace tyx12::detail
