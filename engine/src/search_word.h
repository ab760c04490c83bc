// One search word as the finds see it: the characters the caller typed (as
// UTF-8, a stray byte read as Windows-1252), folded when case is ignored, and
// the core that is actually looked for (without its star, for a wildcard).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text_view.h"

namespace tyx12::detail {

enum class WildcardMode { None, Prefix, Suffix };

class SearchWord {
public:
    SearchWord() = default;
    SearchWord(std::string_view bytes, bool fold);

    std::u32string_view text() const { return text_; }
    std::u32string_view core() const { return std::u32string_view(text_).substr(coreStart_, coreLength_); }
    WildcardMode mode() const { return mode_; }
    // Characters a hit covers, for the highlight and for moving past a hit.
    std::size_t hitLength() const { return coreLength_; }
    bool findable() const { return coreLength_ > 0; }
    // Whether a find from a later start may reuse an earlier find's answer;
    // see WordCursor.
    bool resumable() const { return resumable_; }

private:
    std::u32string text_;
    std::size_t coreStart_ = 0;
    std::size_t coreLength_ = 0;
    WildcardMode mode_ = WildcardMode::None;
    bool resumable_ = false;
};

}  // namespace tyx12::detail
