#include "normaliser.h"

#include <algorithm>

#include "char_class.h"
#include "text_decoder.h"

namespace tyx12::detail {

namespace {
// After a block that needed the character-by-character rule, stay with it for
// a while: binary files fail block after block, and retrying each one costs
// more than it saves.
constexpr std::size_t kStretch = 32;

}  // namespace

Normaliser::Normaliser(Char* normalised, Char* folded)
    : Normaliser(normalised, folded, blockRunFor(folded != nullptr)) {}

Normaliser::Normaliser(Char* normalised, Char* folded, BlockRun blockRun)
    : normalised_(normalised), folded_(folded), blockRun_(blockRun) {}

std::size_t Normaliser::feedUtf8OrWindows1252(const unsigned char* bytes, std::size_t count, bool atEnd) {
    return folded_ ? feedImpl<true>(bytes, count, atEnd) : feedImpl<false>(bytes, count, atEnd);
}

template <bool Fold>
std::size_t Normaliser::feedImpl(const unsigned char* bytes, std::size_t count, bool atEnd) {
    std::size_t i = 0;
    while (i < count) {
        if (blockRun_) {
            BlockCursor cursor{normalised_, folded_, position_, runMark_};
            i += blockRun_(bytes + i, count - i, cursor);
            position_ = cursor.position;
            runMark_ = cursor.runMark;
        }
        const std::size_t stretchEnd = std::min(count, i + kStretch);
        while (i < stretchEnd) {
            Char c;
            const std::size_t used = TextDecoder::nextUtf8OrWindows1252(bytes + i, count - i, atEnd, c);
            if (used == 0) return i;
            putImpl<Fold>(c);
            i += used;
        }
    }
    return i;
}

std::size_t Normaliser::finish() {
    normalised_[position_] = 0;
    if (folded_) folded_[position_] = 0;
    return position_;
}

void Normaliser::textMoved(std::size_t count, Char* normalised, Char* folded) {
    normalised_ = normalised;
    folded_ = folded;
    position_ -= count;
    runMark_ = runMark_ >= count && runMark_ != kNoMark ? runMark_ - count : kNoMark;
}

}  // namespace tyx12::detail
