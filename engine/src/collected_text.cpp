#include "collected_text.h"

#include <cstring>

#include <string.h>  // memmem

namespace tyx12::detail {

CollectedText::CollectedText() : filter_(new std::uint64_t[kFilterWords]()) {}

void CollectedText::clear() {
    // Most files leave a line or two: their few bits are cleared one by one
    // rather than the whole filter.
    if (nextGram_ / kStride < kFilterWords / 8) {
        for (std::size_t at = 0; at < nextGram_; at += kStride) filter_[gramSlot(text_.data() + at) >> 6] = 0;
    } else {
        std::memset(filter_.get(), 0, kFilterWords * sizeof(std::uint64_t));
    }
    text_.clear();
    nextGram_ = 0;
}

std::size_t CollectedText::gramSlot(const char* at) {
    std::uint64_t gram;
    std::memcpy(&gram, at, sizeof gram);
    return static_cast<std::size_t>((gram * 0x9E3779B97F4A7C15ull) >> (64 - kFilterBits));
}

bool CollectedText::mayHoldAligned(std::string_view piece, std::size_t alignment) const {
    for (std::size_t at = alignment; at + kGram <= piece.size(); at += kStride)
        if (!mayHold(gramSlot(piece.data() + at))) return false;
    return true;
}

bool CollectedText::contains(std::string_view piece) const {
    if (piece.empty()) return true;
    if (piece.size() > text_.size()) return false;
    if (piece.size() >= kGram + kStride - 1) {
        bool possible = false;
        for (std::size_t alignment = 0; alignment < kStride && !possible; ++alignment)
            possible = mayHoldAligned(piece, alignment);
        if (!possible) return false;
    }
    return memmem(text_.data(), text_.size(), piece.data(), piece.size()) != nullptr;
}

void CollectedText::append(std::string_view piece) {
    text_.append(piece);
    for (; nextGram_ + kGram <= text_.size(); nextGram_ += kStride) {
        const std::size_t slot = gramSlot(text_.data() + nextGram_);
        filter_[slot >> 6] |= std::uint64_t{1} << (slot & 63);
    }
}

}  // namespace tyx12::detail
