#include "collected_text.h"

#include <cstring>

#include "substring_search.h"

namespace tyx12::detail {

CollectedText::CollectedText() : filter_(new std::uint64_t[kFilterWords]()) {}

void CollectedText::clear() {
    text_.clear();
    if (filterUsed_) {
        std::memset(filter_.get(), 0, kFilterWords * sizeof(std::uint64_t));
        filterUsed_ = false;
    }
}

std::size_t CollectedText::gramSlot(const char* at) {
    std::uint64_t gram;
    std::memcpy(&gram, at, sizeof gram);
    return static_cast<std::size_t>((gram * 0x9E3779B97F4A7C15ull) >> (64 - kFilterBits));
}

bool CollectedText::contains(std::string_view piece) const {
    if (piece.empty()) return true;
    if (piece.size() > text_.size()) return false;
    if (piece.size() >= kGram) {
        for (std::size_t i = 0; i + kGram <= piece.size(); ++i)
            if (!mayHold(gramSlot(piece.data() + i))) return false;
    }
    return findSubstring(text_.data(), text_.size(), piece.data(), piece.size()) != nullptr;
}

void CollectedText::append(std::string_view piece) {
    const std::size_t oldSize = text_.size();
    text_.append(piece);
    // Every run that ends inside the new piece, including those that start in
    // the old text.
    const std::size_t first = oldSize >= kGram - 1 ? oldSize - (kGram - 1) : 0;
    for (std::size_t i = first; i + kGram <= text_.size(); ++i) {
        const std::size_t slot = gramSlot(text_.data() + i);
        filter_[slot >> 6] |= std::uint64_t{1} << (slot & 63);
        filterUsed_ = true;
    }
}

}  // namespace tyx12::detail
